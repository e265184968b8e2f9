// choke: the cores, stacks and turns that hold a choke's target over a band.
// The request as typed, read into a plan by readChoke(), answered by
// runChoke(), written by chokeJson() and chokeText().
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "cli/values.h"
#include "design/choke.h"

namespace cli {

struct ChokeRequest {
    Given mhz, minImpedance, minResistance, tolerance, maxRise, duty, points, sizes, materials, stack, maxStack;
    Given curve;               // the user's own curve, on --size
    std::string family, size;  // with --curve
    DriveOptions drive;
    WireOptions wire;
    CapacitanceOptions capacitance;
    bool all = false;
};
struct ChokeDesign {
    design::FrequencyCore core; // the stack
    std::string name;   // FT-240-43
    long turns;
    Capacitance capacitance;
    design::ChokeFigures figures;
    double resonanceHz, resonanceLowHz, resonanceHighHz; // 0: none within the curve
};
// What a choke asks, read once: the band, the target, the limits, the drive,
// the wire, the capacitance and the candidates, every default applied.
struct ChokePlan {
    double lowMhz, highMhz, tolerancePercent, maxRiseKelvin, dutyPercent;
    int points;
    design::ChokeTarget target;
    bool driven;
    Drive given;
    design::ChokeDrive drive;
    Wire wire;
    CapacitanceRule capacitance;
    std::shared_ptr<const design::FerriteData> curve; // --curve
    std::shared_ptr<const std::vector<design::PermeabilityPoint>> curvePoints;
    std::vector<design::FrequencyCore> cores; // the candidates: stacks of the catalogue's cores, or of the user's
    bool all;
};
// What the search found.
struct ChokeResult {
    int searched;
    std::vector<ChokeDesign> designs; // every one found, best first
    // Where none is found: the winding that came nearest, and what it misses.
    bool anyFits;
    ChokeDesign nearest;
    std::vector<std::string> warnings;
};
bool readChoke(const ChokeRequest &r, ChokePlan *plan, Failure *failure);
ChokeResult runChoke(const ChokePlan &plan);
Json chokeJson(const ChokePlan &plan, const ChokeResult &r);
std::string chokeText(const ChokePlan &plan, const ChokeResult &r);

} // namespace cli
