// lookupCore: from the size and material boxes' texts to the selected core.
#include "calc/core.h"

#include <cstring>

#include "calc/extended.h"
#include "calc/results.h"

CoreSpec coreSpec;

const CoreFamilyTable &currentCatalogue()
{
    return catalogueOf(coreType);
}

// Exact match: same length, same bytes; no trimming, no case folding. Stops
// at the first difference, so a long text costs no more than a short one.
static bool sameCode(const std::string &text, const char *code)
{
    size_t i = 0, n = text.size();
    while (i < n && code[i] != '\0' && code[i] == text[i])
        i++;
    return i == n && code[i] == '\0';
}

static bool failLookup(int message)
{
    clearResults();
    showInvalidData(message);
    return false;
}

bool lookupCore(const std::string &sizeText, const std::string &materialText)
{
    const CoreFamilyTable &family = currentCatalogue();

    int size = -1, material = -1;
    for (int i = 0; i < family.sizeCount && size < 0; i++)
        if (sameCode(sizeText, family.sizes[i].code))
            size = i;
    for (int i = 0; i < family.materialCount && material < 0; i++)
        if (sameCode(materialText, family.materials[i].code))
            material = i;
    if (size < 0 || material < 0)
        return failLookup(0);

    const CoreSize &s = family.sizes[size];
    const CoreMaterial &m = family.materials[material];
    coreSpec.outsideDiameter = (float)((Extended)s.outsideDiameter * lengthFactor);
    coreSpec.insideDiameter = (float)((Extended)s.insideDiameter * lengthFactor);
    coreSpec.thickness = (float)((Extended)s.thickness * lengthFactor);
    coreSpec.rangeLowMHz = m.rangeLowMHz;
    coreSpec.rangeHighMHz = m.rangeHighMHz;
    if (coreType != CorePowderedIron) {
        coreSpec.tunedLowMHz = m.tunedLowMHz;
        coreSpec.tunedHighMHz = m.tunedHighMHz;
    }
    size_t n = strlen(m.colorCode);
    memcpy(coreSpec.colorCode, m.colorCode, n);
    memset(coreSpec.colorCode + n, ' ', ColorCodeWidth - n);
    coreSpec.colorCode[ColorCodeWidth] = '\0';
    coreSpec.al = family.alOf(size, material);

    if (!(coreSpec.al > 1.0f))
        return failLookup(1);
    return true;
}
