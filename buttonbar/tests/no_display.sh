#!/bin/sh
# Without a display dok says so in one line that names DOK_UI=headless, ends
# with exit code 1 and touches nothing.
set -u
dok=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
printf '[layout]\nwindow=[T] 1 1 50 50\n[onload]\n#echo(ran,>ran.txt)\n' > "$dir/t.ini"
cd "$dir" || exit 1
env -u DISPLAY -u WAYLAND_DISPLAY "$dok" t.ini > out.txt 2> err.txt
rc=$?
[ "$rc" -eq 1 ] || { echo "exit code $rc"; exit 1; }
[ ! -s out.txt ] || { echo "standard output: $(cat out.txt)"; exit 1; }
[ "$(wc -l < err.txt)" -eq 1 ] || { echo "standard error: $(cat err.txt)"; exit 1; }
grep -q 'DOK_UI=headless' err.txt || { echo "no hint: $(cat err.txt)"; exit 1; }
[ ! -e ran.txt ] || { echo "onload ran"; exit 1; }
DOK_UI=headless "$dok" t.ini < /dev/null > /dev/null 2>&1 && [ -e ran.txt ] || { echo "headless did not run"; exit 1; }
exit 0
