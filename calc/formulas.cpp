// The winding formulas, in the order of operations the displayed digits depend on.
#include "calc/formulas.h"

#include "calc/extended.h"
#include "calc/fpenv.h"
#include "calc/state.h"

static const Extended TurnsReference = 100;
static const float Pi = 3.14159f;           // deliberately not the full pi: 3.1415901
static const Extended DivisorOffset = 2;
static const float DiameterCap = 0.3f;      // inch: 0.30000001
static const Extended GaugeSlope = -20;
static const Extended GaugeOffset = -10;
static const Extended TurnFactor = 2;
static const float LengthAllowance = 1.05f; // 1.04999995: 5 per cent extra wire

// The winding covers 330 of the 360 degrees. Computed at run time, then held
// in single precision (0.91666669).
static float windingArcFraction()
{
    volatile int degrees = 360;
    return (float)(330 / (Extended)degrees);
}

float inductanceFromTurns(float al, float turns)
{
    Extended q = turns / TurnsReference;
    return (float)(al * (q * q));
}

float turnsFromInductance(float al, float inductance)
{
    Extended r = inductance / (Extended)al;
    return (float)(TurnsReference * sqrtExtended(r));
}

static float fittingWire(Extended idInches, float turns)
{
    Extended divisor = turns / (Extended)Pi * windingArcFraction() + DivisorOffset;
    return (float)(idInches / divisor);
}

float fittingWireDiameter(float insideDiameter, float turns)
{
    return fittingWire(insideDiameter / (Extended)lengthFactor, turns);
}

float fittingWireDiameterInches(float insideInches, float turns)
{
    return fittingWire(insideInches, turns);
}

uint16_t wireGaugeOf(float wireDiameter)
{
    Extended g = GaugeSlope * log10Extended(wireDiameter) + GaugeOffset;
    Extended whole = roundUpward(g);
    // Only absurd arguments (no core has them) leave the 16-bit range; keep
    // the conversion defined for them all the same.
    if (!(whole >= 0 && whole <= 65535))
        return 0;
    return (uint16_t)(double)whole;
}

uint16_t maxWireGauge(float insideDiameter, float turns)
{
    float wireDiameter = fittingWireDiameter(insideDiameter, turns);
    if (wireDiameter > DiameterCap)
        wireDiameter = DiameterCap;
    return wireGaugeOf(wireDiameter);
}

float wireLength(float turns, float thickness, float outsideDiameter, float insideDiameter)
{
    Extended perTurn = (Extended)outsideDiameter - insideDiameter + thickness;
    Extended total = TurnFactor * turns * perTurn * LengthAllowance - thickness;
    if (total < 0)
        return 0;
    return (float)total;
}
