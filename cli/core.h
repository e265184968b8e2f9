// core: one core's effective parameters, and its permeability at a frequency.
// The request as typed, read into a spec by readCore(), answered by runCore(),
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
};
// What core asks, read once: the catalogue core, its stack, and where a
// frequency is given, the core at frequency.
struct CoreSpec {
    Core core;
    int stack = 1;
    double mhz = 0;
    bool byFrequency = false;
    NamedCore atFrequency;
};
struct CoreResult {
    design::FrequencyPoint point{}; // one turn at that frequency: its permeability
};
bool readCore(const CoreRequest &r, CoreSpec *spec, Failure *failure);
CoreResult runCore(const CoreSpec &spec);
Json coreJson(const CoreSpec &spec, const CoreResult &r);
std::string coreText(const CoreSpec &spec, const CoreResult &r);

} // namespace cli
