// impedance: a winding at frequency, at one frequency or over a sweep.
// Ferrite from the maker's complex permeability; powdered iron as a
// lossless AL, for the reactance.
#include <cmath>

#include "cli/layout.h"
#include "cli/refusals.h"
#include "cli/request.h"

namespace cli {

const char FerriteDataNote[] = "the maker's typical curve (Fair-Rite); a real core may differ by +/- 20-25 %";
const char MeasuredCurveNote[] = "the curve given with --curve";

std::string ironNote(const std::string &mix)
{
    return "the maker's curve fit for mix " + mix + " (Micrometals), for its typical material";
}

// A frequency in MHz, or a range A:B.
static bool readFrequencies(const std::string &text, double *low, double *high, Failure *failure)
{
    size_t colon = text.find(':');
    std::string a = text.substr(0, colon), b = colon == std::string::npos ? a : text.substr(colon + 1);
    if (!plainNumber(a) || !plainNumber(b))
        return refuse(failure, FrequencyForm, {text});
    Failure unused;
    readNumber(a, "--mhz", low, &unused);
    readNumber(b, "--mhz", high, &unused);
    if (!finitePositive(*low) || !finitePositive(*high))
        return refuse(failure, FrequenciesAboveZero);
    if (*high < *low)
        return refuse(failure, RangeStartEnd, {text});
    return true;
}

bool impedance(const ImpedanceRequest &r, ImpedanceResult *result, Failure *failure)
{
    ImpedanceResult &z = *result;
    double points = SweepPointsDefault;
    z.pf = 0;
    if (!readNumber(r.turns, "--turns", &z.turns, failure) ||
        (r.points.given && !readNumber(r.points.text, "--points", &points, failure)) ||
        (r.pf.given && !readNumber(r.pf.text, "--pf", &z.pf, failure)))
        return false;
    if (!readFrequencyCoreOrCurve(r.core, r.curve, &z.core, failure))
        return false;
    if (!(z.turns >= LeastTurns && std::isfinite(z.turns)))
        return refuse(failure, TurnsOneOrMore);
    double high = 0;
    if (!readFrequencies(r.mhz, &z.low, &high, failure) || !withinData(z.core, z.low, high, failure))
        return false;
    if (r.pf.given && !finitePositive(z.pf))
        return refuse(failure, CapacitanceAboveZero);
    z.sweep = r.mhz.find(':') != std::string::npos;
    if (!z.sweep && r.points.given)
        return refuse(failure, PointsNeedRange);
    if (!(points >= SweepPointsLeast && points <= SweepPointsMost && points == std::floor(points)))
        return refuse(failure, PointsCount, {std::to_string(SweepPointsLeast), std::to_string(SweepPointsMost)});
    z.pfGiven = r.pf.given;
    z.material = r.core.material;

    std::vector<double> hz = z.sweep ? logSweep(z.low * 1e6, high * 1e6, (int)points) : std::vector<double>{z.low * 1e6};
    std::vector<std::complex<double>> zs;
    for (double f : hz) {
        z.points.push_back(frequencyPoint(z.core, z.turns, f, z.pf));
        zs.push_back(z.points.back().z);
    }
    z.resonanceHz = z.pfGiven ? selfResonance(hz, zs) : 0;
    return true;
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

Json impedanceJson(const ImpedanceResult &z)
{
    Json j = {{"core", z.core.name}, {"turns", z.turns}};
    if (z.pfGiven)
        j["capacitancePf"] = z.pf;
    if (z.sweep) {
        j["points"] = Json::array();
        for (const FrequencyPoint &p : z.points)
            j["points"].push_back(pointJson(z.core, p));
        if (z.pfGiven)
            j["selfResonantFrequencyMHz"] = z.resonanceHz > 0 ? Json(z.resonanceHz / 1e6) : Json(nullptr);
    } else {
        j.update(pointJson(z.core, z.points[0]));
    }
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

std::string impedanceText(const ImpedanceResult &z, bool csv)
{
    Table table;
    table.rows.push_back(csv ? std::vector<std::string>{"frequency_mhz", "mu_real", "mu_imag", "resistance_ohms",
                                                       "reactance_ohms", "impedance_ohms", "phase_degrees",
                                                       "inductance_uh", "q"}
                             : std::vector<std::string>{"MHz", "mu'", "mu''", "R ohms", "X ohms", "|Z| ohms",
                                                       "phase deg", "L uH", "Q"});
    for (const FrequencyPoint &p : z.points)
        table.rows.push_back(pointRow(z.core, p));
    if (csv)
        return table.render(true);

    const NamedCore &c = z.core;
    Lines lines = {{"Core", c.name + ": le " + significant(c.effective.lengthMm) + " mm, Ae " +
                                significant(c.effective.areaMm2) + " mm^2"},
                   {"Turns", significant(z.turns, 6)}};
    if (z.pfGiven)
        lines.push_back({"Winding capacitance", significant(z.pf, 6) + " pF in parallel"});
    std::string after;
    if (z.sweep) {
        if (z.pfGiven)
            after = captioned({{"Self-resonance", z.resonanceHz > 0 ? "near " + significant(z.resonanceHz / 1e6) +
                                                                          " MHz, where X crosses zero"
                                                                    : "not within the sweep"}});
    } else {
        const FrequencyPoint &p = z.points[0];
        ImpedanceFigures f = figuresOf(p.z, p.hz);
        lines.push_back({"Frequency", significant(z.low, 6) + " MHz"});
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
    lines.push_back({"Data", c.curve ? MeasuredCurveNote : c.data ? FerriteDataNote
                                                                  : "catalogue AL by " + ironNote(z.material) +
                                                                        ", mu(f) / mu(0); the resistance is not modelled"});
    return captioned(lines) + (z.sweep ? "\n" + table.render(false) + (after.empty() ? "" : "\n" + after) : "");
}

} // namespace cli
