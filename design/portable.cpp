// Elementary functions from IEEE operations only: argument reduction by
// powers of two (exact), then short series.
#include "design/portable.h"

#include <cmath>

#include "design/magnetics.h" // Pi

namespace design {

// ln 2 in two parts: the high part has trailing zero bits, so k * Ln2High is
// exact for the exponents a double can have.
static const double Ln2High = 6.93147180369123816490e-01;
static const double Ln2Low = 1.90821492927058770002e-10;

double portableLog(double x)
{
    if (!(x > 0))
        return x == 0 ? -HUGE_VAL : NAN;
    if (std::isinf(x))
        return x;
    int e;
    double m = std::frexp(x, &e); // x = m 2^e, m in [0.5, 1)
    if (m < 0.70710678118654752440) {
        m *= 2;
        e--;
    }
    // ln m = 2 atanh(s), s = (m - 1) / (m + 1), |s| < 0.172.
    double s = (m - 1) / (m + 1), s2 = s * s, sum = 0;
    for (int k = 25; k >= 1; k -= 2)
        sum = 1.0 / k + s2 * sum;
    return e * Ln2High + (2 * s * sum + e * Ln2Low);
}

double portableExp(double x)
{
    if (std::isnan(x))
        return x;
    if (x > 709.8)
        return HUGE_VAL;
    if (x < -745.2)
        return 0;
    double k = std::nearbyint(x / (Ln2High + Ln2Low));
    double r = (x - k * Ln2High) - k * Ln2Low; // |r| <= 0.35
    double sum = 1;
    for (int n = 18; n >= 1; n--)
        sum = 1 + r * sum / n;
    return std::ldexp(sum, (int)k);
}

double portablePow(double x, double y)
{
    return portableExp(y * portableLog(x));
}

// atan t for |t| <= 1: halve the angle three times, atan t = 2 atan(t / (1 +
// sqrt(1 + t^2))), down to |t| < 0.1, then the series.
static double atanSmall(double t)
{
    for (int i = 0; i < 3; i++)
        t = t / (1 + std::sqrt(1 + t * t));
    double t2 = t * t, sum = 0;
    for (int k = 19; k >= 1; k -= 2)
        sum = ((k / 2) % 2 ? -1.0 : 1.0) / k + t2 * sum;
    return 8 * t * sum;
}

double portableAtan2(double y, double x)
{
    if (std::isnan(x) || std::isnan(y))
        return NAN;
    if (x == 0 && y == 0)
        return std::signbit(x) ? std::copysign(Pi, y) : std::copysign(0.0, y);
    double ax = std::fabs(x), ay = std::fabs(y);
    // The angle from the positive x axis in the first quadrant.
    double a = ay <= ax ? atanSmall(ay / ax) : Pi / 2 - atanSmall(ax / ay);
    if (x < 0)
        a = Pi - a;
    return std::copysign(a, y);
}

// The series of cos and sin for |x| <= pi/4, after reducing the angle in
// degrees, where whole quarter turns are exact.
void portableCosSinDegrees(double degrees, double *cosine, double *sine)
{
    double d = std::fmod(degrees, 360.0); // exact
    if (d < 0)
        d += 360;
    int quarter = (int)std::nearbyint(d / 90);
    double x = (d - 90.0 * quarter) * (Pi / 180); // |x| <= pi/4
    double x2 = x * x, c = 1, s = 1;
    for (int n = 20; n >= 2; n -= 2) {
        c = 1 - x2 * c / (n * (n - 1));
        s = 1 - x2 * s / ((n + 1) * n);
    }
    s *= x;
    switch (quarter % 4) {
    case 0: *cosine = c, *sine = s; break;
    case 1: *cosine = -s, *sine = c; break;
    case 2: *cosine = -c, *sine = -s; break;
    default: *cosine = s, *sine = -c; break;
    }
}

std::complex<double> portableReciprocal(std::complex<double> z)
{
    double a = z.real(), b = z.imag(), d = a * a + b * b;
    return {a / d, -b / d};
}

std::complex<double> portableDivide(std::complex<double> a, std::complex<double> b)
{
    double d = b.real() * b.real() + b.imag() * b.imag();
    return {(a.real() * b.real() + a.imag() * b.imag()) / d, (a.imag() * b.real() - a.real() * b.imag()) / d};
}

double portableAbs(std::complex<double> z)
{
    return std::sqrt(z.real() * z.real() + z.imag() * z.imag());
}

} // namespace design
