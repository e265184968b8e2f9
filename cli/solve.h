// solve: one solve of the window, its lines by name, with the wire, an AL tolerance and powdered iron's DC bias.
// The request as typed, read and answered by solve(), written by solveJson() and
// solveText().
#pragma once

#include <string>
#include <vector>

#include "cli/values.h"
#include "calc/state.h"

namespace cli {

struct SolveRequest {
    CoreOptions core;
    Given turns, inductance, wireMm, wireIn, tolerance, dcAmps;
    std::string units = "uH";
};
struct WireAnswer {
    bool givenInMm;
    double inches, largestInches;
    bool fits;
    long mostTurns;
};
// A winding on powdered iron with a DC current through it, by the mix's
// DC-bias fit: the field, the permeability left, the inductance it leaves
// at the solved turns, and for a solve of turns the fewest whole turns that
// reach the asked inductance with the current flowing (0: none up to the
// limit).
struct DcBias {
    double amps, field, percent, microhenry;
    long turnsWithCurrent, limit;
    double target; // uH, for a solve of turns
};
struct SolveResult {
    SolveMode mode;
    bool dcGiven = false;
    DcBias dc{};
    std::string mix;
    std::vector<std::pair<const char *, std::string>> lines; // the window's lines by name
    std::vector<WireAnswer> wires;
    bool toleranceGiven = false;
    double percent = 0;
    float al = 0;
    design::ToleranceBand band{};
    std::string unit; // the units box after the solve
};
bool solve(const SolveRequest &r, SolveResult *result, Failure *failure);
Json solveJson(const SolveResult &r);
std::string solveText(const SolveResult &r);

} // namespace cli
