// The designer's figures of a toroid: effective parameters after IEC 60205
// for a rectangular cross-section, permeability, flux density, the surface
// that sheds a core's heat, wire by its diameter and the AL tolerance band.
// Double precision throughout: these are not the window's digits.
//
// This library computes and nothing else: no options, no JSON, no printing.
// mirvelta-cli and the web page format what it returns.
#pragma once

#include "calc/state.h"
#include "catalogue/catalogue.h"

namespace design {

const double Pi = 3.14159265358979323846;
const double Mu0 = 1.25663706212e-6; // H/m
const double MillimetresPerInch = 25.4;

// The decimal the catalogue was written with: the shortest text that reads
// back as the float, read as a double (0.19f -> 0.19, not 0.18999999761).
double decimal(float value);

struct Effective {
    double lengthMm, areaMm2, volumeMm3;
};

// A core's outline in millimetres. K identical cores side by side are, to
// every figure here, one core K times as high: Ae, the volume, AL and the
// height K times one core's, le one core's, the surface the stack's outer
// one.
struct Outline {
    double outsideMm, insideMm, heightMm;
};
// A catalogue size (its inches, as written in the catalogue), in a stack of
// `stack` cores.
Outline outlineOf(const CoreSize &size, int stack = 1);

// From the outside and inside diameters and the height, in millimetres.
Effective effectiveParameters(double outsideMm, double insideMm, double heightMm);
Effective effectiveParameters(const Outline &outline);
// The same for a catalogue size.
Effective effectiveParameters(const CoreSize &size);

// AL in nH/N^2 from the catalogue's uH per 100 turns (1 uH/100 t = 0.1 nH/N^2).
double nanohenryPerTurnSquared(float alMicrohenryPer100Turns);
// mu_e = AL * le / (mu0 * Ae), AL in nH/N^2.
double permeability(double alNanohenry, const Effective &e);

// Peak flux density in tesla of a sine voltage (V rms) at f MHz on N turns.
double sineFluxDensity(double vrms, double mhz, double turns, const Effective &e);
// Field strength in A/m of a current I through N turns.
double fieldStrength(double amps, double turns, const Effective &e);
// The flux density in tesla of a DC current through N turns on a core of
// permeability mu: B = mu0 mu H, valid below saturation.
double dcFluxDensity(double amps, double turns, const Effective &e, double mu);
// The rms voltage of a power into a resistance: V = sqrt(P R).
double voltageFromPower(double watts, double ohms);

// Whether a material is meant for a frequency: powdered iron when its
// usable range covers it, ferrite when its wide-band or tuned-circuit
// range does.
bool meantFor(CoreType family, const CoreMaterial &material, double mhz);

// The bare core's outer surface in cm^2: both faces, the outer and the
// inner wall. What sheds the heat of its loss.
double surfaceAreaCm2(const Outline &outline);
double surfaceAreaCm2(const CoreSize &size);

// ---- Wire by its diameter -----------------------------------------------------

// The window's turn limit: a winding has fewer than this many turns.
const long TurnsLimit = 65536;

// The largest bare wire, in inches, that fits the turns in one layer the
// window's way (before its 0.3-inch cap), on a core whose inside diameter
// is insideInches.
float largestWire(float insideInches, float turns);
// Most whole turns on which a bare wire of wireInches still fits in one
// layer that way (0: not even one).
long mostTurns(float insideInches, double wireInches);
// The gauges a winding's wire may be given by.
const int WireGaugeLeast = 1, WireGaugeMost = 50;
// The bare diameter in inches of a whole gauge, by the window's own rule
// (gauge = -20 log10(d) - 10, so d = 10^(-(gauge + 10) / 20)).
double gaugeInches(int gauge);

// ---- The AL tolerance band -----------------------------------------------------

// The other quantity when AL (uH per 100 turns) is anywhere within +/-
// percent of the catalogue's: for a solve of turns, the turns that reach
// the same inductance; for a solve of inductance, the inductance in uH.
struct ToleranceBand {
    double alLow, alHigh; // uH per 100 turns
    double low, high;     // turns, or uH
};
ToleranceBand toleranceBand(float al, SolveMode mode, float turns, double percent);

} // namespace design
