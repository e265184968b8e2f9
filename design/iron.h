// Powdered iron from its maker's curve fits (Micrometals): the core loss
// density against flux density and frequency, the permeability against
// frequency, and the permeability left under a DC field. Typical curves of
// the mix at room temperature, below saturation.
#pragma once

#include <string>

namespace design {

struct IronFit {
    const char *mix;
    double muInitial;
    double loss[4];      // a, b, c, d: P in W/m^3 from B in T and f in Hz
    double bias[4];      // a, b, c, d: per cent of the initial from H in A/m
    double frequency[4]; // a, b, c, d: the permeability from f in Hz
    double temperaturePpmPerKelvin;
};

extern const IronFit IronFits[];
extern const int IronFitCount;

// The fit of a mix by its catalogue code; nullptr where there is none.
const IronFit *ironFit(const std::string &mix);

// P = f / (a/B^3 + b/B^2.3 + c/B^1.65) + d B^2 f^2, in W/m^3, from the peak
// flux density in tesla at hz. False for a B or f not finite and above 0.
bool ironLossDensity(const IronFit &fit, double tesla, double hz, double *wattsPerCubicMetre);
// mu(f) = 1 / (a + b f^c) + d. False for an f not finite and above 0.
bool ironPermeability(const IronFit &fit, double hz, double *mu);
// mu(0) = 1/a + d: the fit's own permeability at low frequency.
double ironPermeabilityAtZero(const IronFit &fit);
// p(H) = 1 / (a + b H^c) + d, per cent of the initial permeability. False for
// an H not finite and above 0.
bool ironBiasPercent(const IronFit &fit, double amperePerMetre, double *percent);

} // namespace design
