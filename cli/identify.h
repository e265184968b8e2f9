// identify: a core from measured dimensions and a test winding.
// The request as typed, read into a plan by readIdentify(), answered by
// runIdentify(), written by identifyJson() and identifyText().
#pragma once

#include <string>
#include <vector>

#include "cli/values.h"
#include "design/identify.h"

namespace cli {

struct IdentifyRequest {
    std::string od, id, height, turns, inductance, unit = "inches", units = "uH", family;
};
// What identify asks, read once: the measurement in mm and nH, and the
// families to look in.
struct IdentifyPlan {
    design::Measurement measured;
    std::vector<CoreType> families;
};
struct IdentifyResult {
    design::Identification identification;
    std::vector<std::string> warnings;
};
bool readIdentify(const IdentifyRequest &r, IdentifyPlan *plan, Failure *failure);
IdentifyResult runIdentify(const IdentifyPlan &plan);
Json identifyJson(const IdentifyPlan &plan, const IdentifyResult &r);
std::string identifyText(const IdentifyPlan &plan, const IdentifyResult &r);

} // namespace cli
