#!/usr/bin/env bash
# Renders the example toolbar under Xvfb into docs/toolbar.png: the bar is
# started in a copy of examples/, its Assemble, Link and Run buttons are
# clicked as a user would, and the window is photographed with the screen of
# the program that scree ran.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
[ -x build/bin/dok ] || bash scripts/build.sh
work=$(mktemp -d)
dok_pid="" xvfb_pid=""
stop() {
    for pid in $dok_pid $xvfb_pid; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap stop EXIT
cp -r examples/. "$work/"
display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 640x480x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=$display GSETTINGS_BACKEND=memory PATH="$root/build/bin:$PATH"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break || sleep 0.1; done
(cd "$work" && exec dok toolbar.ini) >/dev/null 2>&1 &
dok_pid=$!
window=""
for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name "TMS9900 Toolbar" 2>/dev/null | head -1) && [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "The toolbar did not come up." >&2; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$window")"
# Assemble at (198,34), Link at (262,34) and Run at (326,34) of the client
# area, below the menu bar.
menu=$((HEIGHT - 206))
for x in 198 262 326; do
    xdotool mousemove $((X + x)) $((Y + menu + 34)) click 1
    sleep 1.5
done
xdotool mousemove $((X + WIDTH + 50)) $((Y + HEIGHT + 50))
sleep 0.5
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage docs/toolbar.png
echo "Wrote docs/toolbar.png"
