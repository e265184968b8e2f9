# Sourced by the scripts that show the window: an X display to show it on.
# display_ready uses the user's DISPLAY if there is one; display_ready own
# always starts a virtual one (the tests: no windows on the user's screen,
# no keys going astray, a known colour depth). display_done stops a virtual
# display again.
started_xvfb=

display_ready() { # [own]
    [ "${1:-}" != own ] && [ -n "${DISPLAY:-}" ] && return 0
    command -v Xvfb >/dev/null || { echo "display: Xvfb is not installed (package xvfb)" >&2; exit 1; }
    # Xvfb picks a free display number itself and writes it once it is ready,
    # so two runs side by side never share one.
    local number_file n=
    number_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
    started_xvfb=$!
    for _ in $(seq 100); do
        n=$(tr -dc 0-9 < "$number_file")
        [ -n "$n" ] && break
        sleep 0.1
    done
    rm -f "$number_file"
    if [ -z "$n" ]; then
        echo "display: Xvfb did not start" >&2
        exit 1
    fi
    export DISPLAY=":$n"
}

# Prints the first visible window whose caption matches PATTERN, waiting up
# to SECONDS while the process PID runs; fails when it does not come. Not
# xdotool's own --sync: a window that goes while it looks (a new Wine
# prefix's start-up windows come and go) ends its search with an X error.
display_wait_window() { # PID PATTERN SECONDS
    local pid=$1 pattern=$2 deadline=$((SECONDS + $3)) window=
    while :; do
        window=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n 1) || window=
        [ -n "$window" ] && { echo "$window"; return 0; }
        [ "$SECONDS" -lt "$deadline" ] && kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.2
    done
}

display_done() {
    if [ -n "$started_xvfb" ]; then
        kill "$started_xvfb" 2>/dev/null || true
        wait "$started_xvfb" 2>/dev/null || true
        started_xvfb=
    fi
}
