# Sourced by the scripts that run the tests' Windows programs (test.sh,
# stability.sh, soak.sh, bench-window.sh): a virtual display of the run's own,
# whatever DISPLAY says, and one Wine session in the tests' own prefix, both
# ended when the script exits. A calculator open on the user's screen, in the
# user's prefix, is left alone. With the argument 'per-run' the caller starts
# and ends the Wine sessions itself.
. "$root/scripts/lib/wine-env.sh"
. "$root/scripts/lib/display.sh"
trap 'wine_session_end; display_done' EXIT
display_ready own
tests_prefix=$build/windows/wineprefix
export MIRVELTA_E2E_OUT=$build/windows/e2e-output
mkdir -p "$MIRVELTA_E2E_OUT"
[ "${1:-}" = per-run ] || wine_session_start "$tests_prefix" unmanaged
