// core: one core's effective parameters, and its permeability at a frequency.
// The request as typed, read into a plan by readCore(), answered by runCore(),
// written by coreJson() and coreText().
#pragma once

#include <string>
#include <vector>

#include "cli/values.h"

namespace cli {

struct CoreRequest {
    CoreOptions core;
    Given mhz; // the frequency the user works at
    Given stack;
    WireOptions wire;
};
// What core asks, read once: the catalogue core, its stack, and where a
// frequency is given, the core at frequency.
struct CorePlan {
    Core core;
    int stack = 1;
    double mhz = 0;
    bool byFrequency = false;
    NamedCore atFrequency;
    WindingWire wire; // where given: the turns of it one layer holds
};
struct CoreResult {
    design::FrequencyPoint point{}; // one turn at that frequency: its permeability
};
bool readCore(const CoreRequest &r, CorePlan *plan, Failure *failure);
CoreResult runCore(const CorePlan &plan);
Json coreJson(const CorePlan &plan, const CoreResult &r);
std::string coreText(const CorePlan &plan, const CoreResult &r);

} // namespace cli
