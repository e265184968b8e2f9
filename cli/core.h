// core: one core's effective parameters, and its permeability at a frequency.
// The request as typed, read and answered by core(), written by coreJson() and
// coreText().
#pragma once

#include <string>
#include <vector>

#include "cli/values.h"

namespace cli {

struct CoreRequest {
    CoreOptions core;
    Given mhz; // the frequency the user works at
    Given stack;
};
struct CoreResult {
    Core core;
    int stack = 1;
    bool atFrequency = false;
    design::FrequencyPoint point{}; // one turn at that frequency: its permeability
};
bool core(const CoreRequest &r, CoreResult *result, Failure *failure);
Json coreJson(const CoreResult &r);
std::string coreText(const CoreResult &r);

} // namespace cli
