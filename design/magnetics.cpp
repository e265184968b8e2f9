// Effective parameters, permeability and flux density of a toroid.
#include "cli/magnetics.h"

#include <cmath>

#include "cli/common.h"

namespace cli {

const double Pi = 3.14159265358979323846;

Effective effectiveParameters(double outsideMm, double insideMm, double heightMm)
{
    double r1 = insideMm / 2, r2 = outsideMm / 2;
    double ln = std::log(r2 / r1), c1 = 1 / r1 - 1 / r2;
    Effective e;
    e.lengthMm = 2 * Pi * ln / c1;
    e.areaMm2 = heightMm * ln * ln / c1;
    e.volumeMm3 = e.lengthMm * e.areaMm2;
    return e;
}

Effective effectiveParameters(const CoreSize &size)
{
    return effectiveParameters(decimal(size.outsideDiameter) * MillimetresPerInch,
                               decimal(size.insideDiameter) * MillimetresPerInch,
                               decimal(size.thickness) * MillimetresPerInch);
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

} // namespace cli
