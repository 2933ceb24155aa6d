# Sourced after scripts/wine-env.sh by dok's window tests under Wine. Xvfb
# runs no window manager, and Wine then waits for one when it maps a window
# again soon after unmapping it (a box after a box): its windows are left
# unmanaged instead. The setting stays in the prefix.
if ! wine reg query 'HKCU\Software\Wine\X11 Driver' /v Managed 2>/dev/null | grep -q 'REG_SZ.*N'; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
fi
