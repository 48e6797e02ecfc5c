#!/bin/sh
# Peak resident memory of the batch mode for 10,000 and for 1,000,000 rows:
# the batch streams through a bounded window of rows, so the two figures
# should lie within a few megabytes of each other, for a file and for
# standard input, JSON and CSV output, one job, every core and 256 jobs
# (more jobs than cores hold no more rows in flight than one per core).
#
# Usage: tools/measure_batch_memory.sh [path/to/orvanta-cli]
# (default build/src/cli/orvanta-cli; an optimised build is quicker). The
# rows come from tools/compare/random_births.py; the output goes to
# /dev/null. Needs GNU time (/usr/bin/time, Debian package "time").
set -eu

here=$(dirname "$0")
cli=${1:-build/src/cli/orvanta-cli}
[ -x "$cli" ] || { echo "no orvanta-cli at $cli (build it, or give its path)" >&2; exit 1; }
[ -x /usr/bin/time ] || sh "$here/install-deps.sh" memory

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM

# Peak RSS in kB of one run; $1 is a label, the rest the command.
peak() {
  label=$1
  shift
  /usr/bin/time -f '%M %e' -o "$work/time" "$@" >/dev/null 2>"$work/err" || true
  # The last line: GNU time puts a note on a non-zero status before it.
  read -r kb seconds <<EOT
$(tail -n 1 "$work/time")
EOT
  printf '  %-34s %8s kB  %7s s\n' "$label" "$kb" "$seconds"
}

cores=$(nproc)
for rows in 10000 1000000; do
  python3 "$here/compare/random_births.py" "$rows" >"$work/rows.csv"
  echo "$rows rows:"
  for jobs in 1 "$cores" 256; do
    peak "JSON, file, --jobs $jobs" "$cli" --batch "$work/rows.csv" --json --jobs "$jobs"
    peak "CSV, file, --jobs $jobs" "$cli" --batch "$work/rows.csv" --jobs "$jobs"
    peak "JSON, standard input, --jobs $jobs" sh -c 'exec "$0" --batch - --json --jobs "$1" <"$2"' \
      "$cli" "$jobs" "$work/rows.csv"
  done
done
