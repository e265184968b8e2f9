// The wire gauge does not depend on the last bit of the processor's log10.
//
// x87 log10 (fyl2x) may differ by an ulp between processor makers. The gauge
// is g = -20 * log10(d) - 10 rounded up, so it could only change where g lies
// within a few ulps of a whole number. g falls as d grows, so for every whole
// gauge k the float diameters closest to its threshold 10^(-(k+10)/20) are
// the two floats around it: if those keep their distance from k, every
// float does. The reference log10 is MPFR's, correctly rounded at 256 bits.
#include <gtest/gtest.h>

#include <mpfr.h>

#include <cfloat>
#include <cmath>
#include <iostream>

#include "calc/formulas.h"
#include "design/q.h"

namespace {

const mpfr_prec_t Bits = 256;

struct Mp {
    mpfr_t v;
    Mp() { mpfr_init2(v, Bits); }
    ~Mp() { mpfr_clear(v); }
};

// g = -20 * log10(d) - 10 for a float d, to 256 bits.
void exactGauge(float d, Mp &g)
{
    mpfr_set_flt(g.v, d, MPFR_RNDN);
    mpfr_log10(g.v, g.v, MPFR_RNDN);
    mpfr_mul_si(g.v, g.v, -20, MPFR_RNDN);
    mpfr_sub_si(g.v, g.v, 10, MPFR_RNDN);
}

// The gauge computed in extended precision from a log10 that is `ulps`
// units in the last place away from the correctly rounded one.
long double gaugeWithLog10Error(float d, int ulps)
{
    Mp l;
    mpfr_set_flt(l.v, d, MPFR_RNDN);
    mpfr_log10(l.v, l.v, MPFR_RNDN);
    long double log10d = mpfr_get_ld(l.v, MPFR_RNDN);
    for (; ulps > 0; ulps--)
        log10d = nextafterl(log10d, INFINITY);
    for (; ulps < 0; ulps++)
        log10d = nextafterl(log10d, -INFINITY);
    volatile long double g = -20 * log10d;
    return ceill(g - 10);
}

TEST(WireGauge, NoFloatDiameterLiesNearAGaugeThreshold)
{
    const float Cap = 0.3f;
    const int Ulps = 8; // far more than any processor's log10 is off by
    double closest = 1;
    float closestAt = 0;
    int gauges = 0;
    Mp threshold, g, distance;
    for (long k = 1;; k++) {
        // 10^(-(k+10)/20)
        mpfr_set_si(threshold.v, -(k + 10), MPFR_RNDN);
        mpfr_div_ui(threshold.v, threshold.v, 20, MPFR_RNDN);
        mpfr_exp10(threshold.v, threshold.v, MPFR_RNDN);
        if (mpfr_cmp_d(threshold.v, FLT_TRUE_MIN) < 0) {
            // Below the smallest positive float: no float diameter reaches k.
            gauges = (int)k - 1;
            break;
        }
        float below = mpfr_get_flt(threshold.v, MPFR_RNDD);
        float above = mpfr_get_flt(threshold.v, MPFR_RNDU);
        for (float d : {below, above}) {
            if (!(d > 0 && d <= Cap))
                continue;
            exactGauge(d, g);
            // Among the subnormals one float step may cross two thresholds,
            // so the whole number nearest g is not always k.
            Mp whole;
            mpfr_round(whole.v, g.v);
            mpfr_sub(distance.v, g.v, whole.v, MPFR_RNDN);
            mpfr_abs(distance.v, distance.v, MPFR_RNDN);
            double gap = mpfr_get_d(distance.v, MPFR_RNDN);
            if (gap < closest) {
                closest = gap;
                closestAt = d;
            }
            // g > k below the threshold's diameter, g < k above it.
            EXPECT_EQ(mpfr_cmp_si(g.v, k), d == below ? 1 : -1) << d;
            mpfr_ceil(whole.v, g.v);
            unsigned expected = (unsigned)mpfr_get_ui(whole.v, MPFR_RNDN);
            for (int e = -Ulps; e <= Ulps; e++)
                ASSERT_EQ(gaugeWithLog10Error(d, e), (long double)expected) << d << " with " << e << " ulps";
            EXPECT_EQ(wireGaugeOf(d), expected) << "diameter " << d;
        }
    }
    // Every gauge from 1 up to that of the smallest float is reachable.
    EXPECT_EQ(gauges, 887);
    EXPECT_EQ(wireGaugeOf(FLT_TRUE_MIN), 888u); // g = 887.07
    // Eight ulps of a log10 below 64 move g by less than 20 * 8 * 2^-58 < 1e-15.
    EXPECT_GT(closest, 1e-12);
    std::cout << "closest approach of g to a whole gauge: " << closest << " at d = " << closestAt
              << " in\n";
    // The cap itself: 0.3 in gives g = 0.4576, gauge 1.
    EXPECT_EQ(wireGaugeOf(Cap), 1u);
}


// The round wire's skin ratio against Kelvin's functions summed by MPFR:
// with x = sqrt(2) a / delta, R/R_dc = (x/2) (ber bei' - bei ber') /
// (ber'^2 + bei'^2), ber + j bei = J0(x e^(3 pi j / 4)), each a power series
// summed at 256 bits, where its cancellation costs nothing.
double kelvinSkinRatio(double xd)
{
    Mp x, half, ber, bei, dber, dbei, term, power, fact, t;
    mpfr_set_d(x.v, xd, MPFR_RNDN);
    mpfr_div_ui(half.v, x.v, 2, MPFR_RNDN);
    for (Mp *m : {&ber, &bei, &dber, &dbei})
        mpfr_set_ui(m->v, 0, MPFR_RNDN);
    for (long m = 0; m < 400; m++) { // the series in (x/2)^m / (m/2)!^2, m even: ber for m = 0 mod 4, bei 2 mod 4
        if (m % 2)
            continue;
        mpfr_pow_ui(power.v, half.v, (unsigned long)m, MPFR_RNDN);
        mpfr_fac_ui(fact.v, (unsigned long)(m / 2), MPFR_RNDN);
        mpfr_sqr(fact.v, fact.v, MPFR_RNDN);
        mpfr_div(term.v, power.v, fact.v, MPFR_RNDN);
        const bool negative = (m / 4) % 2 == 1;
        mpfr_t &value = m % 4 == 0 ? ber.v : bei.v, &slope = m % 4 == 0 ? dber.v : dbei.v;
        (negative ? mpfr_sub : mpfr_add)(value, value, term.v, MPFR_RNDN);
        // d/dx (x/2)^m = (m / x) (x/2)^m
        mpfr_mul_ui(t.v, term.v, (unsigned long)m, MPFR_RNDN);
        mpfr_div(t.v, t.v, x.v, MPFR_RNDN);
        (negative ? mpfr_sub : mpfr_add)(slope, slope, t.v, MPFR_RNDN);
    }
    Mp num, den;
    mpfr_mul(num.v, ber.v, dbei.v, MPFR_RNDN);
    mpfr_mul(t.v, bei.v, dber.v, MPFR_RNDN);
    mpfr_sub(num.v, num.v, t.v, MPFR_RNDN);
    mpfr_sqr(den.v, dber.v, MPFR_RNDN);
    mpfr_sqr(t.v, dbei.v, MPFR_RNDN);
    mpfr_add(den.v, den.v, t.v, MPFR_RNDN);
    mpfr_div(num.v, num.v, den.v, MPFR_RNDN);
    mpfr_mul(num.v, num.v, half.v, MPFR_RNDN);
    return mpfr_get_d(num.v, MPFR_RNDN);
}

TEST(WireGauge, SkinRatioAgainstKelvinFunctions)
{
    const double hz = 7e6, delta = design::skinDepthMetres(hz);
    for (double x : {0.1, 0.5, 1.0, 2.0, 3.0, 5.0, 10.0, 20.0, 40.0, 60.0}) {
        const double d = 2 * delta * x / std::sqrt(2.0); // a = x delta / sqrt(2)
        const double want = kelvinSkinRatio(x);
        EXPECT_NEAR(design::skinRatio(d, hz), want, 1e-11 * want) << x;
    }
}

} // namespace
