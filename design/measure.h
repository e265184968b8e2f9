// A measured winding against the makers' materials: for each material with
// a published curve, the factor k by which the core's permeability differs
// from the curve (one k for mu' and mu'' alike) and the winding's own
// capacitance C in parallel that best explain the measurement, fitted on
// the coefficient the analyser measured (where its error is about even),
// not on Z. Then the core's own permeability at every point, with C taken
// out.
#pragma once

#include <complex>
#include <string>
#include <vector>

#include "design/ferrite.h"
#include "design/touchstone.h"

namespace design {

// The makers' tolerance on a material's permeability.
const double ScaleLeast = 0.75, ScaleMost = 1.33;
// A material is fitted only where this many points lie within its curve.
const int FitLeastPoints = 10;

struct MaterialFit {
    const FerriteData *data;
    double scale;          // k
    double capacitancePf;  // C
    double residual;       // rms of |measured - fitted coefficient|
    int points;            // within the curve's range
};

struct Sweep {
    std::vector<double> hz;
    std::vector<std::complex<double>> z; // the winding's, ohms
    MeasureMethod method;
    double referenceOhms;
};

// Every material with a curve and enough points, best first: by residual,
// and where two explain the sweep about equally well (residuals within
// TieFactor), the one whose k lies within the makers' tolerance first.
// tooFew receives the materials left out for too few points.
const double TieFactor = 1.5;
std::vector<MaterialFit> fitMaterials(const Sweep &m, double turns, const Effective &e,
                                      std::vector<const FerriteData *> *tooFew);

// The winding's impedance on a material's curve scaled by k, with C in parallel.
std::complex<double> fittedImpedance(const FerriteData &data, double scale, double pf, double turns,
                                     const Effective &e, double hz);

// mu' and mu'' of the core from a measured z, with pf picofarads taken out.
ComplexPermeability recoveredPermeability(std::complex<double> z, double hz, double pf, double turns,
                                          const Effective &e);

// Where a - b changes sign between neighbouring points, linear in log f:
// the first such frequency, 0 where it keeps its sign.
double crossing(const std::vector<double> &hz, const std::vector<double> &a, const std::vector<double> &b);

} // namespace design
