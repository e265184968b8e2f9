// impedance: a winding at one frequency or over a sweep.
// The request as typed, read and answered by impedance(), written by impedanceJson() and
// impedanceText().
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
struct ImpedanceResult {
    NamedCore core;
    std::string material;
    double turns, low;
    Capacitance capacitance;
    bool sweep;
    std::vector<design::FrequencyPoint> points;
    double resonanceHz;
    std::vector<std::string> warnings;
};
bool impedance(const ImpedanceRequest &r, ImpedanceResult *result, Failure *failure);
Json impedanceJson(const ImpedanceResult &r);
std::string impedanceText(const ImpedanceResult &r, bool csv);

} // namespace cli
