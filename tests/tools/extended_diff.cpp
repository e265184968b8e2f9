// SoftExtended against the x87, operation by operation: N random operand
// pairs for each of + - * /, sqrt, ceil, the comparisons and the conversions
// to float and double, after the edge cases (ties, sticky bits, signed zeros,
// subnormal and overflowing floats, infinities). Any difference in a bit,
// the sign of zero included, fails. Native x86 only: the x87 is the oracle.
//
// Usage: extended_diff [N]   (default 10000000)
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "calc/extended.h"
#include "calc/fpenv.h"

namespace {

typedef long double Hard;

Hard toHard(const SoftExtended &x)
{
    Hard sign = x.negative ? -1.0L : 1.0L;
    switch (x.kind) {
    case SoftExtended::Zero: return sign * 0.0L;
    case SoftExtended::Infinite: return sign * std::numeric_limits<Hard>::infinity();
    case SoftExtended::NotANumber: return std::numeric_limits<Hard>::quiet_NaN();
    case SoftExtended::Finite: break;
    }
    return sign * std::ldexp((Hard)x.significand, x.exponent - 63);
}

// The same value, bit for bit (any NaN equals any NaN).
bool same(const SoftExtended &soft, Hard hard)
{
    if (std::isnan(hard))
        return soft.kind == SoftExtended::NotANumber;
    if (soft.kind == SoftExtended::NotANumber)
        return false;
    Hard back = toHard(soft);
    return back == hard && std::signbit(back) == std::signbit(hard);
}

bool sameBits(double a, double b)
{
    return (std::isnan(a) && std::isnan(b)) || memcmp(&a, &b, sizeof a) == 0;
}

bool sameBits(float a, float b)
{
    return (std::isnan(a) && std::isnan(b)) || memcmp(&a, &b, sizeof a) == 0;
}

uint64_t state = 0x9E3779B97F4A7C15ULL;
uint64_t next() // splitmix64
{
    uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

// A random finite extended value: a full significand, an exponent within
// +-range, either sign; now and then a short significand, which makes ties
// and exact results likely.
SoftExtended randomValue(int range)
{
    uint64_t sig = next() | (uint64_t)1 << 63;
    if (next() % 4 == 0)
        sig &= ~(uint64_t)0 << (next() % 64);
    int exponent = (int)(next() % (2 * range + 1)) - range;
    return SoftExtended::fromParts(next() & 1, exponent, sig);
}

// A second operand near the first one's exponent, where carries, borrows and
// cancellation happen.
SoftExtended nearby(const SoftExtended &a)
{
    SoftExtended b = randomValue(0);
    b.exponent = a.exponent - (int)(next() % 80) + 8;
    return b;
}

float randomFloat()
{
    uint32_t bits = (uint32_t)next();
    float f;
    memcpy(&f, &bits, sizeof f);
    return f;
}

long failures = 0;

void fail(const char *what, const SoftExtended &a, const SoftExtended &b, Hard got, Hard want)
{
    if (++failures <= 20)
        fprintf(stderr, "%s: a = %La, b = %La: soft %La, x87 %La\n", what, toHard(a), toHard(b), got, want);
}

void checkPair(const SoftExtended &a, const SoftExtended &b)
{
    Hard x = toHard(a), y = toHard(b);
    SoftExtended r;
    if (!same(r = a + b, x + y)) fail("+", a, b, toHard(r), x + y);
    if (!same(r = a - b, x - y)) fail("-", a, b, toHard(r), x - y);
    if (!same(r = a * b, x * y)) fail("*", a, b, toHard(r), x * y);
    if (!same(r = a / b, x / y)) fail("/", a, b, toHard(r), x / y);
    if ((a < b) != (x < y) || (a <= b) != (x <= y) || (a == b) != (x == y) || (a > b) != (x > y) ||
        (a >= b) != (x >= y) || (a != b) != (x != y))
        fail("compare", a, b, 0, 0);
}

void checkOne(const SoftExtended &a)
{
    Hard x = toHard(a);
    SoftExtended r;
    if (!same(r = softSqrt(a), sqrtExtended(x))) fail("sqrt", a, a, toHard(r), sqrtExtended(x));
    if (!same(r = softCeil(a), roundUpward(x))) fail("ceil", a, a, toHard(r), roundUpward(x));
    if (!sameBits((float)a, (float)x)) fail("to float", a, a, (float)a, (float)x);
    if (!sameBits((double)a, (double)x)) fail("to double", a, a, (double)a, (double)x);
}

SoftExtended parts(bool negative, int exponent, uint64_t significand)
{
    return SoftExtended::fromParts(negative, exponent, significand);
}

void edgeCases()
{
    const uint64_t Top = (uint64_t)1 << 63;
    const SoftExtended one = 1, zero = SoftExtended(0.0), minusZero = SoftExtended(-0.0);
    const SoftExtended inf = SoftExtended(HUGE_VAL), nan = SoftExtended((double)NAN);
    const SoftExtended values[] = {
        one, zero, minusZero, inf, -inf, nan,
        parts(false, -64, Top),            // half an ulp of 1: a tie with 1
        parts(false, 0, Top | 1),          // 1 + ulp: odd, the tie goes up
        parts(false, -64, Top | 1),        // just above half an ulp: sticky
        parts(false, -200, Top),           // far below: sticky only
        parts(false, 0, ~(uint64_t)0),     // 2 - ulp: rounding carries out
        parts(true, 0, ~(uint64_t)0),
        SoftExtended(0.5), SoftExtended(-0.5), SoftExtended(1.5), SoftExtended(-1.5), SoftExtended(2.0),
        SoftExtended(3.0), SoftExtended(0.1f), SoftExtended(360.0), SoftExtended(330.0),
        // Floats' edges: the smallest subnormal, half of it (a tie with 0),
        // a hair above, the largest float, and a tie past it (to infinity).
        parts(false, -149, Top), parts(false, -150, Top), parts(false, -150, Top | 1),
        parts(false, -127, Top | Top >> 1), parts(false, -126, ~(uint64_t)0),
        SoftExtended(std::numeric_limits<float>::max()), parts(false, 127, ~(uint64_t)0 << 39),
        parts(false, 127, (~(uint64_t)0 << 40) | (uint64_t)1 << 39), parts(false, 128, Top),
        // Doubles' edges likewise.
        parts(false, -1074, Top), parts(false, -1075, Top), parts(false, -1075, Top | 1),
        parts(false, 1023, ~(uint64_t)0 << 10), parts(false, 1023, ~(uint64_t)0),
        parts(false, 1024, Top),
        // Whole and nearly whole numbers for ceil.
        parts(false, 62, ~(uint64_t)0), parts(true, 62, ~(uint64_t)0), parts(false, 63, Top | 1),
        SoftExtended(18.25), SoftExtended(30.001), SoftExtended(-0.25), SoftExtended(65535.5),
    };
    for (const SoftExtended &a : values) {
        checkOne(a);
        checkOne(-a);
        for (const SoftExtended &b : values) {
            checkPair(a, b);
            checkPair(-a, b);
        }
    }
    // Every float converts exactly and back: the subnormals, zeros, NaNs and
    // infinities among a sweep of bit patterns.
    for (uint64_t bits = 0; bits <= 0xFFFFFFFFu; bits += 0x1001) {
        uint32_t b = (uint32_t)bits;
        float f;
        memcpy(&f, &b, sizeof f);
        if (!same(SoftExtended(f), (Hard)f) || !sameBits((float)SoftExtended(f), f))
            fail("float", SoftExtended(f), SoftExtended(f), (Hard)f, (Hard)f);
    }
    // Powers of ten: the x87's constants.
    const Hard powers[] = {1e0L, 1e1L, 1e2L, 1e3L, 1e10L, 1e19L, 1e20L, 1e27L, 1e28L, 1e29L, 1e30L, 1e38L,
                           1e39L, 1e45L, 1e46L, 1e50L, 1e55L, 1e60L, 1e63L, 1e64L};
    const int exponents[] = {0, 1, 2, 3, 10, 19, 20, 27, 28, 29, 30, 38, 39, 45, 46, 50, 55, 60, 63, 64};
    for (int i = 0; i < (int)(sizeof exponents / sizeof exponents[0]); i++)
        if (!same(softPowerOfTen(exponents[i]), powers[i]))
            fail("power of ten", softPowerOfTen(exponents[i]), one, toHard(softPowerOfTen(exponents[i])), powers[i]);
}

} // namespace

int main(int argc, char **argv)
{
    setFloatingPointEnvironment();
    long n = argc > 1 ? atol(argv[1]) : 10000000;
    edgeCases();
    long edgeFailures = failures;
    for (long i = 0; i < n; i++) {
        SoftExtended a = randomValue(300);
        checkPair(a, i % 2 ? nearby(a) : randomValue(300));
        // Floats and their products, as the calculator forms them.
        checkPair(SoftExtended(randomFloat()), SoftExtended(randomFloat()));
        checkOne(i % 4 ? randomValue(160) : SoftExtended(randomFloat()));
    }
    printf("extended_diff: %ld random pairs for each operation (+ - * / and comparisons on two kinds of "
           "operands, sqrt, ceil, to float, to double), plus the edge cases: %ld differences (%ld in the edge "
           "cases)\n", n, failures, edgeFailures);
    printf("%ld passed, %ld failed\n", failures ? 0L : 1L, failures ? 1L : 0L);
    return failures ? 1 : 0;
}
