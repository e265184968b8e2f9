// balun: Guanella's and Ruthroff's transmission-line transformers over a
// band, one build or a search for the cores and fewest turns that hold an
// SWR, a loss and a rise. The model is design/balun's, the search
// design/search's.
#include "cli/balun.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "cli/layout.h"
#include "cli/refusals.h"
#include "design/portable.h"
#include "design/search.h"
#include "design/transformer.h"

namespace cli {

using namespace design;

const char BalunModel[] =
    "transmission-line: each line a lossless line of Z0 and VF for the differential current, the common-mode "
    "current through the N-turn winding it makes on its core (the winding's impedance with its capacitance; "
    "lines on one core share it), solved as a nodal circuit from a source of --ohms";

// The Z0 a user may give, ohms.
const double LineOhmsLeast = 5, LineOhmsMost = 600;
// Where a Ruthroff's line is too long, degrees at the band's top (0.12 dB
// at the best Z0, 0.97 dB at 90).
const double RuthroffMostDegrees = 60;
// A Z0 off the best by more than this factor is said to be far from it.
const double LineOhmsFar = 1.5;
// A choke is meant to hold at least this common-mode impedance.
const double ChokeLeastOhms = 1000;

// R, R+jX or R-jX in ohms; R above 0, or 0 or more where zeroR.
static bool readComplexOhms(const std::string &text, bool zeroR, std::complex<double> *z)
{
    size_t sign = text.find_first_of("+-", 1);
    while (sign != std::string::npos && (text[sign - 1] == 'e' || text[sign - 1] == 'E'))
        sign = text.find_first_of("+-", sign + 1);
    double r = 0, x = 0;
    if (!readPlainNumber(text.substr(0, sign), &r))
        return false;
    if (sign != std::string::npos) {
        const std::string imaginary = text.substr(sign + 1);
        if (imaginary.size() < 2 || imaginary[0] != 'j' || imaginary[1] == '+' || imaginary[1] == '-' ||
            !readPlainNumber(imaginary.substr(1), &x))
            return false;
        if (text[sign] == '-')
            x = -x;
    }
    if (!(zeroR ? r >= 0 : r > 0) || !std::isfinite(r) || !std::isfinite(x))
        return false;
    *z = {r, x};
    return true;
}

// The kind, its ratio and its connection.
static bool readKind(const BalunRequest &r, BalunPlan *b, Failure *failure)
{
    BalunCircuit &c = b->circuit;
    c.kind = r.kind == "ruthroff" ? BalunRuthroff : BalunGuanella;
    double ratio = 1;
    if (r.ratio.given && !readNumber(r.ratio.text, "--ratio", &ratio, failure))
        return false;
    if (!(ratio == 1 || ratio == 4 || ratio == 9) || !balunConnects(c.kind, (int)ratio, false))
        return refuse<BalunRatio>(failure, r.kind, significant(ratio, 6));
    c.ratio = (int)ratio;
    c.unun = r.unun;
    if (c.unun && !balunConnects(c.kind, c.ratio, true))
        return refuse<BalunUnun>(failure, r.kind);
    c.oneCore = r.cores.given && r.cores.text == "1" && balunLines(c.kind, c.ratio) > 1;
    return true;
}

// The line: measured (--z0, --vf) or a twisted pair by Lefferson.
static bool readLine(const BalunRequest &r, BalunPlan *b, Failure *failure)
{
    BalunCircuit &c = b->circuit;
    b->permittivity = DefaultPermittivity, b->leadsCm = DefaultLeadsCm;
    if (!readWire(r.wire, &b->wire, failure) ||
        (r.leadsCm.given && !readNumber(r.leadsCm.text, "--leads-cm", &b->leadsCm, failure)))
        return false;
    if (!(b->leadsCm >= 0 && std::isfinite(b->leadsCm)))
        return refuse<LeadsNotNegative>(failure);
    b->lineMeasured = r.z0.given;
    if (b->lineMeasured) {
        if (!readNumber(r.z0.text, "--z0", &c.z0, failure) || !readNumber(r.vf.text, "--vf", &c.velocityFactor, failure))
            return false;
        if (!(c.z0 >= LineOhmsLeast && c.z0 <= LineOhmsMost))
            return refuse<LineOhmsRange>(failure, significant(LineOhmsLeast), significant(LineOhmsMost));
        if (!(c.velocityFactor > 0 && c.velocityFactor <= 1))
            return refuse<VelocityFactorRange>(failure);
        return true;
    }
    // A cable is its own line, as its data give it.
    if (b->wire.cable && !r.twists.given) {
        c.z0 = b->wire.cable->ohms;
        c.velocityFactor = b->wire.cable->velocityFactor;
        if (!(c.z0 >= LineOhmsLeast && c.z0 <= LineOhmsMost && c.velocityFactor > 0 && c.velocityFactor <= 1))
            return refuse<LineNeeded>(failure);
        return true;
    }
    if (b->wire.cable || b->wire.overallMm <= 0 || !r.twists.given)
        return refuse<LineNeeded>(failure);
    if (!readNumber(r.twists.text, "--twists-per-cm", &b->twistsPerCm, failure) ||
        (r.permittivity.given && !readNumber(r.permittivity.text, "--er", &b->permittivity, failure)))
        return false;
    if (!(b->twistsPerCm >= 0 && std::isfinite(b->twistsPerCm)))
        return refuse<TwistsNotNegative>(failure);
    if (!(b->permittivity >= 1 && b->permittivity <= 10))
        return refuse<PermittivityRange>(failure);
    b->pair = leffersonPair(b->wire.overallMm, b->wire.mm, b->twistsPerCm, b->permittivity);
    if (!(b->pair.z0 >= LineOhmsLeast && b->pair.z0 <= LineOhmsMost))
        return refuse<PairOhmsRange>(failure, significant(b->pair.z0, 4), significant(LineOhmsLeast),
                                     significant(LineOhmsMost));
    c.z0 = b->pair.z0;
    c.velocityFactor = b->pair.velocityFactor;
    return true;
}

// The source, the load, the band, the power and the limits.
static bool readPorts(const BalunRequest &r, BalunPlan *b, Failure *failure)
{
    BalunCircuit &c = b->circuit;
    c.sourceOhms = DefaultOhms;
    b->points = DefaultSearchPoints, b->dutyPercent = DefaultDutyPercent;
    b->maxSwr = DefaultMaxSwr, b->maxLossDb = DefaultMaxLossDb, b->maxRiseKelvin = DefaultMaxRiseKelvin;
    if (!readBand(r.mhz.text, &b->lowMhz, &b->highMhz, failure) ||
        (r.ohms.given && !readNumber(r.ohms.text, "--ohms", &c.sourceOhms, failure)) ||
        (r.watts.given && !readNumber(r.watts.text, "--watts", &b->watts, failure)) ||
        !readDuty(r.duty, &b->dutyPercent, failure) ||
        (r.points.given && !readWhole(r.points.text, "--points", SearchPointsLeast, SearchPointsMost, PointsCount,
                                      &b->points, failure)) ||
        (r.maxSwr.given && !readNumber(r.maxSwr.text, "--max-swr", &b->maxSwr, failure)) ||
        (r.maxLossDb.given && !readNumber(r.maxLossDb.text, "--max-loss-db", &b->maxLossDb, failure)) ||
        (r.maxRise.given && !readNumber(r.maxRise.text, "--max-rise", &b->maxRiseKelvin, failure)) ||
        !readCapacitanceRule(r.capacitance, &b->capacitance, failure))
        return false;
    if (!finitePositive(c.sourceOhms) || (r.watts.given && !finitePositive(b->watts)))
        return refuse<WattsAboveZero>(failure);
    if (!(b->maxSwr > 1 && std::isfinite(b->maxSwr)))
        return refuse<MaxSwrAboveOne>(failure);
    if (!finitePositive(b->maxLossDb))
        return refuse<MaxLossDbAboveZero>(failure);
    if (!finitePositive(b->maxRiseKelvin))
        return refuse<MaxRiseAboveZero>(failure);
    b->driven = r.watts.given;
    c.load = {c.sourceOhms * c.ratio, 0};
    if (r.loadOhms.given && !readComplexOhms(r.loadOhms.text, false, &c.load))
        return refuse<LoadForm>(failure, "--load-ohms", r.loadOhms.text);
    if (r.cmLoad.given) {
        const std::string &t = r.cmLoad.text;
        size_t first = t.find(','), second = first == std::string::npos ? first : t.find(',', first + 1);
        if (second == std::string::npos || !readComplexOhms(t.substr(0, first), true, &c.z1) ||
            !readComplexOhms(t.substr(first + 1, second - first - 1), true, &c.z2) ||
            !readComplexOhms(t.substr(second + 1), true, &c.z3) || c.z1 + c.z2 == std::complex<double>() ||
            c.z3 == std::complex<double>())
            return refuse<CmLoadForm>(failure, t);
        c.threeTerminal = true;
        c.load = c.z1 + c.z2;
    }
    return true;
}

bool readBalun(const BalunRequest &r, BalunPlan *plan, Failure *failure)
{
    BalunPlan &b = *plan;
    int leastStack = DefaultStack, mostStack = DefaultStack;
    if (!readKind(r, &b, failure) || !readLine(r, &b, failure) || !readPorts(r, &b, failure) ||
        !readStack(r.stack, "--stack", &leastStack, failure) || !readStack(r.maxStack, "--max-stack", &mostStack, failure))
        return false;
    if (r.stack.given)
        mostStack = leastStack;
    b.all = r.all;
    b.oneBuild = !r.core.size.empty();
    if (b.oneBuild && (r.sizes.given || r.materials.given || r.maxStack.given || r.maxSwr.given ||
                       r.maxLossDb.given || r.maxRise.given))
        return refuse<SearchOptions>(failure, "a build on --size",
                                     "--sizes, --materials, --max-stack, --max-swr, --max-loss-db or --max-rise");
    if (!b.oneBuild && (r.turns.given || r.curve.given))
        return refuse<BuildOptions>(failure, "--turns or --curve");
    if (b.oneBuild) {
        if (!r.turns.given)
            return refuse<BalunTurnsNeeded>(failure);
        int turns = 0;
        NamedCore core;
        if (!readWhole(r.turns.text, "--turns", 1, (int)TurnsLimit - 1, TurnsWholeRange, &turns, failure) ||
            !readFrequencyCoreOrCurve(r.core, r.curve, &core, failure) ||
            !withinData(core, b.lowMhz, b.highMhz, failure))
            return false;
        stackCores(&core, leastStack);
        b.cores = {core};
        b.curve = core.curve;
        b.curvePoints = core.curvePoints;
        b.name = core.name;
        b.turns = turns;
        return true;
    }
    return readSearchCandidates(r.sizes, r.materials, leastStack, mostStack, b.lowMhz, b.highMhz, &b.cores, failure);
}

// ---- The figures ----------------------------------------------------------------

static int lines(const BalunPlan &b)
{
    return balunLines(b.circuit.kind, b.circuit.ratio);
}

// The width one turn takes on the core's inside: a pair's two conductors
// (over their insulation where it is given), for each line the core holds.
static double turnInches(const BalunPlan &b)
{
    const double conductors = b.wire.cable ? 1 : 2;
    return conductors * b.wire.fitInches() * (b.circuit.oneCore ? lines(b) : 1);
}

// The line's length: N turns around the core's section, OD - ID + 2h, and
// the leads.
static double lineMetres(const BalunPlan &b, const FrequencyCore &core, long turns)
{
    const Outline &o = core.outline;
    return ((double)turns * (o.outsideMm - o.insideMm + 2 * o.heightMm) + b.leadsCm * 10) / 1000;
}

// The source's EMF for the power it has available: 2 sqrt(W R_s).
static double sourceEmf(const BalunPlan &b)
{
    return 2 * std::sqrt(b.watts * b.circuit.sourceOhms);
}

// Each line's voltages at the power, the highest over the band: along its
// winding (the common mode's drop, which the turns share) and between any
// two of its four ends (the first and last turns lie side by side).
static std::vector<WindingVolts> lineVolts(const BalunPlan &b, const BalunDesign &d)
{
    std::vector<WindingVolts> volts;
    const double emf = sourceEmf(b);
    for (const BalunFigures &f : d.points)
        for (size_t k = 0; k < f.point.lineEnds.size(); k++) {
            const std::array<std::complex<double>, 4> &e = f.point.lineEnds[k];
            if (volts.size() <= k) {
                design::WindingVoltage v;
                v.turns = (double)d.turns;
                volts.push_back({"line " + std::to_string(k + 1), v});
            }
            design::WindingVoltage &v = volts[k].v;
            v.rms = std::max(v.rms, portableAbs((e[0] + e[1] - e[2] - e[3]) * 0.5) * emf);
            for (int i = 0; i < 4; i++)
                for (int j = i + 1; j < 4; j++)
                    v.endToEndRms = std::max(v.endToEndRms, portableAbs(e[i] - e[j]) * emf);
        }
    return volts;
}

// The figures at one frequency of N turns on the core, the winding's
// capacitance pf.
static BalunFigures figuresAt(const BalunPlan &b, const FrequencyCore &core, long turns, double metres, double pf,
                              double hz)
{
    BalunCircuit c = b.circuit;
    c.lineMetres = metres;
    BalunFigures f;
    const std::complex<double> zw = frequencyPoint(core, (double)turns, hz, pf).z;
    f.point = balunResponse(c, hz, zw);
    f.commonModeOhms = portableAbs(zw);
    if (b.driven) {
        const double emf = sourceEmf(b);
        for (const std::complex<double> &v : f.point.windingVolts) {
            const double vrms = portableAbs(v) * emf;
            if (!(vrms > 0))
                continue;
            const CoreLoss l = coreLoss(core, (double)turns, hz / 1e6, vrms, 0, pf, b.dutyPercent / 100);
            f.coreWatts += l.averageWatts;
            f.riseKelvin = std::max(f.riseKelvin, l.riseKelvin);
            f.peakTesla = std::max(f.peakTesla, l.peakTesla);
            f.withinFit = f.withinFit && l.withinFit;
        }
    }
    return f;
}

static BalunDesign build(const BalunPlan &b, const FrequencyCore &core, const std::string &name, long turns,
                         const std::vector<double> &hz)
{
    BalunDesign d;
    d.core = core;
    d.name = name;
    d.turns = turns;
    d.capacitance = capacitanceFor(b.capacitance, core.outline);
    d.lineMetres = lineMetres(b, core, turns);
    d.topDegrees = 360 * hz.back() * d.lineMetres / (b.circuit.velocityFactor * LightMetresPerSecond);
    d.fit = turns <= mostTurns(core.size->insideDiameter, turnInches(b));
    d.worstSwr = 1, d.worstLossDb = 0, d.worstRiseKelvin = 0, d.peakTesla = 0;
    d.leastCommonModeOhms = INFINITY, d.leastCommonModeHz = 0;
    for (double h : hz) {
        d.points.push_back(figuresAt(b, core, turns, d.lineMetres, d.capacitance.pf, h));
        const BalunFigures &f = d.points.back();
        d.worstSwr = std::max(d.worstSwr, f.point.swr);
        d.worstLossDb = std::max(d.worstLossDb, f.point.insertionLossDb);
        d.worstRiseKelvin = std::max(d.worstRiseKelvin, f.riseKelvin);
        d.peakTesla = std::max(d.peakTesla, f.peakTesla);
        if (f.commonModeOhms < d.leastCommonModeOhms)
            d.leastCommonModeOhms = f.commonModeOhms, d.leastCommonModeHz = h;
    }
    if (b.driven)
        d.volts = lineVolts(b, d);
    return d;
}

// How near a build comes to the limits: the worst of limit/SWR, limit/loss
// and limit/rise, 1 or more holding them.
static double margin(const BalunPlan &b, const BalunDesign &d)
{
    double m = std::min(b.maxSwr / d.worstSwr, b.maxLossDb / d.worstLossDb);
    return b.driven ? std::min(m, b.maxRiseKelvin / d.worstRiseKelvin) : m;
}

// Whether N turns hold every limit, frequency by frequency from the bottom
// (where too few turns fail first), stopping at the first that fails.
static bool holds(const BalunPlan &b, const FrequencyCore &core, long turns, double pf, const std::vector<double> &hz)
{
    const double metres = lineMetres(b, core, turns);
    for (double h : hz) {
        const BalunFigures f = figuresAt(b, core, turns, metres, pf, h);
        if (!(f.point.swr <= b.maxSwr && f.point.insertionLossDb <= b.maxLossDb &&
              (!b.driven || f.riseKelvin <= b.maxRiseKelvin)))
            return false;
    }
    return true;
}

static std::string searchName(const BalunPlan &b, const FrequencyCore &c)
{
    return coreName(CoreFerrite, c.size->code, b.curve ? "" : c.data->code);
}

static std::string kindName(const BalunCircuit &c)
{
    return std::string(c.kind == BalunRuthroff ? "Ruthroff" : "Guanella") + " " + std::to_string(c.ratio) + ":1 " +
           (c.unun ? "unun" : "balun");
}

static void addWarnings(const BalunPlan &b, const std::vector<double> &hz, BalunResult *r)
{
    const BalunCircuit &c = b.circuit;
    const BalunDesign *one = b.oneBuild ? &r->designs[0] : nullptr;
    if (!b.lineMeasured && !b.wire.cable) {
        r->warnings.push_back("Z0 and the velocity factor are Lefferson's estimate for the twisted pair: Z0 within "
                              "about 10 %, the velocity factor worse; measure the line (Z0 = sqrt(Zopen Zshort)) "
                              "and give --z0 and --vf");
        if (b.pair.twistDegrees < TwistDegreesLeast || b.pair.twistDegrees > TwistDegreesMost)
            r->warnings.push_back("the twist angle is " + significant(b.pair.twistDegrees, 3) +
                                  " degrees: Lefferson's formula was fitted from " + significant(TwistDegreesLeast) +
                                  " to " + significant(TwistDegreesMost));
    }
    const double best = bestLineOhms(c.sourceOhms, c.load.real());
    if (c.z0 > best * LineOhmsFar || c.z0 < best / LineOhmsFar)
        r->warnings.push_back("Z0 " + significant(c.z0, 4) + " ohms is far from the best for this kind and load, " +
                              significant(best, 4) + " ohms: the match then depends on the line's length");
    std::vector<std::vector<WindingVolts>> offered;
    for (size_t i = 0; i < designsOffered(r->designs.size(), b.all); i++)
        offered.push_back(r->designs[i].volts);
    for (const std::string &w : one ? voltageWarnings(b.wire, one->volts) : designsOverRating(b.wire, offered, "lines"))
        r->warnings.push_back(w);
    if (!one)
        return;
    if (c.oneCore && !c.unun) {
        r->warnings.push_back(
            "the lines share one core: into a load with its centre grounded they drive its ends to " +
            significant(r->imbalanceHigh, 3) + " V and " + significant(r->imbalanceLow, 3) + " V per volt in (a " +
            significant(std::fabs(r->imbalanceHigh / r->imbalanceLow), 3) +
            ":1 current imbalance; wound with the same sense they would short the input): wind each line on a core "
            "of its own (--cores n)");
    }
    if (c.kind == BalunRuthroff && one->topDegrees > RuthroffMostDegrees)
        r->warnings.push_back("the line is " + significant(one->topDegrees, 3) + " degrees long at " +
                              significant(b.highMhz, 6) + " MHz: a Ruthroff loses more past about " +
                              significant(RuthroffMostDegrees) + " degrees (0.12 dB at 60, 0.97 dB at 90 with the "
                              "best Z0); shorten the line or use a Guanella");
    if (c.kind == BalunGuanella && !c.unun && one->leastCommonModeOhms < ChokeLeastOhms)
        r->warnings.push_back("the common-mode impedance falls to " + significant(one->leastCommonModeOhms, 3) +
                              " ohms at " + significant(one->leastCommonModeHz / 1e6) + " MHz: under " +
                              significant(ChokeLeastOhms) + " ohms it chokes little");
    if (!one->fit)
        r->warnings.push_back(std::to_string(one->turns) + " turns of the line do not fit in one layer");
    if (b.driven && one->core.data && one->peakTesla > CurveFluxTesla)
        r->warnings.push_back("the peak flux density is above the " + significant(CurveFluxTesla * 1e4) +
                              " gauss the makers' curves are measured under: the core takes more than they say");
    for (const BalunFigures &f : one->points)
        if (!f.withinFit) {
            r->warnings.push_back("the iron's loss fit does not take the flux density or the frequency everywhere: "
                                  "the heat there is left out");
            break;
        }
    (void)hz;
}

BalunResult runBalun(const BalunPlan &b)
{
    BalunResult r;
    const std::vector<double> hz = logSweep(b.lowMhz * 1e6, b.highMhz * 1e6, b.points);
    const std::vector<FrequencyCore> &cores = b.cores;
    if (b.oneBuild) {
        r.designs.push_back(build(b, cores[0], b.name, b.turns, hz));
        r.searched = 1;
        if (b.circuit.oneCore && !b.circuit.unun) {
            // The same lines into the load with its centre grounded, at the
            // band's middle.
            BalunPlan centre = b;
            centre.circuit.centreGrounded = true;
            centre.circuit.threeTerminal = false;
            const BalunDesign &d = r.designs[0];
            const BalunPoint p = figuresAt(centre, d.core, d.turns, d.lineMetres, d.capacitance.pf,
                                           std::sqrt(hz.front() * hz.back())).point;
            r.imbalanceHigh = p.high.real(), r.imbalanceLow = p.low.real();
        }
    } else {
        std::vector<double> pf;
        for (const FrequencyCore &c : cores)
            pf.push_back(capacitanceFor(b.capacitance, c.outline).pf);
        SearchOutcome found = searchDesigns(
            cores,
            [&](size_t i) {
                return SearchTrial{mostTurns(cores[i].size->insideDiameter, turnInches(b)),
                                   [&, i](long n) { return holds(b, cores[i], n, pf[i], hz); },
                                   [&, i](long n) { return margin(b, build(b, cores[i], "", n, hz)); }};
            },
            TurnsAnyOrder, [](long most) { return spreadTurns(most, 8); });
        r.searched = found.searched;
        for (const SearchFound &f : found.designs)
            r.designs.push_back(build(b, cores[f.core], searchName(b, cores[f.core]), f.turns, hz));
        if (r.designs.empty()) {
            if (!found.anyFits)
                r.nearest = "no core takes one turn of the line in one layer";
            else {
                const BalunDesign d = build(b, cores[found.nearest.core], searchName(b, cores[found.nearest.core]),
                                            found.nearest.turns, hz);
                r.nearest = stackName(d.name, d.core.stack) + " with " + std::to_string(d.turns) +
                            " turns: SWR up to " + significant(d.worstSwr, 3) + ", loss up to " +
                            significant(d.worstLossDb, 3) + " dB" +
                            (b.driven ? ", rise " + significant(d.worstRiseKelvin, 3) + " K" : "");
            }
        }
    }
    addWarnings(b, hz, &r);
    return r;
}

// ---- The answer ---------------------------------------------------------------

static Json ohmsJson(std::complex<double> z)
{
    return Json::array({z.real(), z.imag()});
}

static Json designJson(const BalunPlan &b, const BalunDesign &d)
{
    Json j = {{"core", d.name},
              {"size", d.core.size->code},
              {"material", d.core.data && !b.curve ? Json(d.core.data->code) : Json(nullptr)},
              {"stack", d.core.stack},
              {"turns", d.turns}};
    addCapacitanceJson(d.capacitance, &j);
    j["lineLengthM"] = d.lineMetres;
    j["electricalDegreesAtTop"] = d.topDegrees;
    j["turnsFit"] = d.fit;
    j["worstSwr"] = finiteOrNull(d.worstSwr);
    j["worstInsertionLossDb"] = finiteOrNull(d.worstLossDb);
    j["leastCommonModeImpedanceOhms"] = d.leastCommonModeOhms;
    j["leastCommonModeImpedanceMHz"] = d.leastCommonModeHz / 1e6;
    if (b.driven) {
        j["temperatureRiseKelvin"] = d.worstRiseKelvin;
        j["peakFluxDensityMilliTesla"] = d.peakTesla * 1e3;
        j["voltages"] = voltagesJson(b.wire, d.volts);
    }
    return j;
}

static Json pointJson(const BalunPlan &b, double hz, const BalunFigures &f)
{
    const BalunPoint &p = f.point;
    Json j = {{"frequencyMHz", hz / 1e6},
              {"inputResistanceOhms", p.zin.real()},
              {"inputReactanceOhms", p.zin.imag()},
              {"swr", finiteOrNull(p.swr)},
              {"returnLossDb", finiteOrNull(p.returnLossDb)},
              {"insertionLossDb", finiteOrNull(p.insertionLossDb)},
              {"commonModeImpedanceOhms", f.commonModeOhms},
              {"electricalDegrees", p.lineDegrees}};
    if (b.driven) {
        j["coreLossWatts"] = f.coreWatts;
        j["temperatureRiseKelvin"] = f.riseKelvin;
        j["peakFluxDensityMilliTesla"] = f.peakTesla * 1e3;
    }
    if (b.circuit.threeTerminal)
        j["commonModeRatioDb"] = p.commonModeRatioDb;
    return j;
}

static std::pair<Lines, Lines> balunSummary(const BalunPlan &b, const BalunResult &r);

Json balunJson(const BalunPlan &b, const BalunResult &r)
{
    const BalunCircuit &c = b.circuit;
    const bool cable = !b.lineMeasured && b.wire.cable;
    Json line = {{"from", b.lineMeasured ? "--z0" : cable ? "cable" : "Lefferson"}, {"wire", wireJson(b.wire)}};
    if (b.wire.overallMm > 0)
        line["overallMm"] = b.wire.overallMm;
    if (!b.lineMeasured && !cable) {
        line["twistsPerCm"] = b.twistsPerCm;
        line["twistDegrees"] = b.pair.twistDegrees;
        line["permittivity"] = b.permittivity;
        line["effectivePermittivity"] = b.pair.effectivePermittivity;
    }
    line["leadsCm"] = b.leadsCm;
    Json j = {{"model", BalunModel},
              {"kind", c.kind == BalunRuthroff ? "ruthroff" : "guanella"},
              {"ratio", c.ratio},
              {"unun", c.unun},
              {"lines", lines(b)},
              {"oneCore", c.oneCore},
              {"z0Ohms", c.z0},
              {"velocityFactor", c.velocityFactor},
              {"bestZ0Ohms", bestLineOhms(c.sourceOhms, c.load.real())},
              {"line", line},
              {"sourceOhms", c.sourceOhms},
              {"loadOhms", ohmsJson(c.load)}};
    if (c.threeTerminal)
        j["cmLoadOhms"] = Json::array({ohmsJson(c.z1), ohmsJson(c.z2), ohmsJson(c.z3)});
    j["lowMHz"] = b.lowMhz;
    j["highMHz"] = b.highMhz;
    j["watts"] = b.driven ? Json(b.watts) : Json(nullptr);
    j["dutyPercent"] = b.dutyPercent;
    if (b.oneBuild) {
        const BalunDesign &d = r.designs[0];
        j["lineLengthM"] = d.lineMetres;
        j["electricalDegreesAtTop"] = d.topDegrees;
        j["design"] = designJson(b, d);
        if (c.oneCore && !c.unun)
            j["centreGroundedVoltsPerVolt"] = {r.imbalanceHigh, r.imbalanceLow};
        const std::vector<double> hz = logSweep(b.lowMhz * 1e6, b.highMhz * 1e6, b.points);
        Json points = Json::array();
        for (size_t i = 0; i < d.points.size(); i++)
            points.push_back(pointJson(b, hz[i], d.points[i]));
        j["points"] = points;
    } else {
        j["limits"] = {{"maxSwr", b.maxSwr}, {"maxLossDb", b.maxLossDb},
                       {"maxRiseKelvin", b.driven ? Json(b.maxRiseKelvin) : Json(nullptr)}};
        Json designs = Json::array();
        const size_t shown = designsOffered(r.designs.size(), b.all);
        for (size_t i = 0; i < shown; i++)
            designs.push_back(designJson(b, r.designs[i]));
        j["designs"] = designs;
        j["found"] = r.designs.size();
        j["searched"] = r.searched;
        j["nearest"] = r.designs.empty() ? Json(r.nearest) : Json(nullptr);
    }
    j["warnings"] = r.warnings;
    auto [before, after] = balunSummary(b, r);
    before.insert(before.end(), after.begin(), after.end());
    j["summary"] = linesJson(before);
    return j;
}

static std::string ohmsText(std::complex<double> z, int digits = 4)
{
    return significant(z.real(), digits) + (z.imag() < 0 ? " - j" : " + j") + significant(std::fabs(z.imag()), digits);
}

static std::string shownOrDash(double v, int digits = 3)
{
    return std::isfinite(v) ? significant(v, digits) : std::string("-");
}

// The answer's lines before its table and after it, as its text and its
// JSON's summary give them.
static std::pair<Lines, Lines> balunSummary(const BalunPlan &b, const BalunResult &r)
{
    const BalunCircuit &c = b.circuit;
    std::string line = "Z0 " + significant(c.z0, 4) + " ohms, VF " + significant(c.velocityFactor, 3);
    if (b.lineMeasured)
        line += " (given)";
    else if (b.wire.cable)
        line += " (the cable's: " + wireText(b.wire) + ")";
    else
        line += " (Lefferson: a pair of " + wireText(b.wire) + ", " + significant(b.twistsPerCm, 4) + " twists per cm, " +
                significant(b.pair.twistDegrees, 3) + " degrees, e_r " + significant(b.permittivity, 3) + ")";
    Lines lines = {
        {"Model", BalunModel},
        {"Kind", kindName(c) + ": " + std::to_string(balunLines(c.kind, c.ratio)) +
                     (balunLines(c.kind, c.ratio) > 1
                          ? std::string(" lines, ") + (c.oneCore ? "all on one core" : "each on a core of its own")
                          : std::string(" line"))},
        {"Line", line + "; the best Z0 " + significant(bestLineOhms(c.sourceOhms, c.load.real()), 4) + " ohms"},
        {"Ports", significant(c.sourceOhms, 6) + " ohms source, load " +
                      (c.threeTerminal ? ohmsText(c.z1) + " and " + ohmsText(c.z2) + " to a star, " +
                                             ohmsText(c.z3) + " from it to ground"
                                       : ohmsText(c.load) + " ohms")},
        {"Band", significant(b.lowMhz, 6) + " to " + significant(b.highMhz, 6) + " MHz (" + std::to_string(b.points) +
                     " frequencies)"}};
    if (b.driven)
        lines.push_back({"Power", significant(b.watts, 6) + " W available from the source" +
                                      (b.dutyPercent < 100 ? ", " + significant(b.dutyPercent, 6) + " % of the time"
                                                           : "")});
    if (b.oneBuild) {
        const BalunDesign &d = r.designs[0];
        size_t worstAt = 0;
        for (size_t i = 0; i < d.points.size(); i++)
            if (d.points[i].point.swr > d.points[worstAt].point.swr)
                worstAt = i;
        const std::vector<double> hz = logSweep(b.lowMhz * 1e6, b.highMhz * 1e6, b.points);
        lines.insert(lines.end(), {
            coreLine(d.name, d.core.stack, d.core.effective),
            {"Turns", std::to_string(d.turns) + " of each line, " + significant(d.lineMetres, 4) + " m of line (" +
                          significant(d.topDegrees, 3) + " degrees at " + significant(b.highMhz, 6) + " MHz); " +
                          (d.fit ? "they fit in one layer" : "they do not fit in one layer")},
            {"Capacitance", capacitanceText(d.capacitance)},
            {"Worst SWR", shownOrDash(d.worstSwr) + " at " + significant(hz[worstAt] / 1e6) + " MHz; the worst "
                              "insertion loss " + shownOrDash(d.worstLossDb) + " dB"},
            {"Common mode", "|Zcm| at least " + significant(d.leastCommonModeOhms, 4) + " ohms (at " +
                                significant(d.leastCommonModeHz / 1e6) + " MHz)"}});
        if (b.driven)
            lines.push_back({"Heat", "the rise up to " + significant(d.worstRiseKelvin, 3) + " K (the makers' rule, "
                                     "bare core in still air), the peak flux density up to " +
                                     significant(d.peakTesla * 1e3, 3) + " mT"});
        for (const auto &v : voltageLines(b.wire, d.volts))
            lines.push_back(v);
    } else {
        lines.push_back({"Limits", "SWR under " + significant(b.maxSwr, 6) + ", insertion loss under " +
                                       significant(b.maxLossDb, 6) + " dB" +
                                       (b.driven ? ", rise under " + significant(b.maxRiseKelvin, 6) + " K" : "") +
                                       " at every frequency, the line in one layer"});
        const size_t shown = designsOffered(r.designs.size(), b.all);
        lines.push_back({"Searched", std::to_string(r.searched) + " cores and stacks: " +
                                         std::to_string(r.designs.size()) + " designs" +
                                         (shown < r.designs.size()
                                              ? ", the best " + std::to_string(shown) + " (--all: every one)"
                                              : "")});
        if (r.designs.empty())
            lines.push_back({"Nearest", r.nearest});
    }
    Lines after;
    for (const std::string &w : r.warnings)
        after.push_back({"Warning", w});
    after.push_back({"Data", b.curve ? MeasuredCurveNote
                             : b.cores[0].data ? FerriteDataNote
                                               : ironNote(b.cores[0].iron ? b.cores[0].iron->mix : "")});
    return {lines, after};
}

std::string balunText(const BalunPlan &b, const BalunResult &r)
{
    const auto [lines, after] = balunSummary(b, r);
    std::string text = captioned(lines) + "\n";
    Table table;
    if (b.oneBuild) {
        std::vector<std::string> head = {"MHz", "Zin ohms", "SWR", "RL dB", "loss dB", "|Zcm| ohms", "degrees"};
        if (b.driven)
            head.insert(head.end(), {"core W", "rise K", "B mT"});
        if (b.circuit.threeTerminal)
            head.push_back("Ic/Id dB");
        table.rows.push_back(head);
        const std::vector<double> hz = logSweep(b.lowMhz * 1e6, b.highMhz * 1e6, b.points);
        const BalunDesign &d = r.designs[0];
        for (size_t i = 0; i < d.points.size(); i++) {
            const BalunFigures &f = d.points[i];
            std::vector<std::string> row = {significant(hz[i] / 1e6), ohmsText(f.point.zin),
                                            shownOrDash(f.point.swr), shownOrDash(f.point.returnLossDb),
                                            shownOrDash(f.point.insertionLossDb), significant(f.commonModeOhms),
                                            significant(f.point.lineDegrees, 3)};
            if (b.driven)
                row.insert(row.end(), {significant(f.coreWatts, 3), significant(f.riseKelvin, 3),
                                       significant(f.peakTesla * 1e3, 3)});
            if (b.circuit.threeTerminal)
                row.push_back(significant(f.point.commonModeRatioDb, 3));
            table.rows.push_back(row);
        }
    } else {
        std::vector<std::string> head = {"core", "stack", "turns", "line m", "degrees", "SWR", "loss dB",
                                         "|Zcm| least"};
        if (b.driven)
            head.insert(head.end(), {"rise K", "B mT"});
        table.rows.push_back(head);
        const size_t shown = designsOffered(r.designs.size(), b.all);
        for (size_t i = 0; i < shown; i++) {
            const BalunDesign &d = r.designs[i];
            std::vector<std::string> row = {d.name, std::to_string(d.core.stack), std::to_string(d.turns),
                                            significant(d.lineMetres, 3), significant(d.topDegrees, 3),
                                            shownOrDash(d.worstSwr), shownOrDash(d.worstLossDb),
                                            significant(d.leastCommonModeOhms, 3)};
            if (b.driven)
                row.insert(row.end(), {significant(d.worstRiseKelvin, 3), significant(d.peakTesla * 1e3, 3)});
            table.rows.push_back(row);
        }
    }
    if (table.rows.size() > 1)
        text += "\n" + table.render(false);
    return text + "\n" + captioned(after);
}

} // namespace cli
