# Sourced: the environment every Wine run of the project uses.
export WINEPREFIX="${TMS_WINEPREFIX:-$HOME/.wine-tms}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export TMS_MESSAGE_BOX_STREAM=1
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    wineboot --init >/dev/null 2>&1 || true
    wineserver -w
fi
