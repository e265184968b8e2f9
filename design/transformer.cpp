// A transformer's magnetizing branch, loss, heat and flux over a band.
#include "design/transformer.h"

#include <algorithm>
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

// a b, written out (the twins and the page must agree to the bit).
static std::complex<double> times(std::complex<double> a, std::complex<double> b)
{
    return {a.real() * b.real() - a.imag() * b.imag(), a.real() * b.imag() + a.imag() * b.real()};
}

MatchPoint transformerMatch(std::complex<double> zm, double hz, const MatchCircuit &c, double watts)
{
    const double w = 2 * Pi * hz, n2 = c.turnsRatio * c.turnsRatio;
    // The load side, primary-referred: R_L/n^2 with n^2 C_sec across it; then the leakage.
    const std::complex<double> loadY(n2 / c.loadOhms, w * n2 * c.secondaryFarad);
    const std::complex<double> branchZ = std::complex<double>(0, w * c.leakageHenry) + portableReciprocal(loadY);
    const std::complex<double> inY = std::complex<double>(0, w * c.shuntFarad) + portableReciprocal(zm) +
                                     portableReciprocal(branchZ);
    MatchPoint p;
    p.zin = portableReciprocal(inY);
    const std::complex<double> r0(c.sourceOhms, 0);
    const double gamma = portableAbs(portableDivide(p.zin - r0, p.zin + r0));
    p.swr = gamma < 1 ? (1 + gamma) / (1 - gamma) : INFINITY;
    const double ln10 = portableLog(10.0);
    p.returnLossDb = gamma > 0 ? -20 * portableLog(gamma) / ln10 : INFINITY;
    p.mismatchLossDb = gamma < 1 ? -10 * portableLog(1 - gamma * gamma) / ln10 : INFINITY;
    // A source of R0 with `watts` available: Vs = 2 sqrt(W R0); the port's
    // voltage, the branch's current, the load's voltage and power.
    const double vs = 2 * std::sqrt(watts * c.sourceOhms);
    const std::complex<double> vin = times(std::complex<double>(vs, 0), portableDivide(p.zin, p.zin + r0));
    const std::complex<double> vload = portableDivide(vin, times(branchZ, loadY));
    const double load = (vload.real() * vload.real() + vload.imag() * vload.imag()) * (n2 / c.loadOhms);
    p.totalLossDb = load > 0 ? -10 * portableLog(load / watts) / ln10 : INFINITY;
    p.shuntVolts = portableAbs(vin);
    p.shuntAmps = p.shuntVolts * w * c.shuntFarad;
    return p;
}

double worstSwr(const std::vector<std::complex<double>> &zm, const std::vector<double> &hz, const MatchCircuit &c)
{
    double worst = 1;
    for (size_t i = 0; i < hz.size(); i++)
        worst = std::max(worst, transformerMatch(zm[i], hz[i], c, 1).swr);
    return worst;
}

double bestShuntFarad(const std::vector<std::complex<double>> &zm, const std::vector<double> &hz, MatchCircuit c,
                      double mostFarad, double *swr)
{
    // The worst SWR need not be unimodal in C: every 1 pF first, then every
    // 0.1 pF within 1 pF of the best.
    double best = 0, least = INFINITY;
    auto tryC = [&](double farad) {
        c.shuntFarad = farad;
        double s = worstSwr(zm, hz, c);
        if (s < least)
            least = s, best = farad;
    };
    for (long pf = 0; pf <= (long)(mostFarad * 1e12); pf++)
        tryC((double)pf * 1e-12);
    const long coarse = (long)std::lround(best * 1e12);
    for (long tenth = std::max(0L, 10 * coarse - 10); tenth <= 10 * coarse + 10; tenth++)
        tryC((double)tenth * 1e-13);
    *swr = least;
    return best;
}

} // namespace design
