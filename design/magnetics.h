// The designer's figures of a toroid: effective parameters after IEC 60205
// for a rectangular cross-section, permeability and flux density. Double
// precision throughout: these are not the window's digits.
#pragma once

#include "catalogue/catalogue.h"

namespace cli {

const double Mu0 = 1.25663706212e-6; // H/m
const double MillimetresPerInch = 25.4;

struct Effective {
    double lengthMm, areaMm2, volumeMm3;
};

// From the outside and inside diameters and the height, in millimetres.
Effective effectiveParameters(double outsideMm, double insideMm, double heightMm);
// The same for a catalogue size (its inches, as written in the catalogue).
Effective effectiveParameters(const CoreSize &size);

// AL in nH/N^2 from the catalogue's uH per 100 turns (1 uH/100 t = 0.1 nH/N^2).
double nanohenryPerTurnSquared(float alMicrohenryPer100Turns);
// mu_e = AL * le / (mu0 * Ae), AL in nH/N^2.
double permeability(double alNanohenry, const Effective &e);

// Peak flux density in tesla of a sine voltage (V rms) at f MHz on N turns.
double sineFluxDensity(double vrms, double mhz, double turns, const Effective &e);
// Field strength in A/m of a current I through N turns.
double fieldStrength(double amps, double turns, const Effective &e);

} // namespace cli
