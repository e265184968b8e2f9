// transformer: an impedance transformer at power, one build or a search.
// The request as typed, read and answered by transformer(), written by transformerJson() and
// transformerText().
#pragma once

#include <string>
#include <vector>

#include "cli/values.h"
#include "design/transformer.h"

namespace cli {

struct TransformerRequest {
    Given ratio, turns, mhz, watts, ohms, duty, primaryTurns, maxLoss, maxRise, points, sizes, materials, stack, maxStack;
    CoreOptions core; // with --size: one build
    WireOptions wire;
    CapacitanceOptions capacitance;
    bool autotransformer = false, all = false;
};
struct TransformerDesign {
    design::FrequencyCore core;
    std::string name;
    long primary, secondary;
    Capacitance capacitance;
    design::TransformerFigures figures;
    bool fit;
};
struct TransformerResult {
    double ratio;         // asked, or (S/P)^2 of --turns
    bool ratioFromTurns;
    double lowMhz, highMhz, watts, ohms, dutyPercent, maxLossPercent, maxRiseKelvin;
    int points;
    bool autotransformer, oneBuild, all;
    Wire wire;
    CapacitanceRule capacitance;
    std::vector<TransformerDesign> designs; // one build, or every one the search found, best first
    int searched;
    std::string nearest; // none found: what failed nearest
    std::vector<std::string> warnings;
};
bool transformer(const TransformerRequest &r, TransformerResult *result, Failure *failure);
Json transformerJson(const TransformerResult &r);
std::string transformerText(const TransformerResult &r);

} // namespace cli
