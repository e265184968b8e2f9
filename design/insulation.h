// Insulated wire: the enamel builds (NEMA MW 1000 by AWG, IEC 60317 grades by
// size), PTFE hook-up wire's types and coaxial cables, as data/wire/ holds
// them, and the voltages a winding sees at a drive against the insulation's
// rating. The fit of a winding counts turns by the overall diameter; the
// copper's figures keep the bare one.
#pragma once

#include <string>

namespace design {

// The tables (wiredata.cpp, written from the CSVs); 0 is a field the data
// leave empty.
struct EnamelRow {
    const char *build; // "single", "heavy", "grade1" ...
    const char *size;  // "AWG 22", "0.100 mm", "SWG 21 (0.813 mm)"
    double bareMm, overallMaxMm, breakdownVolts;
};
extern const EnamelRow EnamelRows[];
extern const int EnamelRowCount;

// NEMA's least increase over the bare wire, by AWG.
struct MinimumIncreaseRow {
    int awg;
    double bareMm;
    const char *build;
    double increaseMm, overallMaxMm;
};
extern const MinimumIncreaseRow MinimumIncreases[];
extern const int MinimumIncreaseCount;

// PTFE hook-up wire's types (NEMA HP3) and their voltage ratings.
struct HookupRating {
    const char *style;
    double volts;
};
extern const HookupRating HookupRatings[];
extern const int HookupRatingCount;

struct CableRow {
    const char *cable, *variant;
    double outsideMm, ohms, velocityFactor, workingVolts;
};
extern const CableRow CableRows[];
extern const int CableRowCount;

// The builds --insulation names, in the order its help lists them.
enum Build { BuildSingle, BuildHeavy, BuildGrade1, BuildGrade2, BuildGrade3, BuildPtfeEt, BuildPtfeE, BuildPtfeEe,
             BuildCount };
const char *buildName(Build b); // "single", ... "ptfe-ee"
bool buildNamed(const std::string &name, Build *b);
// PTFE hook-up wire: its outside diameter is not in the data.
bool buildIsHookup(Build b);

// Where a rating comes from; none where the data have no rating.
enum RatingFrom { RatingNone, RatingBreakdown, RatingHookup, RatingWorking };
const char *ratingFromName(RatingFrom from); // nullptr, "minimum breakdown", "voltage rating", "working voltage"

// A build's figures for one bare wire.
struct InsulatedWire {
    double overallMm = 0;       // 0: not in the data (PTFE)
    bool estimate = false;      // NEMA heavy AWG 10-40: bare plus the least increase
    const char *size = nullptr; // the data's row, "AWG 22"
    double ratingVolts = 0;
    RatingFrom ratingFrom = RatingNone;
};
// The build's row for a bare wire of d mm (awg its gauge, 0 where it has
// none): a gauge's by number, any other the row within 0.5 % of d. False
// where the data hold no overall diameter for it (PTFE's: the rating only).
bool insulatedWire(Build b, int awg, double bareMm, InsulatedWire *w);

// A cable by name (RG-58, rg58, LMR-400): its widest variant's outside
// diameter, its impedance and velocity factor, and the working voltage where
// the data give one; nullptr where none has the name.
struct Cable {
    const CableRow *widest = nullptr;
    double workingVolts = 0;
};
bool cableNamed(const std::string &name, Cable *c);
// "RG-174, RG-316, ...": the names, each once, as the data list them.
std::string cableNames();

// A winding's voltages at a drive: across it (its first and last turns lie
// side by side on a toroid, so they see the whole of it), and a turn's.
struct WindingVoltage {
    double rms = 0, turns = 0;
    double endToEndRms = 0; // between the ends that lie side by side
};
double peakOf(double rms); // sqrt(2) times
// Builders keep the peak under this share of the insulation's rating.
const double RatingShare = 0.75;
bool overRating(double peakVolts, double ratingVolts);

} // namespace design
