#!/bin/sh
# Installs the Debian packages Orvanta needs to build, test and run.
# As root it runs apt-get itself; otherwise it prints the command to run.
set -eu

PACKAGES="cmake make g++ pkg-config qt6-base-dev qt6-svg-dev libqt6sql6-sqlite libsqlite3-dev libgtest-dev libgmock-dev \
libbenchmark-dev xvfb xauth fonts-dejavu-core python3 python3-ephem desktop-file-utils appstream man-db \
groff-base libgeonames-dev libhowardhinnant-date-dev tzdata $*"

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
