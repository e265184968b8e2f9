// The built-in toroid core catalogue and the lookup of the selected core.
#pragma once

#include <string>

#include "calc/state.h"

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

enum { ColorCodeWidth = 20 };

// The selected core, in the current unit of length.
struct CoreSpec {
    float al;
    float outsideDiameter;
    float insideDiameter;
    float thickness;
    float rangeLowMHz;
    float rangeHighMHz;
    float tunedLowMHz;  // ferrite only; a powdered-iron lookup leaves it as it was
    float tunedHighMHz; // ferrite only
    char colorCode[ColorCodeWidth + 1]; // left-aligned, padded with blanks
};

extern CoreSpec coreSpec;

// The catalogue of the current CoreType.
const CoreFamilyTable &currentCatalogue();

// Finds the core by the exact texts of the size and material boxes and fills
// coreSpec. On failure it has already cleared the results and shown message
// 0 (unknown size or material) or 1 (no AL for the pair), and returns false.
bool lookupCore(const std::string &sizeText, const std::string &materialText);
