// transformer: an impedance transformer at power, one build or a search.
// The request as typed, read into a spec by readTransformer(), answered by
// runTransformer(), written by transformerJson() and transformerText().
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
// What a transformer asks, read once: the ratio, the band, the power, the
// limits, the wire and the capacitance, every default applied; one build's
// core and primary turns, or a search's candidates.
struct TransformerSpec {
    double ratio;         // asked, or (S/P)^2 of --turns
    bool ratioFromTurns;
    double lowMhz, highMhz, watts, ohms, dutyPercent, maxLossPercent, maxRiseKelvin;
    int points;
    bool autotransformer, oneBuild, all;
    Wire wire;
    CapacitanceRule capacitance;
    std::vector<design::FrequencyCore> cores; // one build's stack, or the candidates
    std::string name;                         // one build's core
    long primary = 0;                         // one build's primary turns
};
// What it found.
struct TransformerResult {
    std::vector<TransformerDesign> designs; // one build, or every one the search found, best first
    int searched;
    std::string nearest; // none found: what failed nearest
    std::vector<std::string> warnings;
};
bool readTransformer(const TransformerRequest &r, TransformerSpec *spec, Failure *failure);
TransformerResult runTransformer(const TransformerSpec &spec);
Json transformerJson(const TransformerSpec &spec, const TransformerResult &r);
std::string transformerText(const TransformerSpec &spec, const TransformerResult &r);

} // namespace cli
