#!/usr/bin/env bash
# Writes design/irondata.cpp from data/iron-powder/micrometals-fits.csv: each
# mix's coefficients as the CSV gives them, so the compiled doubles are the
# ones the CSV text reads as. Run it after changing the data.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
csv=$root/data/iron-powder/micrometals-fits.csv
out=$root/design/irondata.cpp
{
    echo "// The maker's curve fits of each powdered-iron mix, SI units: loss"
    echo "// P = f / (a/B^3 + b/B^2.3 + c/B^1.65) + d B^2 f^2 (W/m^3), DC bias"
    echo "// p = 1 / (a + b H^c) + d (per cent), frequency mu = 1 / (a + b f^c) + d."
    echo "// Written by scripts/iron-tables.sh from data/iron-powder/ (its README"
    echo "// names the source); edit the data, not this file."
    echo '#include "design/iron.h"'
    echo
    echo 'namespace design {'
    echo
    echo 'const IronFit IronFits[] = {'
    echo '    // mix  mu_initial'
    echo '    //      loss a, b, c, d'
    echo '    //      bias a, b, c, d'
    echo '    //      frequency a, b, c, d'
    echo '    //      temperature (ppm/K)'
    tail -n +2 "$csv" | tr -d '\r' | awk -F, '{
        printf "    {\"%s\", %s,\n", $1, $2
        printf "     {%s, %s, %s, %s},\n", $3, $4, $5, $6
        printf "     {%s, %s, %s, %s},\n", $7, $8, $9, $10
        printf "     {%s, %s, %s, %s},\n", $11, $12, $13, $14
        printf "     %s},\n", $15
    }'
    echo '};'
    echo 'const int IronFitCount = (int)(sizeof IronFits / sizeof IronFits[0]);'
    echo
    echo '} // namespace design'
} > "$out"
echo "wrote $out"
