// A transformer's magnetizing branch, loss, heat and flux over a band.
#include "design/transformer.h"

#include <cmath>

#include "design/portable.h"

namespace design {

long secondaryTurns(long primary, double ratio)
{
    return std::lround(primary * std::sqrt(ratio));
}

TransformerFigures transformerFigures(const FrequencyCore &core, long primary, const std::vector<double> &hz, double pf,
                                      const TransformerDrive &d)
{
    TransformerFigures f{};
    f.surfaceCm2 = surfaceAreaCm2(core.outline);
    for (double h : hz) {
        TransformerPoint p;
        p.hz = h;
        p.zm = frequencyPoint(core, (double)primary, h, pf).z;
        p.reactanceRatio = p.zm.imag() / d.ohms;
        p.lossFraction = d.ohms * portableReciprocal(p.zm).real();
        p.lossDb = p.lossFraction < 1 ? -10 * portableLog(1 - p.lossFraction) / portableLog(10.0) : INFINITY;
        p.coreWatts = d.watts * p.lossFraction * d.duty;
        if (f.points.empty() || p.lossFraction > f.points[f.worst].lossFraction)
            f.worst = f.points.size();
        f.points.push_back(p);
    }
    f.riseKelvin = temperatureRise(f.points[f.worst].coreWatts, f.surfaceCm2);
    f.peakTesla = sineFluxDensity(voltageFromPower(d.watts, d.ohms), hz.front() / 1e6, (double)primary, core.effective);
    return f;
}

bool windingsFit(const FrequencyCore &core, double wireInches, long primary, long secondary, bool autotransformer)
{
    return (autotransformer ? secondary : primary + secondary) <= mostTurns(core.size->insideDiameter, wireInches);
}

} // namespace design
