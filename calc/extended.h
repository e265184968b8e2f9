// The calculator's extended precision: the x87's format, a 64-bit
// significand with its leading bit, rounded to nearest, ties to even, after
// every operation.
//
// On x86 that is the hardware's long double, with the control word that
// setFloatingPointEnvironment sets. Elsewhere (WebAssembly, where long double
// is a 113-bit quad and its double roundings differ) it is SoftExtended,
// which does in software what the x87 does: + - * /, sqrt, the conversions
// from and to float, double and integers, comparisons and ceil.
#pragma once

#include <cstdint>

class SoftExtended {
public:
    enum Kind : uint8_t { Zero, Finite, Infinite, NotANumber };

    // value = (-1)^negative * significand * 2^(exponent - 63); a finite
    // value's significand has bit 63 set. The exponent's range is wider than
    // the x87's: no value of the calculator comes near either end.
    uint64_t significand = 0;
    int32_t exponent = 0;
    bool negative = false;
    Kind kind = Zero;

    SoftExtended() = default;
    SoftExtended(float value);
    SoftExtended(double value);
    SoftExtended(int value);
    SoftExtended(uint64_t value);
    // From its parts, as the constant tables hold them.
    static SoftExtended fromParts(bool negative, int32_t exponent, uint64_t significand);

    explicit operator float() const;
    explicit operator double() const;

    friend SoftExtended operator+(const SoftExtended &a, const SoftExtended &b);
    friend SoftExtended operator-(const SoftExtended &a, const SoftExtended &b);
    friend SoftExtended operator*(const SoftExtended &a, const SoftExtended &b);
    friend SoftExtended operator/(const SoftExtended &a, const SoftExtended &b);
    SoftExtended operator-() const;

    friend bool operator==(const SoftExtended &a, const SoftExtended &b);
    friend bool operator!=(const SoftExtended &a, const SoftExtended &b);
    friend bool operator<(const SoftExtended &a, const SoftExtended &b);
    friend bool operator<=(const SoftExtended &a, const SoftExtended &b);
    friend bool operator>(const SoftExtended &a, const SoftExtended &b);
    friend bool operator>=(const SoftExtended &a, const SoftExtended &b);
};

SoftExtended softSqrt(const SoftExtended &x);
// The smallest whole number not below x; -0.5 gives -0, as frndint does.
SoftExtended softCeil(const SoftExtended &x);
// 10^k for k from 0 to 64, rounded as the x87's constants are.
SoftExtended softPowerOfTen(int k);
enum { SoftPowersOfTen = 65 };

#if defined(MIRVELTA_SOFT_EXTENDED) || !(defined(__i386__) || defined(__x86_64__))
#define MIRVELTA_EXTENDED_IS_SOFT 1
typedef SoftExtended Extended;
#else
typedef long double Extended;
#endif
