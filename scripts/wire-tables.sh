#!/usr/bin/env bash
# Writes design/wiredata.cpp from data/wire/: the enamel builds (enamel.csv,
# nema-min-increase.csv), the PTFE hook-up types' ratings (hookup.csv) and the
# cables' outside diameters and working voltages (coax.csv), each number as
# the CSV gives it (0 where a field is empty). Run it after changing the data.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
/usr/bin/python3 - "$root/data/wire" "$root/design/wiredata.cpp" <<'PY'
import csv, re, sys
data, out = sys.argv[1], sys.argv[2]

def rows(name):
    with open(f"{data}/{name}", newline="") as f:
        return list(csv.DictReader(f))

def num(text):
    # The number a field begins with ("1400 Vrms ...", "0.66 (ALL: 0.78)"), 0 where none.
    m = re.match(r"\s*([0-9]+(?:\.[0-9]*)?)", text or "")
    return m.group(1) if m else "0"

def text(s):
    return '"' + s.replace("\\", "\\\\").replace('"', '\\"') + '"'

lines = [
    "// Insulated wire as data/wire/ gives it (its README names the sources):",
    "// enamel builds by size, the least increase of NEMA's builds, PTFE hook-up",
    "// wire's voltage ratings and coaxial cables. 0 is a field the data leave",
    "// empty. Written by scripts/wire-tables.sh; edit the data, not this file.",
    '#include "design/insulation.h"',
    "",
    "namespace design {",
    "",
    "const EnamelRow EnamelRows[] = {",
    "    // build  size  bare mm  overall max mm  breakdown V",
]
for r in rows("enamel.csv"):
    lines.append(f"    {{{text(r['build'])}, {text(r['size'])}, {num(r['bare_mm'])}, "
                 f"{num(r['overall_max_mm'])}, {num(r['breakdown_v'])}}},")
lines += ["};", "const int EnamelRowCount = (int)(sizeof EnamelRows / sizeof EnamelRows[0]);", "",
          "const MinimumIncreaseRow MinimumIncreases[] = {",
          "    // AWG  bare nominal mm  build  least increase mm  overall max mm"]
for r in rows("nema-min-increase.csv"):
    lines.append(f"    {{{r['awg']}, {num(r['bare_nom_mm'])}, {text(r['build'])}, {num(r['min_increase_mm'])}, "
                 f"{num(r['overall_max_mm'])}}},")
lines += ["};", "const int MinimumIncreaseCount = (int)(sizeof MinimumIncreases / sizeof MinimumIncreases[0]);", "",
          "const HookupRating HookupRatings[] = {",
          "    // style  voltage rating V"]
for r in rows("hookup.csv"):
    if "HP3 Type" in r["standard_or_style"]:
        lines.append(f"    {{{text(r['standard_or_style'])}, {num(r['voltage_rating_v'])}}},")
lines += ["};", "const int HookupRatingCount = (int)(sizeof HookupRatings / sizeof HookupRatings[0]);", "",
          "const CableRow CableRows[] = {",
          "    // cable  variant  outside mm  ohms  velocity factor  working V rms"]
for r in rows("coax.csv"):
    lines.append(f"    {{{text(r['cable'])}, {text(r['variant'])}, {num(r['od_mm'])}, {num(r['impedance_ohm'])}, "
                 f"{num(r['velocity_factor'])}, {num(r['voltage_rating'])}}},")
lines += ["};", "const int CableRowCount = (int)(sizeof CableRows / sizeof CableRows[0]);", "",
          "} // namespace design"]
with open(out, "w") as f:
    f.write("\n".join(lines) + "\n")
print("wrote", out)
PY
