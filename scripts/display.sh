# Sourced by the scripts that show the window: an X display to show it on.
# With DISPLAY unset, starts Xvfb on a free display number; display_done
# stops it again.
started_xvfb=

display_ready() {
    [ -n "${DISPLAY:-}" ] && return 0
    local n=90
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    started_xvfb=$!
    for _ in $(seq 100); do
        [ -e "/tmp/.X11-unix/X$n" ] && break
        sleep 0.1
    done
    export DISPLAY=":$n"
}

display_done() {
    if [ -n "$started_xvfb" ]; then
        kill "$started_xvfb" 2>/dev/null || true
        wait "$started_xvfb" 2>/dev/null || true
        started_xvfb=
    fi
}
