#!/bin/sh
# dok's folders include only downwards: the engine no window and no toolkit
# or system header, a window the engine but never another window. Tests may
# also use the headless window, as the engine's do.
#   rooms.sh <buttonbar folder>
set -u
root=$1
failed=0
# forbid <files> <extended regex of the includes they may not have>
forbid() {
    hits=$(grep -HnE "^#include ($2)" $1)
    if [ -n "$hits" ]; then
        echo "An include against the direction of the folders:"
        echo "$hits"
        failed=1
    fi
}
windows_headers='<(windows|commctrl|commdlg|shlobj|shellapi)\.h>'
forbid "$root/engine/*.[ch]pp" '"(headless|wx|win32)/|<[^>]*\.h>'
forbid "$root/headless/*.[ch]pp" '"(wx|win32)/|<[^>]*\.h>'
forbid "$root/wx/*.[ch]pp" '"(headless|win32)/|'"$windows_headers"
forbid "$root/win32/*.[ch]pp" '"(headless|wx)/|<(wx|gtk|gdk|X11)/'
tests=$(find "$root/engine/tests" "$root/headless/tests" -name '*.[ch]pp')
forbid "$tests" '"(wx|win32)/|<(wx|gtk|gdk|X11)/|'"$windows_headers"
forbid "$(find "$root/wx/tests" -name '*.[ch]pp')" '"(headless|win32)/|'"$windows_headers"
forbid "$(find "$root/win32/tests" -name '*.[ch]pp')" '"(headless|wx)/|<(wx|gtk|gdk|X11)/'
exit $failed
