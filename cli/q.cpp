// q: the Q of a single-layer winding, the copper's (skin and proximity) and
// the core's, over a frequency or a band; or the cores and mixes that hold
// the most Q for an inductance. The model is design/q's, the search
// design/search's.
#include "cli/q.h"

#include <algorithm>
#include <cmath>

#include "cli/layout.h"
#include "cli/refusals.h"
#include "design/capacitance.h"
#include "design/search.h"

namespace cli {

using namespace design;

const char QModel[] =
    "Q = X / (R_copper + R_core): the copper at DC, by the round wire's skin effect (exact) and by Dowell's "
    "one-layer factor at the turns' local pitch (never below the skin ratio); the core by iron's loss fit "
    "(small signal: pi / (mu0 mu(f) d f)) or ferrite's mu''/mu'; measured near the self-resonance: "
    "Q (1 - (f/f_r)^2)";
const char QEstimate[] = "an estimate: about +/- 25 % at HF for a genuine core";
// Beyond this share of the self-resonance the measured Q's factor is rough.
const double QResonanceShare = 0.8;

// The frequencies of a band, or the one frequency.
static std::vector<double> frequencies(const QPlan &q)
{
    return q.lowMhz < q.highMhz ? logSweep(q.lowMhz * 1e6, q.highMhz * 1e6, q.points)
                                : std::vector<double>{q.lowMhz * 1e6};
}

// Where the turns for an inductance are worked out: the band's middle.
static double middleHz(const QPlan &q)
{
    return std::sqrt(q.lowMhz * q.highMhz) * 1e6;
}

// The whole turns nearest to L on the core at hz (0: under one turn).
static long turnsFor(const FrequencyCore &c, double uh, double hz)
{
    const double perTurn = frequencyPoint(c, 1, hz, 0).z.imag() / (2 * Pi * hz) * 1e6;
    const double n = std::sqrt(uh / perTurn);
    return n < 0.5 ? 0 : n >= TurnsLimit ? TurnsLimit : std::lround(n);
}

static bool thickestWire(const FrequencyCore &c, long turns, Wire *w)
{
    return cli::thickestWire(c.size->insideDiameter, turns, w);
}

bool readQ(const QRequest &r, QPlan *plan, Failure *failure)
{
    QPlan &q = *plan;
    int stack = DefaultStack;
    if (!readFrequencies(r.mhz.text, &q.lowMhz, &q.highMhz, failure) ||
        (r.uh.given && !readNumber(r.uh.text, "--uh", &q.uh, failure)) ||
        (r.vrms.given && !readNumber(r.vrms.text, "--vrms", &q.vrms, failure)) ||
        !readStack(r.stack, "--stack", &stack, failure) || !readCapacitanceRule(r.capacitance, &q.capacitance, failure))
        return false;
    q.points = q.lowMhz < q.highMhz ? DefaultSearchPoints : 1;
    if (r.points.given) {
        if (!(q.lowMhz < q.highMhz))
            return refuse<PointsNeedRange>(failure);
        if (!readWhole(r.points.text, "--points", SweepPointsLeast, SearchPointsMost, PointsCount, &q.points, failure))
            return false;
    }
    if (r.uh.given && !finitePositive(q.uh))
        return refuse<UhAboveZero>(failure);
    if (r.vrms.given && !finitePositive(q.vrms))
        return refuse<DriveAboveZero>(failure);
    // Without a size q takes each core's thickest gauge, which no diameter
    // over an insulation can stand over.
    const bool sized = r.wire.awg.given || r.wire.wireMm.given;
    if (r.wire.overallMm.given && !sized)
        return refuseAt(failure, "--overall-mm", InsulationNeedsSize, {"--overall-mm"});
    q.wireGiven = sized;
    if (q.wireGiven && !readWire(r.wire, &q.wire, failure))
        return false;
    q.all = r.all;
    q.oneWinding = !r.core.size.empty();

    if (!q.oneWinding) {
        if (r.turns.given || r.curve.given || r.stack.given)
            return refuse<BuildOptions>(failure, "--turns, --curve or --stack");
        if (!r.uh.given)
            return refuse<QSearchNeedsUh>(failure);
        // Every iron size and mix the catalogue has an AL and a fit for, and
        // every ferrite size with a curve over the band.
        for (int s = 0; s < IronCatalogue.sizeCount; s++)
            for (int m = 0; m < IronCatalogue.materialCount; m++) {
                NamedCore c;
                const std::string size = IronCatalogue.sizes[s].code, mix = IronCatalogue.materials[m].code;
                if (frequencyCore(CorePowderedIron, size, mix, &c) != CoreFound || !c.iron)
                    continue;
                c.name = coreName(CorePowderedIron, size, mix);
                q.cores.push_back(c);
                q.families.push_back(CorePowderedIron);
            }
        std::vector<FrequencyCore> ferrite;
        Failure none; // no ferrite's curve over the band: iron alone
        if (!readSearchCandidates({}, {}, 1, 1, q.lowMhz, q.highMhz, &ferrite, &none))
            ferrite.clear();
        for (const FrequencyCore &f : ferrite) {
            NamedCore c;
            static_cast<FrequencyCore &>(c) = f;
            c.name = coreName(CoreFerrite, f.size->code, f.data->code);
            q.cores.push_back(c);
            q.families.push_back(CoreFerrite);
        }
        return true;
    }

    if (r.turns.given == r.uh.given)
        return refuse<QTurnsOrUh>(failure);
    NamedCore core;
    CoreType family;
    int turns = 0;
    if ((r.turns.given &&
         !readWhole(r.turns.text, "--turns", 1, (int)TurnsLimit - 1, TurnsWholeRange, &turns, failure)) ||
        !readFamily(r.core.family, &family, failure) || !readFrequencyCoreOrCurve(r.core, r.curve, &core, failure) ||
        !withinData(core, q.lowMhz, q.highMhz, failure))
        return false;
    stackCores(&core, stack);
    const std::string name = stackName(core.name, stack);
    q.turns = turns;
    if (r.uh.given) {
        q.turns = turnsFor(core, q.uh, middleHz(q));
        const double one = frequencyPoint(core, 1, middleHz(q), 0).z.imag() / (2 * Pi * middleHz(q)) * 1e6;
        if (q.turns < 1)
            return refuse<InductanceBelowOneTurn>(failure, significant(q.uh, 6), name, significant(one, 4));
        Wire any;
        if (!thickestWire(core, q.turns, &any))
            return refuse<InductanceTooManyTurns>(failure, significant(q.uh, 6), std::to_string(q.turns), name);
    }
    if (q.wireGiven) {
        if (mostTurns(core.size->insideDiameter, q.wire.fitInches()) < q.turns)
            return refuseAt(failure, r.wire.awg.given ? "--awg" : "--wire-mm", WireDoesNotFit,
                            {(r.wire.awg.given ? "--awg " + r.wire.awg.text : "--wire-mm " + r.wire.wireMm.text) +
                                 (r.wire.insulation.given ? " --insulation " + r.wire.insulation.text : "") +
                                 (r.wire.overallMm.given ? " --overall-mm " + r.wire.overallMm.text : ""),
                             significant(q.wire.fitInches() * MillimetresPerInch, 4), std::to_string(q.turns), name});
    } else if (!thickestWire(core, q.turns, &q.wire))
        return refuse<TurnsNoWire>(failure, std::to_string(q.turns), name);
    q.cores = {core};
    q.families = {family};
    return true;
}

// The winding of N turns of w on the core over the frequencies.
static QWinding winding(const QPlan &q, const NamedCore &core, CoreType family, long turns, const Wire &w,
                        const std::vector<double> &hz)
{
    QWinding d;
    d.core = core;
    d.family = family;
    d.turns = turns;
    d.wire = w;
    d.capacitance = capacitanceFor(q.capacitance, core.outline);
    d.resonanceHz = selfResonanceHz(core, (double)turns, d.capacitance.pf);
    d.worstQ = INFINITY, d.peakQ = -1;
    for (double h : hz) {
        d.points.push_back(windingQ(core, (double)turns, w.mm, h, q.vrms, d.resonanceHz));
        const QPoint &p = d.points.back();
        if (p.qMeasured < d.worstQ)
            d.worstQ = p.qMeasured, d.worstQHz = h;
        if (p.qMeasured > d.peakQ)
            d.peakQ = p.qMeasured, d.peakQHz = h;
    }
    return d;
}

// Whether the maker meant the material for hz: powdered iron's usable
// range, ferrite's tuned-circuit range (the window's).
static bool inMakersRange(const QWinding &d, double hz)
{
    const CoreFamilyTable &t = catalogueOf(d.family);
    if (d.core.curve || (!d.core.data && !d.core.iron))
        return false; // a curve of the user's, or iron without its fit: no maker's range
    const int m = codeIndex(t, d.core.data ? d.core.data->code : d.core.iron->mix, false);
    if (m < 0)
        return false;
    const CoreMaterial &mat = t.materials[m];
    const double mhz = hz / 1e6;
    return d.family == CoreFerrite ? mat.tunedHighMHz > 0 && mhz >= mat.tunedLowMHz && mhz <= mat.tunedHighMHz
                                   : mhz >= mat.rangeLowMHz && mhz <= mat.rangeHighMHz;
}

static void addWarnings(const QPlan &q, QResult *r)
{
    const QWinding &d = r->windings[0];
    const std::vector<double> hz = frequencies(q);
    size_t outside = 0;
    for (double h : hz)
        outside += !inMakersRange(d, h);
    if (outside)
        r->warnings.push_back(std::to_string(outside) + " of the " + std::to_string(hz.size()) +
                              " frequencies lie outside the maker's range for the material (iron: its usable "
                              "range; ferrite: its tuned-circuit range)");
    if (d.resonanceHz > 0 && hz.back() > QResonanceShare * d.resonanceHz)
        r->warnings.push_back("the band reaches past " + significant(QResonanceShare) + " of the self-resonance (" +
                              significant(d.resonanceHz / 1e6) + " MHz): the measured Q's (1 - (f/f_r)^2) is rough "
                              "there, and at f_r and above it is 0");
    if (!d.core.data && q.vrms == 0)
        r->warnings.push_back("powdered iron's small-signal Q_core extrapolates the maker's loss fit, made at power "
                              "levels, to small signals");
    for (const QPoint &p : d.points)
        if (!p.withinFit) {
            r->warnings.push_back("the iron's loss fit does not take the drive's flux density everywhere: its "
                                  "hysteresis there is left out");
            break;
        }
    if (d.core.data)
        for (double h : hz)
            if (permeabilityAt(*d.core.data, h).imag < 1) {
                r->warnings.push_back("mu'' is under 1 at " + significant(h / 1e6) + " MHz: near what the maker "
                                      "can measure, so Q_core there is uncertain");
                break;
            }
    std::vector<std::string> c = capacitanceWarnings(d.capacitance, (double)d.turns);
    r->warnings.insert(r->warnings.end(), c.begin(), c.end());
    if (q.vrms > 0)
        for (const std::string &w : voltageWarnings(d.wire, oneWinding(q.vrms, (double)d.turns)))
            r->warnings.push_back(w);
}

QResult runQ(const QPlan &q)
{
    QResult r;
    const std::vector<double> hz = frequencies(q);
    if (q.oneWinding) {
        r.windings.push_back(winding(q, q.cores[0], q.families[0], q.turns, q.wire, hz));
        r.searched = 1;
        addWarnings(q, &r);
        return r;
    }
    // Each candidate's turns for the inductance and its wire, through the
    // one search (its test: at least those turns, monotone); then ranked by
    // the worst Q over the band.
    std::vector<FrequencyCore> cores(q.cores.begin(), q.cores.end());
    std::vector<long> need(cores.size());
    std::vector<Wire> wires(cores.size(), q.wire);
    SearchOutcome found = searchDesigns(
        cores,
        [&](size_t i) {
            need[i] = turnsFor(cores[i], q.uh, middleHz(q));
            const bool fits = need[i] >= 1 && (q.wireGiven ? mostTurns(cores[i].size->insideDiameter, q.wire.fitInches()) >=
                                                                 need[i]
                                                           : thickestWire(cores[i], need[i], &wires[i]));
            return SearchTrial{fits ? need[i] : 0, [&, i](long n) { return n >= need[i]; },
                               [](long) { return 0.0; }};
        },
        TurnsMonotone, [](long most) { return std::vector<long>{most}; });
    r.searched = found.searched;
    for (const SearchFound &f : found.designs)
        r.windings.push_back(winding(q, q.cores[f.core], q.families[f.core], f.turns, wires[f.core], hz));
    std::stable_sort(r.windings.begin(), r.windings.end(),
                     [](const QWinding &a, const QWinding &b) { return a.worstQ > b.worstQ; });
    if (!r.windings.empty()) {
        const double best = r.windings[0].worstQ;
        for (QWinding &w : r.windings)
            w.aboutEqual = best - w.worstQ < QSpread * best;
    }
    if (q.vrms > 0 && q.wireGiven)
        r.warnings = voltageWarnings(q.wire, oneWinding(q.vrms, 0));
    return r;
}

// ---- The answer ---------------------------------------------------------------

static Json pointJson(const QWinding &d, const QPoint &p)
{
    return {{"frequencyMHz", p.hz / 1e6},
            {"inductanceMicrohenry", p.inductanceHenry * 1e6},
            {"reactanceOhms", p.reactanceOhms},
            {"dcResistanceOhms", p.copper.dcOhms},
            {"copperResistanceOhms", p.copper.ohms},
            {"copperResistanceSkinOnlyOhms", p.copper.skinOhms},
            {"coreResistanceOhms", p.coreOhms},
            {"qCopper", p.qCopper},
            {"qCore", finiteOrNull(p.qCore)},
            {"q", p.q},
            {"qSkinOnly", p.qSkinOnly},
            {"qMeasured", p.qMeasured},
            {"inMakersRange", inMakersRange(d, p.hz)}};
}

// A winding's row; at a drive, with its voltages.
static Json designJson(const QWinding &d, double vrms)
{
    Json j = {{"core", stackName(d.core.name, d.core.stack)},
              {"family", familyName(d.family)},
              {"size", d.core.size->code},
              {"material", d.core.curve || (!d.core.data && !d.core.iron)
                               ? Json(nullptr)
                               : Json(d.core.data ? d.core.data->code : d.core.iron->mix)},
              {"stack", d.core.stack},
              {"turns", d.turns}};
    if (d.wire.awg)
        j["awg"] = d.wire.awg;
    else
        j["wireMm"] = d.wire.mm;
    j["worstQ"] = d.worstQ;
    j["worstQMHz"] = d.worstQHz / 1e6;
    j["peakQ"] = d.peakQ;
    j["peakQMHz"] = d.peakQHz / 1e6;
    j["selfResonantFrequencyMHz"] = mhzOrNull(d.resonanceHz);
    j["aboutEqual"] = d.aboutEqual;
    if (vrms > 0)
        j["voltages"] = voltagesJson(d.wire, oneWinding(vrms, (double)d.turns));
    return j;
}

static std::pair<Lines, Lines> qSummary(const QPlan &q, const QResult &r);

Json qJson(const QPlan &q, const QResult &r)
{
    Json j = {{"model", QModel}, {"estimate", QEstimate}, {"lowMHz", q.lowMhz}, {"highMHz", q.highMhz},
              {"vrms", q.vrms > 0 ? Json(q.vrms) : Json(nullptr)},
              {"inductanceMicrohenryAsked", q.uh > 0 ? Json(q.uh) : Json(nullptr)}};
    if (q.oneWinding) {
        const QWinding &d = r.windings[0];
        Json core = designJson(d, 0);
        j["core"] = core["core"];
        j["family"] = core["family"];
        j["size"] = core["size"];
        j["material"] = core["material"];
        j["stack"] = core["stack"];
        j["turns"] = d.turns;
        j["turnsFrom"] = q.uh > 0 ? "--uh" : "--turns";
        j["wire"] = wireJson(d.wire);
        if (q.vrms > 0)
            j["voltages"] = voltagesJson(d.wire, oneWinding(q.vrms, (double)d.turns));
        addCapacitanceJson(d.capacitance, &j);
        j["selfResonantFrequencyMHz"] = mhzOrNull(d.resonanceHz);
        j["peakQ"] = d.peakQ;
        j["peakQMHz"] = d.peakQHz / 1e6;
        j["worstQ"] = d.worstQ;
        Json points = Json::array();
        for (const QPoint &p : d.points)
            points.push_back(pointJson(d, p));
        j["points"] = points;
    } else {
        Json designs = Json::array();
        const size_t shown = designsOffered(r.windings.size(), q.all);
        for (size_t i = 0; i < shown; i++)
            designs.push_back(designJson(r.windings[i], q.vrms));
        j["designs"] = designs;
        j["found"] = r.windings.size();
        j["searched"] = r.searched;
    }
    j["warnings"] = r.warnings;
    auto [before, after] = qSummary(q, r);
    before.insert(before.end(), after.begin(), after.end());
    j["summary"] = linesJson(before);
    return j;
}

static std::pair<Lines, Lines> qSummary(const QPlan &q, const QResult &r)
{
    Lines lines = {{"Model", QModel},
                   {"Band", q.lowMhz < q.highMhz ? significant(q.lowMhz, 6) + " to " + significant(q.highMhz, 6) +
                                                       " MHz (" + std::to_string(q.points) + " frequencies)"
                                                 : significant(q.lowMhz, 6) + " MHz"},
                   {"Drive", q.vrms > 0 ? significant(q.vrms, 6) + " V rms across the winding" : "small signal"}};
    if (q.oneWinding) {
        const QWinding &d = r.windings[0];
        const QPoint &p = d.points[d.points.size() / 2];
        lines.insert(lines.end(),
                     {coreLine(d.core),
                      {"Turns", std::to_string(d.turns) +
                                    (q.uh > 0 ? " (the nearest whole turns to " + significant(q.uh, 6) + " uH at " +
                                                    significant(middleHz(q) / 1e6) + " MHz)"
                                              : "")},
                      {"Wire", wireText(d.wire)},
                      {"Capacitance", capacitanceText(d.capacitance) + "; self-resonance " +
                                          (d.resonanceHz > 0 ? significant(d.resonanceHz / 1e6) + " MHz" : "none")},
                      {"At " + significant(p.hz / 1e6) + " MHz",
                       "L " + significant(p.inductanceHenry * 1e6) + " uH, X " + significant(p.reactanceOhms) +
                           " ohms; R_dc " + significant(p.copper.dcOhms * 1e3) + " mohm, copper " +
                           significant(p.copper.ohms * 1e3) + " mohm (skin alone " +
                           significant(p.copper.skinOhms * 1e3) + "), core " + significant(p.coreOhms * 1e3) +
                           " mohm"},
                      {"Q there", significant(p.q, 3) + " (copper " + significant(p.qCopper, 3) + ", core " +
                                      (std::isfinite(p.qCore) ? significant(p.qCore, 3) : std::string("-")) +
                                      "); with the copper by skin alone " + significant(p.qSkinOnly, 3) +
                                      " (an upper bound); measured near the self-resonance " +
                                      significant(p.qMeasured, 3)},
                      {"Peak Q", significant(d.peakQ, 3) + " at " + significant(d.peakQHz / 1e6) +
                                     " MHz (as measured); the least " + significant(d.worstQ, 3) + " at " +
                                     significant(d.worstQHz / 1e6) + " MHz"}});
        if (q.vrms > 0)
            for (const auto &v : voltageLines(d.wire, oneWinding(q.vrms, (double)d.turns)))
                lines.push_back(v);
    } else {
        const size_t shown = designsOffered(r.windings.size(), q.all);
        lines.push_back({"Inductance", significant(q.uh, 6) + " uH, the turns for it at " +
                                           significant(middleHz(q) / 1e6) + " MHz"});
        lines.push_back({"Wire", q.wireGiven ? wireText(q.wire)
                                             : "on each core the thickest gauge that fits one layer"});
        lines.push_back({"Searched", std::to_string(r.searched) + " cores (every iron size and mix, every ferrite "
                                     "with a curve over the band): " + std::to_string(r.windings.size()) +
                                     " take the inductance in one layer" +
                                     (shown < r.windings.size()
                                          ? ", the best " + std::to_string(shown) + " (--all: every one)"
                                          : "")});
        lines.push_back({"Ranked", "by the least Q over the band as measured; \"about equal\": within " +
                                       significant(QSpread * 100) + " % of the best, which the model cannot tell "
                                       "apart"});
    }
    lines.push_back({"Estimate", QEstimate});
    Lines after;
    for (const std::string &w : r.warnings)
        after.push_back({"Warning", w});
    after.push_back({"Data", "the makers' curve fits (Micrometals) and typical curves (Fair-Rite); copper "
                             "1.724e-8 ohm m at 20 C; left out: the leads' loss and the core's temperature"});
    return {lines, after};
}

std::string qText(const QPlan &q, const QResult &r)
{
    const auto [lines, after] = qSummary(q, r);
    std::string text = captioned(lines) + "\n";
    Table table;
    if (q.oneWinding) {
        table.rows.push_back({"MHz", "L uH", "X ohms", "R_dc mohm", "copper mohm", "core mohm", "Q copper", "Q core",
                              "Q", "Q skin", "Q measured"});
        for (const QPoint &p : r.windings[0].points)
            table.rows.push_back({significant(p.hz / 1e6), significant(p.inductanceHenry * 1e6),
                                  significant(p.reactanceOhms), significant(p.copper.dcOhms * 1e3),
                                  significant(p.copper.ohms * 1e3), significant(p.coreOhms * 1e3),
                                  significant(p.qCopper, 3),
                                  std::isfinite(p.qCore) ? significant(p.qCore, 3) : std::string("-"),
                                  significant(p.q, 3), significant(p.qSkinOnly, 3), significant(p.qMeasured, 3)});
    } else {
        table.rows.push_back({"core", "turns", "wire", "least Q", "at MHz", "peak Q", "at MHz", "self-resonance MHz", ""});
        const size_t shown = designsOffered(r.windings.size(), q.all);
        for (size_t i = 0; i < shown; i++) {
            const QWinding &d = r.windings[i];
            table.rows.push_back({stackName(d.core.name, d.core.stack), std::to_string(d.turns),
                                  d.wire.awg ? "AWG " + std::to_string(d.wire.awg) : significant(d.wire.mm) + " mm",
                                  significant(d.worstQ, 3), significant(d.worstQHz / 1e6), significant(d.peakQ, 3),
                                  significant(d.peakQHz / 1e6),
                                  d.resonanceHz > 0 ? significant(d.resonanceHz / 1e6) : std::string("-"),
                                  d.aboutEqual ? "about equal" : ""});
        }
    }
    if (table.rows.size() > 1)
        text += "\n" + table.render(false);
    return text + "\n" + captioned(after);
}

} // namespace cli
