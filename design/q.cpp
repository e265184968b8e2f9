// The Q of a single-layer winding: the copper's resistance by skin and
// proximity, the core's by its loss fit or its curve.
#include "design/q.h"

#include <algorithm>
#include <cmath>
#include <complex>

#include "design/portable.h"

namespace design {

double skinDepthMetres(double hz)
{
    return std::sqrt(CopperOhmMetre / (Pi * hz * Mu0));
}

double skinRatio(double diameterMetres, double hz)
{
    const double x = diameterMetres / 2 / skinDepthMetres(hz); // a / delta
    if (x < 1e-6)
        return 1;
    if (x > 2000) // the asymptote's next term is under 1e-7 of it
        return x / 2 + 0.25 + 3 / (32 * x);
    // J1(z)/J0(z) at z = k a = (1 - j) a/delta by the continued fraction
    // J_n/J_(n-1) = 1 / (2n/z - J_(n+1)/J_n), run backward from well past
    // |z|, where it has converged (Miller's direction: stable).
    // From a/delta + 30 terms on, the ratio no longer moves in double
    // precision (checked against three times as many, up to a/delta 1500).
    const std::complex<double> z(x, -x), twoOverZ = portableReciprocal(z) * 2.0;
    const int terms = (int)x + 30;
    std::complex<double> t;
    for (int n = terms; n >= 1; n--)
        t = portableReciprocal(twoOverZ * (double)n - t);
    return portableDivide(z * 0.5, t).real();
}

double dowellFactor(double diameterMetres, double hz, double porosity)
{
    static const double Shape = portablePow(Pi / 4, 0.75);
    const double d = Shape * diameterMetres / skinDepthMetres(hz) * std::sqrt(porosity);
    const double y = 2 * d;
    if (y < 0.05) // cosh y - cos y cancels: the series, 1 + 4 D^4 / 45
        return 1 + 4 * d * d * d * d / 45;
    if (y > 60) // the fraction is 1 within e^-60
        return d;
    const double e = portableExp(y), sinh = (e - 1 / e) / 2, cosh = (e + 1 / e) / 2;
    double cosine, sine;
    portableCosSinDegrees(y * 180 / Pi, &cosine, &sine);
    return d * (sinh + sine) / (cosh - cosine);
}

double turnLengthMm(const Outline &o, double wireMm)
{
    // Around the section, OD - ID + 2h, its corners rounded by the wire's
    // centre: pi d more.
    return o.outsideMm - o.insideMm + 2 * o.heightMm + Pi * wireMm;
}

WindingCopper windingCopper(const Outline &o, double turns, double wireMm, double hz)
{
    WindingCopper w;
    const double d = wireMm * 1e-3, length = turnLengthMm(o, wireMm);
    w.dcOhms = CopperOhmMetre * turns * length * 1e-3 / (Pi * d * d / 4);
    const double skin = skinRatio(d, hz);
    w.skinOhms = w.dcOhms * skin;
    // Along the turn: the wall in the hole and the outer wall (each with half
    // the corners) at their radius, the two faces from the inside radius to
    // the outside one; at each the local pitch 2 pi r / N.
    auto factor = [&](double radiusMm) {
        const double eta = std::min(1.0, wireMm * turns / (2 * Pi * std::max(radiusMm, wireMm / 2)));
        return std::max(skin, dowellFactor(d, hz, eta));
    };
    const double wall = o.heightMm + Pi * wireMm / 2;
    double sum = wall * factor(o.insideMm / 2 - wireMm / 2) + wall * factor(o.outsideMm / 2 + wireMm / 2);
    const int Steps = 8;
    const double face = (o.outsideMm - o.insideMm) / 2, step = face / Steps;
    for (int i = 0; i < Steps; i++)
        sum += 2 * step * factor(o.insideMm / 2 + (i + 0.5) * step);
    w.ohms = w.dcOhms * sum / length;
    return w;
}

double ironCoreQ(const IronFit &fit, double hz)
{
    double mu = 0;
    ironPermeability(fit, hz, &mu);
    return Pi / (Mu0 * mu * fit.loss[3] * hz);
}

QPoint windingQ(const FrequencyCore &c, double turns, double wireMm, double hz, double vrms, double resonanceHz)
{
    QPoint p;
    p.hz = hz;
    const FrequencyPoint f = frequencyPoint(c, turns, hz, 0);
    p.reactanceOhms = f.z.imag();
    p.inductanceHenry = p.reactanceOhms / (2 * Pi * hz);
    p.copper = windingCopper(c.outline, turns, wireMm, hz);
    p.withinFit = true;
    if (c.data)
        p.coreOhms = f.z.real(); // X mu''/mu'
    else if (!c.iron)
        p.coreOhms = 0, p.withinFit = false;
    else {
        p.coreOhms = p.reactanceOhms / ironCoreQ(*c.iron, hz);
        if (vrms > 0) {
            // The hysteresis terms at the drive's flux density: their power
            // over I^2, I = V / X through the winding.
            const double tesla = sineFluxDensity(vrms, hz / 1e6, turns, c.effective);
            double density = 0;
            p.withinFit = ironLossDensity(*c.iron, tesla, hz, &density);
            const double hysteresis = density - c.iron->loss[3] * tesla * tesla * hz * hz;
            const double amps = vrms / p.reactanceOhms;
            if (p.withinFit)
                p.coreOhms += std::max(0.0, hysteresis) * c.effective.volumeMm3 * 1e-9 / (amps * amps);
        }
    }
    const double x = p.reactanceOhms;
    p.qCopper = x / p.copper.ohms;
    p.qCore = p.coreOhms > 0 ? x / p.coreOhms : INFINITY;
    p.q = x / (p.copper.ohms + p.coreOhms);
    p.qSkinOnly = x / (p.copper.skinOhms + p.coreOhms);
    const double r = resonanceHz > 0 ? hz / resonanceHz : 0;
    p.qMeasured = r < 1 ? p.q * (1 - r * r) : 0;
    return p;
}

std::vector<IronPoint> ironPoints(const std::vector<double> &hz, const std::vector<std::complex<double>> &z,
                                  double turns, const Outline &o, const Effective &e, double wireMm, double pf)
{
    std::vector<IronPoint> points;
    for (size_t i = 0; i < hz.size(); i++) {
        const double w = 2 * Pi * hz[i];
        const std::complex<double> y = portableReciprocal(z[i]);
        const std::complex<double> winding = portableReciprocal({y.real(), y.imag() - w * pf * 1e-12});
        const double x = winding.imag();
        const double core = winding.real() - windingCopper(o, turns, wireMm, hz[i]).ohms;
        IronPoint p;
        p.mu = x / (w * turns * turns * Mu0 * (e.areaMm2 * 1e-6) / (e.lengthMm * 1e-3));
        p.qCore = core > 0 ? x / core : INFINITY;
        points.push_back(p);
    }
    return points;
}

static double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

std::vector<IronMixFit> fitIronMixes(const std::vector<double> &hz, const std::vector<IronPoint> &points)
{
    std::vector<IronMixFit> fits;
    for (int m = 0; m < IronFitCount; m++) {
        const IronFit &fit = IronFits[m];
        std::vector<double> mu, loss;
        for (size_t i = 0; i < hz.size(); i++) {
            double own = 0;
            ironPermeability(fit, hz[i], &own);
            mu.push_back(points[i].mu / own);
            loss.push_back(ironCoreQ(fit, hz[i]) / points[i].qCore);
        }
        IronMixFit f;
        f.fit = &fit;
        f.muRatio = median(mu);
        f.lossRatio = median(loss);
        const double a = portableLog(f.muRatio) / portableLog(IronMuSpread);
        const double b = f.lossRatio > 0 ? portableLog(f.lossRatio) / portableLog(1 + QSpread) : INFINITY;
        f.distance = std::sqrt(a * a + b * b);
        fits.push_back(f);
    }
    std::stable_sort(fits.begin(), fits.end(), [](const IronMixFit &a, const IronMixFit &b) { return a.distance < b.distance; });
    return fits;
}

bool farFrom(const IronMixFit &f)
{
    return !(f.muRatio < NotAsSoldMu && f.muRatio > 1 / NotAsSoldMu) ||
           !(f.lossRatio < NotAsSoldLoss && f.lossRatio > 1 / NotAsSoldLoss);
}

} // namespace design
