// A choke's figures over a band, and its test.
//
// With C across it, N turns have Z = 1 / (1 / (a z) + j w C), a = k N^2 and z
// the winding per turn squared on the typical curve. Both |Z| and R rise
// with a up to a single maximum and fall after it (d|Z|^2/da has the sign of
// 1 - a w C X(z), dR/da that of |1/z|^2 - (a w C)^2), so over the tolerance's
// factors k the least of either lies at one end: checking 1 - t and 1 + t
// (and the typical curve between) covers every k in between.
#include "design/choke.h"

#include <cmath>

#include "design/portable.h"

namespace design {

ChokeBand chokeBand(const FrequencyCore &core, const std::vector<double> &hz, double tolerance, double pf)
{
    ChokeBand b;
    b.core = core;
    b.hz = hz;
    for (double f : hz)
        b.mu.push_back(permeabilityAt(*core.data, f));
    b.scales[0] = 1 - tolerance;
    b.scales[1] = 1;
    b.scales[2] = 1 + tolerance;
    b.pf = pf;
    b.surfaceCm2 = surfaceAreaCm2(core.outline);
    return b;
}

std::complex<double> chokeImpedance(const ChokeBand &b, double turns, size_t i, double scale)
{
    ComplexPermeability mu = {b.mu[i].real * scale, b.mu[i].imag * scale};
    std::complex<double> z = windingImpedance(turns, b.hz[i], b.core.effective, mu);
    return b.pf > 0 ? withCapacitance(z, b.hz[i], b.pf) : z;
}

static double lossOf(std::complex<double> z, const ChokeDrive &d)
{
    double watts = d.amps > 0 ? lossFromCurrent(d.amps, z) : d.vrms > 0 ? lossFromVoltage(d.vrms, z) : 0;
    return watts * d.duty;
}

ChokeFigures chokeFigures(const ChokeBand &b, double turns, const ChokeTarget &t, const ChokeDrive &d)
{
    ChokeFigures f{};
    f.leastImpedanceOhms = f.leastResistanceOhms = INFINITY;
    f.margin = INFINITY;
    f.shortfall = ChokeHolds;
    auto worse = [&](double margin, ChokeShortfall what, double hz) {
        if (margin < f.margin)
            f.margin = margin, f.shortfall = margin < 1 ? what : ChokeHolds, f.shortfallHz = hz;
    };
    for (size_t i = 0; i < b.hz.size(); i++)
        for (double scale : b.scales) {
            std::complex<double> zc = chokeImpedance(b, turns, i, scale);
            double magnitude = portableAbs(zc);
            if (magnitude < f.leastImpedanceOhms)
                f.leastImpedanceOhms = magnitude, f.leastImpedanceHz = b.hz[i];
            if (zc.real() < f.leastResistanceOhms)
                f.leastResistanceOhms = zc.real(), f.leastResistanceHz = b.hz[i];
            double loss = lossOf(zc, d);
            if (loss > f.lossWatts)
                f.lossWatts = loss, f.lossHz = b.hz[i];
        }
    if (t.impedanceOhms > 0)
        worse(f.leastImpedanceOhms / t.impedanceOhms, ChokeImpedanceLow, f.leastImpedanceHz);
    if (t.resistanceOhms > 0)
        worse(f.leastResistanceOhms / t.resistanceOhms, ChokeResistanceLow, f.leastResistanceHz);
    if (d.vrms > 0 || d.amps > 0) {
        f.riseKelvin = temperatureRise(f.lossWatts, b.surfaceCm2);
        worse(d.maxRiseKelvin / f.riseKelvin, ChokeRunsHot, f.lossHz);
    }
    return f;
}

bool chokePasses(const ChokeBand &b, double turns, const ChokeTarget &t, const ChokeDrive &d)
{
    // Most windings of a search fall short at one end of the band: try the
    // target there first, before the whole of the figures.
    for (size_t i : {size_t(0), b.hz.size() - 1})
        for (double scale : b.scales) {
            std::complex<double> z = chokeImpedance(b, turns, i, scale);
            if (portableAbs(z) < t.impedanceOhms || z.real() < t.resistanceOhms)
                return false;
        }
    ChokeFigures f = chokeFigures(b, turns, t, d);
    return f.shortfall == ChokeHolds;
}

} // namespace design
