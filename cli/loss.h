// loss: a winding's core loss and temperature rise under a drive.
// The request as typed, read and answered by loss(), written by lossJson() and
// lossText().
#pragma once

#include <string>
#include <vector>

#include "cli/values.h"
#include "design/ferrite.h"

namespace cli {

struct LossRequest {
    CoreOptions core;
    Given curve;
    std::string turns, mhz;
    DriveOptions drive;
    Given stack, duty, scale;
    CapacitanceOptions capacitance;
    WireOptions wire;
};
struct LossResult {
    NamedCore core;
    std::string material;
    double turns, mhz;
    Drive drive;
    double dutyPercent;
    Capacitance capacitance;
    design::CoreLoss loss;
    WindingWire wire;
    std::vector<WindingVolts> volts;
    std::vector<std::string> warnings;
};
bool loss(const LossRequest &r, LossResult *result, Failure *failure);
Json lossJson(const LossResult &r);
std::string lossText(const LossResult &r);

} // namespace cli
