// flux: the flux density from a sine voltage, a power or a DC current.
// The request as typed, read and answered by flux(), written by fluxJson() and
// fluxText().
#pragma once

#include <string>
#include <vector>

#include "cli/values.h"

namespace cli {

struct FluxRequest {
    CoreOptions core;
    std::string turns;
    Given mhz, stack;
    DriveOptions drive;
};
struct FluxResult {
    Core core;
    int stack = 1;
    design::Effective effective;
    double permeability, turns, mhz, fieldStrength, tesla;
    Drive drive;
    bool biased = false;  // iron with a DC current: the mix's DC-bias fit
    double biasPercent = 0, biasMicrohenry = 0;
};
bool flux(const FluxRequest &r, FluxResult *result, Failure *failure);
Json fluxJson(const FluxResult &r);
std::string fluxText(const FluxResult &r);

} // namespace cli
