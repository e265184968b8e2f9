// transformer: an impedance transformer at power on a ferrite core over a
// band, one build or a search for the cores and fewest primary turns that
// hold a loss limit. The model is design/transformer's, the search
// design/search's.
#include "cli/transformer.h"

#include <algorithm>
#include <cmath>

#include "cli/layout.h"
#include "cli/refusals.h"
#include "design/search.h"

namespace cli {

using namespace design;

const char TransformerModel[] =
    "flux-coupled, matched: the primary winding on its core (with its capacitance) across the low side's Z "
    "ohms; V = sqrt(W Z), the core takes Z Re(1/Zm) of the power, B = sqrt(2) V / (2 pi f P Ae); the match "
    "primary-referred: a shunt C across the port, Zm, then the leakage in series with the load R/n^2 and the "
    "secondary's own capacitance n^2 C_sec (Duffy's model)";

// The largest shunt capacitor --best-shunt tries.
const double MostShuntPf = 1000;

// P:S in whole turns, S at least P.
static bool readTurnsPair(const std::string &text, long *primary, long *secondary, Failure *failure)
{
    size_t colon = text.find(':');
    double p = 0, s = 0;
    if (colon == std::string::npos || !readPlainNumber(text.substr(0, colon), &p) ||
        !readPlainNumber(text.substr(colon + 1), &s) || !(p >= 1 && p == std::floor(p) && p < TurnsLimit) ||
        !(s >= p && s == std::floor(s) && s < TurnsLimit))
        return refuse<TransformerTurns>(failure, text);
    *primary = (long)p, *secondary = (long)s;
    return true;
}

static MatchCircuit matchCircuit(const TransformerPlan &t, const TransformerDesign &d)
{
    MatchCircuit c;
    c.leakageHenry = t.leakageNh * 1e-9;
    c.secondaryFarad = d.secondaryPf * 1e-12;
    c.shuntFarad = t.shuntPf * 1e-12;
    c.loadOhms = t.ratio * t.ohms;
    c.turnsRatio = (double)d.secondary / d.primary;
    c.sourceOhms = t.ohms;
    return c;
}

static TransformerDesign build(const TransformerPlan &t, const FrequencyCore &core, const std::string &name,
                               long primary, const std::vector<double> &hz)
{
    TransformerDesign d;
    d.core = core;
    d.name = name;
    d.primary = primary;
    d.secondary = secondaryTurns(primary, t.ratio);
    d.capacitance = capacitanceFor(t.capacitance, core.outline);
    d.figures = transformerFigures(core, primary, hz, d.capacitance.pf, {t.watts, t.ohms, t.dutyPercent / 100});
    d.fit = windingsFit(core, t.wire.fitInches(), d.primary, d.secondary, t.autotransformer);
    // The port's match: the load the ratio is meant for, R Z, on the secondary.
    d.secondaryPf = t.secondaryGiven ? t.secondaryPf : d.capacitance.pf;
    const MatchCircuit circuit = matchCircuit(t, d);
    d.worstSwr = 1;
    for (const TransformerPoint &p : d.figures.points) {
        d.match.push_back(transformerMatch(p.zm, p.hz, circuit, t.watts));
        d.worstSwr = std::max(d.worstSwr, d.match.back().swr);
    }
    return d;
}

// The windings' volts at the power: the primary's sqrt(P R), the secondary's
// S/P times it (an autotransformer's from its cold end to its hot one).
static std::vector<WindingVolts> windingVolts(const TransformerPlan &t, const TransformerDesign &d)
{
    const double primary = voltageFromPower(t.watts, t.ohms);
    design::WindingVoltage p, s;
    p.rms = p.endToEndRms = primary;
    p.turns = (double)d.primary;
    s.rms = s.endToEndRms = primary * (double)d.secondary / (double)d.primary;
    s.turns = (double)d.secondary;
    return {{"primary", p}, {"secondary", s}};
}

static double worstPercent(const TransformerDesign &d)
{
    return d.figures.points[d.figures.worst].lossFraction * 100;
}

// How far a build is from the limits: the worst of limit/loss, limit/rise
// and limit/SWR, 1 or more holding them.
static double margin(const TransformerPlan &t, const TransformerDesign &d)
{
    return std::min({t.maxLossPercent / worstPercent(d), t.maxRiseKelvin / d.figures.riseKelvin, t.maxSwr / d.worstSwr});
}

// The match's options: the leakage, the capacitors and the SWR a search holds.
static bool readMatch(const TransformerRequest &r, TransformerPlan *t, Failure *failure)
{
    t->maxSwr = DefaultMaxSwr;
    t->secondaryGiven = r.secondaryPf.given;
    t->bestShunt = r.bestShunt;
    if ((r.leakageNh.given && !readNumber(r.leakageNh.text, "--leakage-nh", &t->leakageNh, failure)) ||
        (r.secondaryPf.given && !readNumber(r.secondaryPf.text, "--secondary-pf", &t->secondaryPf, failure)) ||
        (r.shuntPf.given && !readNumber(r.shuntPf.text, "--shunt-pf", &t->shuntPf, failure)) ||
        (r.maxSwr.given && !readNumber(r.maxSwr.text, "--max-swr", &t->maxSwr, failure)))
        return false;
    if (!(t->leakageNh >= 0 && std::isfinite(t->leakageNh)))
        return refuse<LeakageNotNegative>(failure);
    if (!(t->secondaryPf >= 0 && std::isfinite(t->secondaryPf)))
        return refuse<CapacitanceNotNegative>(failure, "--secondary-pf");
    if (!(t->shuntPf >= 0 && std::isfinite(t->shuntPf)))
        return refuse<CapacitanceNotNegative>(failure, "--shunt-pf");
    if (!(t->maxSwr > 1 && std::isfinite(t->maxSwr)))
        return refuse<MaxSwrAboveOne>(failure);
    return true;
}

bool readTransformer(const TransformerRequest &r, TransformerPlan *plan, Failure *failure)
{
    TransformerPlan &t = *plan;
    t.ohms = DefaultOhms, t.maxLossPercent = DefaultMaxLossPercent, t.maxRiseKelvin = DefaultMaxRiseKelvin;
    t.points = DefaultSearchPoints;
    long primary = 0, secondary = 0;
    int leastStack = DefaultStack, mostStack = DefaultStack;
    if (!readBand(r.mhz.text, &t.lowMhz, &t.highMhz, failure) ||
        !readNumber(r.watts.text, "--watts", &t.watts, failure) || (r.ohms.given && !readNumber(r.ohms.text, "--ohms", &t.ohms, failure)) ||
        (r.ratio.given && !readNumber(r.ratio.text, "--ratio", &t.ratio, failure)) ||
        (r.turns.given && !readTurnsPair(r.turns.text, &primary, &secondary, failure)) ||
        (r.maxLoss.given && !readNumber(r.maxLoss.text, "--max-loss-percent", &t.maxLossPercent, failure)) ||
        (r.maxRise.given && !readNumber(r.maxRise.text, "--max-rise", &t.maxRiseKelvin, failure)) ||
        !readDuty(r.duty, &t.dutyPercent, failure) ||
        (r.points.given && !readWhole(r.points.text, "--points", SearchPointsLeast, SearchPointsMost, PointsCount, &t.points,
                    failure)) ||
        !readStack(r.stack, "--stack", &leastStack, failure) ||
        !readStack(r.maxStack, "--max-stack", &mostStack, failure) || !readWire(r.wire, &t.wire, failure) ||
        !readCapacitanceRule(r.capacitance, &t.capacitance, failure) || !readMatch(r, &t, failure))
        return false;
    if (r.primaryTurns.given) {
        int p = 0;
        if (!readWhole(r.primaryTurns.text, "--primary-turns", 1, (int)TurnsLimit - 1, TurnsPrimaryRange, &p, failure))
            return false;
        primary = p;
    }
    if (!r.ratio.given && !r.turns.given)
        return refuse<RatioOrTurns>(failure);
    if (r.ratio.given && !(t.ratio >= 1 && std::isfinite(t.ratio)))
        return refuse<RatioOneOrMore>(failure);
    t.ratioFromTurns = r.turns.given;
    if (r.turns.given)
        t.ratio = ((double)secondary / primary) * ((double)secondary / primary);
    if (!finitePositive(t.watts) || !finitePositive(t.ohms))
        return refuse<WattsAboveZero>(failure);
    if (!(t.maxLossPercent > 0 && t.maxLossPercent < 100))
        return refuse<MaxLossPercent>(failure);
    if (!finitePositive(t.maxRiseKelvin))
        return refuse<MaxRiseAboveZero>(failure);
    if (r.stack.given)
        mostStack = leastStack;
    t.autotransformer = r.autotransformer;
    t.all = r.all;

    // One build, or the candidates of a search.
    t.oneBuild = !r.core.size.empty();
    if (t.oneBuild && (r.sizes.given || r.materials.given || r.maxStack.given || r.maxLoss.given || r.maxSwr.given))
        return refuse<SearchOptions>(failure, "a build on --size",
                                     "--sizes, --materials, --max-stack, --max-loss-percent or --max-swr");
    if (!t.oneBuild && (r.leakageNh.given || r.secondaryPf.given || r.shuntPf.given || r.bestShunt))
        return refuse<BuildOptions>(failure, "--leakage-nh, --secondary-pf, --shunt-pf or --best-shunt");
    if (t.oneBuild) {
        CoreType family;
        if (!readFamily(r.core.family, &family, failure))
            return false;
        if (family == CorePowderedIron)
            return refuse<TransformerIron>(failure);
        NamedCore core;
        if (!readFrequencyCore(r.core, &core, failure) || !withinData(core, t.lowMhz, t.highMhz, failure))
            return false;
        if (!primary)
            return refuse<PrimaryTurnsNeeded>(failure);
        stackCores(&core, leastStack);
        t.cores = {core};
        t.name = core.name;
        t.primary = primary; // S of --turns is rounded back from the ratio
        return true;
    }
    return readSearchCandidates(r.sizes, r.materials, leastStack, mostStack, t.lowMhz, t.highMhz, &t.cores, failure);
}

// The shunt capacitor that makes the worst SWR over the band least, with
// the secondary's capacitance as modelled and at half and twice that; the
// build then takes it.
static void bestShunt(const TransformerPlan &s, const std::vector<double> &hz, TransformerResult *t)
{
    TransformerDesign &d = t->designs[0];
    std::vector<std::complex<double>> zm;
    for (const TransformerPoint &p : d.figures.points)
        zm.push_back(p.zm);
    MatchCircuit c = matchCircuit(s, d);
    const double secondary = c.secondaryFarad, most = MostShuntPf * 1e-12;
    t->bestShuntPf = bestShuntFarad(zm, hz, c, most, &t->bestSwr) * 1e12;
    double pf[2], swr[2];
    for (int i = 0; i < 2; i++) {
        c.secondaryFarad = secondary * (i ? 2 : 0.5);
        pf[i] = bestShuntFarad(zm, hz, c, most, &swr[i]) * 1e12;
    }
    t->bestShuntLowPf = std::min({pf[0], pf[1], t->bestShuntPf});
    t->bestShuntHighPf = std::max({pf[0], pf[1], t->bestShuntPf});
    t->bestSwrLow = std::min({swr[0], swr[1], t->bestSwr});
    t->bestSwrHigh = std::max({swr[0], swr[1], t->bestSwr});
    TransformerPlan with = s;
    with.shuntPf = t->bestShuntPf;
    d = build(with, d.core, d.name, d.primary, hz);
}

TransformerResult runTransformer(const TransformerPlan &s)
{
    TransformerResult t;
    const std::vector<double> hz = logSweep(s.lowMhz * 1e6, s.highMhz * 1e6, s.points);
    const std::vector<FrequencyCore> &cores = s.cores;
    if (s.oneBuild) {
        t.designs.push_back(build(s, cores[0], s.name, s.primary, hz));
        t.searched = 1;
        if (s.bestShunt)
            bestShunt(s, hz, &t);
    } else {
        // The loss (Z Re(1/Zm), Re(1/Zm) going as 1/P^2) and the rise fall
        // with the primary turns, but the SWR need not: an inductive Zm can
        // cancel the capacitances at the top of the band. Every count is
        // tried in turn; where none holds, the nearest a core comes at its
        // most turns.
        auto name = [](const FrequencyCore &c) { return coreName(CoreFerrite, c.size->code, c.data->code); };
        SearchOutcome found = searchDesigns(
            cores,
            [&](size_t i) {
                const FrequencyCore &c = cores[i];
                // The most primary turns whose windings fit; more never fit.
                long most = 0;
                while (windingsFit(c, s.wire.fitInches(), most + 1, secondaryTurns(most + 1, s.ratio), s.autotransformer))
                    most++;
                return SearchTrial{most, [&, i](long n) { return margin(s, build(s, cores[i], name(cores[i]), n, hz)) >= 1; },
                                   [&, i](long n) { return margin(s, build(s, cores[i], name(cores[i]), n, hz)); }};
            },
            TurnsAnyOrder, [](long most) { return std::vector<long>{most}; });
        t.searched = found.searched;
        for (const SearchFound &f : found.designs)
            t.designs.push_back(build(s, cores[f.core], name(cores[f.core]), f.turns, hz));
        const bool anyFits = found.anyFits;
        TransformerDesign near;
        if (t.designs.empty() && anyFits)
            near = build(s, cores[found.nearest.core], name(cores[found.nearest.core]), found.nearest.turns, hz);
        if (t.designs.empty()) {
            const TransformerDesign &d = near;
            const bool bySwr = anyFits && s.maxSwr / d.worstSwr < std::min(s.maxLossPercent / worstPercent(d),
                                                                             s.maxRiseKelvin / d.figures.riseKelvin);
            t.nearest = !anyFits ? "no core takes one primary turn and its secondary in one layer of " + wireText(s.wire)
                        : bySwr ? "no design holds the limits; nearest: " + stackName(d.name, d.core.stack) + " with " +
                                      std::to_string(d.primary) + ":" + std::to_string(d.secondary) +
                                      " turns, whose SWR reaches " + significant(d.worstSwr, 3) + ", against " +
                                      significant(s.maxSwr, 6)
                        : worstPercent(d) / s.maxLossPercent > d.figures.riseKelvin / s.maxRiseKelvin
                            ? "no design holds the limits; nearest: " + stackName(d.name, d.core.stack) + " with " +
                                  std::to_string(d.primary) + ":" + std::to_string(d.secondary) + " turns, whose loss is " +
                                  significant(worstPercent(d), 3) + " % at " +
                                  significant(d.figures.points[d.figures.worst].hz / 1e6) + " MHz, against " +
                                  significant(s.maxLossPercent, 6)
                            : "no design holds the limits; nearest: " + stackName(d.name, d.core.stack) + " with " +
                                  std::to_string(d.primary) + ":" + std::to_string(d.secondary) + " turns, whose core rises " +
                                  significant(d.figures.riseKelvin, 3) + " K, against " + significant(s.maxRiseKelvin, 6);
        }
    }

    // What the figures put in doubt, for what is shown.
    size_t shown = designsOffered(t.designs.size(), s.all || s.oneBuild);
    bool hot = false, lossy = false, flux = false, loose = false;
    for (size_t i = 0; i < shown; i++) {
        const TransformerDesign &d = t.designs[i];
        hot = hot || d.figures.riseKelvin > s.maxRiseKelvin;
        lossy = lossy || worstPercent(d) > 10;
        flux = flux || d.figures.peakTesla > CurveFluxTesla;
        loose = loose || !d.fit;
    }
    const TransformerDesign *one = s.oneBuild ? &t.designs[0] : nullptr;
    if (hot)
        t.warnings.push_back(one ? "the core will run hot: " + significant(one->figures.riseKelvin, 3) +
                                       " K at the worst frequency; a primary turn more, a second core or a lower duty "
                                       "lowers it"
                                 : "some designs run hotter than the limit");
    if (lossy)
        t.warnings.push_back(one ? "the core takes over 10 % of the power (" + significant(worstPercent(*one), 3) +
                                       " % at " + significant(one->figures.points[one->figures.worst].hz / 1e6) +
                                       " MHz): more primary turns or a larger core raise Zm"
                                 : "some designs lose over 10 % somewhere in the band");
    if (flux)
        t.warnings.push_back("the peak flux density is above the " + significant(CurveFluxTesla * 1e4) +
                             " gauss the makers' curves are measured under: at this flux a core takes more than "
                             "they say, and these figures are the least it takes");
    std::vector<std::vector<WindingVolts>> offered;
    for (size_t i = 0; i < shown; i++)
        offered.push_back(windingVolts(s, t.designs[i]));
    for (const std::string &w : one ? voltageWarnings(s.wire, windingVolts(s, *one))
                                    : designsOverRating(s.wire, offered, "windings"))
        t.warnings.push_back(w);
    if (loose && one)
        t.warnings.push_back(std::to_string(s.autotransformer ? one->secondary : one->primary + one->secondary) +
                             " turns do not fit in one layer of " + wireText(s.wire));
    if (one && one->worstSwr > s.maxSwr)
        t.warnings.push_back("the SWR reaches " + significant(one->worstSwr, 3) + " in the band: a shunt capacitor "
                             "across the primary (--best-shunt) or fewer primary turns' leakage lowers it at the top");
    if (s.leakageNh == 0)
        t.warnings.push_back(one ? "the match leaves out the leakage inductance: give it with --leakage-nh, measured "
                                   "at the primary with the secondary shorted (published: 190 to 285 nH for a 49:1 on "
                                   "an FT-240)"
                                 : "the match leaves out the leakage inductance, which grows with the primary turns: "
                                   "designs with many primary turns match worse than shown");
    return t;
}

// ---- The answer ---------------------------------------------------------------

static Json designJson(const TransformerPlan &t, const TransformerDesign &d)
{
    const TransformerFigures &f = d.figures;
    const TransformerPoint &low = f.points.front(), &worst = f.points[f.worst];
    double turnsRatio = (double)d.secondary / d.primary;
    Json j = {{"core", d.name},
              {"size", d.core.size->code},
              {"material", d.core.data->code},
              {"stack", d.core.stack},
              {"primaryTurns", d.primary},
              {"secondaryTurns", d.secondary},
              {"impedanceRatio", turnsRatio * turnsRatio},
              {"magnetizingResistanceOhms", low.zm.real()},
              {"magnetizingReactanceOhms", low.zm.imag()},
              {"reactanceRatioAtLow", low.reactanceRatio},
              {"worstLossPercent", worst.lossFraction * 100},
              {"worstLossMHz", worst.hz / 1e6},
              {"coreLossWatts", worst.coreWatts},
              {"temperatureRiseKelvin", f.riseKelvin},
              {"peakFluxDensityMilliTesla", f.peakTesla * 1e3},
              {"turnsFit", d.fit}};
    addCapacitanceJson(d.capacitance, &j);
    j["referredCapacitancePf"] = d.secondaryPf * turnsRatio * turnsRatio;
    j["worstSwr"] = std::isfinite(d.worstSwr) ? Json(d.worstSwr) : Json(nullptr);
    j["voltages"] = voltagesJson(t.wire, windingVolts(t, d));
    return j;
}

static Json pointJson(const TransformerPoint &p, const MatchPoint &m, bool shunt)
{
    Json j = {{"frequencyMHz", p.hz / 1e6},
              {"magnetizingResistanceOhms", p.zm.real()},
              {"magnetizingReactanceOhms", p.zm.imag()},
              {"reactanceRatio", p.reactanceRatio},
              {"lossPercent", p.lossFraction * 100},
              {"lossDb", finiteOrNull(p.lossDb)},
              {"coreLossWatts", p.coreWatts},
              {"inputResistanceOhms", m.zin.real()},
              {"inputReactanceOhms", m.zin.imag()},
              {"swr", finiteOrNull(m.swr)},
              {"returnLossDb", finiteOrNull(m.returnLossDb)},
              {"mismatchLossDb", finiteOrNull(m.mismatchLossDb)},
              {"totalLossDb", finiteOrNull(m.totalLossDb)}};
    if (shunt) {
        j["shuntVoltsRms"] = m.shuntVolts;
        j["shuntAmpsRms"] = m.shuntAmps;
    }
    return j;
}

static std::pair<Lines, Lines> transformerLines(const TransformerPlan &s, const TransformerResult &t);

Json transformerJson(const TransformerPlan &s, const TransformerResult &t)
{
    Json j = {{"model", TransformerModel},
              {"ratio", s.ratio},
              {"ratioFrom", s.ratioFromTurns ? "--turns" : "--ratio"},
              {"autotransformer", s.autotransformer},
              {"lowMHz", s.lowMhz},
              {"highMHz", s.highMhz},
              {"watts", s.watts},
              {"ohms", s.ohms},
              {"dutyPercent", s.dutyPercent},
              {"wire", wireJson(s.wire)}};
    if (s.oneBuild) {
        const TransformerDesign &d = t.designs[0];
        j["design"] = designJson(s, d);
        const double shunt = s.bestShunt ? t.bestShuntPf : s.shuntPf;
        j["match"] = {{"leakageNh", s.leakageNh}, {"secondaryPf", d.secondaryPf},
                      {"secondaryPfFrom", s.secondaryGiven ? "given" : "the winding's"}, {"shuntPf", shunt}};
        if (s.bestShunt) {
            j["bestShuntPf"] = t.bestShuntPf;
            j["bestShuntPfRange"] = {t.bestShuntLowPf, t.bestShuntHighPf};
            j["bestShuntSwr"] = t.bestSwr;
            j["bestShuntSwrRange"] = {t.bestSwrLow, t.bestSwrHigh};
        }
        Json points = Json::array();
        for (size_t i = 0; i < d.figures.points.size(); i++)
            points.push_back(pointJson(d.figures.points[i], d.match[i], shunt > 0));
        j["points"] = points;
    } else {
        j["limits"] = {{"maxLossPercent", s.maxLossPercent}, {"maxRiseKelvin", s.maxRiseKelvin}, {"maxSwr", s.maxSwr}};
        Json designs = Json::array();
        size_t shown = designsOffered(t.designs.size(), s.all);
        for (size_t i = 0; i < shown; i++)
            designs.push_back(designJson(s, t.designs[i]));
        j["designs"] = designs;
        j["found"] = t.designs.size();
        j["searched"] = t.searched;
        j["nearest"] = t.designs.empty() ? Json(t.nearest) : Json(nullptr);
    }
    j["warnings"] = t.warnings;
    auto [before, after] = transformerLines(s, t);
    before.insert(before.end(), after.begin(), after.end());
    j["summary"] = linesJson(before);
    return j;
}

// The answer's lines before its table and after it, as its text and its
// JSON's summary give them.
static std::pair<Lines, Lines> transformerLines(const TransformerPlan &s, const TransformerResult &t)
{
    std::string power = significant(s.watts, 6) + " W into " + significant(s.ohms, 6) + " ohms (" +
                        significant(voltageFromPower(s.watts, s.ohms)) + " V rms across the primary)" +
                        (s.dutyPercent < 100 ? ", " + significant(s.dutyPercent, 6) + " % of the time" : "");
    Lines lines = {{"Model", TransformerModel},
                   {"Ratio", significant(s.ratio, 6) + ":1 impedance" +
                                 (s.autotransformer ? ", an autotransformer (S counts all its turns)" : "")},
                   {"Band", significant(s.lowMhz, 6) + " to " + significant(s.highMhz, 6) + " MHz (" +
                                std::to_string(s.points) + " frequencies)"},
                   {"Power", power},
                   {"Wire", wireText(s.wire)}};
    if (s.oneBuild) {
        const TransformerDesign &d = t.designs[0];
        const TransformerFigures &f = d.figures;
        const TransformerPoint &low = f.points.front(), &worst = f.points[f.worst];
        double n = (double)d.secondary / d.primary;
        lines.insert(lines.end(), {
            {"Core", stackName(d.name, d.core.stack) + ": le " + significant(d.core.effective.lengthMm) + " mm, Ae " +
                         significant(d.core.effective.areaMm2) + " mm^2"},
            {"Turns", std::to_string(d.primary) + ":" + std::to_string(d.secondary) + ", " + significant(n * n, 4) +
                          ":1 impedance"},
            {"Zm at " + significant(s.lowMhz, 6) + " MHz", significant(low.zm.real()) + " + j" +
                                                           significant(low.zm.imag()) + " ohms (X/Z " +
                                                           significant(low.reactanceRatio, 3) + ")"},
            {"Worst loss", significant(worst.lossFraction * 100, 3) + " % (" + significant(worst.lossDb, 3) +
                               " dB) at " + significant(worst.hz / 1e6) + " MHz: " + significant(worst.coreWatts, 3) +
                               " W in the core" + (s.dutyPercent < 100 ? " at the duty" : "")},
            {"Temperature rise", significant(f.riseKelvin, 3) + " K there (bare core in still air)"},
            {"Peak flux density", significant(f.peakTesla * 1e3) + " mT at " + significant(s.lowMhz, 6) + " MHz"},
            {"Windings", std::to_string(s.autotransformer ? d.secondary : d.primary + d.secondary) +
                             (d.fit ? " turns fit in one layer" : " turns do not fit in one layer")},
            {"Capacitance", capacitanceText(d.capacitance) + "; the secondary's referred to the primary " +
                                significant(d.secondaryPf * n * n, 4) + " pF, why such transformers fade at the "
                                                                        "top of the HF bands"},
        });
        for (const auto &v : voltageLines(s.wire, windingVolts(s, d)))
            lines.push_back(v);
        const double shunt = s.bestShunt ? t.bestShuntPf : s.shuntPf;
        lines.push_back({"Match", (s.leakageNh > 0 ? significant(s.leakageNh, 6) + " nH leakage"
                                                   : std::string("no leakage (not given)")) +
                                      ", the secondary's own " + significant(d.secondaryPf, 4) + " pF" +
                                      (s.secondaryGiven ? " (given)" : "") +
                                      (shunt > 0 ? ", " + significant(shunt, 4) + " pF across the primary" : "")});
        size_t worstAt = 0;
        for (size_t i = 0; i < d.match.size(); i++)
            if (d.match[i].swr > d.match[worstAt].swr)
                worstAt = i;
        const MatchPoint &m = d.match[worstAt];
        lines.push_back({"Worst SWR", significant(d.worstSwr, 3) + " at " + significant(f.points[worstAt].hz / 1e6) +
                                          " MHz (return loss " + significant(m.returnLossDb, 3) + " dB, total loss " +
                                          significant(m.totalLossDb, 3) + " dB)"});
        if (s.bestShunt)
            lines.push_back({"Best shunt", "about " + significant(10 * std::round(t.bestShuntPf / 10), 4) +
                                               " pF for the least worst SWR, " + significant(t.bestSwr, 3) +
                                               "; with the secondary's capacitance half to twice this, " +
                                               significant(t.bestShuntLowPf, 3) + " to " +
                                               significant(t.bestShuntHighPf, 3) + " pF and SWR " +
                                               significant(t.bestSwrLow, 3) + " to " + significant(t.bestSwrHigh, 3) +
                                               " (trust it to +/- 30 pF)"});
        if (shunt > 0) {
            const MatchPoint &top = d.match.back();
            lines.push_back({"Shunt capacitor", significant(top.shuntVolts, 4) + " V rms, " +
                                                    significant(top.shuntAmps, 3) + " A rms at " +
                                                    significant(f.points.back().hz / 1e6) + " MHz"});
        }
    } else {
        lines.push_back({"Limits", "loss under " + significant(s.maxLossPercent, 6) + " % at every frequency, rise "
                                   "under " + significant(s.maxRiseKelvin, 6) + " K, SWR under " +
                                   significant(s.maxSwr, 6) + " (from what is modelled), the windings in one layer"});
        size_t shown = designsOffered(t.designs.size(), s.all);
        lines.push_back({"Searched", std::to_string(t.searched) + " cores and stacks: " +
                                         std::to_string(t.designs.size()) + " designs" +
                                         (shown < t.designs.size() ? ", the best " + std::to_string(shown) +
                                                                         " (--all: every one)"
                                                                   : "")});
        if (t.designs.empty())
            lines.push_back({"Nearest", t.nearest});
    }
    Lines after;
    for (const std::string &w : t.warnings)
        after.push_back({"Warning", w});
    after.push_back({"Data", "the makers' typical curves (Fair-Rite), measured at low flux density"});
    return {lines, after};
}

std::string transformerText(const TransformerPlan &s, const TransformerResult &t)
{
    const auto [lines, after] = transformerLines(s, t);
    std::string text = captioned(lines) + "\n";
    Table table;
    if (s.oneBuild) {
        table.rows.push_back({"MHz", "Rm ohms", "Xm ohms", "X/Z", "loss %", "loss dB", "core W", "Zin ohms", "SWR",
                              "total dB"});
        const TransformerDesign &d = t.designs[0];
        for (size_t i = 0; i < d.figures.points.size(); i++) {
            const TransformerPoint &p = d.figures.points[i];
            const MatchPoint &m = d.match[i];
            auto shown = [](double v) { return std::isfinite(v) ? significant(v, 3) : std::string("-"); };
            table.rows.push_back({significant(p.hz / 1e6), significant(p.zm.real()), significant(p.zm.imag()),
                                  significant(p.reactanceRatio, 3), significant(p.lossFraction * 100, 3),
                                  shown(p.lossDb), significant(p.coreWatts, 3),
                                  significant(m.zin.real(), 4) + (m.zin.imag() < 0 ? " - j" : " + j") +
                                      significant(std::fabs(m.zin.imag()), 4),
                                  shown(m.swr), shown(m.totalLossDb)});
        }
    } else {
        table.rows.push_back({"core", "stack", "turns", "ratio", "X/Z low", "worst loss %", "at MHz", "core W",
                              "rise K", "B mT", "C referred pF", "SWR"});
        size_t shown = designsOffered(t.designs.size(), s.all);
        for (size_t i = 0; i < shown; i++) {
            const TransformerDesign &d = t.designs[i];
            const TransformerFigures &f = d.figures;
            double n = (double)d.secondary / d.primary;
            table.rows.push_back({d.name, std::to_string(d.core.stack),
                                  std::to_string(d.primary) + ":" + std::to_string(d.secondary), significant(n * n, 4),
                                  significant(f.points.front().reactanceRatio, 3),
                                  significant(f.points[f.worst].lossFraction * 100, 3),
                                  significant(f.points[f.worst].hz / 1e6, 3), significant(f.points[f.worst].coreWatts, 3),
                                  significant(f.riseKelvin, 3), significant(f.peakTesla * 1e3, 3),
                                  significant(d.secondaryPf * n * n, 3), significant(d.worstSwr, 3)});
        }
    }
    if (table.rows.size() > 1)
        text += "\n" + table.render(false);
    return text + "\n" + captioned(after);
}

} // namespace cli
