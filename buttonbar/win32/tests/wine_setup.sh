# Sourced after scripts/wine-env.sh by dok's window tests and screenshot
# under Wine; the settings stay in the prefix.
# - Xvfb runs no window manager, and Wine then waits for one when it maps a
#   window again soon after unmapping it (a box after a box): its windows
#   are left unmanaged instead.
# - The bar's font is Arial: Liberation Sans has its metrics.
wine_setting() {
    local key="$1" name="$2" value="$3"
    wine reg query "$key" /v "$name" 2>/dev/null | grep -q "REG_SZ *$value\$" ||
        wine reg add "$key" /v "$name" /d "$value" /f >/dev/null 2>&1
}
wine_setting 'HKCU\Software\Wine\X11 Driver' Managed N
wine_setting 'HKCU\Software\Wine\Fonts\Replacements' Arial 'Liberation Sans'
