// Reading what the user typed: numbers, families, cores and drives.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <tuple>

#include "calc/formulas.h"
#include "cli/layout.h"
#include "cli/refusals.h"
#include "cli/values.h"
#include "design/search.h"

namespace cli {

using namespace design;

bool readNumber(const std::string &text, const char *option, double *value, Failure *failure)
{
    if (!readPlainNumber(text, value))
        return refuse<MalformedNumber>(failure, text, option);
    return true;
}

bool readWhole(const std::string &text, const char *option, int least, int most, Refusal range, int *value,
               Failure *failure)
{
    double v;
    if (!readNumber(text, option, &v, failure))
        return false;
    if (!(v >= least && v <= most && v == std::floor(v)))
        return refuseAt(failure, option, range, {std::to_string(least), std::to_string(most)});
    *value = (int)v;
    return true;
}

bool readFrequencies(const std::string &text, double *low, double *high, Failure *failure)
{
    size_t colon = text.find(':');
    std::string a = text.substr(0, colon), b = colon == std::string::npos ? a : text.substr(colon + 1);
    if (!plainNumber(a) || !plainNumber(b))
        return refuse<FrequencyForm>(failure, text);
    Failure unused;
    readNumber(a, "--mhz", low, &unused);
    readNumber(b, "--mhz", high, &unused);
    if (!finitePositive(*low) || !finitePositive(*high))
        return refuse<FrequenciesAboveZero>(failure);
    if (*high < *low)
        return refuse<RangeStartEnd>(failure, text);
    return true;
}

bool readBand(const std::string &text, double *low, double *high, Failure *failure)
{
    if (text.find(':') == std::string::npos)
        return refuse<BandForm>(failure, text);
    if (!readFrequencies(text, low, high, failure))
        return false;
    if (!(*low < *high))
        return refuse<RangeStartEnd>(failure, text);
    return true;
}

bool readStack(const Given &stack, const char *option, int *cores, Failure *failure)
{
    *cores = DefaultStack;
    return !stack.given || readWhole(stack.text, option, StackLeast, StackMost,
                                     std::string(option) == "--stack" ? StackRange : MaxStackRange, cores, failure);
}

std::string stackName(const std::string &name, int stack)
{
    return stack > 1 ? std::to_string(stack) + " x " + name : name;
}

std::string coreName(CoreType family, const std::string &size, const std::string &material)
{
    return familyPrefix(family) + size + (material.empty() ? " (measured curve)" : "-" + material);
}

bool readCapacitanceRule(const CapacitanceOptions &o, CapacitanceRule *rule, Failure *failure)
{
    *rule = {};
    if ((o.pf.given && !readNumber(o.pf.text, "--pf", &rule->pf, failure)) ||
        (o.strayPf.given && !readNumber(o.strayPf.text, "--stray-pf", &rule->strayPf, failure)))
        return false;
    for (const auto &[given, value, option] : {std::make_tuple(o.pf.given, rule->pf, "--pf"),
                                               std::make_tuple(o.strayPf.given, rule->strayPf, "--stray-pf")})
        if (given && !(value >= 0 && std::isfinite(value)))
            return refuse<CapacitanceNotNegative>(failure, option);
    rule->given = o.pf.given;
    return true;
}

Capacitance capacitanceFor(const CapacitanceRule &rule, const Outline &outline)
{
    Capacitance c;
    if (rule.given) {
        c.pf = rule.pf;
        c.from = CapacitanceGiven;
        return c;
    }
    c.modelPf = selfCapacitancePf(outline);
    c.strayPf = rule.strayPf;
    c.pf = c.modelPf + c.strayPf;
    c.from = c.strayPf > 0 ? CapacitanceModelAndStray : CapacitanceModel;
    return c;
}

const char *capacitanceFromName(CapacitanceFrom from)
{
    switch (from) {
    case CapacitanceModel: return "model";
    case CapacitanceModelAndStray: return "model + stray";
    case CapacitanceGiven: break;
    }
    return "given";
}

void addCapacitanceJson(const Capacitance &c, Json *j)
{
    (*j)["capacitancePf"] = c.pf;
    (*j)["capacitanceFrom"] = capacitanceFromName(c.from);
}

std::string capacitanceText(const Capacitance &c)
{
    if (c.from == CapacitanceGiven)
        return c.pf > 0 ? significant(c.pf, 6) + " pF across the winding (given)" : "none (--pf 0)";
    std::string model = "the self-capacitance model of the core's outline";
    if (c.strayPf > 0)
        return significant(c.pf, 4) + " pF across the winding (" + significant(c.modelPf, 4) + " from " + model +
               ", " + significant(c.strayPf, 6) + " stray)";
    return significant(c.pf, 4) + " pF across the winding (" + model + ")";
}

std::vector<std::string> capacitanceWarnings(const Capacitance &c, double turns)
{
    std::vector<std::string> w;
    if (c.from == CapacitanceGiven)
        return w;
    if (turns > 0 && turns < ModelLeastTurns)
        w.push_back("fewer than " + significant(ModelLeastTurns) +
                    " turns: the winding's capacitance may be up to 1.5 times the model's");
    if (c.modelPf < ModelSmallPf && c.strayPf == 0)
        w.push_back("the model gives under " + significant(ModelSmallPf) +
                    " pF on a core this small: leads, a board or a fixture (2 to 3 pF) may outweigh it; add "
                    "them with --stray-pf");
    return w;
}

// The build's sizes, as a refusal names them: " (the data's single sizes:
// AWG 14 to 40)".
static std::string buildSizes(design::Build b)
{
    const std::string name = design::buildName(b);
    double least = 1e9, most = 0;
    int leastAwg = 99, mostAwg = 0;
    for (int i = 0; i < design::EnamelRowCount; i++) {
        const design::EnamelRow &r = design::EnamelRows[i];
        if (r.build == name && r.overallMaxMm > 0) {
            least = std::min(least, r.bareMm), most = std::max(most, r.bareMm);
            if (std::string(r.size).compare(0, 4, "AWG ") == 0) {
                leastAwg = std::min(leastAwg, std::atoi(r.size + 4));
                mostAwg = std::max(mostAwg, std::atoi(r.size + 4));
            }
        }
    }
    for (int i = 0; b == design::BuildHeavy && i < design::MinimumIncreaseCount; i++)
        if (design::MinimumIncreases[i].build == name) {
            leastAwg = std::min(leastAwg, design::MinimumIncreases[i].awg);
            mostAwg = std::max(mostAwg, design::MinimumIncreases[i].awg);
        }
    return " (the data's " + name + " sizes: " +
           (mostAwg ? "AWG " + std::to_string(leastAwg) + " to " + std::to_string(mostAwg)
                    : significant(least) + " to " + significant(most) + " mm bare, not every size between") +
           ")";
}

// The insulation over a bare wire already read: a build's row, a diameter
// given, or both (the diameter given, the build's rating).
static bool readInsulation(const WireOptions &o, Wire *w, Failure *failure)
{
    // A build's row is found by the wire's size; a diameter over the
    // insulation may stand over the default wire.
    if (o.insulation.given && !o.awg.given && !o.wireMm.given)
        return refuseAt(failure, "--insulation", InsulationNeedsSize, {"--insulation"});
    if (o.insulation.given) {
        design::Build b;
        if (!design::buildNamed(o.insulation.text, &b)) {
            std::string names;
            for (int i = 0; i < design::BuildCount; i++)
                names += (i ? ", " : "") + std::string(design::buildName((design::Build)i));
            return refuse<UnknownBuild>(failure, o.insulation.text, names);
        }
        design::InsulatedWire iw;
        const bool row = design::insulatedWire(b, w->awg, w->mm, &iw);
        if (design::buildIsHookup(b) && !o.overallMm.given)
            return refuse<HookupNeedsOverall>(failure, design::buildName(b));
        if (!design::buildIsHookup(b) && !row)
            return refuse<NoBuildRow>(failure, design::buildName(b),
                                      w->awg ? "AWG " + std::to_string(w->awg) : "a bare " + significant(w->mm, 6) + " mm wire",
                                      buildSizes(b));
        w->build = b;
        w->tableSize = iw.size;
        w->overallMm = iw.overallMm;
        w->overallFrom = row ? (iw.estimate ? OverallEstimate : OverallTable) : OverallNone;
        w->ratingVolts = iw.ratingVolts;
        w->ratingFrom = iw.ratingFrom;
    }
    if (o.overallMm.given) {
        double d;
        if (!readNumber(o.overallMm.text, "--overall-mm", &d, failure))
            return false;
        if (!(d > w->mm && std::isfinite(d)))
            return refuse<OverallAboveBare>(failure, significant(w->mm, 6));
        w->overallMm = d;
        w->overallFrom = OverallGiven;
    }
    return true;
}

bool insulationGiven(const WireOptions &o)
{
    return o.insulation.given || o.overallMm.given || o.cable.given;
}

bool readWire(const WireOptions &o, Wire *w, Failure *failure)
{
    *w = Wire();
    w->mm = DefaultWireMm;
    if (o.cable.given) {
        design::Cable c;
        if (!design::cableNamed(o.cable.text, &c))
            return refuse<UnknownCable>(failure, o.cable.text, design::cableNames());
        w->cable = c.widest;
        w->mm = w->overallMm = c.widest->outsideMm;
        w->inches = w->mm / MillimetresPerInch;
        w->from = WireByCable;
        w->overallFrom = OverallCable;
        w->ratingVolts = c.workingVolts;
        w->ratingFrom = c.workingVolts > 0 ? design::RatingWorking : design::RatingNone;
        return true;
    }
    if (o.awg.given) {
        if (!readWhole(o.awg.text, "--awg", WireGaugeLeast, WireGaugeMost, GaugeRange, &w->awg, failure))
            return false;
        w->from = WireByGauge;
        w->inches = gaugeInches(w->awg);
        w->mm = w->inches * MillimetresPerInch;
        return readInsulation(o, w, failure);
    }
    if (o.wireMm.given) {
        if (!readNumber(o.wireMm.text, "--wire-mm", &w->mm, failure))
            return false;
        if (!finitePositive(w->mm))
            return refuse<WireAboveZero>(failure);
        w->from = WireByDiameter;
    }
    w->inches = w->mm / MillimetresPerInch;
    return readInsulation(o, w, failure);
}

double Wire::fitInches() const
{
    return overallMm > 0 ? overallMm / MillimetresPerInch : inches;
}

Json wireJson(const Wire &w)
{
    static const char *const From[] = {"default", "--awg", "--wire-mm", "thickest that fits", "--cable"};
    static const char *const Overall[] = {nullptr, "table", "estimate", "given", "cable"};
    Json j = {{"diameterMm", w.mm}, {"from", From[w.from]}};
    if (w.awg)
        j["awg"] = w.awg;
    j["insulation"] = w.build >= 0 ? Json(design::buildName((design::Build)w.build)) : Json(nullptr);
    j["overallDiameterMm"] = w.overallMm > 0 ? Json(w.overallMm) : Json(nullptr);
    j["overallFrom"] = w.overallFrom ? Json(Overall[w.overallFrom]) : Json(nullptr);
    if (w.tableSize)
        j["tableSize"] = w.tableSize;
    if (w.cable)
        j["cable"] = {{"name", w.cable->cable}, {"variant", w.cable->variant}, {"ohms", w.cable->ohms}};
    return j;
}

bool thickestWire(float insideInches, long turns, Wire *w)
{
    if (turns >= TurnsLimit)
        return false;
    auto fits = [&](int gauge) { return mostTurns(insideInches, gaugeInches(gauge)) >= turns; };
    // Near the window's own gauge of the fitting diameter, settled by the fit itself.
    const float fitting = largestWire(insideInches, (float)turns);
    int gauge = fitting > 0 ? std::min(std::max((int)wireGaugeOf(fitting), WireGaugeLeast), WireGaugeMost)
                            : WireGaugeMost;
    while (gauge > WireGaugeLeast && fits(gauge - 1))
        gauge--;
    while (gauge <= WireGaugeMost && !fits(gauge))
        gauge++;
    if (gauge > WireGaugeMost)
        return false;
    w->awg = gauge;
    w->inches = gaugeInches(gauge);
    w->mm = w->inches * MillimetresPerInch;
    w->from = WireThickest;
    return true;
}

// What the insulation adds to a wire's text: ", 0.6858 mm over the
// single build (AWG 22)".
static std::string insulationText(const Wire &w)
{
    std::string t;
    if (w.overallMm > 0) {
        static const char *const How[] = {"", " (the data's", " (estimate: the bare wire plus NEMA's least increase",
                                          " (given", ""};
        t = ", " + significant(w.overallMm, 5) + " mm over ";
        t += w.build >= 0 ? "the " + std::string(design::buildName((design::Build)w.build)) + " insulation"
                          : std::string("the insulation");
        t += How[w.overallFrom];
        if (w.overallFrom == OverallTable && w.tableSize) {
            // "SWG 21 (0.813 mm)" inside these brackets reads "SWG 21, 0.813 mm".
            std::string size = w.tableSize;
            const size_t open = size.find(" (");
            if (open != std::string::npos && size.back() == ')')
                size = size.substr(0, open) + ", " + size.substr(open + 2, size.size() - open - 3);
            t += " " + size;
        }
        if (w.overallFrom != OverallCable)
            t += ")";
    } else if (w.build >= 0) {
        t = ", " + std::string(design::buildName((design::Build)w.build)) + " insulation";
    }
    return t;
}

std::string wireText(const Wire &w)
{
    if (w.cable)
        return std::string(w.cable->cable) + ", " + significant(w.mm, 5) + " mm outside (" + w.cable->variant + ")";
    if (w.awg)
        return "AWG " + std::to_string(w.awg) + ", " + significant(w.mm) + " mm bare (the window's gauge rule" +
               (w.from == WireThickest ? "; none given: the thickest gauge that fits one layer)" : ")") +
               insulationText(w);
    return significant(w.mm, 6) + " mm" + (w.from == WireDefault ? " (none given: --awg or --wire-mm)" : "") +
           (w.overallFrom != OverallNone || w.build >= 0 ? " bare" : "") + insulationText(w);
}

bool readWindingWire(const WireOptions &o, float insideInches, WindingWire *w, Failure *failure)
{
    *w = WindingWire();
    w->given = o.awg.given || o.wireMm.given || insulationGiven(o);
    if (!w->given)
        return true;
    if (!readWire(o, &w->wire, failure))
        return false;
    w->mostTurns = mostTurns(insideInches, w->wire.fitInches());
    return true;
}

void addWindingWireJson(const WindingWire &w, double turns, Json *j)
{
    if (!w.given)
        return;
    Json wire = wireJson(w.wire);
    wire["mostTurns"] = w.mostTurns;
    if (turns > 0)
        wire["fits"] = turns <= w.mostTurns;
    (*j)["wire"] = wire;
}

std::pair<std::string, std::string> windingWireLine(const WindingWire &w)
{
    return {"Wire", wireText(w.wire) + "; " + std::to_string(w.mostTurns) + " turns in one layer"};
}

std::vector<std::string> windingWireWarnings(const WindingWire &w, double turns)
{
    if (!w.given || turns <= w.mostTurns)
        return {};
    return {significant(turns, 6) + " turns do not fit in one layer of this wire: " + std::to_string(w.mostTurns) +
            " do"};
}

std::vector<WindingVolts> oneWinding(double vrms, double turns)
{
    design::WindingVoltage v;
    v.rms = v.endToEndRms = vrms;
    v.turns = turns;
    return {{"", v}};
}

static Json windingVoltsJson(const Wire &w, const design::WindingVoltage &v)
{
    const double peak = design::peakOf(v.endToEndRms);
    return {{"windingVoltsRms", v.rms},
            {"windingVoltsPeak", design::peakOf(v.rms)},
            {"voltsPerTurnRms", v.rms / v.turns},
            {"endToEndVoltsRms", v.endToEndRms},
            {"endToEndVoltsPeak", peak},
            {"overRating", design::overRating(peak, w.ratingVolts)}};
}

Json voltagesJson(const Wire &w, const std::vector<WindingVolts> &windings)
{
    Json j = windings.size() == 1 && windings[0].name.empty() ? windingVoltsJson(w, windings[0].v) : Json::object();
    if (!(windings.size() == 1 && windings[0].name.empty()))
        for (const WindingVolts &v : windings)
            j[v.name] = windingVoltsJson(w, v.v);
    j["ratingVolts"] = w.ratingVolts > 0 ? Json(w.ratingVolts) : Json(nullptr);
    const char *from = design::ratingFromName(w.ratingFrom);
    j["ratingFrom"] = from ? Json(from) : Json(nullptr);
    return j;
}

std::vector<std::pair<std::string, std::string>> voltageLines(const Wire &w, const std::vector<WindingVolts> &windings)
{
    std::vector<std::pair<std::string, std::string>> lines;
    if (windings.empty())
        return lines;
    for (const WindingVolts &v : windings) {
        const design::WindingVoltage &x = v.v;
        std::string ends = x.endToEndRms == x.rms ? "between its first and last turns (side by side)"
                                                  : "at most between its ends (" + significant(x.endToEndRms) + " V rms)";
        lines.push_back({v.name.empty() ? "Voltages" : "Voltages, " + v.name,
                         significant(x.rms) + " V rms across the winding, " + significant(design::peakOf(x.endToEndRms)) +
                             " V peak " + ends +
                             (x.turns > 0 ? ", " + significant(x.rms / x.turns) + " V rms a turn" : std::string())});
    }
    const char *from = design::ratingFromName(w.ratingFrom);
    std::string rating;
    if (from)
        rating = significant(w.ratingVolts, 5) + " V (" + from + "); keep the peak under " +
                 significant(design::RatingShare * 100) + " % of it";
    else if (w.build >= 0 || w.cable)
        rating = "none in the data for this insulation: compare the peak with the maker's rating";
    else
        rating = "none known for this wire: give its insulation or the coax, or compare the peak with the maker's rating";
    lines.push_back({"Insulation rating", rating});
    return lines;
}

std::vector<std::string> voltageWarnings(const Wire &w, const std::vector<WindingVolts> &windings)
{
    std::vector<std::string> warnings;
    for (const WindingVolts &v : windings) {
        const double peak = design::peakOf(v.v.endToEndRms);
        if (design::overRating(peak, w.ratingVolts))
            warnings.push_back((v.name.empty() ? std::string("the winding's") : "the " + v.name + "'s") +
                               " ends see " + significant(peak) + " V peak, over " +
                               significant(design::RatingShare * 100) + " % of the insulation's " +
                               significant(w.ratingVolts, 5) + " V (" + design::ratingFromName(w.ratingFrom) +
                               "): take a heavier build or PTFE sleeving over the wire, or space the winding's ends "
                               "apart");
    }
    return warnings;
}

std::vector<std::string> designsOverRating(const Wire &w, const std::vector<std::vector<WindingVolts>> &designs,
                                           const std::string &parts)
{
    for (const std::vector<WindingVolts> &d : designs)
        if (!voltageWarnings(w, d).empty())
            return {"some designs' " + parts + " see peaks over " + significant(design::RatingShare * 100) +
                    " % of the insulation's " + significant(w.ratingVolts, 5) +
                    " V at their ends (each design's voltages are in --json): take a heavier build or PTFE sleeving "
                    "over the wire, or space the " + parts + "' ends apart"};
    return {};
}

bool readScale(const Given &scale, double *k, Failure *failure)
{
    *k = DefaultScale;
    if (scale.given && !readNumber(scale.text, "--scale", k, failure))
        return false;
    return finitePositive(*k) || refuse<ScaleAboveZero>(failure);
}

bool readDuty(const Given &duty, double *percent, Failure *failure)
{
    *percent = DefaultDutyPercent;
    if (!duty.given)
        return true;
    if (!readNumber(duty.text, "--duty", percent, failure))
        return false;
    if (!(*percent > 0 && *percent <= 100))
        return refuse<DutyPercent>(failure);
    return true;
}

// Comma-separated codes, none empty.
static bool readCodes(const std::string &text, std::vector<std::string> *codes)
{
    for (size_t start = 0;;) {
        size_t comma = text.find(',', start);
        codes->push_back(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (codes->back().empty())
            return false;
        if (comma == std::string::npos)
            return true;
        start = comma + 1;
    }
}

bool readSearchCores(const Given &sizeCodes, const Given &materialCodes, std::vector<int> *sizes,
                     std::vector<const FerriteData *> *materials, Failure *failure)
{
    std::vector<std::string> codes;
    if (sizeCodes.given && !readCodes(sizeCodes.text, &codes))
        return refuse<CodeList>(failure, "--sizes", sizeCodes.text);
    for (const std::string &code : codes) {
        int i = codeIndex(FerriteCatalogue, code, true);
        if (i < 0)
            return refuse<UnknownSize>(failure, "ferrite", code, codeList(FerriteCatalogue, true));
        sizes->push_back(i);
    }
    for (int i = 0; !sizeCodes.given && i < FerriteCatalogue.sizeCount; i++)
        sizes->push_back(i);
    codes.clear();
    if (materialCodes.given && !readCodes(materialCodes.text, &codes))
        return refuse<CodeList>(failure, "--materials", materialCodes.text);
    for (const std::string &code : codes) {
        const FerriteData *d = ferriteData(code);
        if (!d)
            return refuse<NoCurveData>(failure, code, curveMaterials());
        materials->push_back(d);
    }
    for (int i = 0; !materialCodes.given && i < FerriteMaterialDataCount; i++)
        materials->push_back(&FerriteMaterialData[i]);
    return true;
}

bool readSearchCandidates(const Given &sizeCodes, const Given &materialCodes, int leastStack, int mostStack,
                          double lowMhz, double highMhz, std::vector<FrequencyCore> *cores, Failure *failure)
{
    std::vector<int> sizes;
    std::vector<const FerriteData *> materials;
    if (!readSearchCores(sizeCodes, materialCodes, &sizes, &materials, failure))
        return false;
    *cores = searchCores(sizes, materials, leastStack, mostStack, lowMhz * 1e6, highMhz * 1e6);
    if (cores->empty())
        return refuse<NoCurveOverBand>(failure, significant(lowMhz, 6), significant(highMhz, 6));
    return true;
}

bool readFamily(const std::string &text, CoreType *family, Failure *failure)
{
    if (text == "iron")
        *family = CorePowderedIron;
    else if (text == "ferrite")
        *family = CoreFerrite;
    else
        return refuse<UnknownFamily>(failure, text);
    return true;
}

bool readFamilies(const std::string &text, std::vector<CoreType> *families, Failure *failure)
{
    *families = {CorePowderedIron, CoreFerrite};
    if (text.empty())
        return true;
    CoreType f;
    if (!readFamily(text, &f, failure))
        return false;
    *families = {f};
    return true;
}

LengthUnit readUnit(const std::string &text)
{
    return text == "mm" ? LengthMillimetres : LengthInches;
}

double nanohenriesPer(const std::string &units)
{
    return units == "nH" ? 1 : units == "mH" ? 1e6 : 1e3;
}

const CoreSize &Core::dimensions() const { return catalogueOf(family).sizes[sizeIndex]; }
const CoreMaterial &Core::mix() const { return catalogueOf(family).materials[materialIndex]; }
float Core::al() const { return catalogueOf(family).alOf(sizeIndex, materialIndex); }
std::string Core::name() const { return coreName(family, size, material); }

bool readCore(const CoreOptions &o, Core *core, Failure *failure)
{
    if (!readFamily(o.family, &core->family, failure))
        return false;
    core->unit = readUnit(o.unit);
    const CoreFamilyTable &t = catalogueOf(core->family);
    core->size = o.size;
    core->material = o.material;
    core->sizeIndex = codeIndex(t, o.size, true);
    core->materialIndex = codeIndex(t, o.material, false);
    const std::string family = familyName(core->family);
    if (core->sizeIndex < 0)
        return refuse<UnknownSize>(failure, family, o.size, codeList(t, true));
    if (core->materialIndex < 0)
        return refuse<UnknownMaterial>(failure, family, o.material, codeList(t, false));
    return true;
}

bool readCoreWithAl(const CoreOptions &o, Core *core, Failure *failure)
{
    if (!readCore(o, core, failure))
        return false;
    if (!(core->al() > 1.0f))
        return refuse<NoAlForCore>(failure, core->name());
    return true;
}

bool readFrequencyCore(const CoreOptions &o, NamedCore *c, Failure *failure)
{
    CoreType family;
    if (!readFamily(o.family, &family, failure))
        return false;
    if (family == CorePowderedIron) {
        Core core;
        if (!readCoreWithAl(o, &core, failure))
            return false;
        c->name = core.name();
    }
    switch (frequencyCore(family, o.size, o.material, c)) {
    case NoSuchSize:
        return refuse<UnknownSize>(failure, "ferrite", o.size, codeList(FerriteCatalogue, true));
    case NoCurve:
        return refuse<NoCurveData>(failure, o.material, curveMaterials());
    case NoAl: // readCoreWithAl has refused it already
    case CoreFound:
        break;
    }
    if (family == CoreFerrite)
        c->name = coreName(CoreFerrite, o.size, o.material);
    return true;
}

bool withinData(const FrequencyCore &c, double lowMhz, double highMhz, Failure *failure)
{
    if (withinCurve(c, lowMhz * 1e6, highMhz * 1e6))
        return true;
    return refuse<OutsideCurve>(failure, c.data->code, significant(c.data->lowHz() / 1e6),
                                          significant(c.data->highHz() / 1e6));
}

// The drive's numbers, each read if given; the rules come after (readDrive).
bool readDriveNumbers(const DriveOptions &o, Drive *d, Failure *failure)
{
    return (!o.vrms.given || readNumber(o.vrms.text, "--vrms", &d->vrms, failure)) &&
           (!o.watts.given || readNumber(o.watts.text, "--watts", &d->watts, failure)) &&
           (!o.ohms.given || readNumber(o.ohms.text, "--ohms", &d->ohms, failure)) &&
           (!o.amps.given || readNumber(o.amps.text, "--amps", &d->amps, failure));
}

bool readDrive(const DriveOptions &o, Refusal which, Drive *d, Failure *failure)
{
    // Of two given together, the second is the one that conflicts.
    const Given *options[] = {&o.vrms, &o.watts, &o.amps};
    const char *names[] = {"--vrms", "--watts", "--amps"};
    int count = 0;
    const char *conflicting = names[0];
    for (int i = 0; i < 3; ++i)
        if (options[i]->given && ++count == 2)
            conflicting = names[i];
    if (count != 1)
        return refuseAt(failure, conflicting, which);
    const double *values[] = {&d->vrms, &d->watts, &d->amps};
    for (int i = 0; i < 3; ++i)
        if (options[i]->given && !finitePositive(*values[i]))
            return refuseAt(failure, names[i], DriveAboveZero);
    if (!finitePositive(d->ohms))
        return refuseAt(failure, "--ohms", DriveAboveZero);
    d->byCurrent = o.amps.given;
    d->byPower = o.watts.given;
    if (d->byPower)
        d->vrms = voltageFromPower(d->watts, d->ohms);
    return true;
}

void addDriveJson(const Drive &d, Json *j)
{
    if (d.byCurrent) {
        (*j)["amps"] = d.amps;
        return;
    }
    if (d.byPower) {
        (*j)["watts"] = d.watts;
        (*j)["ohms"] = d.ohms;
    }
    (*j)["vrms"] = d.vrms;
}

bool readFileText(const std::string &path, std::string *text, Failure *failure)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return refuse<MeasureFile>(failure, path);
    in.seekg(0, std::ios::end);
    std::streamoff size = in.tellg();
    if (size < 0)
        return refuse<MeasureFile>(failure, path);
    if ((size_t)size > TouchstoneMostBytes)
        return refuse<MeasureFileTooLarge>(failure, path);
    in.seekg(0);
    text->assign((size_t)size, '\0');
    if (!in.read(&(*text)[0], size))
        return refuse<MeasureFile>(failure, path);
    return true;
}

// What is wrong on a line of a measurement's or a curve's file.
std::string lineFault(const TouchstoneError &e)
{
    switch (e.fault) {
    case TouchstoneBadOption: return "option line token '" + e.text + "' is not a unit, a parameter, a format or R";
    case TouchstoneBadReference: return "the reference resistance '" + e.text + "' is not a number above 0";
    case TouchstoneNotANumber: return "'" + e.text + "' is not a number";
    case TouchstoneWrongCount: return e.text + " numbers where a line has a frequency and its pairs";
    case TouchstoneNotFinite: return "'" + e.text + "' is not finite";
    case TouchstoneNotIncreasing: return "frequency " + e.text + " does not increase";
    default: return "unreadable";
    }
}

bool readCurveCore(const CoreOptions &o, const std::string &curveText, NamedCore *c, Failure *failure)
{
    CoreType family;
    if (!readFamily(o.family, &family, failure))
        return false;
    int size = codeIndex(FerriteCatalogue, o.size, true);
    if (family != CoreFerrite || size < 0)
        return refuse<UnknownSize>(failure, "ferrite", o.size, codeList(FerriteCatalogue, true));
    auto points = std::make_shared<std::vector<PermeabilityPoint>>();
    TouchstoneError e;
    if (!readCurve(curveText, points.get(), &e)) {
        if (e.fault == TouchstoneNoData)
            return refuse<CurveTooShort>(failure);
        if (e.fault == TouchstoneTooLarge)
            return refuse<MeasureFileTooLarge>(failure, "the curve");
        return refuse<CurveLine>(failure, std::to_string(e.line), lineFault(e));
    }
    c->curvePoints = points;
    c->curve = std::make_shared<FerriteData>(FerriteData{"curve", points->data(), (int)points->size()});
    c->size = &FerriteCatalogue.sizes[size];
    c->stack = 1;
    c->outline = outlineOf(*c->size);
    c->effective = effectiveParameters(c->outline);
    c->data = c->curve.get();
    c->name = coreName(CoreFerrite, o.size, "");
    return true;
}

bool readFrequencyCoreOrCurve(const CoreOptions &o, const Given &curve, NamedCore *c, Failure *failure)
{
    if (curve.given == !o.material.empty())
        return refuse<CurveOrMaterial>(failure);
    if (!curve.given)
        return readFrequencyCore(o, c, failure);
    std::string text;
    return readFileText(curve.text, &text, failure) && readCurveCore(o, text, c, failure);
}

} // namespace cli
