#!/usr/bin/env bash
# Writes design/ferritedata.cpp from data/ferrite-permeability/*.csv: each
# row's three numbers as the maker published them, so the compiled doubles
# are the ones the CSV text reads as. Run it after changing the data.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
data=$root/data/ferrite-permeability
out=$root/design/ferritedata.cpp
materials=(31 43 46 51 61 73 75 77)
{
    echo "// The makers' complex permeability of each ferrite material: frequency"
    echo "// (Hz), mu' and mu'' as published. Written by scripts/ferrite-tables.sh"
    echo "// from data/ferrite-permeability/ (its README names the source); edit"
    echo "// the data, not this file."
    echo '#include "design/ferrite.h"'
    echo
    echo 'namespace design {'
    for m in "${materials[@]}"; do
        echo
        echo "static const PermeabilityPoint Material$m[] = {"
        echo "    // frequency_hz      mu_real          mu_imag"
        tail -n +2 "$data/$m.csv" | tr -d '\r' |
            awk -F, '{ printf "    {%-18s %-16s %s},\n", $1 ",", $2 ",", $3 }'
        echo '};'
    done
    echo
    echo '#define ROWS(a) (int)(sizeof(a) / sizeof((a)[0]))'
    echo
    echo 'const FerriteData FerriteMaterialData[] = {'
    for m in "${materials[@]}"; do
        echo "    {\"$m\", Material$m, ROWS(Material$m)},"
    done
    echo '};'
    echo 'const int FerriteMaterialDataCount = ROWS(FerriteMaterialData);'
    echo
    echo '} // namespace design'
} > "$out"
echo "wrote $out"
