// Effective parameters, permeability, flux density, surface, wire and AL band.
#include "design/magnetics.h"

#include <cmath>

#include "design/portable.h"
#include <cstdlib>

#include "calc/decimals.h"
#include "calc/formulas.h"

namespace design {

double decimal(float value)
{
    char buf[32];
    shortestText(buf, sizeof buf, value);
    return std::strtod(buf, nullptr);
}

Effective effectiveParameters(double outsideMm, double insideMm, double heightMm)
{
    double r1 = insideMm / 2, r2 = outsideMm / 2;
    double ln = portableLog(r2 / r1), c1 = 1 / r1 - 1 / r2;
    Effective e;
    e.lengthMm = 2 * Pi * ln / c1;
    e.areaMm2 = heightMm * ln * ln / c1;
    e.volumeMm3 = e.lengthMm * e.areaMm2;
    return e;
}

Outline outlineOf(const CoreSize &size, int stack)
{
    return {decimal(size.outsideDiameter) * MillimetresPerInch, decimal(size.insideDiameter) * MillimetresPerInch,
            decimal(size.thickness) * MillimetresPerInch * stack};
}

Effective effectiveParameters(const Outline &o)
{
    return effectiveParameters(o.outsideMm, o.insideMm, o.heightMm);
}

Effective effectiveParameters(const CoreSize &size)
{
    return effectiveParameters(outlineOf(size));
}

double nanohenryPerTurnSquared(float alMicrohenryPer100Turns)
{
    return decimal(alMicrohenryPer100Turns) / 10;
}

double permeability(double alNanohenry, const Effective &e)
{
    return alNanohenry * 1e-9 * (e.lengthMm * 1e-3) / (Mu0 * (e.areaMm2 * 1e-6));
}

double sineFluxDensity(double vrms, double mhz, double turns, const Effective &e)
{
    return std::sqrt(2.0) * vrms / (2 * Pi * mhz * 1e6 * turns * (e.areaMm2 * 1e-6));
}

double fieldStrength(double amps, double turns, const Effective &e)
{
    return turns * amps / (e.lengthMm * 1e-3);
}

double dcFluxDensity(double amps, double turns, const Effective &e, double mu)
{
    return Mu0 * mu * fieldStrength(amps, turns, e);
}

double voltageFromPower(double watts, double ohms)
{
    return std::sqrt(watts * ohms);
}

static bool covers(float low, float high, double mhz)
{
    return decimal(low) <= mhz && mhz <= decimal(high);
}

bool meantFor(CoreType family, const CoreMaterial &m, double mhz)
{
    if (covers(m.rangeLowMHz, m.rangeHighMHz, mhz))
        return true;
    return family == CoreFerrite && covers(m.tunedLowMHz, m.tunedHighMHz, mhz);
}

double surfaceAreaCm2(const Outline &o)
{
    double od = o.outsideMm / 10, id = o.insideMm / 10, h = o.heightMm / 10;
    return 2 * Pi / 4 * (od * od - id * id) + Pi * od * h + Pi * id * h;
}

double surfaceAreaCm2(const CoreSize &size)
{
    return surfaceAreaCm2(outlineOf(size));
}

float largestWire(float insideInches, float turns)
{
    return fittingWireDiameterInches(insideInches, turns);
}

long mostTurns(float insideInches, double inches)
{
    // The estimate from the inverted formula is settled with the formula itself.
    auto fits = [&](long n) { return n < TurnsLimit && inches <= largestWire(insideInches, (float)n); };
    double estimate = (insideInches / inches - 2) * 3.14159f / (330 / 360.0f);
    long n = estimate < 0 ? 0 : estimate > 65535 ? 65535 : (long)estimate;
    while (n > 0 && !fits(n))
        n--;
    while (fits(n + 1))
        n++;
    return n;
}

double gaugeInches(int gauge)
{
    return portableExp(-(gauge + 10) / 20.0 * portableLog(10.0));
}

ToleranceBand toleranceBand(float al, SolveMode mode, float turns, double percent)
{
    ToleranceBand b;
    double nominal = decimal(al);
    b.alLow = nominal * (1 - percent / 100);
    b.alHigh = nominal * (1 + percent / 100);
    if (mode == SolveTurns) {
        // The inductance asked for, on either end: more AL, fewer turns.
        double q = turns / 100.0;
        double inductance = nominal * q * q;
        b.low = 100 * std::sqrt(inductance / b.alHigh);
        b.high = 100 * std::sqrt(inductance / b.alLow);
    } else {
        double q = turns / 100.0;
        b.low = b.alLow * q * q;
        b.high = b.alHigh * q * q;
    }
    return b;
}

} // namespace design
