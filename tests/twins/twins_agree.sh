#!/usr/bin/env bash
# The native and the Windows mirvelta-cli print the same bytes, CR LF aside,
# for the designer's view: core, flux, identify, impedance (one frequency,
# sweeps as a table, CSV and JSON, with a winding capacitance), loss,
# powdered iron at power and DC bias, measure on made-up sweeps, stacks,
# chokes, transformers, baluns and the Q of a winding.
# Runs inside the caller's Wine session (ctest's test twins-agree, from
# scripts/test.sh).
# Usage: twins_agree.sh NATIVE_CLI WINDOWS_CLI_EXE
set -euo pipefail
cd "$(dirname "$0")/../.."
. scripts/lib/wine-env.sh
native=${1:?native mirvelta-cli}
windows=${2:?mirvelta-cli.exe}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

commands=(
    "core --family ferrite --size 240 --material 61 --json"
    "flux --family iron --size 50 --material 2 --turns 20 --amps 1 --json"
    "identify --od 12.8 --id 7.5 --height 4.9 --unit mm --turns 10 --inductance 470 --units nH --json"
    "impedance --family iron --size 50 --material 2 --turns 20 --mhz 1:100 --points 50 --pf 100 --json"
    "loss --family ferrite --size 240 --material 43 --turns 10 --mhz 1.8 --watts 100"
    "loss --family ferrite --size 114 --material 61 --turns 7 --mhz 14.2 --amps 0.3 --json"
)
# Powdered iron at power, and two measured windings (made by the tests' sweeps).
commands+=(
    "loss --family iron --size 200 --material 2 --turns 9 --mhz 7 --amps 1.414 --json"
    "loss --family iron --size 130 --material 2 --turns 12 --mhz 3.5 --vrms 20"
    "flux --family iron --size 130 --material 26 --turns 30 --amps 3 --json"
    "solve --family iron --size 130 --material 26 --inductance 100 --dc-amps 3 --json"
    "core --family iron --size 50 --material 6 --mhz 30 --json"
    "impedance --family iron --size 68 --material 10 --turns 15 --mhz 1:100 --points 30 --json"
)
/usr/bin/python3 - "$work" <<'SWEEPS'
import math, sys
sys.path.insert(0, "tests/measure")
from sweeps import mu_of, sweep, sweep_of, winding
open(sys.argv[1] + "/a.s1p", "w").write(sweep("43", 1.1, 4.0, 3, 1e6, 30e6, 150, 0.003, 1, "hz-ri"))
open(sys.argv[1] + "/b.s2p", "w").write(sweep("77", 0.9, 2.0, 3, 1e5, 10e6, 120, 0.003, 2, "mhz-ma", "series"))
# A core between 43 and 46 swept from 50 kHz, a segment's end repeated and a
# calibration's edge at the bottom; a transformer's primary, which no single
# winding explains.
m43, m46 = mu_of("43"), mu_of("46")
mix = lambda hz: tuple(0.5 * p + 0.8 * q for p, q in zip(m43(hz), m46(hz)))
edge = lambda i, hz, g: g / abs(g) * 1.01 if i < 4 else g
lines = sweep_of(lambda hz: winding(mix, 1, 3, 2, hz), 5e4, 200e6, 1200, 0.003, 3, edit=edge).splitlines()
open(sys.argv[1] + "/c.s1p", "w").write("\n".join(lines[:600] + [lines[599]] + lines[600:]) + "\n")
primary = lambda hz: 1j * 2 * math.pi * hz * 0.5e-6 + winding(m43, 1, 100, 6, hz)
open(sys.argv[1] + "/d.s1p", "w").write(sweep_of(primary, 1e6, 30e6, 200, 0.003, 4))
SWEEPS
commands+=(
    "measure $work/a.s1p --family ferrite --size 240 --turns 3 --material 61 --json"
    "measure $work/b.s2p --od 61 --id 35.6 --height 12.7 --unit mm --turns 3 --mhz 0.1:10"
    "measure $work/a.s1p --family ferrite --size 240 --turns 3 --csv"
    "measure $work/c.s1p --family ferrite --size 240 --turns 2 --material 46"
    "measure $work/c.s1p --family ferrite --size 240 --turns 2 --json"
    "measure $work/d.s1p --family ferrite --size 240 --turns 6 --stack 2"
)
# The winding's capacitance, stacks and chokes.
commands+=(
    "impedance --family ferrite --size 240 --material 43 --turns 11 --mhz 1:30 --points 100 --stack 2 --stray-pf 1 --json"
    "loss --family ferrite --size 140 --material 31 --turns 8 --mhz 7 --amps 0.2 --stack 2 --scale 0.8"
    "core --family ferrite --size 240 --material 61 --stack 3"
    "choke --mhz 1.8:30 --min-impedance 1000 --max-stack 2 --json"
    "choke --mhz 3.5:7.3 --min-resistance 500 --watts 100 --all"
    "choke --mhz 1.8:30 --min-resistance 5000 --sizes 23 --json"
    "transformer --ratio 49 --mhz 3.5:29.7 --watts 100 --duty 25 --family ferrite --size 240 --material 43 --primary-turns 2"
    "transformer --turns 3:9 --auto --mhz 1.8:30 --watts 500 --family ferrite --size 240 --material 61 --stack 2 --json"
    "transformer --ratio 64 --mhz 1.8:30 --watts 100 --max-stack 2 --json"
    "transformer --ratio 49 --mhz 1.8:30 --watts 1500 --sizes 50 --max-loss-percent 1"
    "loss --family ferrite --size 240 --material 43 --turns 2 --mhz 3.5 --watts 100 --duty 25 --json"
    "transformer --ratio 49 --mhz 7:29.7 --watts 100 --family ferrite --size 240 --material 43 --primary-turns 2 --leakage-nh 285 --best-shunt --json"
    "transformer --turns 3:21 --mhz 3.5:29.7 --watts 100 --family ferrite --size 240 --material 43 --leakage-nh 190 --shunt-pf 75 --secondary-pf 3"
    "transformer --ratio 49 --mhz 3.5:29.7 --watts 100 --max-swr 1.8 --json"
)
# Baluns and ununs: builds on ferrite and iron, one core, a pair by
# Lefferson, a three-terminal load, and searches.
commands+=(
    "balun --kind ruthroff --ratio 4 --unun --family iron --size 200 --material 2 --turns 16 --z0 100 --vf 0.7 --mhz 3.5:30 --json"
    "balun --kind guanella --ratio 4 --cores 1 --family ferrite --size 240 --material 43 --turns 10 --z0 100 --vf 0.7 --mhz 1.8:30 --watts 100"
    "balun --kind guanella --ratio 9 --unun --family ferrite --size 140 --material 61 --turns 8 --awg 18 --overall-mm 1.3 --twists-per-cm 1 --mhz 3.5:30 --watts 500 --duty 40 --json"
    "balun --kind guanella --family ferrite --size 240 --material 31 --stack 2 --turns 11 --z0 50 --vf 0.66 --leads-cm 20 --mhz 1.8:30 --cm-load 33.59-j190.8,38.09-j28.43,118.6-j109.2 --json"
    "balun --kind guanella --ratio 4 --mhz 1.8:30 --watts 100 --z0 100 --vf 0.7 --json"
    "balun --kind ruthroff --ratio 4 --mhz 1.8:30 --awg 20 --overall-mm 0.9 --twists-per-cm 1 --max-loss-db 0.3 --max-stack 2"
)
# The Q of a winding: iron and ferrite, small signal and driven, a search;
# and an iron core measured (the made-up sweep c.s1p read as iron).
commands+=(
    "q --family iron --size 50 --material 2 --turns 29 --awg 22 --mhz 7.9 --json"
    "q --family iron --size 68 --material 6 --uh 1.75 --mhz 3.5:30 --vrms 10 --json"
    "q --family ferrite --size 240 --material 61 --turns 10 --mhz 1:30 --stack 2 --json"
    "q --uh 2 --mhz 7:7.3 --all --json"
    "q --uh 25 --mhz 1.8:2 --awg 26"
    "measure $work/c.s1p --family iron --size 200 --turns 2 --material 2 --json"
    "measure $work/a.s1p --family iron --size 68 --turns 3 --wire-mm 0.5"
)
# Insulated wire and the voltages at a drive: enamel builds, PTFE, a coax.
commands+=(
    "transformer --turns 2:14 --mhz 3.5:30 --watts 100 --family ferrite --size 240 --material 43 --wire-mm 0.813 --insulation grade1 --json"
    "transformer --ratio 49 --mhz 3.5:30 --watts 100 --awg 20 --insulation ptfe-et --overall-mm 1.6"
    "flux --family ferrite --size 240 --material 43 --turns 14 --watts 100 --ohms 2450 --mhz 7 --awg 18 --insulation heavy --json"
    "loss --family ferrite --size 240 --material 31 --turns 12 --mhz 7 --vrms 300 --cable RG-58"
    "core --family iron --size 50 --material 2 --awg 30 --insulation heavy --json"
    "impedance --family ferrite --size 140 --material 43 --turns 12 --mhz 1:30 --awg 22 --insulation single --json"
    "choke --mhz 3.5:30 --min-impedance 1000 --watts 100 --ohms 2450 --cable RG-58 --json"
    "balun --kind guanella --ratio 4 --mhz 1.8:30 --z0 100 --vf 0.7 --family ferrite --size 240 --material 31 --turns 10 --watts 1000 --awg 18 --insulation heavy"
    "balun --kind guanella --mhz 1.8:30 --family ferrite --size 240 --material 31 --turns 8 --cable RG-316 --watts 500 --json"
    "q --family iron --size 50 --material 2 --turns 14 --mhz 7 --vrms 200 --awg 24 --insulation ptfe-e --overall-mm 0.9 --json"
)
for m in 31 43 46 51 61 73 75 77; do
    commands+=("impedance --family ferrite --size 240 --material $m --turns 10 --mhz 10")
    commands+=("impedance --family ferrite --size 50A --material $m --turns 3 --mhz 1:100 --points 40 --pf 3 --json")
    commands+=("impedance --family ferrite --size 140 --material $m --turns 12 --mhz 2:50 --csv")
done
for c in "${commands[@]}"; do
    # shellcheck disable=SC2086 # each entry is one command line
    "$native" $c > "$work/native"
    # shellcheck disable=SC2086
    "$WINE64" "$windows" $c | tr -d '\r' > "$work/windows"
    if ! cmp -s "$work/native" "$work/windows"; then
        echo "twins differ: mirvelta-cli $c" >&2
        diff "$work/native" "$work/windows" | head -20 >&2
        exit 1
    fi
done
echo "ok: ${#commands[@]} commands print the same bytes natively and under Wine"
