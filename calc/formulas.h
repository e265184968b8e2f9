// The winding formulas: inductance, turns, largest wire gauge, wire length.
//
// Each evaluates in extended precision and rounds its result once to single
// precision. AL is in microhenries per 100 turns for both core families.
#pragma once

#include <cstdint>

// al * (turns / 100)^2, in microhenries.
float inductanceFromTurns(float al, float turns);

// 100 * sqrt(inductance / al), not rounded to a whole number.
float turnsFromInductance(float al, float inductance);

// Largest AWG that still fits the turns in one layer inside the core's hole,
// leaving 30 degrees free between the winding's ends. Reads lengthFactor.
uint16_t maxWireGauge(float insideDiameter, float turns);

// The two halves of maxWireGauge. fittingWireDiameter: the largest bare wire,
// in inches, that fits the turns that way, before any cap (reads
// lengthFactor). wireGaugeOf: the AWG of a wire of that diameter in inches,
// rounded up to a whole gauge (0 outside the 16-bit range).
float fittingWireDiameter(float insideDiameter, float turns);
uint16_t wireGaugeOf(float wireDiameter);
// fittingWireDiameter on a core whose inside diameter is given in inches,
// whatever the current unit: for the designer's figures.
float fittingWireDiameterInches(float insideInches, float turns);

// Wire for the winding, leads not included, in the unit of the dimensions.
float wireLength(float turns, float thickness, float outsideDiameter, float insideDiameter);
