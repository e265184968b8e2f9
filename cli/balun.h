// balun: a transmission-line balun or unun (Guanella 1:1, 4:1, 9:1; Ruthroff
// 4:1) over a band, one build or a search for the cores and fewest turns.
// The request as typed, read into a plan by readBalun(), answered by
// runBalun(), written by balunJson() and balunText().
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "cli/values.h"
#include "design/balun.h"

namespace cli {

struct BalunRequest {
    std::string kind;
    Given ratio, turns, cores, z0, vf, twists, permittivity, leadsCm, ohms, loadOhms, cmLoad;
    Given mhz, points, watts, duty, maxSwr, maxLossDb, maxRise, sizes, materials, stack, maxStack, curve;
    CoreOptions core; // with --size: one build
    WireOptions wire;
    CapacitanceOptions capacitance;
    bool unun = false, all = false;
};
// A build's answer at one frequency.
struct BalunFigures {
    design::BalunPoint point;
    double commonModeOhms; // |Z_w|, one line's common-mode impedance
    // At a power: the cores' loss (at the duty), the hottest one's rise and
    // the highest peak flux density; whether iron's loss fit takes them.
    double coreWatts = 0, riseKelvin = 0, peakTesla = 0;
    bool withinFit = true;
};
struct BalunDesign {
    design::FrequencyCore core; // one line's core (one core: all of them)
    std::string name;
    long turns;
    Capacitance capacitance;
    double lineMetres, topDegrees;
    bool fit;
    std::vector<BalunFigures> points;
    double worstSwr, worstLossDb, worstRiseKelvin, peakTesla, leastCommonModeOhms, leastCommonModeHz;
    // At a power, each line's: the drop along its winding and the most
    // between any two of its ends, each the highest over the band.
    std::vector<WindingVolts> volts;
};
// What a balun asks, read once: the kind and its connection, the line, the
// source and the load, the band, the power, the limits, every default
// applied; one build's core and turns, or a search's candidates.
struct BalunPlan {
    design::BalunCircuit circuit; // the line's length is each build's
    bool lineMeasured;            // --z0 and --vf, or Lefferson's from the pair
    design::PairLine pair;
    Wire wire;
    double twistsPerCm = 0, permittivity, leadsCm;
    double lowMhz, highMhz;
    int points;
    bool driven;
    double watts = 0, dutyPercent, maxSwr, maxLossDb, maxRiseKelvin;
    CapacitanceRule capacitance;
    bool oneBuild, all;
    std::vector<design::FrequencyCore> cores; // one build's stack, or the candidates
    std::shared_ptr<const design::FerriteData> curve; // --curve
    std::shared_ptr<const std::vector<design::PermeabilityPoint>> curvePoints;
    std::string name; // one build's core
    long turns = 0;   // one build's, each line's
};
struct BalunResult {
    std::vector<BalunDesign> designs; // one build, or every one found, best first
    int searched;
    std::string nearest; // none found: what failed nearest
    // Lines on one core into a load with its centre grounded: the output's
    // terminals per volt in at the band's middle.
    double imbalanceHigh = 0, imbalanceLow = 0;
    std::vector<std::string> warnings;
};
bool readBalun(const BalunRequest &r, BalunPlan *plan, Failure *failure);
BalunResult runBalun(const BalunPlan &plan);
Json balunJson(const BalunPlan &plan, const BalunResult &r);
std::string balunText(const BalunPlan &plan, const BalunResult &r);

} // namespace cli
