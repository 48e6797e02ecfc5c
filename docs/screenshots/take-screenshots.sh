#!/bin/sh
# Retakes the README's screenshots on a virtual X screen:
#   docs/screenshots/take-screenshots.sh BUILD_DIR
# installs what it needs (tools/install-deps.sh screenshots: xvfb-run,
# imagemagick's import and convert); BUILD_DIR is a build with the desktop
# program (targets screenshot_tour and orvanta-cli). The tour stops, and no
# screenshot is written, when a number the window shows differs from what
# orvanta-cli prints for the same birth. Three screens: 1600x1000
# (form.png, chart.png, details.png, and the charts North and East Indian:
# chart-north.png, chart-east.png), 1024x768 (chart-1024x768.png,
# details-1024x768.png) and 1600x1000 at QT_SCALE_FACTOR=1.5
# (chart-scale1.5.png, details-scale1.5.png); the result window must show
# whole on each. Then the exported page (chart-page.png, and North and East
# Indian: chart-page-north.png, chart-page-east.png; target
# export_reference_page), the Dasha page (dasha.png), the Wealth page
# (wealth.png) and the charts with the special lagnas shown
# (chart-special-lagnas.png; target wealth_screenshot), and the result
# window in Devanagari and Tamil names (chart-devanagari.png,
# chart-tamil.png; target names_screenshot).
set -eu
build=${1:-build}
out=$(cd "$(dirname "$0")" && pwd)
sh "$out/../../tools/install-deps.sh" screenshots
tour="$(cd "$build" && pwd)/tests/gui/screenshot_tour"
cli="$(cd "$build" && pwd)/src/cli/orvanta-cli"
[ -x "$tour" ] && [ -x "$cli" ] ||
  { echo "build the targets screenshot_tour, export_reference_page and orvanta-cli in $build first" >&2
    exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat > "$work/run.sh" <<SCRIPT
#!/bin/sh
"$tour" "$work" "$cli" &
pid=\$!
for shot in completer resolved form chart chart-north chart-east details; do
  while [ ! -e "$work/\$shot.ready" ]; do
    kill -0 \$pid 2>/dev/null || { wait \$pid; exit \$?; }
    sleep 0.2
  done
  sleep 0.5
  import -window root "$work/\$shot.png"
  rm "$work/\$shot.ready"
done
wait \$pid
SCRIPT
chmod +x "$work/run.sh"

# shoot SCREEN SUFFIX [SCALE]: the tour on one screen size and scale factor.
shoot() {
  rm -f "$work"/*.png
  QT_SCALE_FACTOR=${3:-1} xvfb-run -a -s "-screen 0 $1x24" "$work/run.sh"
  cp "$work/chart.png" "$out/chart$2.png"
  cp "$work/details.png" "$out/details$2.png"
  if [ -z "$2" ]; then
    cp "$work/chart-north.png" "$out/chart-north.png"
    cp "$work/chart-east.png" "$out/chart-east.png"
  fi
}
shoot 1600x1000 ""
# The form is a small window on a large, black screen: keep only the window.
for shot in completer resolved form; do
  convert "$work/$shot.png" -fuzz 1% -trim +repage "$out/$shot.png"
done
shoot 1024x768 -1024x768
shoot 1600x1000 -scale1.5 1.5
# The exported page of the same birth.
QT_QPA_PLATFORM=offscreen "$(cd "$build" && pwd)/tests/gui/export_reference_page" "$work"
for page in chart-page chart-page-north chart-page-east; do
  cp "$work/$page.png" "$out/$page.png"
done
# The Dasha page, with the periods of a fixed date marked (target
# dasha_screenshot).
QT_QPA_PLATFORM=offscreen "$(cd "$build" && pwd)/tests/gui/dasha_screenshot" "$out"
QT_QPA_PLATFORM=offscreen "$(cd "$build" && pwd)/tests/gui/wealth_screenshot" "$out"
# The result window with its names in Devanagari and in Tamil (target
# names_screenshot).
QT_QPA_PLATFORM=offscreen "$(cd "$build" && pwd)/tests/gui/names_screenshot" "$out"
echo "screenshots written to $out"
