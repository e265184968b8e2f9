// identify: a core from measured dimensions and a test winding.
// The request as typed, read and answered by identify(), written by identifyJson() and
// identifyText().
#pragma once

#include <string>
#include <vector>

#include "cli/values.h"
#include "design/identify.h"

namespace cli {

struct IdentifyRequest {
    std::string od, id, height, turns, inductance, unit = "inches", units = "uH", family;
};
struct IdentifyResult {
    design::Identification identification;
    std::vector<CoreType> families;
    std::vector<std::string> warnings;
};
bool identify(const IdentifyRequest &r, IdentifyResult *result, Failure *failure);
Json identifyJson(const IdentifyResult &r);
std::string identifyText(const IdentifyResult &r);

} // namespace cli
