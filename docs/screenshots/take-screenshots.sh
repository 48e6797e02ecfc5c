#!/bin/sh
# Retakes the README's screenshots on a virtual X screen:
#   docs/screenshots/take-screenshots.sh BUILD_DIR
# needs xvfb (xvfb-run) and imagemagick (import); BUILD_DIR is a build with
# the desktop program (target screenshot_tour).
set -eu
build=${1:-build}
out=$(cd "$(dirname "$0")" && pwd)
tour="$build/tests/gui/screenshot_tour"
[ -x "$tour" ] || { echo "build the target screenshot_tour in $build first" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat > "$work/run.sh" <<SCRIPT
#!/bin/sh
"$tour" "$work" &
pid=\$!
for shot in completer resolved form chart details; do
  while [ ! -e "$work/\$shot.ready" ]; do sleep 0.2; done
  sleep 0.5
  import -window root "$work/\$shot.png"
  rm "$work/\$shot.ready"
done
wait \$pid
SCRIPT
chmod +x "$work/run.sh"
xvfb-run -a -s "-screen 0 1600x1000x24" "$work/run.sh"
# The form is a small window on a large, black screen: keep only the window.
for shot in completer resolved form; do
  convert "$work/$shot.png" -fuzz 1% -trim +repage "$out/$shot.png"
done
cp "$work/chart.png" "$out/chart.png"
cp "$work/details.png" "$out/details.png"
echo "screenshots written to $out"
