// Insulated wire: a build's overall diameter and rating for a bare wire, a
// cable by name, and a winding's voltages against them.
#include "design/insulation.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace design {

static const char *const BuildNames[BuildCount] = {"single",  "heavy",  "grade1", "grade2",
                                                   "grade3",  "ptfe-et", "ptfe-e", "ptfe-ee"};
// The HP3 type each PTFE build names, as hookup.csv's style says it.
static const char *const HookupTypes[] = {"Type ET ", "Type E ", "Type EE "};

const char *buildName(Build b)
{
    return BuildNames[b];
}

bool buildNamed(const std::string &name, Build *b)
{
    for (int i = 0; i < BuildCount; i++)
        if (name == BuildNames[i]) {
            *b = (Build)i;
            return true;
        }
    return false;
}

bool buildIsHookup(Build b)
{
    return b >= BuildPtfeEt;
}

const char *ratingFromName(RatingFrom from)
{
    static const char *const Names[] = {nullptr, "minimum breakdown", "voltage rating", "working voltage"};
    return Names[from];
}

// A table's size and a bare wire's within half a per cent: the neighbouring
// sizes of every series lie 5 % or more apart.
static bool sameSize(double tableMm, double bareMm)
{
    return std::fabs(tableMm - bareMm) <= 0.005 * tableMm;
}

static int gaugeOfRow(const char *size)
{
    return std::strncmp(size, "AWG ", 4) == 0 ? std::atoi(size + 4) : 0;
}

bool insulatedWire(Build b, int awg, double bareMm, InsulatedWire *w)
{
    *w = InsulatedWire();
    if (buildIsHookup(b)) {
        for (int i = 0; i < HookupRatingCount; i++)
            if (std::strstr(HookupRatings[i].style, HookupTypes[b - BuildPtfeEt])) {
                w->ratingVolts = HookupRatings[i].volts;
                w->ratingFrom = RatingHookup;
            }
        return false;
    }
    const bool nema = b == BuildSingle || b == BuildHeavy;
    for (int i = 0; i < EnamelRowCount; i++) {
        const EnamelRow &r = EnamelRows[i];
        if (std::strcmp(r.build, BuildNames[b]) != 0 || r.overallMaxMm == 0)
            continue;
        if (nema && awg ? gaugeOfRow(r.size) == awg : sameSize(r.bareMm, bareMm)) {
            w->overallMm = r.overallMaxMm;
            w->size = r.size;
            if (r.breakdownVolts > 0) {
                w->ratingVolts = r.breakdownVolts;
                w->ratingFrom = RatingBreakdown;
            }
            return true;
        }
    }
    if (b != BuildHeavy)
        return false;
    // No heavy maximum for AWG 10-40: the least such a wire measures.
    for (int i = 0; i < MinimumIncreaseCount; i++) {
        const MinimumIncreaseRow &r = MinimumIncreases[i];
        if (std::strcmp(r.build, "heavy") == 0 && (awg ? r.awg == awg : sameSize(r.bareMm, bareMm))) {
            w->overallMm = r.bareMm + r.increaseMm;
            w->estimate = true;
            w->size = nullptr;
            return true;
        }
    }
    return false;
}

// A cable's name as the user may type it: no case, blanks or hyphens.
static std::string folded(const std::string &name)
{
    std::string f;
    for (char ch : name)
        if (ch != '-' && ch != ' ')
            f += (char)std::tolower((unsigned char)ch);
    return f;
}

bool cableNamed(const std::string &name, Cable *c)
{
    *c = Cable();
    const std::string want = folded(name);
    for (int i = 0; i < CableRowCount; i++) {
        const CableRow &r = CableRows[i];
        if (folded(r.cable) != want)
            continue;
        if (r.outsideMm > 0 && (!c->widest || r.outsideMm > c->widest->outsideMm))
            c->widest = &r;
        if (r.workingVolts > 0)
            c->workingVolts = r.workingVolts;
    }
    return c->widest != nullptr;
}

std::string cableNames()
{
    std::string names;
    for (int i = 0; i < CableRowCount; i++)
        if (i == 0 || std::strcmp(CableRows[i].cable, CableRows[i - 1].cable) != 0)
            names += (names.empty() ? "" : ", ") + std::string(CableRows[i].cable);
    return names;
}

double peakOf(double rms)
{
    return std::sqrt(2.0) * rms;
}

bool overRating(double peakVolts, double ratingVolts)
{
    return ratingVolts > 0 && peakVolts > RatingShare * ratingVolts;
}

} // namespace design
