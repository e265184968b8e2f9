# Sourced by the scripts that run Windows binaries: one Wine prefix of the
# build's own, quiet, with a wineserver kept alive for the whole run.
WINE64=/usr/lib/wine/wine64
export WINEPREFIX=${WINEPREFIX:-$build/windows/wineprefix}
export WINEDEBUG=-all

wine_prefix_ready() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        "$WINE64" wineboot -i >/dev/null 2>&1 || true
        # Hidden windows cost seconds each under a display with no window
        # manager unless Wine manages none of them.
        "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    fi
    wineserver -p 60 >/dev/null 2>&1 || true
}

wine_prefix_done() {
    wineserver -k >/dev/null 2>&1 || true
}
