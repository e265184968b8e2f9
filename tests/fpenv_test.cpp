// The floating-point environment is what the program sets, in both builds.
#include <gtest/gtest.h>

#include <cmath>

#include "calc/fpenv.h"

namespace {

TEST(FloatingPointEnvironment, ControlWords)
{
    // x87: all exceptions masked, 64-bit significand, round to nearest.
    // SSE: all exceptions masked, round to nearest, no flush-to-zero.
    EXPECT_EQ(currentX87ControlWord(), 0x037Fu);
    EXPECT_EQ(currentSseControlStatus(), 0x1F80u);
}

// 1 + 2^-60 survives only with a 64-bit significand; with 53 bits it is 1.
TEST(FloatingPointEnvironment, ExtendedPrecisionIsInForce)
{
    volatile long double one = 1.0L, tiny = 0x1p-60L;
    long double sum = one + tiny;
    EXPECT_NE(sum, 1.0L);
    EXPECT_EQ(sum - one, tiny);
    // 2^64 - 1 is exact only with a 64-bit significand.
    volatile long double big = 18446744073709551615.0L;
    EXPECT_EQ((unsigned long long)(big - 1.0L), 18446744073709551614ull);
}

TEST(FloatingPointEnvironment, ExceptionsAreMasked)
{
    volatile float zero = 0.0f;
    volatile long double zeroL = 0.0L;
    EXPECT_TRUE(std::isinf(1.0f / zero));
    EXPECT_TRUE(std::isnan(zero / zero));
    EXPECT_TRUE(std::isinf(1.0L / zeroL));
    EXPECT_TRUE(std::isnan((double)(zeroL / zeroL)));
}

// The x87 instructions behind the calculator's extended type; the software
// type has its own differential test (extended_differential).
#ifndef MIRVELTA_EXTENDED_IS_SOFT
TEST(FloatingPointEnvironment, RoundUpwardAndBack)
{
    const struct {
        long double in, out;
    } cases[] = {{18.25L, 19}, {10, 10}, {0.4576L, 1}, {-0.5L, -0.0L}, {30.001L, 31}};
    for (const auto &c : cases) {
        long double r = roundUpward(c.in);
        EXPECT_EQ(r, c.out) << (double)c.in;
        EXPECT_EQ(std::signbit(r), std::signbit(c.out)) << (double)c.in;
    }
    EXPECT_EQ(currentX87ControlWord(), 0x037Fu); // back to nearest
    volatile long double half = 2.5L;
    EXPECT_EQ(__builtin_rintl(half), 2.0L);
}

// The x87 log10 is within a few ulps, not exact: processor makers differ in
// its last bit (the gauge test shows why that never reaches the window).
// The square root is an IEEE operation and exact everywhere.
TEST(FloatingPointEnvironment, Log10AndSqrt)
{
    const long double ulpOfThree = 0x1p-62L;
    EXPECT_LE(fabsl(log10Extended(1000.0L) - 3), 4 * ulpOfThree);
    EXPECT_LE(fabsl(log10Extended(0.001L) + 3), 4 * ulpOfThree);
    EXPECT_LE(fabsl(log10Extended(1.0L)), 0x1p-63L);
    EXPECT_EQ(sqrtExtended(2.25L), 1.5L);
    EXPECT_EQ(sqrtExtended(1e-20L) * 1e10L, 1.0L);
}
#endif

} // namespace
