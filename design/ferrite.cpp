// Complex permeability, impedance, loss and temperature rise.
#include "design/ferrite.h"

#include <cmath>

#include "design/portable.h"

namespace design {

const FerriteData *ferriteData(const std::string &code)
{
    for (int i = 0; i < FerriteMaterialDataCount; i++)
        if (code == FerriteMaterialData[i].code)
            return &FerriteMaterialData[i];
    return nullptr;
}

ComplexPermeability permeabilityAt(const FerriteData &data, double hz)
{
    // The first row at or above hz.
    int hi = 0;
    while (hi < data.count - 1 && data.points[hi].hz < hz)
        hi++;
    const PermeabilityPoint &b = data.points[hi];
    if (hi == 0 || b.hz == hz)
        return {b.real, b.imag};
    const PermeabilityPoint &a = data.points[hi - 1];
    double t = portableLog(hz / a.hz) / portableLog(b.hz / a.hz);
    return {a.real + t * (b.real - a.real), a.imag + t * (b.imag - a.imag)};
}

std::complex<double> windingImpedance(double turns, double hz, const Effective &e, ComplexPermeability mu)
{
    // omega N^2 mu0 Ae/le, in ohms per unit of permeability.
    double k = 2 * Pi * hz * turns * turns * Mu0 * (e.areaMm2 * 1e-6) / (e.lengthMm * 1e-3);
    // j k (mu' - j mu'') = k mu'' + j k mu'
    return {k * mu.imag, k * mu.real};
}

std::complex<double> reactanceFromAl(double turns, double hz, double alNanohenry)
{
    return {0, 2 * Pi * hz * turns * turns * alNanohenry * 1e-9};
}

std::complex<double> withCapacitance(std::complex<double> z, double hz, double pf)
{
    std::complex<double> y = portableReciprocal(z);
    return portableReciprocal({y.real(), y.imag() + 2 * Pi * hz * pf * 1e-12});
}

ImpedanceFigures figuresOf(std::complex<double> z, double hz)
{
    ImpedanceFigures f;
    f.resistance = z.real();
    f.reactance = z.imag();
    // Not std::abs: hypot's last bit differs between C libraries, and the
    // twins print the same digits. No impedance comes near overflow.
    f.magnitude = std::sqrt(z.real() * z.real() + z.imag() * z.imag());
    f.phaseDegrees = portableAtan2(z.imag(), z.real()) * 180 / Pi;
    f.inductanceMicrohenry = z.imag() / (2 * Pi * hz) * 1e6;
    f.q = z.imag() / z.real();
    return f;
}

std::vector<double> logSweep(double lowHz, double highHz, int count)
{
    std::vector<double> hz;
    if (count < 1)
        return hz;
    double step = count > 1 ? portableLog(highHz / lowHz) / (count - 1) : 0;
    for (int i = 0; i < count; i++)
        hz.push_back(i == 0 ? lowHz : i == count - 1 ? highHz : lowHz * portableExp(step * i));
    return hz;
}

double selfResonance(const std::vector<double> &hz, const std::vector<std::complex<double>> &z)
{
    // Across a parallel resonance X runs off to infinity and comes back with
    // the other sign; the susceptance Im(1/Z), of the opposite sign, passes
    // through zero smoothly, so that is the one to interpolate.
    for (size_t i = 0; i + 1 < hz.size() && i + 1 < z.size(); i++) {
        if ((z[i].imag() > 0) == (z[i + 1].imag() > 0))
            continue;
        double b0 = portableReciprocal(z[i]).imag(), b1 = portableReciprocal(z[i + 1]).imag();
        double t = b0 / (b0 - b1);
        return hz[i] * portableExp(t * portableLog(hz[i + 1] / hz[i]));
    }
    return 0;
}

FrequencyCoreFault frequencyCore(CoreType family, const std::string &size, const std::string &material,
                                 FrequencyCore *core)
{
    const CoreFamilyTable &t = catalogueOf(family);
    int s = codeIndex(t, size, true);
    if (s < 0)
        return NoSuchSize;
    core->size = &t.sizes[s];
    core->stack = 1;
    core->outline = outlineOf(*core->size);
    core->effective = effectiveParameters(core->outline);
    if (family == CoreFerrite) {
        core->data = ferriteData(material);
        return core->data ? CoreFound : NoCurve;
    }
    int m = codeIndex(t, material, false);
    if (m < 0 || !(t.alOf(s, m) > 1.0f))
        return NoAl;
    core->alNanohenry = nanohenryPerTurnSquared(t.alOf(s, m));
    core->iron = ironFit(material);
    return CoreFound;
}

void stackCores(FrequencyCore *c, int stack)
{
    c->alNanohenry = c->alNanohenry / c->stack * stack;
    c->stack = stack;
    c->outline = outlineOf(*c->size, stack);
    c->effective = effectiveParameters(c->outline);
}

std::string curveMaterials()
{
    std::string s;
    for (int i = 0; i < FerriteMaterialDataCount; i++)
        s += std::string(i ? " " : "") + FerriteMaterialData[i].code;
    return s;
}

bool withinCurve(const FerriteData *data, double lowHz, double highHz)
{
    return !data || (lowHz >= data->lowHz() && highHz <= data->highHz());
}

bool withinCurve(const FrequencyCore &c, double lowHz, double highHz)
{
    return withinCurve(c.data, lowHz, highHz);
}

FrequencyPoint frequencyPoint(const FrequencyCore &c, double turns, double hz, double pf)
{
    FrequencyPoint p;
    p.hz = hz;
    if (c.data) {
        p.mu = permeabilityAt(*c.data, hz);
        p.mu = {p.mu.real * c.scale, p.mu.imag * c.scale};
        p.z = windingImpedance(turns, hz, c.effective, p.mu);
    } else {
        // The catalogue's AL at low frequency, by the fit's own ratio above it.
        double ratio = 1, mu;
        if (c.iron && ironPermeability(*c.iron, hz, &mu))
            ratio = mu / ironPermeabilityAtZero(*c.iron);
        ratio *= c.scale;
        p.mu = {permeability(c.alNanohenry, c.effective) * ratio, 0};
        p.z = reactanceFromAl(turns, hz, c.alNanohenry * ratio);
    }
    if (pf > 0)
        p.z = withCapacitance(p.z, hz, pf);
    return p;
}

double selfResonanceHz(const FrequencyCore &c, double turns, double pf)
{
    const double lowHz = c.data ? c.data->lowHz() : 1e4, highHz = c.data ? c.data->highHz() : 1e10;
    // Im(1/Z): below zero while inductive, smooth through zero where the
    // reactance itself runs off to infinity and comes back.
    auto susceptance = [&](double hz) { return portableReciprocal(frequencyPoint(c, turns, hz, pf).z).imag(); };
    const int PerDecade = 16;
    int steps = (int)std::ceil(portableLog(highHz / lowHz) / portableLog(10.0) * PerDecade);
    std::vector<double> grid = logSweep(lowHz, highHz, steps + 1);
    double before = susceptance(grid[0]);
    for (size_t i = 1; i < grid.size(); i++) {
        double now = susceptance(grid[i]);
        if (before < 0 && now >= 0) {
            double a = grid[i - 1], b = grid[i];
            for (int halving = 0; halving < 60; halving++) {
                double m = std::sqrt(a * b);
                if (!(m > a && m < b))
                    break;
                (susceptance(m) < 0 ? a : b) = m;
            }
            return std::sqrt(a * b);
        }
        before = now;
    }
    return 0;
}

CoreLoss coreLoss(const FrequencyCore &c, double turns, double mhz, double vrms, double amps, double pf, double duty)
{
    CoreLoss l;
    const FrequencyPoint &p = l.point = frequencyPoint(c, turns, mhz * 1e6, pf);
    l.amps = l.seriesOhms = l.q = 0;
    l.withinFit = true;
    l.surfaceCm2 = surfaceAreaCm2(c.outline);
    // A current divides between the winding and its capacitance; the
    // voltage across both is the drive's either way.
    const double magnitude = figuresOf(p.z, p.hz).magnitude;
    l.vrms = vrms > 0 ? vrms : amps * magnitude;
    if (!c.data) {
        // Iron: X alone at small signal; the voltage sets B, and B the loss.
        double x = frequencyPoint(c, turns, mhz * 1e6, 0).z.imag();
        l.amps = vrms > 0 ? vrms / x : amps * (magnitude / x);
        l.peakTesla = sineFluxDensity(l.vrms, mhz, turns, c.effective);
        double density = 0;
        l.withinFit = c.iron && ironLossDensity(*c.iron, l.peakTesla, mhz * 1e6, &density);
        l.watts = density * c.effective.volumeMm3 * 1e-9;
        l.seriesOhms = l.watts / (l.amps * l.amps);
        l.q = x / l.seriesOhms;
        l.averageWatts = l.watts * duty;
        l.riseKelvin = temperatureRise(l.averageWatts, l.surfaceCm2);
        return l;
    }
    l.watts = vrms > 0 ? lossFromVoltage(vrms, p.z) : lossFromCurrent(amps, p.z);
    l.averageWatts = l.watts * duty;
    l.riseKelvin = temperatureRise(l.averageWatts, l.surfaceCm2);
    l.peakTesla = sineFluxDensity(l.vrms, mhz, turns, c.effective);
    return l;
}

double lossFromVoltage(double vrms, std::complex<double> z)
{
    return vrms * vrms * portableReciprocal(z).real();
}

double lossFromCurrent(double amps, std::complex<double> z)
{
    return amps * amps * z.real();
}

double temperatureRise(double watts, double surfaceCm2)
{
    return portablePow(watts * 1e3 / surfaceCm2, 0.833);
}

} // namespace design
