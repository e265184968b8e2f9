// A choke for a band (a common-mode choke on a feed line, a current balun):
// the figures of N turns on a core over the band with the winding's own
// capacitance across it and the permeability anywhere within a tolerance
// of the typical curve, and the test a design must pass: |Z| and R at least
// a target at every frequency, and the core no hotter than a limit under a
// drive. The search itself is design/search's.
#pragma once

#include <complex>
#include <vector>

#include "design/ferrite.h"

namespace design {

// What the choke must hold at every frequency of the band, with the
// permeability anywhere within the tolerance: |Z| and R at least these (0:
// not asked).
struct ChokeTarget {
    double impedanceOhms = 0, resistanceOhms = 0;
};

// The drive, as loss takes it: a sine voltage across the choke or a current
// through it (neither: no drive); the share of the time at full power, which
// the heat follows; and the rise the core may take.
struct ChokeDrive {
    double vrms = 0, amps = 0;
    double duty = 1;
    double maxRiseKelvin = HotRiseKelvin;
};

// A core over a band: the band's frequencies, the typical curve's
// permeability at each, the factors on it the tolerance asks for (1 - t, 1,
// 1 + t), and the capacitance across the winding.
struct ChokeBand {
    FrequencyCore core;
    std::vector<double> hz;
    std::vector<ComplexPermeability> mu;
    double scales[3];
    double pf;
    double surfaceCm2;
};
ChokeBand chokeBand(const FrequencyCore &core, const std::vector<double> &hz, double tolerance, double pf);

// N turns on the band's core at its i-th frequency, the permeability times
// scale: the impedance `impedance` gives there (scale 1), C included.
std::complex<double> chokeImpedance(const ChokeBand &b, double turns, size_t i, double scale);

// Which part of the test a winding misses by the most.
enum ChokeShortfall { ChokeHolds, ChokeImpedanceLow, ChokeResistanceLow, ChokeRunsHot };

struct ChokeFigures {
    // The least over the band and the tolerance, and where.
    double leastImpedanceOhms, leastImpedanceHz, leastResistanceOhms, leastResistanceHz;
    // With a drive: the worst loss over both, at the duty, where, and the rise.
    double lossWatts, lossHz, riseKelvin;
    // The worst of least/target and of limit/rise: 1 or more passes.
    double margin;
    ChokeShortfall shortfall;
    double shortfallHz;
};
ChokeFigures chokeFigures(const ChokeBand &b, double turns, const ChokeTarget &t, const ChokeDrive &d);

// Whether N turns pass: the target at every frequency and factor, and the
// rise within its limit.
bool chokePasses(const ChokeBand &b, double turns, const ChokeTarget &t, const ChokeDrive &d);

} // namespace design
