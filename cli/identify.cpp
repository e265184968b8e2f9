// identify: a core from its measured dimensions and a test winding: its AL,
// its permeability, and the catalogue cores it may be, best first.
#include "cli/identify.h"

#include <cmath>

#include "cli/layout.h"
#include "cli/refusals.h"

namespace cli {

using namespace design;

// What the measurement itself puts in doubt, one sentence each.
static std::vector<std::string> warningsOf(const Identification &r, const std::vector<CoreType> &families)
{
    std::vector<std::string> w;
    if (r.impossiblePermeability)
        w.push_back(ImpossiblePermeabilityWarning);
    for (CoreType f : families)
        if (r.millimetreSizeOf[f] >= 0) {
            w.push_back("these dimensions look like millimetres (" + std::string(familyPrefix(f)) +
                        catalogueOf(f).sizes[r.millimetreSizeOf[f]].code + " in mm): did you mean --unit mm?");
            break;
        }
    return w;
}

bool readIdentify(const IdentifyRequest &r, IdentifyPlan *plan, Failure *failure)
{
    double od, id, height, turns, inductance;
    if (!readNumber(r.od, "--od", &od, failure) || !readNumber(r.id, "--id", &id, failure) ||
        !readNumber(r.height, "--height", &height, failure) || !readNumber(r.turns, "--turns", &turns, failure) ||
        !readNumber(r.inductance, "--inductance", &inductance, failure))
        return false;
    for (double v : {od, id, height, inductance})
        if (!(v > 0 && std::isfinite(v)))
            return refuse<MeasuredAboveZero>(failure);
    if (!(id < od))
        return refuse<InsideBelowOutside>(failure);
    if (!(turns >= 1 && std::isfinite(turns)))
        return refuse<TestWindingTurn>(failure);
    if (turns != std::floor(turns))
        return refuse<TestWindingWhole>(failure, significant(turns, 6));
    if (!readFamilies(r.family, &plan->families, failure))
        return false;
    bool inches = r.unit != "mm";
    double toMm = inches ? MillimetresPerInch : 1;
    plan->measured = {od * toMm, id * toMm, height * toMm, turns, inductance * nanohenriesPer(r.units), inches};
    return true;
}

IdentifyResult runIdentify(const IdentifyPlan &s)
{
    IdentifyResult result;
    result.identification = design::identify(s.measured, s.families);
    result.warnings = warningsOf(result.identification, s.families);
    return result;
}

static std::string sizeName(CoreType family, int size)
{
    return familyPrefix(family) + std::string(catalogueOf(family).sizes[size].code);
}

Json identifyJson(const IdentifyPlan &plan, const IdentifyResult &result)
{
    const Identification &r = result.identification;
    Json sizes = Json::array();
    for (CoreType f : plan.families)
        if (r.sizeOf[f] >= 0)
            sizes.push_back(sizeName(f, r.sizeOf[f]));
    Json j = {{"alNanohenryPerTurnSquared", r.alNanohenry},
              {"alMicrohenryPer100Turns", r.alNanohenry * 10},
              {"permeability", r.permeability},
              {"effectiveLengthMm", r.effective.lengthMm},
              {"effectiveAreaMm2", r.effective.areaMm2},
              {"sizeTolerancePercent", SizeTolerancePercent},
              {"warnings", result.warnings},
              {"catalogueSizes", sizes},
              {"candidates", Json::array()}};
    for (const Candidate &c : r.candidates) {
        const CoreFamilyTable &t = catalogueOf(c.family);
        const CoreMaterial &m = t.materials[c.material];
        j["candidates"].push_back({{"family", familyName(c.family)},
                                   {"material", m.code},
                                   {"size", c.size >= 0 ? Json(t.sizes[c.size].code) : Json(nullptr)},
                                   {"colorCode", m.colorCode},
                                   {"ratio", c.ratio},
                                   {"name", candidateName(c)},
                                   {"judgedBy", c.size >= 0 ? "al" : "permeability"},
                                   // AL in the catalogue's unit, uH per 100 turns
                                   {"catalogue", c.size >= 0 ? c.catalogue * 10 : c.catalogue}});
    }
    return j;
}

std::string identifyText(const IdentifyPlan &plan, const IdentifyResult &result)
{
    const Identification &r = result.identification;
    const double al = r.alNanohenry, mu = r.permeability;
    Table table;
    table.rows.push_back({"core", "colour", "judged by", "catalogue", "measured/catalogue"});
    for (const Candidate &c : r.candidates) {
        const CoreMaterial &m = catalogueOf(c.family).materials[c.material];
        table.rows.push_back({candidateName(c), m.colorCode, c.size >= 0 ? "AL uH/100 t" : "mu_e (median)",
                              significant(c.size >= 0 ? c.catalogue * 10 : c.catalogue), significant(c.ratio, 3)});
    }

    Lines lines = {
        {"Measured AL", significant(al * 10) + " uH per 100 turns = " + significant(al) + " nH/N^2"},
        {"Effective permeability", significant(mu) + " (le " + significant(r.effective.lengthMm) + " mm, Ae " +
                                       significant(r.effective.areaMm2) + " mm^2)"},
    };
    std::string sizes;
    for (CoreType f : plan.families)
        if (r.sizeOf[f] >= 0)
            sizes += (sizes.empty() ? "" : ", ") + sizeName(f, r.sizeOf[f]);
    std::string tolerance = significant(SizeTolerancePercent) + " %";
    lines.push_back({"Catalogue size", sizes.empty() ? "none within " + tolerance + " in every dimension"
                                                     : sizes + " (every dimension within " + tolerance + ")"});
    if (!r.candidates.empty()) {
        const Candidate &best = r.candidates[0];
        const CoreMaterial &m = catalogueOf(best.family).materials[best.material];
        std::string verdict;
        if (best.size >= 0)
            verdict = sizeName(best.family, best.size) + ", and AL " + significant(al * 10) + " is closest to " +
                      candidateName(best) + " (" + significant(best.catalogue * 10) + ")";
        else
            verdict = "mix " + std::string(m.code) + " (" + familyName(best.family) + "), whose mu_e is near " +
                      significant(best.catalogue, 3);
        lines.push_back({"Best match", verdict + ", colour " + trim(m.colorCode)});
    }
    for (const std::string &w : result.warnings)
        lines.push_back({"Warning", w});
    return captioned(lines) + "\n" + table.render(false);
}

} // namespace cli
