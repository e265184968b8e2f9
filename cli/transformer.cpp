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
    "ohms; V = sqrt(W Z), the core takes Z Re(1/Zm) of the power, B = sqrt(2) V / (2 pi f P Ae); leakage "
    "inductance and a compensating capacitor are not modelled";

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

static TransformerDesign build(const TransformerSpec &t, const FrequencyCore &core, const std::string &name,
                               long primary, const std::vector<double> &hz)
{
    TransformerDesign d;
    d.core = core;
    d.name = name;
    d.primary = primary;
    d.secondary = secondaryTurns(primary, t.ratio);
    d.capacitance = capacitanceFor(t.capacitance, core.outline);
    d.figures = transformerFigures(core, primary, hz, d.capacitance.pf, {t.watts, t.ohms, t.dutyPercent / 100});
    d.fit = windingsFit(core, t.wire.inches, d.primary, d.secondary, t.autotransformer);
    return d;
}

static double worstPercent(const TransformerDesign &d)
{
    return d.figures.points[d.figures.worst].lossFraction * 100;
}

// How far a build is from the limits: the worse of limit/loss and
// limit/rise, 1 or more holding them.
static double margin(const TransformerSpec &t, const TransformerDesign &d)
{
    return std::min(t.maxLossPercent / worstPercent(d), t.maxRiseKelvin / d.figures.riseKelvin);
}

bool readTransformer(const TransformerRequest &r, TransformerSpec *spec, Failure *failure)
{
    TransformerSpec &t = *spec;
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
        !readCapacitanceRule(r.capacitance, &t.capacitance, failure))
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
    if (t.oneBuild && (r.sizes.given || r.materials.given || r.maxStack.given || r.maxLoss.given))
        return refuse<SearchOptions>(failure, "a build on --size", "--sizes, --materials, --max-stack or --max-loss-percent");
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
    std::vector<int> sizes;
    std::vector<const FerriteData *> materials;
    if (!readSearchCores(r.sizes, r.materials, &sizes, &materials, failure))
        return false;
    t.cores = searchCores(sizes, materials, leastStack, mostStack, t.lowMhz * 1e6, t.highMhz * 1e6);
    if (t.cores.empty())
        return refuse<NoCurveOverBand>(failure, significant(t.lowMhz, 6), significant(t.highMhz, 6));
    return true;
}

TransformerResult runTransformer(const TransformerSpec &s)
{
    TransformerResult t;
    const std::vector<double> hz = logSweep(s.lowMhz * 1e6, s.highMhz * 1e6, s.points);
    const std::vector<FrequencyCore> &cores = s.cores;
    if (s.oneBuild) {
        t.designs.push_back(build(s, cores[0], s.name, s.primary, hz));
        t.searched = 1;
    } else {
        // The loss (Z Re(1/Zm), Re(1/Zm) going as 1/P^2) and the rise fall
        // with the primary turns: the fewest that hold them by bisection, and
        // where none does, the nearest a core comes at its most turns.
        auto name = [](const FrequencyCore &c) { return coreName(CoreFerrite, c.size->code, c.data->code); };
        SearchOutcome found = searchDesigns(
            cores,
            [&](size_t i) {
                const FrequencyCore &c = cores[i];
                // The most primary turns whose windings fit; more never fit.
                long most = 0;
                while (windingsFit(c, s.wire.inches, most + 1, secondaryTurns(most + 1, s.ratio), s.autotransformer))
                    most++;
                return SearchTrial{most, [&, i](long n) { return margin(s, build(s, cores[i], name(cores[i]), n, hz)) >= 1; },
                                   [&, i](long n) { return margin(s, build(s, cores[i], name(cores[i]), n, hz)); }};
            },
            TurnsMonotone, [](long most) { return std::vector<long>{most}; });
        t.searched = found.searched;
        for (const SearchFound &f : found.designs)
            t.designs.push_back(build(s, cores[f.core], name(cores[f.core]), f.turns, hz));
        const bool anyFits = found.anyFits;
        TransformerDesign near;
        if (t.designs.empty() && anyFits)
            near = build(s, cores[found.nearest.core], name(cores[found.nearest.core]), found.nearest.turns, hz);
        if (t.designs.empty()) {
            const TransformerDesign &d = near;
            t.nearest = !anyFits ? "no core takes one primary turn and its secondary in one layer of " + wireText(s.wire)
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
    if (loose && one)
        t.warnings.push_back(std::to_string(s.autotransformer ? one->secondary : one->primary + one->secondary) +
                             " turns do not fit in one layer of " + wireText(s.wire));
    return t;
}

// ---- The answer ---------------------------------------------------------------

static Json designJson(const TransformerDesign &d)
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
    j["referredCapacitancePf"] = d.capacitance.pf * turnsRatio * turnsRatio;
    return j;
}

static Json pointJson(const TransformerPoint &p)
{
    return {{"frequencyMHz", p.hz / 1e6},
            {"magnetizingResistanceOhms", p.zm.real()},
            {"magnetizingReactanceOhms", p.zm.imag()},
            {"reactanceRatio", p.reactanceRatio},
            {"lossPercent", p.lossFraction * 100},
            {"lossDb", std::isfinite(p.lossDb) ? Json(p.lossDb) : Json(nullptr)},
            {"coreLossWatts", p.coreWatts}};
}

static std::pair<Lines, Lines> transformerLines(const TransformerSpec &s, const TransformerResult &t);

Json transformerJson(const TransformerSpec &s, const TransformerResult &t)
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
        j["design"] = designJson(t.designs[0]);
        Json points = Json::array();
        for (const TransformerPoint &p : t.designs[0].figures.points)
            points.push_back(pointJson(p));
        j["points"] = points;
    } else {
        j["limits"] = {{"maxLossPercent", s.maxLossPercent}, {"maxRiseKelvin", s.maxRiseKelvin}};
        Json designs = Json::array();
        size_t shown = designsOffered(t.designs.size(), s.all);
        for (size_t i = 0; i < shown; i++)
            designs.push_back(designJson(t.designs[i]));
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
static std::pair<Lines, Lines> transformerLines(const TransformerSpec &s, const TransformerResult &t)
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
                                significant(d.capacitance.pf * n * n, 4) + " pF, why such transformers fade at the "
                                                                        "top of the HF bands"},
        });
    } else {
        lines.push_back({"Limits", "loss under " + significant(s.maxLossPercent, 6) + " % at every frequency, rise "
                                   "under " + significant(s.maxRiseKelvin, 6) + " K, the windings in one layer"});
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

std::string transformerText(const TransformerSpec &s, const TransformerResult &t)
{
    const auto [lines, after] = transformerLines(s, t);
    std::string text = captioned(lines) + "\n";
    Table table;
    if (s.oneBuild) {
        table.rows.push_back({"MHz", "Rm ohms", "Xm ohms", "X/Z", "loss %", "loss dB", "core W"});
        for (const TransformerPoint &p : t.designs[0].figures.points)
            table.rows.push_back({significant(p.hz / 1e6), significant(p.zm.real()), significant(p.zm.imag()),
                                  significant(p.reactanceRatio, 3), significant(p.lossFraction * 100, 3),
                                  std::isfinite(p.lossDb) ? significant(p.lossDb, 3) : "-",
                                  significant(p.coreWatts, 3)});
    } else {
        table.rows.push_back({"core", "stack", "turns", "ratio", "X/Z low", "worst loss %", "at MHz", "core W",
                              "rise K", "B mT", "C referred pF"});
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
                                  significant(d.capacitance.pf * n * n, 3)});
        }
    }
    if (table.rows.size() > 1)
        text += "\n" + table.render(false);
    return text + "\n" + captioned(after);
}

} // namespace cli
