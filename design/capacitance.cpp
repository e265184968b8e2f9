// The winding's self-capacitance from the core's outline.
#include "design/capacitance.h"

#include "design/portable.h"

namespace design {

double selfCapacitancePf(const Outline &o)
{
    double h = o.heightMm * 1e-3;
    double c1 = 2 * Pi / (h * portableLog(o.outsideMm / o.insideMm)); // 1/m
    double lp = (o.outsideMm - o.insideMm + 2 * o.heightMm) * 1e-3;   // m
    return Epsilon0 * c1 * lp * lp / (Pi * Pi) * 1e12;
}

} // namespace design
