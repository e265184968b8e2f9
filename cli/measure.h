// measure: a VNA sweep of a test winding against the makers' materials.
// The request as typed, read and answered by measure(), written by measureJson() and
// measureText().
#pragma once

#include <complex>
#include <string>
#include <vector>

#include "cli/values.h"
#include "design/measure.h"
#include "design/q.h"
#include "design/touchstone.h"

namespace cli {

struct MeasureRequest {
    Given file, text; // the design::Touchstone file, or its text (the page)
    std::string family, size, unit = "inches", material, method;
    Given od, id, height, stack, mhz;
    std::string turns;
    WireOptions wire; // powdered iron: the test winding's copper
};
struct MeasurePoint {
    double hz;
    std::complex<double> z;
    design::ComplexPermeability mu;
    bool onCurve;            // within the best material's curve
    std::complex<double> fitted; // the best fit's impedance there
    bool inFit;              // within the fitted band, and passive
};
struct MeasureResult {
    std::string core;
    int stack = 1;
    design::Outline outline;
    design::Effective effective;
    double modelPf; // the self-capacitance model's, beside the fitted C
    double turns;
    design::MeasureMethod method;
    design::Touchstone file;
    double lowHz, highHz; // the fitted band
    bool bandGiven;
    std::vector<design::MaterialFit> fits; // best first
    bool explained;
    std::vector<const design::MaterialFit *> alike; // the materials it cannot tell apart, best first
    bool soldAsConsistent = false;          // --material among them
    design::CurveRatio ratio;                       // the core against the best fit's curve
    std::vector<MeasurePoint> points;
    double crossoverHz, curveCrossoverHz, resonanceHz;
    std::vector<std::string> warnings;
    // Powdered iron: the core's mu' and Q_core at every point (the copper
    // taken out by the q model, the self-capacitance model's C across the
    // winding), each mix's ratios, nearest first, and whether no mix
    // explains the sweep.
    bool iron = false;
    float insideInches = 0;
    Wire wire;
    std::vector<design::IronPoint> ironPoints;
    std::vector<design::IronMixFit> ironFits;
    std::vector<const design::IronMixFit *> ironAlike;
    bool notAsSold = false;
};
bool measure(const MeasureRequest &r, MeasureResult *result, Failure *failure);
Json measureJson(const MeasureResult &r);
std::string measureText(const MeasureResult &r, bool csv);

} // namespace cli
