// flux: the flux density from a sine voltage, a power or a DC current.
// The request as typed, read into a spec by readFlux(), answered by
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
};
// What the flux asks, read once: the core, its stack, the turns and the drive.
struct FluxSpec {
    Core core;
    int stack = 1;
    double turns, mhz;
    Drive drive;
};
struct FluxResult {
    design::Effective effective;
    double permeability, fieldStrength, tesla;
    bool biased = false;  // iron with a DC current: the mix's DC-bias fit
    double biasPercent = 0, biasMicrohenry = 0;
};
bool readFlux(const FluxRequest &r, FluxSpec *spec, Failure *failure);
FluxResult runFlux(const FluxSpec &spec);
Json fluxJson(const FluxSpec &spec, const FluxResult &r);
std::string fluxText(const FluxSpec &spec, const FluxResult &r);

} // namespace cli
