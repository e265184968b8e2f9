# Sourced by the scripts that run Windows binaries: one Wine session in one
# prefix, with a wineserver that lives from wine_session_start to
# wine_session_end, so that no program races a server that is shutting down.
#
# Debian's wine64 puts nothing on PATH: the loader and the server live in
# /usr/lib/wine.
WINE64=/usr/lib/wine/wine64
WINESERVER=$(dirname "$WINE64")/wineserver
export WINEDEBUG=-all
wine_session=

wine_fail() {
    echo "wine: $*" >&2
    exit 1
}

wine_check_tools() {
    [ -x "$WINE64" ] || wine_fail "no 64-bit Wine loader at $WINE64 (Debian package wine64)"
    [ -x "$WINESERVER" ] || wine_fail "no wineserver beside the loader at $WINESERVER"
}

# The 'X11 Driver' key of the prefix says whether the window manager manages
# Wine's windows. 'unmanaged' (tests only: hidden windows cost seconds each
# under a display with no window manager) sets Managed=N; 'desktop' makes
# sure it is not there.
wine_prefix_ready() { # PREFIX unmanaged|desktop
    local prefix=$1 kind=$2
    wine_check_tools
    export WINEPREFIX=$prefix
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        "$WINE64" wineboot -i >/dev/null 2>&1 || wine_fail "could not create the prefix $WINEPREFIX"
    fi
    local key='HKCU\Software\Wine\X11 Driver'
    if [ "$kind" = unmanaged ]; then
        "$WINE64" reg add "$key" /v Managed /d N /f >/dev/null 2>&1 ||
            wine_fail "could not set Managed=N in $WINEPREFIX"
    elif "$WINE64" reg query "$key" /v Managed >/dev/null 2>&1; then
        "$WINE64" reg delete "$key" /v Managed /f >/dev/null 2>&1 ||
            wine_fail "could not remove Managed from $WINEPREFIX"
    fi
}

# Starts the run's one persistent server in PREFIX and waits for the
# prefix's start-up (wineboot) to finish before any test program runs.
wine_session_start() { # PREFIX unmanaged|desktop
    wine_check_tools
    # A persistent server left by an interrupted run would never let -w
    # return: end it first (exit code 1 only says there was none).
    if WINEPREFIX=$1 "$WINESERVER" -k 2>/dev/null; then
        echo "wine: ended a wineserver left running in $1"
        WINEPREFIX=$1 "$WINESERVER" -w || wine_fail "wineserver -w failed in $1"
    fi
    wine_prefix_ready "$1" "$2"
    # Let the server of the set-up above save the registry and go.
    "$WINESERVER" -w || wine_fail "wineserver -w failed in $WINEPREFIX"
    "$WINESERVER" -p || wine_fail "could not start a persistent wineserver in $WINEPREFIX"
    wine_session=$WINEPREFIX
    "$WINE64" wineboot >/dev/null 2>&1 || wine_fail "wineboot failed in $WINEPREFIX"
}

# Stops the session's server and every Wine process of the prefix, and
# waits until they are gone.
wine_session_end() {
    [ -n "$wine_session" ] || return 0
    WINEPREFIX=$wine_session "$WINESERVER" -k 2>/dev/null ||
        echo "wine: the session's wineserver had already stopped" >&2
    WINEPREFIX=$wine_session "$WINESERVER" -w
    wine_session=
}
