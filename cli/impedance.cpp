// impedance: a winding at frequency, at one frequency or over a sweep.
// Ferrite from the maker's complex permeability; powdered iron as a
// lossless AL, for the reactance.
#include "cli/impedance.h"

#include <cmath>

#include "cli/layout.h"
#include "cli/refusals.h"

namespace cli {

using namespace design;

const char FerriteDataNote[] = "the maker's typical curve (Fair-Rite); a real core may differ by +/- 20-25 %";
const char MeasuredCurveNote[] = "the curve given with --curve";

std::string ironNote(const std::string &mix)
{
    return "the maker's curve fit for mix " + mix + " (Micrometals), for its typical material";
}

bool readImpedance(const ImpedanceRequest &r, ImpedancePlan *plan, Failure *failure)
{
    ImpedancePlan &z = *plan;
    double points = DefaultSweepPoints;
    int stack = DefaultStack;
    double scale = DefaultScale;
    CapacitanceRule rule;
    if (!readNumber(r.turns, "--turns", &z.turns, failure) ||
        (r.points.given && !readNumber(r.points.text, "--points", &points, failure)) ||
        !readCapacitanceRule(r.capacitance, &rule, failure) || !readStack(r.stack, "--stack", &stack, failure) ||
        !readScale(r.scale, &scale, failure))
        return false;
    if (!readFrequencyCoreOrCurve(r.core, r.curve, &z.core, failure) ||
        !readWindingWire(r.wire, z.core.size->insideDiameter, &z.wire, failure))
        return false;
    if (!(z.turns >= LeastTurns && std::isfinite(z.turns)))
        return refuse<TurnsOneOrMore>(failure);
    double high = 0;
    if (!readFrequencies(r.mhz, &z.low, &high, failure) || !withinData(z.core, z.low, high, failure))
        return false;
    z.sweep = r.mhz.find(':') != std::string::npos;
    if (!z.sweep && r.points.given)
        return refuse<PointsNeedRange>(failure);
    if (!(points >= SweepPointsLeast && points <= SweepPointsMost && points == std::floor(points)))
        return refuse<PointsCount>(failure, std::to_string(SweepPointsLeast), std::to_string(SweepPointsMost));
    z.material = r.core.material;
    stackCores(&z.core, stack);
    z.core.scale = scale;
    z.capacitance = capacitanceFor(rule, z.core.outline);
    z.high = high, z.count = (int)points;
    return true;
}

ImpedanceResult runImpedance(const ImpedancePlan &s)
{
    ImpedanceResult z;
    z.warnings = capacitanceWarnings(s.capacitance, s.turns);
    for (const std::string &w : windingWireWarnings(s.wire, s.turns))
        z.warnings.push_back(w);
    std::vector<double> hz = s.sweep ? logSweep(s.low * 1e6, s.high * 1e6, s.count) : std::vector<double>{s.low * 1e6};
    std::vector<std::complex<double>> zs;
    for (double f : hz) {
        z.points.push_back(frequencyPoint(s.core, s.turns, f, s.capacitance.pf));
        zs.push_back(z.points.back().z);
    }
    z.resonanceHz = selfResonance(hz, zs);
    return z;
}

static Json pointJson(const FrequencyCore &c, const FrequencyPoint &p)
{
    ImpedanceFigures f = figuresOf(p.z, p.hz);
    bool lossless = !c.data; // iron: R not modelled
    return {{"frequencyMHz", p.hz / 1e6},
            {"muReal", p.mu.real},
            {"muImag", lossless ? Json(nullptr) : Json(p.mu.imag)},
            {"resistanceOhms", lossless ? Json(nullptr) : Json(f.resistance)},
            {"reactanceOhms", f.reactance},
            {"impedanceOhms", f.magnitude},
            {"phaseDegrees", f.phaseDegrees},
            {"inductanceMicrohenry", f.inductanceMicrohenry},
            {"q", lossless ? Json(nullptr) : Json(f.q)}};
}

Json impedanceJson(const ImpedancePlan &s, const ImpedanceResult &z)
{
    Json j = {{"core", s.core.name}, {"stack", s.core.stack}, {"scale", s.core.scale}, {"turns", s.turns}};
    addCapacitanceJson(s.capacitance, &j);
    addWindingWireJson(s.wire, s.turns, &j);
    if (s.sweep) {
        j["points"] = Json::array();
        for (const FrequencyPoint &p : z.points)
            j["points"].push_back(pointJson(s.core, p));
        j["selfResonantFrequencyMHz"] = z.resonanceHz > 0 ? Json(z.resonanceHz / 1e6) : Json(nullptr);
    } else {
        j.update(pointJson(s.core, z.points[0]));
    }
    j["warnings"] = z.warnings;
    return j;
}

static std::vector<std::string> pointRow(const FrequencyCore &c, const FrequencyPoint &p)
{
    ImpedanceFigures f = figuresOf(p.z, p.hz);
    const std::string none = "-";
    return {significant(p.hz / 1e6), significant(p.mu.real), c.data ? significant(p.mu.imag) : none,
            c.data ? significant(f.resistance) : none, significant(f.reactance), significant(f.magnitude),
            significant(f.phaseDegrees), significant(f.inductanceMicrohenry), c.data ? significant(f.q) : none};
}

std::string impedanceText(const ImpedancePlan &s, const ImpedanceResult &z, bool csv)
{
    Table table;
    table.rows.push_back(csv ? std::vector<std::string>{"frequency_mhz", "mu_real", "mu_imag", "resistance_ohms",
                                                       "reactance_ohms", "impedance_ohms", "phase_degrees",
                                                       "inductance_uh", "q"}
                             : std::vector<std::string>{"MHz", "mu'", "mu''", "R ohms", "X ohms", "|Z| ohms",
                                                       "phase deg", "L uH", "Q"});
    for (const FrequencyPoint &p : z.points)
        table.rows.push_back(pointRow(s.core, p));
    if (csv)
        return table.render(true);

    const NamedCore &c = s.core;
    Lines lines = {coreLine(c), {"Turns", significant(s.turns, 6)},
                   {"Winding capacitance", capacitanceText(s.capacitance)}};
    if (s.wire.given)
        lines.push_back(windingWireLine(s.wire));
    if (c.scale != 1)
        lines.push_back({"Permeability", "the curve's times " + significant(c.scale, 6)});
    std::string after;
    if (s.sweep) {
        Lines end = {{"Self-resonance", z.resonanceHz > 0 ? "near " + significant(z.resonanceHz / 1e6) +
                                                                " MHz, where X crosses zero"
                                                          : "not within the sweep"}};
        for (const std::string &w : z.warnings)
            end.push_back({"Warning", w});
        after = captioned(end);
    } else {
        const FrequencyPoint &p = z.points[0];
        ImpedanceFigures f = figuresOf(p.z, p.hz);
        lines.push_back({"Frequency", significant(s.low, 6) + " MHz"});
        if (c.data) {
            lines.push_back({"Permeability", "mu' " + significant(p.mu.real) + ", mu'' " + significant(p.mu.imag)});
            lines.push_back({"Resistance (R)", significant(f.resistance) + " ohms"});
        } else {
            lines.push_back({"Permeability", "mu_e " + significant(p.mu.real) + " from AL and the mix's fit at this frequency"});
            lines.push_back({"Resistance (R)", "not modelled: no loss data for powdered iron"});
        }
        lines.push_back({"Reactance (X)", significant(f.reactance) + " ohms"});
        lines.push_back({"Impedance |Z|", significant(f.magnitude) + " ohms at " + significant(f.phaseDegrees) +
                                             " degrees"});
        lines.push_back({"Series inductance", significant(f.inductanceMicrohenry) + " uH"});
        if (c.data)
            lines.push_back({"Q (X/R)", significant(f.q)});
    }
    if (!s.sweep)
        for (const std::string &w : z.warnings)
            lines.push_back({"Warning", w});
    lines.push_back({"Data", c.curve ? MeasuredCurveNote : c.data ? FerriteDataNote
                                                                  : "catalogue AL by " + ironNote(s.material) +
                                                                        ", mu(f) / mu(0); the resistance is not modelled"});
    return captioned(lines) + (s.sweep ? "\n" + table.render(false) + "\n" + after : "");
}

} // namespace cli
