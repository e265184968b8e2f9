// core: one catalogue core as list shows it, with its effective parameters,
// permeability and surface.
#include "cli/core.h"

#include "cli/layout.h"
#include "cli/refusals.h"
#include "cli/list.h"

namespace cli {

using namespace design;

bool readCore(const CoreRequest &r, CorePlan *plan, Failure *failure)
{
    double &mhz = plan->mhz;
    if ((r.mhz.given && !readNumber(r.mhz.text, "--mhz", &mhz, failure)) ||
        !readStack(r.stack, "--stack", &plan->stack, failure))
        return false;
    if (!readCoreWithAl(r.core, &plan->core, failure) ||
        !readWindingWire(r.wire, plan->core.dimensions().insideDiameter, &plan->wire, failure))
        return false;
    if (!r.mhz.given)
        return true;
    if (!finitePositive(mhz))
        return refuse<FrequencyAboveZero>(failure);
    if (!readFrequencyCore(r.core, &plan->atFrequency, failure) || !withinData(plan->atFrequency, mhz, mhz, failure))
        return false;
    plan->byFrequency = true;
    return true;
}

CoreResult runCore(const CorePlan &s)
{
    CoreResult result;
    if (s.byFrequency)
        result.point = frequencyPoint(s.atFrequency, 1, s.mhz * 1e6, 0);
    return result;
}

// Lengths, areas and volumes in the unit the user chose.
static std::string inUnit(double mm, int power, LengthUnit unit)
{
    if (unit == LengthMillimetres)
        return significant(mm) + (power == 1 ? " mm" : power == 2 ? " mm^2" : " mm^3");
    double inches = mm;
    for (int i = 0; i < power; i++)
        inches /= MillimetresPerInch;
    return significant(inches) + (power == 1 ? " in" : power == 2 ? " in^2" : " in^3") + " (" +
           inUnit(mm, power, LengthMillimetres) + ")";
}

Json coreJson(const CorePlan &plan, const CoreResult &r)
{
    const Core &core = plan.core;
    const CoreSize &s = core.dimensions();
    const CoreMaterial &m = core.mix();
    Json j = {{"family", familyName(core.family)},
              {"size", core.size},
              {"material", core.material},
              {"name", core.name()},
              {"outsideDiameterInches", decimal(s.outsideDiameter)},
              {"insideDiameterInches", decimal(s.insideDiameter)},
              {"thicknessInches", decimal(s.thickness)},
              {"outsideDiameterMm", decimal(s.outsideDiameter) * MillimetresPerInch},
              {"insideDiameterMm", decimal(s.insideDiameter) * MillimetresPerInch},
              {"thicknessMm", decimal(s.thickness) * MillimetresPerInch},
              {"colorCode", m.colorCode}};
    j.update(rangesJson(core.family, m));
    // A stack: AL, Ae, the volume and the height times the cores, le and mu_e one core's.
    const Outline outline = outlineOf(s, plan.stack);
    Effective e = effectiveParameters(outline);
    double al = nanohenryPerTurnSquared(core.al());
    j["stack"] = plan.stack;
    j["alMicrohenryPer100Turns"] = decimal(core.al()) * plan.stack;
    j["alNanohenryPerTurnSquared"] = al * plan.stack;
    j["effectiveLengthMm"] = e.lengthMm;
    j["effectiveAreaMm2"] = e.areaMm2;
    j["effectiveVolumeMm3"] = e.volumeMm3;
    j["permeability"] = permeability(al, effectiveParameters(s));
    j["surfaceAreaCm2"] = surfaceAreaCm2(outline);
    j["selfCapacitancePf"] = selfCapacitancePf(outline);
    if (plan.byFrequency)
        j["atFrequency"] = {{"frequencyMHz", r.point.hz / 1e6},
                            {"muReal", r.point.mu.real},
                            {"muImag", core.family == CoreFerrite ? Json(r.point.mu.imag) : Json(nullptr)}};
    const FerriteData *curve = core.family == CoreFerrite ? ferriteData(core.material) : nullptr;
    j["curve"] = curve ? Json({{"lowMHz", curve->lowHz() / 1e6}, {"highMHz", curve->highHz() / 1e6}}) : Json(nullptr);
    addWindingWireJson(plan.wire, 0, &j);
    return j;
}

std::string coreText(const CorePlan &plan, const CoreResult &r)
{
    const Core &core = plan.core;
    const char *unitWord = core.unit == LengthMillimetres ? "mm" : "inches";
    std::string s = core.name() + ": " + (core.family == CorePowderedIron ? "powdered iron" : "ferrite") +
                    ", dimensions in " + unitWord + "\n";
    Table sizes, materials;
    sizes.rows = {sizeHeader(), sizeRow(core.dimensions(), core.unit)};
    materials.rows = {materialHeader(core.family), materialRow(core.family, core.mix())};
    s += sizes.render(false) + "\n" + materials.render(false) + "\n";
    const Outline outline = outlineOf(core.dimensions(), plan.stack);
    Effective e = effectiveParameters(outline);
    double al = nanohenryPerTurnSquared(core.al());
    Lines lines;
    if (plan.stack > 1)
        lines.push_back({"Stack", std::to_string(plan.stack) + " cores side by side, " +
                                      inUnit(outline.heightMm, 1, core.unit) + " high"});
    lines.insert(lines.end(), {
        {"AL", plan.stack > 1 ? std::to_string(plan.stack) + " x " + plain(core.al()) + " = " +
                                 significant(decimal(core.al()) * plan.stack, 7) + " uH per 100 turns = " +
                                 significant(al * plan.stack, 6) + " nH/N^2"
                           : plain(core.al()) + " uH per 100 turns = " + significant(al, 6) + " nH/N^2"},
        {"Effective length (le)", inUnit(e.lengthMm, 1, core.unit)},
        {"Effective area (Ae)", inUnit(e.areaMm2, 2, core.unit)},
        {"Effective volume (Ve)", inUnit(e.volumeMm3, 3, core.unit)},
        {"Effective permeability", significant(permeability(al, effectiveParameters(core.dimensions())), 4)},
        {"Winding capacitance", significant(selfCapacitancePf(outline)) +
                                    " pF (the self-capacitance model of the outline, any turns)"},
    });
    if (plan.byFrequency)
        lines.push_back({"At " + significant(r.point.hz / 1e6, 6) + " MHz",
                         core.family == CoreFerrite
                             ? "mu' " + significant(r.point.mu.real) + ", mu'' " + significant(r.point.mu.imag) +
                                   " (the maker's typical curve)"
                             : "mu_e " + significant(r.point.mu.real) + " (" + ironNote(core.material) + ")"});
    if (plan.wire.given)
        lines.push_back(windingWireLine(plan.wire));
    s += captioned(lines);
    return s;
}

} // namespace cli
