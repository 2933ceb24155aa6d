#!/usr/bin/env bash
# Renders the example toolbar as dok.exe shows it under Wine into
# docs/toolbar-wine.png: the bar is started in a copy of examples/ with
# tarn.exe, fell.exe and scree.exe beside it, its Assemble, Link and Run
# buttons are clicked through DOK_EVENTS, and the window is photographed in
# Xvfb.
#   screenshot-wine.sh [build folder of the Windows build, default build-win]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build="${1:-build-win}"
[ -x "$build/bin/dok.exe" ] || { echo "No $build/bin/dok.exe: run scripts/build-windows.sh first." >&2; exit 1; }
source scripts/wine-env.sh
source buttonbar/win32/tests/wine_setup.sh
work=$(mktemp -d)
dok_pid="" xvfb_pid=""
stop() {
    for pid in $dok_pid $xvfb_pid; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap stop EXIT
cp -r examples/. "$work/"
cp "$build"/bin/{dok,tarn,fell,scree}.exe "$build"/bin/dok_*.def "$work/"
# The clicks, then blank lines that keep the bar open while it is photographed.
{ printf 'click asm\nclick lnk\nclick run\n'; printf '\n%.0s' $(seq 1500); } > "$work/events"
display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 640x480x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break || sleep 0.1; done
(cd "$work" && DOK_EVENTS=events exec wine dok.exe toolbar.ini) >/dev/null 2>&1 &
dok_pid=$!
window=""
for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name "TMS9900 Toolbar" 2>/dev/null | head -1) && [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "The toolbar did not come up." >&2; exit 1; }
sleep 6  # the three programs have run and the bar shows what they made
eval "$(xdotool getwindowgeometry --shell "$window")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$root/docs/toolbar-wine.png"
echo "Wrote docs/toolbar-wine.png"
