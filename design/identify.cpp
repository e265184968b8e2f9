// Matching a measured core against the catalogue.
#include "design/identify.h"

#include <algorithm>
#include <cmath>

#include "design/portable.h"

namespace design {

const char ImpossiblePermeabilityWarning[] =
    "an effective permeability below 1 is impossible for a magnetic core: check the turns, the inductance and the "
    "units";

std::string candidateName(const Candidate &c)
{
    const CoreFamilyTable &t = catalogueOf(c.family);
    const char *material = t.materials[c.material].code;
    return c.size >= 0 ? std::string(familyPrefix(c.family)) + t.sizes[c.size].code + "-" + material
                       : std::string(familyName(c.family)) + " " + material;
}

double materialPermeability(CoreType family, int material)
{
    const CoreFamilyTable &t = catalogueOf(family);
    std::vector<double> mu;
    for (int s = 0; s < t.sizeCount; s++) {
        float al = t.alOf(s, material);
        if (al > 1.0f)
            mu.push_back(permeability(nanohenryPerTurnSquared(al), effectiveParameters(t.sizes[s])));
    }
    if (mu.empty())
        return 0;
    std::sort(mu.begin(), mu.end());
    size_t n = mu.size();
    return n % 2 ? mu[n / 2] : (mu[n / 2 - 1] + mu[n / 2]) / 2;
}

int matchingSize(CoreType family, double outsideMm, double insideMm, double heightMm)
{
    const CoreFamilyTable &t = catalogueOf(family);
    int best = -1;
    double bestOff = SizeTolerancePercent / 100;
    for (int s = 0; s < t.sizeCount; s++) {
        const CoreSize &c = t.sizes[s];
        const double pairs[3][2] = {{outsideMm, decimal(c.outsideDiameter)},
                                    {insideMm, decimal(c.insideDiameter)},
                                    {heightMm, decimal(c.thickness)}};
        double off = 0;
        for (const auto &p : pairs)
            off = std::max(off, std::fabs(p[0] / (p[1] * MillimetresPerInch) - 1));
        if (off <= bestOff) {
            best = s;
            bestOff = off;
        }
    }
    return best;
}

Identification identify(const Measurement &m, const std::vector<CoreType> &families)
{
    Identification r;
    r.effective = effectiveParameters(m.outsideMm, m.insideMm, m.heightMm);
    r.alNanohenry = m.nanohenry / (m.turns * m.turns);
    r.permeability = permeability(r.alNanohenry, r.effective);
    r.impossiblePermeability = r.permeability < 1;
    for (int f = 0; f < 2; f++)
        r.sizeOf[f] = r.millimetreSizeOf[f] = -1;

    for (CoreType f : families) {
        const CoreFamilyTable &t = catalogueOf(f);
        int size = r.sizeOf[f] = matchingSize(f, m.outsideMm, m.insideMm, m.heightMm);
        if (m.givenInInches) {
            const double mm = 1 / MillimetresPerInch; // the numbers typed, read as mm
            r.millimetreSizeOf[f] = matchingSize(f, m.outsideMm * mm, m.insideMm * mm, m.heightMm * mm);
        }
        for (int k = 0; k < t.materialCount; k++) {
            if (size >= 0 && t.alOf(size, k) > 1.0f) {
                double catalogueAl = nanohenryPerTurnSquared(t.alOf(size, k));
                r.candidates.push_back({f, k, size, catalogueAl, r.alNanohenry / catalogueAl});
            } else if (double materialMu = materialPermeability(f, k)) {
                r.candidates.push_back({f, k, -1, materialMu, r.permeability / materialMu});
            }
        }
    }
    rankCandidates(&r.candidates);
    return r;
}

void rankCandidates(std::vector<Candidate> *candidates)
{
    // The smallest factor off, whichever way: 0.8 is as far off as 1.25.
    std::stable_sort(candidates->begin(), candidates->end(), [](const Candidate &a, const Candidate &b) {
        return std::fabs(portableLog(a.ratio)) < std::fabs(portableLog(b.ratio));
    });
}

} // namespace design
