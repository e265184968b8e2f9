// The powdered-iron curve fits.
#include "design/iron.h"

#include <cmath>

#include "design/decimal.h"
#include "design/portable.h"

namespace design {

const IronFit *ironFit(const std::string &mix)
{
    for (int i = 0; i < IronFitCount; i++)
        if (mix == IronFits[i].mix)
            return &IronFits[i];
    return nullptr;
}

bool ironLossDensity(const IronFit &fit, double tesla, double hz, double *p)
{
    if (!finitePositive(tesla) || !finitePositive(hz))
        return false;
    const double *k = fit.loss;
    double hysteresis = hz / (k[0] / (tesla * tesla * tesla) + k[1] / portablePow(tesla, 2.3) +
                              k[2] / portablePow(tesla, 1.65));
    *p = hysteresis + k[3] * tesla * tesla * hz * hz;
    return true;
}

bool ironPermeability(const IronFit &fit, double hz, double *mu)
{
    if (!finitePositive(hz))
        return false;
    const double *k = fit.frequency;
    *mu = 1 / (k[0] + k[1] * portablePow(hz, k[2])) + k[3];
    return true;
}

double ironPermeabilityAtZero(const IronFit &fit)
{
    return 1 / fit.frequency[0] + fit.frequency[3];
}

bool ironBiasPercent(const IronFit &fit, double h, double *percent)
{
    if (!finitePositive(h))
        return false;
    const double *k = fit.bias;
    *percent = 1 / (k[0] + k[1] * portablePow(h, k[2])) + k[3];
    return true;
}

} // namespace design
