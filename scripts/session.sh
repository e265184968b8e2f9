# Sourced by the scripts that run the Windows build: a display (Xvfb when
# DISPLAY is unset), the build's Wine prefix with a wineserver kept alive,
# and the folder for end-to-end output; all stopped again at exit.
. "$root/scripts/wine-env.sh"
. "$root/scripts/display.sh"

session_start() {
    trap 'wine_prefix_done; display_done' EXIT
    display_ready
    wine_prefix_ready
    export MIRVELTA_E2E_OUT=$build/windows/e2e-output
    mkdir -p "$MIRVELTA_E2E_OUT"
}
