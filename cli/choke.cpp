// choke: the cores, stacks and fewest turns that hold "at least so many
// ohms from A to B MHz", with the winding's own capacitance, the
// permeability anywhere within a tolerance of the typical curve and, under
// a drive, a core no hotter than a limit. The search is design/search's,
// the test design/choke's.
#include "cli/choke.h"

#include <algorithm>
#include <cmath>

#include "cli/layout.h"
#include "cli/refusals.h"
#include "design/search.h"

namespace cli {

using namespace design;

// The drive of a choke: none, or one of --vrms, --watts or --amps.
static bool readChokeDrive(const ChokeRequest &r, ChokePlan *c, Failure *failure)
{
    const DriveOptions &d = r.drive;
    c->driven = d.vrms.given || d.watts.given || d.amps.given;
    if (c->driven && !readDrive(d, LossDriveOne, &c->given, failure))
        return false;
    c->drive.vrms = c->driven && !c->given.byCurrent ? c->given.vrms : 0;
    c->drive.amps = c->driven && c->given.byCurrent ? c->given.amps : 0;
    c->drive.duty = c->dutyPercent / 100;
    c->drive.maxRiseKelvin = c->maxRiseKelvin;
    return true;
}

static ChokeDesign design(const ChokePlan &c, const ChokeBand &band, long turns, const Capacitance &cap)
{
    ChokeDesign d;
    d.core = band.core;
    d.name = coreName(CoreFerrite, band.core.size->code, c.curve ? "" : band.core.data->code);
    d.turns = turns;
    d.capacitance = cap;
    d.figures = chokeFigures(band, (double)turns, c.target, c.drive);
    d.resonanceHz = selfResonanceHz(band.core, (double)turns, cap.pf);
    d.resonanceLowHz = d.resonanceHighHz = 0;
    if (cap.from != CapacitanceGiven) {
        d.resonanceLowHz = selfResonanceHz(band.core, (double)turns, cap.modelPf * CapacitanceHighFactor + cap.strayPf);
        d.resonanceHighHz = selfResonanceHz(band.core, (double)turns, cap.modelPf * CapacitanceLowFactor + cap.strayPf);
    }
    return d;
}

bool readChoke(const ChokeRequest &r, ChokePlan *plan, Failure *failure)
{
    ChokePlan &c = *plan;
    c.tolerancePercent = DefaultTolerancePercent, c.maxRiseKelvin = DefaultMaxRiseKelvin, c.points = DefaultSearchPoints;
    int leastStack = DefaultStack, mostStack = DefaultStack;
    if (!readBand(r.mhz.text, &c.lowMhz, &c.highMhz, failure) ||
        (r.minImpedance.given &&
         !readNumber(r.minImpedance.text, "--min-impedance", &c.target.impedanceOhms, failure)) ||
        (r.minResistance.given &&
         !readNumber(r.minResistance.text, "--min-resistance", &c.target.resistanceOhms, failure)) ||
        (r.tolerance.given && !readNumber(r.tolerance.text, "--tolerance", &c.tolerancePercent, failure)) ||
        (r.maxRise.given && !readNumber(r.maxRise.text, "--max-rise", &c.maxRiseKelvin, failure)) ||
        !readDuty(r.duty, &c.dutyPercent, failure) || !readDriveNumbers(r.drive, &c.given, failure) ||
        (r.points.given &&
         !readWhole(r.points.text, "--points", SearchPointsLeast, SearchPointsMost, PointsCount, &c.points, failure)) ||
        !readStack(r.stack, "--stack", &leastStack, failure) ||
        !readStack(r.maxStack, "--max-stack", &mostStack, failure) || !readWire(r.wire, &c.wire, failure) ||
        !readCapacitanceRule(r.capacitance, &c.capacitance, failure))
        return false;
    if (r.stack.given)
        mostStack = leastStack;
    if (!r.minImpedance.given && !r.minResistance.given)
        return refuse<ChokeTargetNone>(failure);
    if ((r.minImpedance.given && !finitePositive(c.target.impedanceOhms)) ||
        (r.minResistance.given && !finitePositive(c.target.resistanceOhms)))
        return refuse<ChokeTargetAboveZero>(failure);
    if (!(c.tolerancePercent >= 0 && c.tolerancePercent < 100))
        return refuse<TolerancePercent>(failure);
    if (!finitePositive(c.maxRiseKelvin))
        return refuse<MaxRiseAboveZero>(failure);
    if (!readChokeDrive(r, &c, failure))
        return false;

    // The candidates: the user's own curve on its size, or the catalogue's.
    std::vector<FrequencyCore> &cores = c.cores;
    if (r.curve.given && (r.sizes.given || r.materials.given))
        return refuse<SearchOptions>(failure, "--curve, the search on your own core,", "--sizes or --materials");
    if (r.curve.given) {
        NamedCore own;
        std::string text;
        if (!readFileText(r.curve.text, &text, failure) ||
            !readCurveCore({r.family.empty() ? "ferrite" : r.family, r.size, "", "inches"}, text, &own, failure) ||
            !withinData(own, c.lowMhz, c.highMhz, failure))
            return false;
        c.curve = own.curve;
        c.curvePoints = own.curvePoints;
        for (int k = leastStack; k <= mostStack; k++) {
            FrequencyCore s = own;
            stackCores(&s, k);
            cores.push_back(s);
        }
    } else {
        if (!readSearchCandidates(r.sizes, r.materials, leastStack, mostStack, c.lowMhz, c.highMhz, &cores, failure))
            return false;
    }
    c.all = r.all;
    return true;
}

ChokeResult runChoke(const ChokePlan &s)
{
    ChokeResult c;
    const std::vector<FrequencyCore> &cores = s.cores;
    const double lowHz = s.lowMhz * 1e6, highHz = s.highMhz * 1e6;
    // On each, the fewest turns that pass and fit in one layer; where none
    // does, the winding that came nearest.
    const std::vector<double> hz = logSweep(lowHz, highHz, s.points);
    std::vector<ChokeBand> bands;
    std::vector<Capacitance> caps;
    for (const FrequencyCore &core : cores) {
        caps.push_back(capacitanceFor(s.capacitance, core.outline));
        bands.push_back(chokeBand(core, hz, s.tolerancePercent / 100, caps.back().pf));
    }
    // The nearest is looked for among a few windings a core, fewer the more
    // cores and frequencies there are (some two million impedances in all).
    const long looks = std::max(2L, std::min(50L, 2000000L / (long)(3 * bands.size() * hz.size() + 1)));
    SearchOutcome found = searchDesigns(
        cores,
        [&](size_t i) {
            return SearchTrial{mostTurns(bands[i].core.size->insideDiameter, s.wire.fitInches()),
                               [&, i](long n) { return chokePasses(bands[i], (double)n, s.target, s.drive); },
                               [&, i](long n) { return chokeFigures(bands[i], (double)n, s.target, s.drive).margin; }};
        },
        TurnsAnyOrder, [&](long most) { return spreadTurns(most, looks); });
    c.searched = found.searched;
    for (const SearchFound &f : found.designs)
        c.designs.push_back(design(s, bands[f.core], f.turns, caps[f.core]));
    c.anyFits = c.designs.empty() && found.anyFits;
    if (c.anyFits)
        c.nearest = design(s, bands[found.nearest.core], found.nearest.turns, caps[found.nearest.core]);

    if (s.driven && !s.given.byCurrent)
        c.warnings = voltageWarnings(s.wire, oneWinding(s.given.vrms, 0));
    // What the capacitance model is weaker at, for the designs offered.
    size_t shown = designsOffered(c.designs.size(), s.all);
    std::vector<std::string> said;
    for (size_t i = 0; i < shown; i++) {
        const ChokeDesign &d = c.designs[i];
        std::vector<std::string> w = capacitanceWarnings(d.capacitance, (double)d.turns);
        long fit = mostTurns(d.core.size->insideDiameter, s.wire.fitInches());
        if (d.capacitance.from != CapacitanceGiven && d.turns > ModelClosingShare * fit)
            w.push_back("the winding nearly closes the core (more than " +
                        significant(ModelClosingShare * 100) +
                        " % of what fits in one layer): its capacitance may be up to 2 times the model's");
        for (const std::string &text : w) {
            std::string line = stackName(d.name, d.core.stack) + ", " + std::to_string(d.turns) + " turns: " + text;
            if (std::find(said.begin(), said.end(), text) == said.end()) {
                said.push_back(text);
                c.warnings.push_back(line);
            }
        }
    }
    return c;
}

// ---- The answer ---------------------------------------------------------------

static Json designJson(const ChokePlan &s, const ChokeDesign &d)
{
    const ChokeFigures &f = d.figures;
    Json j = {{"core", d.name},
              {"size", d.core.size->code},
              {"material", s.curve ? Json(nullptr) : Json(d.core.data->code)},
              {"stack", d.core.stack},
              {"turns", d.turns}};
    addCapacitanceJson(d.capacitance, &j);
    j["minImpedanceOhms"] = f.leastImpedanceOhms;
    j["minImpedanceMHz"] = f.leastImpedanceHz / 1e6;
    j["minResistanceOhms"] = f.leastResistanceOhms;
    j["minResistanceMHz"] = f.leastResistanceHz / 1e6;
    j["selfResonanceMHz"] = mhzOrNull(d.resonanceHz);
    j["selfResonanceRangeMHz"] = d.capacitance.from == CapacitanceGiven
                                     ? Json(nullptr)
                                     : Json::array({mhzOrNull(d.resonanceLowHz), mhzOrNull(d.resonanceHighHz)});
    j["coreLossWatts"] = s.driven ? Json(f.lossWatts) : Json(nullptr);
    j["worstLossMHz"] = s.driven ? Json(f.lossHz / 1e6) : Json(nullptr);
    j["temperatureRiseKelvin"] = s.driven ? Json(f.riseKelvin) : Json(nullptr);
    if (s.driven && !s.given.byCurrent)
        j["voltages"] = voltagesJson(s.wire, oneWinding(s.given.vrms, (double)d.turns));
    return j;
}

// What the winding that came nearest misses, in a line.
static std::string nearestText(const ChokePlan &s, const ChokeResult &c)
{
    if (!c.anyFits)
        return "no core takes one turn of " + wireText(s.wire) + " in one layer";
    const ChokeDesign &d = c.nearest;
    const ChokeFigures &f = d.figures;
    std::string what = f.shortfall == ChokeImpedanceLow
                           ? "|Z| falls to " + significant(f.leastImpedanceOhms) + " ohms at " +
                                 significant(f.leastImpedanceHz / 1e6) + " MHz, against " +
                                 significant(s.target.impedanceOhms, 6)
                       : f.shortfall == ChokeResistanceLow
                           ? "R falls to " + significant(f.leastResistanceOhms) + " ohms at " +
                                 significant(f.leastResistanceHz / 1e6) + " MHz, against " +
                                 significant(s.target.resistanceOhms, 6)
                           : "the core rises " + significant(f.riseKelvin, 3) + " K at " +
                                 significant(f.lossHz / 1e6) + " MHz, against " + significant(s.maxRiseKelvin, 6);
    return "no design holds the target; nearest: " + stackName(d.name, d.core.stack) + " with " +
           std::to_string(d.turns) + " turns, whose " + what;
}

static std::pair<Lines, Lines> chokeLines(const ChokePlan &s, const ChokeResult &c);

Json chokeJson(const ChokePlan &s, const ChokeResult &c)
{
    Json target = {{"minImpedanceOhms", s.target.impedanceOhms > 0 ? Json(s.target.impedanceOhms) : Json(nullptr)},
                   {"minResistanceOhms", s.target.resistanceOhms > 0 ? Json(s.target.resistanceOhms) : Json(nullptr)},
                   {"lowMHz", s.lowMhz},
                   {"highMHz", s.highMhz},
                   {"points", s.points},
                   {"tolerancePercent", s.tolerancePercent}};
    if (s.driven) {
        addDriveJson(s.given, &target);
        target["dutyPercent"] = s.dutyPercent;
        target["maxRiseKelvin"] = s.maxRiseKelvin;
    }
    Json designs = Json::array();
    for (size_t i = 0; i < designsOffered(c.designs.size(), s.all); i++)
        designs.push_back(designJson(s, c.designs[i]));
    Json j = {{"target", target}, {"wire", wireJson(s.wire)}, {"designs", designs}, {"found", c.designs.size()},
              {"searched", c.searched}};
    j["nearest"] = c.designs.empty() ? Json(nearestText(s, c)) : Json(nullptr);
    j["warnings"] = c.warnings;
    auto [before, after] = chokeLines(s, c);
    before.insert(before.end(), after.begin(), after.end());
    j["summary"] = linesJson(before);
    return j;
}

// The answer's lines before its table of designs and after it, as its text
// and its JSON's summary give them.
static std::pair<Lines, Lines> chokeLines(const ChokePlan &s, const ChokeResult &c)
{
    std::string target;
    if (s.target.impedanceOhms > 0)
        target = "|Z| at least " + significant(s.target.impedanceOhms, 6) + " ohms";
    if (s.target.resistanceOhms > 0)
        target += (target.empty() ? "" : " and ") + std::string("R at least ") +
                  significant(s.target.resistanceOhms, 6) + " ohms";
    Lines lines = {
        {"Target", target + " from " + significant(s.lowMhz, 6) + " to " + significant(s.highMhz, 6) + " MHz (" +
                       std::to_string(s.points) + " frequencies), the permeability within +/- " +
                       significant(s.tolerancePercent, 6) + " % of the typical curve"},
    };
    if (s.driven) {
        std::string drive = s.given.byCurrent ? significant(s.given.amps, 6) + " A rms through the choke"
                                              : (s.given.byPower ? significant(s.given.watts, 6) + " W into " +
                                                                       significant(s.given.ohms, 6) + " ohms: "
                                                                 : "") +
                                                    significant(s.given.vrms) + " V rms across the choke";
        if (s.dutyPercent < 100)
            drive += ", " + significant(s.dutyPercent, 6) + " % of the time";
        lines.push_back({"Drive", drive + "; the core may rise " + significant(s.maxRiseKelvin, 6) + " K"});
    }
    lines.push_back({"Wire", wireText(s.wire) + ", the turns in one layer"});
    if (s.driven && !s.given.byCurrent)
        for (const auto &v : voltageLines(s.wire, oneWinding(s.given.vrms, 0)))
            lines.push_back(v);
    lines.push_back({"Capacitance", s.capacitance.given ? capacitanceText(capacitanceFor(s.capacitance, {}))
                                                        : std::string("each core's self-capacitance model") +
                                                              (s.capacitance.strayPf > 0
                                                                   ? " plus " + significant(s.capacitance.strayPf, 6) +
                                                                         " pF stray"
                                                                   : "") +
                                                              "; the self-resonance's range for C_s/3.5 to 2 C_s"});
    size_t shown = designsOffered(c.designs.size(), s.all);
    lines.push_back({"Searched", std::to_string(c.searched) + " cores and stacks: " +
                                     std::to_string(c.designs.size()) + " designs" +
                                     (shown < c.designs.size() ? ", the best " + std::to_string(shown) + " (--all: "
                                                                     "every one)"
                                                               : "")});
    if (c.designs.empty())
        lines.push_back({"Nearest", nearestText(s, c)});
    Lines after;
    for (const std::string &w : c.warnings)
        after.push_back({"Warning", w});
    after.push_back({"Data", s.curve ? std::string("the curve given with --curve")
                                     : "the makers' typical curves (Fair-Rite); R and |Z| held at the tolerance's "
                                       "ends and the typical curve"});
    return {lines, after};
}

std::string chokeText(const ChokePlan &s, const ChokeResult &c)
{
    const auto [lines, after] = chokeLines(s, c);
    size_t shown = designsOffered(c.designs.size(), s.all);
    std::string text = captioned(lines);
    if (shown) {
        Table t;
        t.rows.push_back({"core", "stack", "turns", "C pF", "least |Z|", "at MHz", "least R", "at MHz",
                          "self-res. MHz", "C_s/3.5 to 2 C_s", "loss W", "rise K"});
        for (size_t i = 0; i < shown; i++) {
            const ChokeDesign &d = c.designs[i];
            const ChokeFigures &f = d.figures;
            auto mhz = [](double hz) { return hz > 0 ? significant(hz / 1e6, 3) : std::string("-"); };
            t.rows.push_back({d.name, std::to_string(d.core.stack), std::to_string(d.turns),
                              significant(d.capacitance.pf, 3), significant(f.leastImpedanceOhms),
                              significant(f.leastImpedanceHz / 1e6, 3), significant(f.leastResistanceOhms),
                              significant(f.leastResistanceHz / 1e6, 3), mhz(d.resonanceHz),
                              d.capacitance.from == CapacitanceGiven
                                  ? "-"
                                  : mhz(d.resonanceLowHz) + " to " + mhz(d.resonanceHighHz),
                              s.driven ? significant(f.lossWatts, 3) : "-",
                              s.driven ? significant(f.riseKelvin, 3) : "-"});
        }
        text += "\n" + t.render(false);
    }
    return text + "\n" + captioned(after);
}

} // namespace cli
