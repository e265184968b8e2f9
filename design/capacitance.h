// The self-capacitance of a single-layer winding on a toroid, from its
// outline alone: the capacitance across the winding's ends that sets where
// its impedance stops rising (the self-resonance, where X = 0).
//
//     C_s = eps0 C1 lp^2 / pi^2
//
// C1 = 2 pi / (h ln(OD/ID)) is the toroid's core constant sum(l/A) for a
// rectangular section (h the height of the whole stack) and lp = OD - ID +
// 2h the length of one turn around that section. It depends on neither the
// turns, the wire nor the material: it is the capacitance that makes the
// winding, taken without its core (L = mu0 N^2 / C1), resonate where its
// wire (N lp) is half a wavelength long at the speed of light.
//
// Source: the large-N term of the model in G3RBJ, "Self-Resonance in
// Toroidal Inductors" (2015); D. W. Knight (G3YNH), "The Self-Capacitance
// of Toroidal Inductors", found the same shape by resonance measurements
// (a constant as N grows, plus an excess at few turns). Held against 14
// published measurements (data/self-capacitance/): every one lies within
// C_s/3.5 to 2 C_s, the self-resonance so within about 0.7 to 1.9 times
// the model's.
#pragma once

#include "design/magnetics.h"

namespace design {

const double Epsilon0 = 8.8541878128e-12; // F/m (CODATA 2018)

// C_s in picofarads of a winding on the outline.
double selfCapacitancePf(const Outline &outline);

// The band the published measurements fall in: C_s/3.5 to 2 C_s.
const double CapacitanceLowFactor = 1 / 3.5, CapacitanceHighFactor = 2;

// Where the model is weaker, and says so: below this many turns the
// capacitance has an excess of its own (about 1.5 times at 5 turns on an
// FT-240); a winding filling more than this share of what fits in one
// layer nearly closes the core (up to 2 times); under this many picofarads
// a fixture's or a board's 2 to 3 pF outweigh the winding's own.
const double ModelLeastTurns = 8;
const double ModelClosingShare = 0.75;
const double ModelSmallPf = 1;

} // namespace design
