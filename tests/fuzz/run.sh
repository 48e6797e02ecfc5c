#!/bin/sh
# Runs each fuzz target for a fixed time over its corpus (used by `make fuzz`).
#
#   sh tests/fuzz/run.sh BUILT_TARGETS_DIR SECONDS_PER_TARGET [TARGET...]
#
# The committed corpus in tests/fuzz/corpus/<target>/ is only read: new
# inputs go to a scratch directory named first on libFuzzer's command line.
# A crash, a leak, a timeout or a broken property fails the run; its input
# is kept in BUILT_TARGETS_DIR/artifacts/ and printed in base64, so that it
# can be replayed with `<target> <file>` from a CI log.
set -u

bin_dir=$1
seconds=$2
shift 2
targets=${*:-fuzz_arguments fuzz_batch fuzz_zone fuzz_chart}
corpus_root=$(dirname "$0")/corpus
artifacts=$bin_dir/artifacts
mkdir -p "$artifacts"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

failed=""
for target in $targets; do
  mkdir -p "$scratch/$target"
  log=$scratch/$target.log
  if "$bin_dir/$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
      -print_final_stats=1 -artifact_prefix="$artifacts/$target-" \
      "$scratch/$target" "$corpus_root/$target" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    new=$(find "$scratch/$target" -type f | wc -l)
    echo "$target: ${runs:-?} inputs in ${seconds} s, nothing found ($new new inputs not kept)"
  else
    failed="$failed $target"
    echo "$target: FAILED"
    grep -v '^#[0-9]' "$log" | tail -n 60
    for crash in "$artifacts/$target"-*; do
      [ -f "$crash" ] || continue
      echo "input $crash (base64):"
      base64 "$crash" | head -c 4000
      echo
    done
  fi
done

if [ -n "$failed" ]; then
  echo "fuzz: failed:$failed"
  exit 1
fi
echo "fuzz: all targets clean"
