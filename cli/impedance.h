// impedance: a winding at one frequency or over a sweep.
// The request as typed, read into a plan by readImpedance(), answered by
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
    WireOptions wire;
};
// What the impedance asks, read once: the core (its stack and scale), the
// turns, the frequency or the sweep, the capacitance.
struct ImpedancePlan {
    NamedCore core;
    std::string material;
    double turns, low, high;
    int count;  // a sweep's frequencies
    Capacitance capacitance;
    bool sweep;
    WindingWire wire;
};
struct ImpedanceResult {
    std::vector<design::FrequencyPoint> points;
    double resonanceHz;
    std::vector<std::string> warnings;
};
bool readImpedance(const ImpedanceRequest &r, ImpedancePlan *plan, Failure *failure);
ImpedanceResult runImpedance(const ImpedancePlan &plan);
Json impedanceJson(const ImpedancePlan &plan, const ImpedanceResult &r);
std::string impedanceText(const ImpedancePlan &plan, const ImpedanceResult &r, bool csv);

} // namespace cli
