// The built-in toroid core catalogue and its lookups by code.
#pragma once

#include <cstdint>
#include <string>

// The core family.
enum CoreType : uint16_t {
    CoreFerrite = 0,
    CorePowderedIron = 1,
};

// One size of a family; dimensions in inches.
struct CoreSize {
    const char *code;
    float outsideDiameter;
    float insideDiameter;
    float thickness;
};

// One material of a family; frequencies in MHz. For powdered iron the range
// is the usable range and the tuned-circuit range is unused (0); for ferrite
// the range is the wide-band range.
struct CoreMaterial {
    const char *code;
    float rangeLowMHz;
    float rangeHighMHz;
    float tunedLowMHz;
    float tunedHighMHz;
    const char *colorCode;
};

// The catalogue of one core family. al holds sizeCount rows of materialCount
// values, in microhenries per 100 turns; 1 or less means no information.
struct CoreFamilyTable {
    const CoreSize *sizes;
    int sizeCount;
    const CoreMaterial *materials;
    int materialCount;
    const float *al;

    float alOf(int size, int material) const { return al[size * materialCount + material]; }
};

extern const CoreFamilyTable IronCatalogue;
extern const CoreFamilyTable FerriteCatalogue;

const CoreFamilyTable &catalogueOf(CoreType family);
// "iron" or "ferrite"; "T-" or "FT-", as a core's name starts.
const char *familyName(CoreType family);
const char *familyPrefix(CoreType family);
// The index of a size code (sizes true) or a material code in a family, -1
// if it has none.
int codeIndex(const CoreFamilyTable &t, const std::string &code, bool sizes);
