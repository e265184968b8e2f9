// numberToText, textToNumber and roundToInteger.
#include "calc/numtext.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "calc/decimals.h"
#include "calc/extended.h"

#if defined(__i386__) || defined(__x86_64__)
#include <xmmintrin.h>
#endif

// ---- numberToText --------------------------------------------------------

enum { MaxDigits = 18 };

// The first 18 significant digits of |value|, correctly rounded (ties to
// even), as 0.d1d2...d18 x 10^K. Returns K.
static int significantDigits(float value, char digits[MaxDigits])
{
    // "d.ddddddddddddddddde+XX"
    char buf[40];
    // A float is a double exactly: its digits are the same.
    const char *end = decimalText(buf, sizeof buf, std::fabs((double)value), true, MaxDigits - 1);
    digits[0] = buf[0];
    memcpy(digits + 1, buf + 2, MaxDigits - 1);
    const char *p = buf + MaxDigits + 2; // at the exponent's sign
    bool negative = *p++ == '-';
    int e = 0;
    while (p < end)
        e = e * 10 + (*p++ - '0');
    return (negative ? -e : e) + 1;
}

static char *writeExponent(char *p, char sign, int e)
{
    *p++ = 'E';
    *p++ = sign;
    char tmp[8];
    int n = 0;
    do {
        tmp[n++] = (char)('0' + e % 10);
        e /= 10;
    } while (e > 0);
    while (n > 0)
        *p++ = tmp[--n];
    return p;
}

size_t numberToText(float value, int digits, char *out)
{
    const int D = (digits <= 0 || digits > MaxDigits) ? MaxDigits : digits;
    char *p = out;

    if (value == 0 || std::isnan(value)) {
        memcpy(out, " 0", 3);
        return 2;
    }
    *p++ = value < 0 ? '-' : ' ';

    char d[MaxDigits];
    int K, n;
    if (std::isinf(value)) {
        memset(d, '9', D);
        n = D;
        K = 999;
    } else {
        K = significantDigits(value, d);
        // Only the digit right after the kept ones decides; what follows it
        // does not (12.251 to three digits is 12.2).
        if (D < MaxDigits) {
            int next = d[D] - '0';
            int last = d[D - 1] - '0';
            if (next > 5 || (next == 5 && (last & 1))) {
                int i = D - 1;
                while (i >= 0 && d[i] == '9')
                    d[i--] = '0';
                if (i < 0) {
                    d[0] = '1';
                    K++;
                } else {
                    d[i]++;
                }
            }
        }
        n = D;
        while (n > 1 && d[n - 1] == '0')
            n--;
    }

    if (K >= n && K <= D) {            // whole number
        memcpy(p, d, n);
        p += n;
        memset(p, '0', K - n);
        p += K - n;
    } else if (K < n && n - K <= D) { // fraction
        if (K > 0) {
            memcpy(p, d, K);
            p += K;
            *p++ = '.';
            memcpy(p, d + K, n - K);
            p += n - K;
        } else {
            *p++ = '.';
            memset(p, '0', -K);
            p += -K;
            memcpy(p, d, n);
            p += n;
        }
    } else {                          // scientific
        *p++ = d[0];
        if (n > 1) {
            *p++ = '.';
            memcpy(p, d + 1, n - 1);
            p += n - 1;
        }
        p = K >= n ? writeExponent(p, '+', K - 1) : writeExponent(p, '-', 1 - K);
    }
    *p = '\0';
    return (size_t)(p - out);
}

std::string numberToText(float value, int digits)
{
    char buf[NumberTextMax];
    size_t n = numberToText(value, digits, buf);
    return std::string(buf, n);
}

// ---- textToNumber --------------------------------------------------------

// Powers of ten correctly rounded to extended precision; exact up to 10^27.
// A scale beyond them takes any float result to 0 or infinity.
#ifdef MIRVELTA_EXTENDED_IS_SOFT
enum { MaxPowerOfTen = SoftPowersOfTen - 1 };
static Extended powerOfTen(int k)
{
    return softPowerOfTen(k);
}
#else
static const Extended PowersOfTen[] = {
    1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,
    1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L,
    1e20L, 1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L, 1e28L, 1e29L,
    1e30L, 1e31L, 1e32L, 1e33L, 1e34L, 1e35L, 1e36L, 1e37L, 1e38L, 1e39L,
    1e40L, 1e41L, 1e42L, 1e43L, 1e44L, 1e45L, 1e46L, 1e47L, 1e48L, 1e49L,
    1e50L, 1e51L, 1e52L, 1e53L, 1e54L, 1e55L, 1e56L, 1e57L, 1e58L, 1e59L,
    1e60L, 1e61L, 1e62L, 1e63L, 1e64L,
};
enum { MaxPowerOfTen = (int)(sizeof PowersOfTen / sizeof PowersOfTen[0]) - 1 };
static Extended powerOfTen(int k)
{
    return PowersOfTen[k];
}
#endif

enum { ExponentCap = 9999, DecimalLimit = 4933 };

static int digitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return 99;
}

// After the ampersand: base letter, digits, suffix, then the sign rules.
static float radixNumber(const char *p, const char *end)
{
    int base = 8; // a bare '&' reads octal and consumes nothing more
    if (p < end) {
        switch (*p) {
        case 'H': case 'h': base = 16; p++; break;
        case 'O': case 'o': case 'Q': case 'q': base = 8; p++; break;
        case 'B': case 'b': base = 2; p++; break;
        }
    }

    uint64_t pattern = 0;
    bool overflow = false;
    char first = 0;
    for (; p < end; p++) {
        int v = digitValue(*p);
        if (v >= base)
            break;
        if (!first)
            first = *p;
        if (pattern > (UINT64_MAX - (uint64_t)v) / (uint64_t)base)
            overflow = true;
        else
            pattern = pattern * base + v;
    }
    if (overflow)
        pattern = 0; // more than 64 bits

    int ampersands = 0, questions = 0;
    if (p < end && *p == '%') {
        p++;
    } else if (p < end && *p == '&') {
        while (p < end && *p == '&' && ampersands < 2)
            ampersands++, p++;
    } else {
        while (p < end && *p == '?' && questions < 3)
            questions++, p++;
    }

    int64_t v;
    if (questions > 0)
        v = (pattern >> 63) ? 0 : (int64_t)pattern;
    else if (first == '0')
        v = (int64_t)pattern;
    else if (pattern <= 0xFFFF && (pattern & 0x8000) && ampersands == 0)
        v = (int16_t)(uint16_t)pattern;
    else if (pattern > 0xFFFF && pattern <= 0xFFFFFFFF && (pattern & 0x80000000u) &&
             ampersands != 2)
        v = (int32_t)(uint32_t)pattern;
    else
        v = (int64_t)pattern;
    return (float)v;
}

float textToNumber(const char *text, size_t length)
{
    const char *p = text, *end = text + length;
    while (p < end && (*p == ' ' || *p == '\t' || *p == '\n'))
        p++;
    if (p < end && *p == '&')
        return radixNumber(p + 1, end);

    bool negative = false;
    if (p < end && (*p == '+' || *p == '-'))
        negative = *p++ == '-';

    // Mantissa as 0.m1m2... x 10^P; the first 18 significant digits in m.
    uint64_t m = 0;
    int used = 0;
    long long P = 0;
    bool anyDigit = false, point = false, significant = false;
    for (; p < end; p++) {
        char c = *p;
        if (c == '.') {
            if (point)
                break;
            point = true;
            continue;
        }
        if (c < '0' || c > '9')
            break;
        anyDigit = true;
        if (!significant && c == '0') {
            if (point)
                P--;
            continue;
        }
        significant = true;
        if (!point)
            P++;
        if (used < MaxDigits) {
            m = m * 10 + (uint64_t)(c - '0');
            used++;
        }
    }
    if (!anyDigit)
        return 0;

    long long X = 0;
    if (p < end && (*p == 'E' || *p == 'e' || *p == 'D' || *p == 'd')) {
        p++;
        bool negativeExponent = false;
        if (p < end && (*p == '+' || *p == '-'))
            negativeExponent = *p++ == '-';
        for (; p < end && *p >= '0' && *p <= '9'; p++) {
            X = X * 10 + (*p - '0');
            if (X > ExponentCap)
                X = ExponentCap;
        }
        if (negativeExponent)
            X = -X;
    }

    float result;
    if (m == 0) {
        result = 0;
    } else if (P + X >= DecimalLimit) {
        result = 0x1p127f;
    } else if (P + X <= -DecimalLimit) {
        result = 0;
    } else {
        long long k = P + X - used;
        if (k > MaxPowerOfTen)
            result = INFINITY;
        else if (k < -MaxPowerOfTen)
            result = 0;
        else if (k >= 0)
            result = (float)((Extended)m * powerOfTen((int)k));
        else
            result = (float)((Extended)m / powerOfTen((int)-k));
    }
    return negative ? -result : result;
}

float textToNumber(const std::string &text)
{
    return textToNumber(text.data(), text.size());
}

// ---- roundToInteger ------------------------------------------------------

int32_t roundToInteger(float value)
{
    // The SSE conversion rounds as MXCSR says (to nearest, ties to even) and
    // gives the "integer indefinite" INT32_MIN for NaN and out-of-range values.
#if defined(__i386__) || defined(__x86_64__)
    return _mm_cvtss_si32(_mm_set_ss(value));
#else
    if (!(value >= -2147483648.0f && value < 2147483648.0f))
        return INT32_MIN;
    return (int32_t)std::nearbyint(value); // the default rounding: nearest, ties to even
#endif
}
