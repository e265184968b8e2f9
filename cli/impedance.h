// impedance: a winding at one frequency or over a sweep.
// The request as typed, read into a spec by readImpedance(), answered by
// runImpedance(), written by impedanceJson() and impedanceText().
#pragma once

#include <string>
#include <vector>

#include "cli/values.h"

namespace cli {

struct ImpedanceRequest {
    CoreOptions core;
    Given curve; // a file of frequency_hz,mu_real,mu_imag in place of the material
    std::string turns, mhz;
    Given points, stack, scale;
    CapacitanceOptions capacitance;
};
// What the impedance asks, read once: the core (its stack and scale), the
// turns, the frequency or the sweep, the capacitance.
struct ImpedanceSpec {
    NamedCore core;
    std::string material;
    double turns, low, high;
    int count;  // a sweep's frequencies
    Capacitance capacitance;
    bool sweep;
};
struct ImpedanceResult {
    std::vector<design::FrequencyPoint> points;
    double resonanceHz;
    std::vector<std::string> warnings;
};
bool readImpedance(const ImpedanceRequest &r, ImpedanceSpec *spec, Failure *failure);
ImpedanceResult runImpedance(const ImpedanceSpec &spec);
Json impedanceJson(const ImpedanceSpec &spec, const ImpedanceResult &r);
std::string impedanceText(const ImpedanceSpec &spec, const ImpedanceResult &r, bool csv);

} // namespace cli
