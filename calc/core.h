// The selected core: the catalogue's entry for the size and material boxes,
// in the current unit of length.
#pragma once

#include <string>

#include "calc/state.h"
#include "catalogue/catalogue.h"

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
