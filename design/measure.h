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

// ---- Where the fit holds, and how sure it is -----------------------------------

// A test winding behaves as one winding with one capacitance across it
// (the model the fit assumes) over the HF bands it is measured for: above
// them the leads, the fixture and the core's own dimensional resonance take
// over, below them the analyser's calibration is at its edge. The band a
// sweep is fitted over unless the user gives one: 1 to 30 MHz; a sweep with
// fewer than FitLeastPoints points there, its points up to 30 MHz; a sweep
// with fewer than that, the whole of it.
const double BandLowHz = 1e6, BandHighHz = 30e6;
void defaultBand(const std::vector<double> &hz, double *lowHz, double *highHz);

// The points of the sweep within the band that a passive winding can have
// measured: R >= 0 (|S11| <= 1). nonPassive receives the count of the others
// within the band.
std::vector<size_t> fittedPoints(const Sweep &m, double lowHz, double highHz, int *nonPassive);
Sweep subset(const Sweep &m, const std::vector<size_t> &points);

// The materials a sweep cannot tell apart, best first, at most three: the
// best fit and those whose residual is within IndistinctFactor of it, each
// with a k within PlausibleScale (a real core may sit off its maker's curve
// by more than the makers' tolerance, not by a factor of two). None where
// the best residual says no single winding explains the sweep.
const double IndistinctFactor = 1.25;
const double PlausibleScaleLeast = 0.5, PlausibleScaleMost = 2;
std::vector<const MaterialFit *> indistinct(const std::vector<MaterialFit> &fits);

// Whether the best fit explains the sweep: its rms residual on the
// measured coefficient at most this. A real winding fits to a few
// hundredths; several windings, a fixture, powdered iron or a material
// without a curve leave a tenth or more.
const double ExplainedResidual = 0.15;
bool explained(const MaterialFit &best);

// The self-resonance of a measured winding: the first frequency where X
// falls through zero from clearly inductive to clearly capacitive, clearly
// meaning beyond the noise in ohms a coefficient error of sigma makes at
// that point (a reflection: sigma 2 R0 / |1 - S11|^2). Where X crosses,
// the susceptance linear in log f; 0 where it does not.
double measuredResonance(const Sweep &m, double sigma);
// The least sigma taken for that: an analyser's own scatter on a good
// calibration.
const double ResonanceLeastNoise = 0.005;

// Median over the points of mu'/mu' and mu''/mu'' of the core against the
// named curve (C taken out, the curve's own scale): how a real core sits
// beside its maker's typical curve.
struct CurveRatio {
    double real, imag;
};
CurveRatio medianRatio(const std::vector<double> &hz, const std::vector<ComplexPermeability> &mu,
                       const FerriteData &curve);

} // namespace design
