// A junk-box core from its measured dimensions and a test winding: its AL,
// its permeability and the catalogue cores it may be, best first.
#pragma once

#include <string>
#include <vector>

#include "design/magnetics.h"

namespace design {

// A measured dimension matches a catalogue size's when it is within this
// share of it: calipers, paint and makers' tolerances all fit inside.
const double SizeTolerancePercent = 5;

struct Measurement {
    double outsideMm, insideMm, heightMm;
    double turns;
    double nanohenry; // of the test winding
    bool givenInInches; // the user typed the dimensions in inches
};

struct Candidate {
    CoreType family;
    int material;
    int size;         // -1: no catalogue size matched
    double catalogue; // AL in nH/N^2 with a size, else the material's permeability
    double ratio;     // measured over catalogue
};

struct Identification {
    Effective effective;
    double alNanohenry; // nH/N^2
    double permeability;
    int sizeOf[2];      // by CoreType: the matching size, -1 if none
    std::vector<Candidate> candidates; // best first
    // What cannot be a core: mu_e below 1.
    bool impossiblePermeability;
    // Dimensions given in inches that, read as millimetres, are a catalogue
    // size: the index of that size in sizeOf's manner, -1 where not.
    int millimetreSizeOf[2];
};

// A candidate as a core's name (T-50-2) where a size matched, else as its
// family and mix (ferrite 43).
std::string candidateName(const Candidate &c);

// What identify says of a measurement with a permeability below 1.
extern const char ImpossiblePermeabilityWarning[];

// The permeability of a material: the median over the catalogue's cores of
// that material; 0 when the catalogue has none.
double materialPermeability(CoreType family, int material);
// The catalogue size of the family whose three dimensions all lie within
// the tolerance of the measured ones, the closest if several do; -1 if none.
int matchingSize(CoreType family, double outsideMm, double insideMm, double heightMm);

// Best first, by the factor off whichever way; equals keep their order.
void rankCandidates(std::vector<Candidate> *candidates);

// Judged by the matching size's AL where a size matches, otherwise by the
// materials' permeability; ranked by the factor off, whichever way.
Identification identify(const Measurement &m, const std::vector<CoreType> &families);

} // namespace design
