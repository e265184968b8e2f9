// transformer: an impedance transformer at power, one build or a search.
// The request as typed, read into a plan by readTransformer(), answered by
// runTransformer(), written by transformerJson() and transformerText().
#pragma once

#include <string>
#include <vector>

#include "cli/values.h"
#include "design/transformer.h"

namespace cli {

struct TransformerRequest {
    Given ratio, turns, mhz, watts, ohms, duty, primaryTurns, maxLoss, maxRise, points, sizes, materials, stack, maxStack;
    Given leakageNh, secondaryPf, shuntPf, maxSwr; // the match
    bool bestShunt = false;
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
    std::vector<design::MatchPoint> match; // the port's match at each frequency
    double worstSwr;
    double secondaryPf;                    // the secondary's own capacitance used
};
// What a transformer asks, read once: the ratio, the band, the power, the
// limits, the wire and the capacitance, every default applied; one build's
// core and primary turns, or a search's candidates.
struct TransformerPlan {
    double ratio;         // asked, or (S/P)^2 of --turns
    bool ratioFromTurns;
    double lowMhz, highMhz, watts, ohms, dutyPercent, maxLossPercent, maxRiseKelvin;
    int points;
    bool autotransformer, oneBuild, all;
    Wire wire;
    CapacitanceRule capacitance;
    double leakageNh = 0, shuntPf = 0, maxSwr; // the match (a leakage of 0: not given)
    bool secondaryGiven = false;               // the secondary's own capacitance given, or the model's
    double secondaryPf = 0;
    bool bestShunt = false;
    std::vector<design::FrequencyCore> cores; // one build's stack, or the candidates
    std::string name;                         // one build's core
    long primary = 0;                         // one build's primary turns
};
// What it found.
struct TransformerResult {
    std::vector<TransformerDesign> designs; // one build, or every one the search found, best first
    int searched;
    std::string nearest; // none found: what failed nearest
    // --best-shunt: the minimax shunt capacitor and its worst SWR, as
    // modelled and with the secondary's capacitance half and twice that.
    double bestShuntPf = 0, bestShuntLowPf = 0, bestShuntHighPf = 0;
    double bestSwr = 0, bestSwrLow = 0, bestSwrHigh = 0;
    std::vector<std::string> warnings;
};
bool readTransformer(const TransformerRequest &r, TransformerPlan *plan, Failure *failure);
TransformerResult runTransformer(const TransformerPlan &plan);
Json transformerJson(const TransformerPlan &plan, const TransformerResult &r);
std::string transformerText(const TransformerPlan &plan, const TransformerResult &r);

} // namespace cli
