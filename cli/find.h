// find: every catalogue core that reaches an inductance, shortest wire first.
// The request as typed, read and answered by find(), written by findJson() and
// findText().
#pragma once

#include <string>
#include <vector>

#include "cli/values.h"

namespace cli {

struct FindRequest {
    std::string inductance, units = "uH", family, unit = "inches";
    Given awg, mhz;
};
struct FoundCore {
    std::string core, material, al, turns, gauge, length, lengthUnit;
    float wireLength;
};
struct FindResult {
    std::vector<FoundCore> cores;
};
bool find(const FindRequest &r, FindResult *result, Failure *failure);
Json findJson(const FindResult &r);
std::string findText(const FindResult &r, bool csv);

} // namespace cli
