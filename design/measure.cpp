// The fit of a measured winding against the makers' materials.
#include "design/measure.h"

#include <algorithm>
#include <cmath>

#include "design/portable.h"

namespace design {

namespace {

// One material's model at the measured points: the admittance of the
// winding on the curve at k = 1, C = 0, and what was measured. The fitted
// coefficient is worked from the admittance, one division a point.
struct Model {
    std::vector<std::complex<double>> admittance, measured;
    std::vector<double> omegaPf; // 2 pi f 1e-12: C's susceptance per pF
    MeasureMethod method;
    double r0;

    // The coefficient at point i, and its derivative by a = r0 y.
    std::complex<double> coefficient(size_t i, double k, double pf, std::complex<double> *slope = nullptr) const
    {
        std::complex<double> y = admittance[i] / k;
        std::complex<double> a = r0 * std::complex<double>(y.real(), y.imag() + omegaPf[i] * pf);
        std::complex<double> num, den;
        switch (method) {
        case Reflection: num = 1.0 - a, den = 1.0 + a; break;      // (1 - a) / (1 + a)
        case SeriesThrough: num = 2.0 * a, den = 2.0 * a + 1.0; break; // 2a / (2a + 1)
        case ShuntThrough: num = 2.0, den = 2.0 + a; break;            // 2 / (2 + a)
        }
        std::complex<double> g = portableDivide(num, den);
        if (slope) {
            std::complex<double> dd = portableReciprocal(den * den);
            *slope = method == Reflection ? -2.0 * dd : method == SeriesThrough ? 2.0 * dd : -2.0 * dd;
        }
        return g;
    }

    // The sum of squares over every step-th point.
    double cost(double k, double pf, size_t step = 1) const
    {
        double sum = 0;
        for (size_t i = 0; i < measured.size(); i += step) {
            std::complex<double> d = coefficient(i, k, pf) - measured[i];
            sum += d.real() * d.real() + d.imag() * d.imag();
        }
        return sum;
    }
};

// Levenberg-Marquardt in (k, C) from a start, C kept at 0 or above.
void refine(const Model &m, double *k, double *pf)
{
    double lambda = 1e-3, cost = m.cost(*k, *pf);
    const size_t n = m.measured.size();
    for (int iteration = 0; iteration < 40; iteration++) {
        // J^T J and J^T r over the real and imaginary parts.
        double a11 = 0, a12 = 0, a22 = 0, g1 = 0, g2 = 0;
        for (size_t i = 0; i < n; i++) {
            std::complex<double> slope, c = m.coefficient(i, *k, *pf, &slope), r = c - m.measured[i];
            std::complex<double> dk = slope * (m.r0 * (-m.admittance[i] / (*k * *k)));
            std::complex<double> dc = slope * std::complex<double>(0, m.r0 * m.omegaPf[i]);
            a11 += dk.real() * dk.real() + dk.imag() * dk.imag();
            a12 += dk.real() * dc.real() + dk.imag() * dc.imag();
            a22 += dc.real() * dc.real() + dc.imag() * dc.imag();
            g1 += dk.real() * r.real() + dk.imag() * r.imag();
            g2 += dc.real() * r.real() + dc.imag() * r.imag();
        }
        bool improved = false;
        for (int tries = 0; tries < 10 && !improved; tries++) {
            double b11 = a11 * (1 + lambda), b22 = a22 * (1 + lambda) + 1e-300, det = b11 * b22 - a12 * a12;
            if (!(det > 0)) {
                lambda *= 10;
                continue;
            }
            double sk = -(b22 * g1 - a12 * g2) / det, sc = -(b11 * g2 - a12 * g1) / det;
            double nk = std::max(*k + sk, *k * 0.5), nc = std::max(*pf + sc, 0.0);
            double c = m.cost(nk, nc);
            if (c < cost) {
                improved = true;
                bool settled = cost - c < 1e-12 * cost;
                *k = nk, *pf = nc, cost = c;
                lambda = std::max(lambda / 10, 1e-9);
                if (settled)
                    return;
            } else {
                lambda *= 10;
            }
        }
        if (!improved)
            return;
    }
}

} // namespace

std::complex<double> fittedImpedance(const FerriteData &data, double scale, double pf, double turns,
                                     const Effective &e, double hz)
{
    ComplexPermeability mu = permeabilityAt(data, hz);
    return withCapacitance(windingImpedance(turns, hz, e, {mu.real * scale, mu.imag * scale}), hz, pf);
}

ComplexPermeability recoveredPermeability(std::complex<double> z, double hz, double pf, double turns,
                                          const Effective &e)
{
    std::complex<double> y = portableReciprocal(z);
    std::complex<double> zl = portableReciprocal({y.real(), y.imag() - 2 * Pi * hz * pf * 1e-12});
    // Z_L = w (mu'' + j mu'), w = omega N^2 mu0 Ae / le.
    std::complex<double> w = windingImpedance(turns, hz, e, {1, 0});
    return {zl.imag() / w.imag(), zl.real() / w.imag()};
}

std::vector<MaterialFit> fitMaterials(const Sweep &m, double turns, const Effective &e,
                                      std::vector<const FerriteData *> *tooFew)
{
    std::vector<MaterialFit> fits;
    for (int d = 0; d < FerriteMaterialDataCount; d++) {
        const FerriteData &data = FerriteMaterialData[d];
        Model model;
        model.method = m.method;
        model.r0 = m.referenceOhms;
        for (size_t i = 0; i < m.hz.size(); i++) {
            if (!withinCurve(&data, m.hz[i], m.hz[i]))
                continue;
            ComplexPermeability mu = permeabilityAt(data, m.hz[i]);
            model.admittance.push_back(portableReciprocal(windingImpedance(turns, m.hz[i], e, mu)));
            model.measured.push_back(coefficientOf(m.z[i], m.method, m.referenceOhms));
            model.omegaPf.push_back(2 * Pi * m.hz[i] * 1e-12);
        }
        if ((int)model.measured.size() < FitLeastPoints) {
            tooFew->push_back(&data);
            continue;
        }
        // A coarse grid first on about 100 of the points, k from 0.2 to 5 by
        // factors of 1.25 and C from 0 to 64 pF; then the nearest minimum
        // from its best point, on all of them.
        double bestK = 1, bestC = 0, best = INFINITY;
        size_t step = std::max<size_t>(1, model.measured.size() / 100);
        for (double k = 0.2; k < 5.2; k *= 1.25)
            for (double pf : {0.0, 0.5, 1.0, 2.0, 4.0, 8.0, 16.0, 32.0, 64.0}) {
                double c = model.cost(k, pf, step);
                if (c < best)
                    best = c, bestK = k, bestC = pf;
            }
        refine(model, &bestK, &bestC);
        double residual = std::sqrt(model.cost(bestK, bestC) / model.measured.size());
        fits.push_back({&data, bestK, bestC, residual, (int)model.measured.size()});
    }
    std::stable_sort(fits.begin(), fits.end(),
                     [](const MaterialFit &a, const MaterialFit &b) { return a.residual < b.residual; });
    if (!fits.empty()) {
        // Among those that explain it about as well as the best, the ones
        // within the makers' tolerance first.
        double tie = fits[0].residual * TieFactor;
        auto within = [](const MaterialFit &f) { return f.scale >= ScaleLeast && f.scale <= ScaleMost; };
        auto end = std::find_if(fits.begin(), fits.end(), [&](const MaterialFit &f) { return f.residual > tie; });
        std::stable_partition(fits.begin(), end, within);
    }
    return fits;
}

double crossing(const std::vector<double> &hz, const std::vector<double> &a, const std::vector<double> &b)
{
    for (size_t i = 0; i + 1 < hz.size(); i++) {
        double d0 = a[i] - b[i], d1 = a[i + 1] - b[i + 1];
        if (d0 == 0)
            return hz[i];
        if ((d0 < 0) != (d1 < 0) && d1 != 0) {
            double t = d0 / (d0 - d1);
            return hz[i] * portableExp(t * portableLog(hz[i + 1] / hz[i]));
        }
        if (d1 == 0)
            return hz[i + 1];
    }
    return 0;
}

void defaultBand(const std::vector<double> &hz, double *lowHz, double *highHz)
{
    auto count = [&](double low, double high) {
        return std::count_if(hz.begin(), hz.end(), [&](double f) { return f >= low && f <= high; });
    };
    *lowHz = BandLowHz, *highHz = BandHighHz;
    if (count(*lowHz, *highHz) >= FitLeastPoints)
        return;
    *lowHz = hz.front();
    if (count(*lowHz, *highHz) >= FitLeastPoints)
        return;
    *highHz = hz.back();
}

std::vector<size_t> fittedPoints(const Sweep &m, double lowHz, double highHz, int *nonPassive)
{
    std::vector<size_t> points;
    *nonPassive = 0;
    for (size_t i = 0; i < m.hz.size(); i++) {
        if (m.hz[i] < lowHz || m.hz[i] > highHz)
            continue;
        if (m.z[i].real() < 0)
            ++*nonPassive;
        else
            points.push_back(i);
    }
    return points;
}

Sweep subset(const Sweep &m, const std::vector<size_t> &points)
{
    Sweep s{{}, {}, m.method, m.referenceOhms};
    for (size_t i : points) {
        s.hz.push_back(m.hz[i]);
        s.z.push_back(m.z[i]);
    }
    return s;
}

std::vector<const MaterialFit *> indistinct(const std::vector<MaterialFit> &fits)
{
    std::vector<const MaterialFit *> alike;
    if (fits.empty() || !explained(fits[0]))
        return alike;
    for (const MaterialFit &f : fits)
        if (alike.size() < 3 && f.residual <= fits[0].residual * IndistinctFactor &&
            f.scale >= PlausibleScaleLeast && f.scale <= PlausibleScaleMost)
            alike.push_back(&f);
    return alike;
}

bool explained(const MaterialFit &best)
{
    return best.residual <= ExplainedResidual;
}

double measuredResonance(const Sweep &m, double sigma)
{
    // The ohms a coefficient error of sigma moves Z by at point i: |dZ/dG|.
    auto noise = [&](size_t i) {
        std::complex<double> g = coefficientOf(m.z[i], m.method, m.referenceOhms);
        double r0 = m.referenceOhms;
        auto squared = [](std::complex<double> c) { return c.real() * c.real() + c.imag() * c.imag(); };
        switch (m.method) {
        case Reflection: return sigma * 2 * r0 / squared(1.0 - g); // Z = R0 (1 + G) / (1 - G)
        case SeriesThrough: return sigma * 2 * r0 / squared(g);    // Z = 2 R0 (1 - G) / G
        case ShuntThrough: break;
        }
        return sigma * r0 / (2 * squared(1.0 - g)); // Z = R0 G / (2 (1 - G))
    };
    bool inductive = false;
    size_t lastPositive = 0;
    for (size_t i = 0; i < m.hz.size(); i++) {
        double x = m.z[i].imag(), e = noise(i);
        if (x > 0)
            lastPositive = i;
        if (x > e) {
            inductive = true;
        } else if (inductive && x < -e) {
            size_t a = lastPositive, b = lastPositive + 1;
            double b0 = portableReciprocal(m.z[a]).imag(), b1 = portableReciprocal(m.z[b]).imag();
            double t = b0 / (b0 - b1);
            return m.hz[a] * portableExp(t * portableLog(m.hz[b] / m.hz[a]));
        }
    }
    return 0;
}

CurveRatio medianRatio(const std::vector<double> &hz, const std::vector<ComplexPermeability> &mu,
                       const FerriteData &curve)
{
    std::vector<double> real, imag;
    for (size_t i = 0; i < hz.size(); i++) {
        if (!withinCurve(&curve, hz[i], hz[i]))
            continue;
        ComplexPermeability c = permeabilityAt(curve, hz[i]);
        real.push_back(mu[i].real / c.real);
        imag.push_back(mu[i].imag / c.imag);
    }
    auto median = [](std::vector<double> v) {
        if (v.empty())
            return (double)NAN;
        std::sort(v.begin(), v.end());
        size_t n = v.size();
        return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    };
    return {median(real), median(imag)};
}

} // namespace design
