// flux: the flux density from a sine voltage, a power or a DC current.
// The request as typed, read into a plan by readFlux(), answered by
// runFlux(), written by fluxJson() and fluxText().
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
    WireOptions wire;
};
// What the flux asks, read once: the core, its stack, the turns and the drive.
struct FluxPlan {
    Core core;
    int stack = 1;
    double turns, mhz;
    Drive drive;
    WindingWire wire;
};
struct FluxResult {
    design::Effective effective;
    double permeability, fieldStrength, tesla;
    bool biased = false;  // iron with a DC current: the mix's DC-bias fit
    double biasPercent = 0, biasMicrohenry = 0;
    std::vector<WindingVolts> volts; // a sine's
    std::vector<std::string> warnings;
};
bool readFlux(const FluxRequest &r, FluxPlan *plan, Failure *failure);
FluxResult runFlux(const FluxPlan &plan);
Json fluxJson(const FluxPlan &plan, const FluxResult &r);
std::string fluxText(const FluxPlan &plan, const FluxResult &r);

} // namespace cli
