#!/bin/sh
# Retakes the README's screenshots on a virtual X screen:
#   docs/screenshots/take-screenshots.sh BUILD_DIR
# needs xvfb (xvfb-run) and imagemagick (import); BUILD_DIR is a build with
# the desktop program (target screenshot_tour). Three screens: 1600x1000
# (form.png, chart.png, details.png), 1024x768 (chart-1024x768.png,
# details-1024x768.png) and 1600x1000 at QT_SCALE_FACTOR=1.5
# (chart-scale1.5.png, details-scale1.5.png); the result window must show
# whole on each.
set -eu
build=${1:-build}
out=$(cd "$(dirname "$0")" && pwd)
tour="$(cd "$build" && pwd)/tests/gui/screenshot_tour"
[ -x "$tour" ] || { echo "build the target screenshot_tour in $build first" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat > "$work/run.sh" <<SCRIPT
#!/bin/sh
"$tour" "$work" &
pid=\$!
for shot in form chart details; do
  while [ ! -e "$work/\$shot.ready" ]; do sleep 0.2; done
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
}
shoot 1600x1000 ""
# The form is a small window on a large, black screen: keep only the window.
convert "$work/form.png" -fuzz 1% -trim +repage "$out/form.png"
shoot 1024x768 -1024x768
shoot 1600x1000 -scale1.5 1.5
echo "screenshots written to $out"
