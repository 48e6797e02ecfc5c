#!/bin/sh
# Installs the Debian packages Orvanta needs to build, test and run.
#   tools/install-deps.sh [GROUP ...]      install the base set and the groups
#   tools/install-deps.sh --list [GROUP ...]  print those packages, one a line
# The base set builds the programs and runs every test of `make test`; the
# groups are for the make targets that need more (see GROUPS below). Every
# outside program the build, the tests and the tools run is declared in
# tools/outside-programs with the package that ships it, and
# tools/check-outside-programs.py checks that this file installs each one.
# As root it runs apt-get itself; otherwise it prints the command to run.
set -eu

BASE="cmake make g++ pkg-config qt6-base-dev qt6-svg-dev libqt6sql6-sqlite libsqlite3-dev libgtest-dev libgmock-dev \
libbenchmark-dev xvfb xauth fonts-dejavu-core fonts-noto-core python3 python3-ephem swetest python3-jsonschema poppler-utils desktop-file-utils \
appstream man-db groff-base libgeonames-dev libhowardhinnant-date-dev tzdata"

# GROUPS: fuzz (make fuzz), package (make package), stations (make stations),
# screenshots (docs/screenshots/take-screenshots.sh), memory
# (tools/measure_batch_memory.sh).
group() {
  case "$1" in
    fuzz) echo "clang-14 libclang-rt-14-dev" ;;
    package) echo "dpkg-dev file" ;;
    stations) echo "libswe-dev" ;;
    screenshots) echo "imagemagick" ;;
    memory) echo "time" ;;
    *) echo "install-deps: unknown group '$1' (fuzz, package, stations, screenshots, memory)" >&2
       exit 64 ;;
  esac
}

list=false
if [ "${1:-}" = "--list" ]; then
  list=true
  shift
fi
PACKAGES=$BASE
for g in "$@"; do
  PACKAGES="$PACKAGES $(group "$g")"
done

if $list; then
  for p in $PACKAGES; do echo "$p"; done
  exit 0
fi

missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done

[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  echo "Installing:$missing"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  # shellcheck disable=SC2086
  apt-get install -y -qq --no-install-recommends $missing
else
  echo "Orvanta needs these Debian packages:$missing"
  echo "Install them with:"
  echo "  sudo apt-get update && sudo apt-get install -y$missing"
  exit 1
fi
