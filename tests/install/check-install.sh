#!/bin/sh
# Installs the build into a temporary prefix and checks what a user or a
# distribution gets: the exact list of installed files, the desktop entry,
# the AppStream metadata and the man page against Debian's validators, the
# version everywhere it is shown, the man page against docs/cli.md, and the
# installed orvanta-cli computing the same chart as the build's.
#
# check-install.sh BUILD_DIR SOURCE_DIR APP_ID VERSION WITH_GUI(ON|OFF)
set -eu

build=$1
source=$2
app=$3
version=$4
with_gui=$5

fail() {
  echo "check-install: $*" >&2
  exit 1
}

# Debian's programs only (a python3 of a user's own comes first on some PATHs).
PATH=/usr/sbin:/usr/bin:/sbin:/bin
for tool in desktop-file-validate:desktop-file-utils appstreamcli:appstream man:man-db \
  python3:python3; do
  command -v "${tool%%:*}" >/dev/null 2>&1 ||
    fail "${tool%%:*} is missing: install the Debian package ${tool#*:} (tools/install-deps.sh does)"
done

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install failed"

# The installed tree, data files (share/orvanta, which grows) aside.
actual=$(cd "$prefix" && find . -type f ! -path './share/orvanta/*' | sed 's|^\./||' | sort)
expected=$(
  {
    echo bin/orvanta-cli
    [ "$with_gui" = ON ] && echo bin/orvanta
    echo "share/applications/$app.desktop"
    echo "share/icons/hicolor/scalable/apps/$app.svg"
    echo "share/metainfo/$app.metainfo.xml"
    echo share/man/man1/orvanta-cli.1
    echo share/doc/orvanta/copyright
    echo share/doc/orvanta/cli.md
  } | sort
)
if [ "$actual" != "$expected" ]; then
  echo "installed:" >&2
  echo "$actual" >&2
  echo "expected:" >&2
  echo "$expected" >&2
  fail "the installed files differ from the expected list"
fi
[ -d "$prefix/share/orvanta" ] || fail "share/orvanta is not installed"
for f in $(cd "$source/data" && find . -type f ! -name README.md | sed 's|^\./||'); do
  cmp -s "$source/data/$f" "$prefix/share/orvanta/$f" || fail "data/$f is not installed as share/orvanta/$f"
done
[ -x "$prefix/bin/orvanta-cli" ] || fail "bin/orvanta-cli is not executable"

# Validators: no errors, no warnings.
out=$(desktop-file-validate "$prefix/share/applications/$app.desktop" 2>&1) ||
  fail "desktop-file-validate: $out"
[ -z "$out" ] || fail "desktop-file-validate: $out"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/$app.metainfo.xml" >"$prefix/as.log" 2>&1 ||
  { cat "$prefix/as.log" >&2; fail "appstreamcli validate failed"; }
rm -f "$prefix/as.log"
python3 -c 'import sys, xml.etree.ElementTree as t; t.parse(sys.argv[1])' \
  "$prefix/share/icons/hicolor/scalable/apps/$app.svg" || fail "the icon is not well-formed SVG"

man_page="$prefix/share/man/man1/orvanta-cli.1"
warnings=$(MANWIDTH=80 man --warnings -l "$man_page" 2>&1 >/dev/null) || fail "man -l failed: $warnings"
[ -z "$warnings" ] || fail "man page warnings: $warnings"

# One version everywhere.
shown=$("$prefix/bin/orvanta-cli" --version)
[ "$shown" = "orvanta-cli $version" ] || fail "orvanta-cli --version says '$shown', not '$version'"
python3 - "$prefix/share/metainfo/$app.metainfo.xml" "$version" <<'PY' || fail "metadata version"
import sys, xml.etree.ElementTree as t
newest = t.parse(sys.argv[1]).getroot().find("releases/release")
if newest is None or newest.get("version") != sys.argv[2]:
    sys.exit("the newest release in the metadata is not " + sys.argv[2])
PY
grep -q "^\.TH ORVANTA-CLI 1 .*\"Orvanta $version\"" "$man_page" || fail "man page header lacks $version"

# The man page and docs/cli.md document the same options and exit statuses,
# and the man page every option of --help.
options() { grep -o -- '--[a-z][a-z-]*' | sort -u; }
doc_options=$(options <"$source/docs/cli.md")
man_options=$(sed 's/\\-/-/g' "$man_page" | options)
[ "$doc_options" = "$man_options" ] ||
  fail "options differ between docs/cli.md and the man page: $(echo "$doc_options" | tr '\n' ' ') / $(echo "$man_options" | tr '\n' ' ')"
for o in $("$prefix/bin/orvanta-cli" --help | options); do
  echo "$man_options" | grep -qx -- "$o" || fail "--help lists $o, the man page does not"
done
doc_codes=$(sed -n '/^## Exit status/,/^## /p' "$source/docs/cli.md" | sed -n 's/^| \([0-9][0-9]*\) |.*/\1/p' | tr '\n' ' ')
man_codes=$(sed -n '/^\.SH EXIT STATUS/,/^\.SH /p' "$man_page" | sed -n 's/^\.B \([0-9][0-9]*\)$/\1/p' | tr '\n' ' ')
[ -n "$doc_codes" ] && [ "$doc_codes" = "$man_codes" ] ||
  fail "exit statuses differ: docs/cli.md '$doc_codes', man page '$man_codes'"

# The installed program computes what the build's computes.
set -- --name "ARJUN MEHTA" --date 1980-06-15 --time 10:30 --lat 28N36 --lon 77E12 --zone IST \
  --city "New Delhi" --state Delhi --country India
"$prefix/bin/orvanta-cli" "$@" >"$prefix/installed.out" || fail "the installed orvanta-cli failed"
"$build/src/cli/orvanta-cli" "$@" >"$prefix/built.out"
cmp -s "$prefix/installed.out" "$prefix/built.out" || fail "the installed orvanta-cli computes another chart"
[ "$(head -n 1 "$prefix/installed.out")" = "Orvanta v$version" ] || fail "the report's title lacks $version"

echo "check-install: $(echo "$actual" | wc -l) files installed and checked"
