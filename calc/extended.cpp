// SoftExtended: the x87's extended precision in integer arithmetic.
//
// Every operation forms its exact result, or the exact result's leading bits
// with a sticky bit below them for whatever was cut off, in a 128-bit
// integer, then rounds that once to 64 bits, to nearest, ties to even.
#include "calc/extended.h"

#include <cmath>
#include <cstring>

typedef unsigned __int128 Wide;

static int leadingBit(Wide m) // m != 0
{
    uint64_t high = (uint64_t)(m >> 64);
    return high ? 127 - __builtin_clzll(high) : 63 - __builtin_clzll((uint64_t)m);
}

// Whether the bits of m below bit s are more, exactly or less than half.
static bool roundsUp(Wide m, int s, bool odd)
{
    if (s <= 0)
        return false;
    Wide rest = s >= 128 ? m : m & (((Wide)1 << s) - 1);
    Wide half = (Wide)1 << (s - 1);
    return rest > half || (rest == half && odd);
}

// m * 2^e, rounded to 64 significant bits.
static SoftExtended roundPack(bool negative, Wide m, int32_t e)
{
    if (m == 0)
        return SoftExtended::fromParts(negative, 0, 0);
    int p = leadingBit(m);
    uint64_t sig;
    if (p > 63) {
        int s = p - 63;
        sig = (uint64_t)(m >> s);
        if (roundsUp(m, s, sig & 1)) {
            sig++;
            if (sig == 0) { // carried out of the top
                sig = (uint64_t)1 << 63;
                s++;
            }
        }
        e += s;
    } else {
        sig = (uint64_t)m << (63 - p);
        e -= 63 - p;
    }
    return SoftExtended::fromParts(negative, e + 63, sig);
}

static SoftExtended special(SoftExtended::Kind kind, bool negative)
{
    SoftExtended x;
    x.kind = kind;
    x.negative = negative;
    return x;
}

SoftExtended SoftExtended::fromParts(bool negative, int32_t exponent, uint64_t significand)
{
    SoftExtended x;
    x.negative = negative;
    if (significand == 0)
        return x;
    int shift = __builtin_clzll(significand);
    x.significand = significand << shift;
    x.exponent = exponent - shift;
    x.kind = Finite;
    return x;
}

// ---- Conversions -----------------------------------------------------------

SoftExtended::SoftExtended(double value)
{
    uint64_t bits;
    memcpy(&bits, &value, sizeof bits);
    negative = bits >> 63;
    int biased = (int)((bits >> 52) & 0x7FF);
    uint64_t fraction = bits & (((uint64_t)1 << 52) - 1);
    if (biased == 0x7FF) {
        kind = fraction ? NotANumber : Infinite;
    } else if (biased == 0) {
        if (fraction)
            *this = fromParts(negative, -1074 + 63, fraction);
    } else {
        *this = fromParts(negative, biased - 1023 - 52 + 63, fraction | (uint64_t)1 << 52);
    }
}

SoftExtended::SoftExtended(float value) : SoftExtended((double)value) {}

SoftExtended::SoftExtended(int value)
{
    uint64_t magnitude = value < 0 ? (uint64_t)0 - (uint64_t)(int64_t)value : (uint64_t)value;
    *this = fromParts(value < 0, 63, magnitude);
}

SoftExtended::SoftExtended(uint64_t value)
{
    *this = fromParts(false, 63, value);
}

// Rounded to a binary format of `precision` bits whose smallest quantum is
// 2^minQuantum: the float and the double.
static double toBinary(const SoftExtended &x, int precision, int minQuantum, bool single)
{
    switch (x.kind) {
    case SoftExtended::Zero:
        return x.negative ? -0.0 : 0.0;
    case SoftExtended::Infinite:
        return x.negative ? -HUGE_VAL : HUGE_VAL;
    case SoftExtended::NotANumber:
        return NAN;
    case SoftExtended::Finite:
        break;
    }
    int e = x.exponent;
    int q = e - (precision - 1) > minQuantum ? e - (precision - 1) : minQuantum;
    int s = q - (e - 63); // bits of the significand below the quantum
    uint64_t kept = 0;
    if (s < 64) {
        kept = x.significand >> s;
        if (roundsUp(x.significand, s, kept & 1))
            kept++;
    } else if (s == 64) {
        // Everything is below the quantum: at least half of it?
        kept = roundsUp(x.significand, 64, false) ? 1 : 0;
    }
    double magnitude;
    if (single) {
        float f = std::ldexp((float)kept, q); // exact, or infinite past the range
        magnitude = f;
    } else {
        magnitude = std::ldexp((double)kept, q);
    }
    return x.negative ? -magnitude : magnitude;
}

SoftExtended::operator float() const
{
    return (float)toBinary(*this, 24, -149, true);
}

SoftExtended::operator double() const
{
    return toBinary(*this, 53, -1074, false);
}

// ---- Arithmetic ------------------------------------------------------------

SoftExtended SoftExtended::operator-() const
{
    SoftExtended x = *this;
    x.negative = !x.negative;
    return x;
}

SoftExtended operator+(const SoftExtended &a, const SoftExtended &b)
{
    typedef SoftExtended X;
    if (a.kind == X::NotANumber || b.kind == X::NotANumber)
        return special(X::NotANumber, false);
    if (a.kind == X::Infinite || b.kind == X::Infinite) {
        if (a.kind == X::Infinite && b.kind == X::Infinite && a.negative != b.negative)
            return special(X::NotANumber, true);
        return a.kind == X::Infinite ? a : b;
    }
    if (a.kind == X::Zero && b.kind == X::Zero)
        return X::fromParts(a.negative && b.negative, 0, 0);
    if (a.kind == X::Zero)
        return b;
    if (b.kind == X::Zero)
        return a;

    const X &big = a.exponent >= b.exponent ? a : b, &small = a.exponent >= b.exponent ? b : a;
    // Both significands at bit 126, leaving bit 127 for a carry.
    Wide m = (Wide)big.significand << 63, n = (Wide)small.significand << 63;
    int d = big.exponent - small.exponent;
    if (d >= 127) {
        n = 1; // only its sticky bit matters
    } else if (d > 0) {
        bool lost = (n & (((Wide)1 << d) - 1)) != 0;
        n = (n >> d) | (lost ? 1 : 0);
    }
    int32_t e = big.exponent - 126;
    if (big.negative == small.negative)
        return roundPack(big.negative, m + n, e);
    if (m == n)
        return X::fromParts(false, 0, 0); // x - x is +0 when rounding to nearest
    return m > n ? roundPack(big.negative, m - n, e) : roundPack(small.negative, n - m, e);
}

SoftExtended operator-(const SoftExtended &a, const SoftExtended &b)
{
    return a + -b;
}

SoftExtended operator*(const SoftExtended &a, const SoftExtended &b)
{
    typedef SoftExtended X;
    bool negative = a.negative != b.negative;
    if (a.kind == X::NotANumber || b.kind == X::NotANumber)
        return special(X::NotANumber, false);
    if (a.kind == X::Infinite || b.kind == X::Infinite)
        return a.kind == X::Zero || b.kind == X::Zero ? special(X::NotANumber, true) : special(X::Infinite, negative);
    if (a.kind == X::Zero || b.kind == X::Zero)
        return X::fromParts(negative, 0, 0);
    return roundPack(negative, (Wide)a.significand * b.significand, (a.exponent - 63) + (b.exponent - 63));
}

SoftExtended operator/(const SoftExtended &a, const SoftExtended &b)
{
    typedef SoftExtended X;
    bool negative = a.negative != b.negative;
    if (a.kind == X::NotANumber || b.kind == X::NotANumber)
        return special(X::NotANumber, false);
    if (a.kind == X::Infinite)
        return b.kind == X::Infinite ? special(X::NotANumber, true) : special(X::Infinite, negative);
    if (b.kind == X::Infinite)
        return X::fromParts(negative, 0, 0);
    if (b.kind == X::Zero)
        return a.kind == X::Zero ? special(X::NotANumber, true) : special(X::Infinite, negative);
    if (a.kind == X::Zero)
        return X::fromParts(negative, 0, 0);
    // The quotient of the significands to 66 or 67 bits, then a sticky bit.
    Wide numerator = (Wide)a.significand << 64;
    Wide q = numerator / b.significand, r = numerator % b.significand;
    q = q << 2 | (r << 2) / b.significand;
    r = (r << 2) % b.significand;
    Wide m = q << 1 | (r != 0 ? 1 : 0);
    return roundPack(negative, m, a.exponent - b.exponent - 67);
}

SoftExtended softSqrt(const SoftExtended &x)
{
    typedef SoftExtended X;
    if (x.kind == X::NotANumber || (x.negative && x.kind != X::Zero))
        return special(X::NotANumber, true);
    if (x.kind != X::Finite)
        return x; // +-0, +inf
    // x = n 2^(e - 63 - k) with n = significand 2^k and the power even.
    int k = ((x.exponent - 63 - 63) % 2 == 0) ? 63 : 64;
    Wide n = (Wide)x.significand << k; // in [2^126, 2^128)
    double estimate = std::sqrt((double)n);
    uint64_t root = estimate >= 0x1p64 ? ~(uint64_t)0 : (uint64_t)estimate;
    if (root < ((uint64_t)1 << 63))
        root = (uint64_t)1 << 63;
    // One Newton step from a double's estimate, then settle the last unit.
    Wide step = ((Wide)root + n / root) / 2;
    root = step >> 64 ? ~(uint64_t)0 : (uint64_t)step;
    while ((Wide)root * root > n)
        root--;
    while (root != ~(uint64_t)0 && (Wide)(root + 1) * (root + 1) <= n)
        root++;
    int32_t half = (x.exponent - 63 - k) / 2;
    // sqrt(n) is never exactly halfway: round up when n - root^2 > root.
    Wide rest = n - (Wide)root * root;
    if (rest > root) {
        root++;
        if (root == 0) // 2^64
            return X::fromParts(false, half + 64, (uint64_t)1 << 63);
    }
    return X::fromParts(false, half + 63, root);
}

SoftExtended softCeil(const SoftExtended &x)
{
    typedef SoftExtended X;
    if (x.kind != X::Finite || x.exponent >= 63)
        return x;
    if (x.exponent < 0) // 0 < |x| < 1
        return x.negative ? X::fromParts(true, 0, 0) : SoftExtended(1);
    int fractionBits = 63 - x.exponent;
    uint64_t mask = ((uint64_t)1 << fractionBits) - 1;
    uint64_t whole = x.significand & ~mask;
    if (!(x.significand & mask))
        return x;
    if (x.negative)
        return X::fromParts(true, x.exponent, whole);
    Wide up = (Wide)whole + ((uint64_t)1 << fractionBits);
    return roundPack(false, up, x.exponent - 63);
}

// ---- Comparisons -----------------------------------------------------------

// -1, 0 or 1 as a is below, equal to or above b; 2 when unordered.
static int compare(const SoftExtended &a, const SoftExtended &b)
{
    typedef SoftExtended X;
    if (a.kind == X::NotANumber || b.kind == X::NotANumber)
        return 2;
    if (a.kind == X::Zero && b.kind == X::Zero)
        return 0;
    // The sign, then the magnitude as (kind, exponent, significand).
    int sa = a.kind == X::Zero ? 0 : a.negative ? -1 : 1, sb = b.kind == X::Zero ? 0 : b.negative ? -1 : 1;
    if (sa != sb)
        return sa < sb ? -1 : 1;
    int magnitude;
    if (a.kind != b.kind)
        magnitude = a.kind == X::Infinite ? 1 : b.kind == X::Infinite ? -1 : 0;
    else if (a.kind == X::Infinite)
        magnitude = 0;
    else if (a.exponent != b.exponent)
        magnitude = a.exponent < b.exponent ? -1 : 1;
    else
        magnitude = a.significand == b.significand ? 0 : a.significand < b.significand ? -1 : 1;
    return sa < 0 ? -magnitude : magnitude;
}

bool operator==(const SoftExtended &a, const SoftExtended &b) { return compare(a, b) == 0; }
bool operator!=(const SoftExtended &a, const SoftExtended &b) { return compare(a, b) != 0; }
bool operator<(const SoftExtended &a, const SoftExtended &b) { return compare(a, b) == -1; }
bool operator<=(const SoftExtended &a, const SoftExtended &b) { int c = compare(a, b); return c == -1 || c == 0; }
bool operator>(const SoftExtended &a, const SoftExtended &b) { return compare(a, b) == 1; }
bool operator>=(const SoftExtended &a, const SoftExtended &b) { int c = compare(a, b); return c == 1 || c == 0; }

// ---- Powers of ten ---------------------------------------------------------

// 10^k rounded to 64 bits, ties to even, as the x87's 1eNL constants hold
// them: significand and the exponent of its leading bit. Exact to 10^27.
static const struct {
    uint64_t significand;
    int exponent;
} PowersOfTen[] = {
    {0x8000000000000000ULL,   0}, // 1e0
    {0xA000000000000000ULL,   3}, // 1e1
    {0xC800000000000000ULL,   6}, // 1e2
    {0xFA00000000000000ULL,   9}, // 1e3
    {0x9C40000000000000ULL,  13}, // 1e4
    {0xC350000000000000ULL,  16}, // 1e5
    {0xF424000000000000ULL,  19}, // 1e6
    {0x9896800000000000ULL,  23}, // 1e7
    {0xBEBC200000000000ULL,  26}, // 1e8
    {0xEE6B280000000000ULL,  29}, // 1e9
    {0x9502F90000000000ULL,  33}, // 1e10
    {0xBA43B74000000000ULL,  36}, // 1e11
    {0xE8D4A51000000000ULL,  39}, // 1e12
    {0x9184E72A00000000ULL,  43}, // 1e13
    {0xB5E620F480000000ULL,  46}, // 1e14
    {0xE35FA931A0000000ULL,  49}, // 1e15
    {0x8E1BC9BF04000000ULL,  53}, // 1e16
    {0xB1A2BC2EC5000000ULL,  56}, // 1e17
    {0xDE0B6B3A76400000ULL,  59}, // 1e18
    {0x8AC7230489E80000ULL,  63}, // 1e19
    {0xAD78EBC5AC620000ULL,  66}, // 1e20
    {0xD8D726B7177A8000ULL,  69}, // 1e21
    {0x878678326EAC9000ULL,  73}, // 1e22
    {0xA968163F0A57B400ULL,  76}, // 1e23
    {0xD3C21BCECCEDA100ULL,  79}, // 1e24
    {0x84595161401484A0ULL,  83}, // 1e25
    {0xA56FA5B99019A5C8ULL,  86}, // 1e26
    {0xCECB8F27F4200F3AULL,  89}, // 1e27
    {0x813F3978F8940984ULL,  93}, // 1e28
    {0xA18F07D736B90BE5ULL,  96}, // 1e29
    {0xC9F2C9CD04674EDFULL,  99}, // 1e30
    {0xFC6F7C4045812296ULL, 102}, // 1e31
    {0x9DC5ADA82B70B59EULL, 106}, // 1e32
    {0xC5371912364CE305ULL, 109}, // 1e33
    {0xF684DF56C3E01BC7ULL, 112}, // 1e34
    {0x9A130B963A6C115CULL, 116}, // 1e35
    {0xC097CE7BC90715B3ULL, 119}, // 1e36
    {0xF0BDC21ABB48DB20ULL, 122}, // 1e37
    {0x96769950B50D88F4ULL, 126}, // 1e38
    {0xBC143FA4E250EB31ULL, 129}, // 1e39
    {0xEB194F8E1AE525FDULL, 132}, // 1e40
    {0x92EFD1B8D0CF37BEULL, 136}, // 1e41
    {0xB7ABC627050305AEULL, 139}, // 1e42
    {0xE596B7B0C643C719ULL, 142}, // 1e43
    {0x8F7E32CE7BEA5C70ULL, 146}, // 1e44
    {0xB35DBF821AE4F38CULL, 149}, // 1e45
    {0xE0352F62A19E306FULL, 152}, // 1e46
    {0x8C213D9DA502DE45ULL, 156}, // 1e47
    {0xAF298D050E4395D7ULL, 159}, // 1e48
    {0xDAF3F04651D47B4CULL, 162}, // 1e49
    {0x88D8762BF324CD10ULL, 166}, // 1e50
    {0xAB0E93B6EFEE0054ULL, 169}, // 1e51
    {0xD5D238A4ABE98068ULL, 172}, // 1e52
    {0x85A36366EB71F041ULL, 176}, // 1e53
    {0xA70C3C40A64E6C52ULL, 179}, // 1e54
    {0xD0CF4B50CFE20766ULL, 182}, // 1e55
    {0x82818F1281ED44A0ULL, 186}, // 1e56
    {0xA321F2D7226895C8ULL, 189}, // 1e57
    {0xCBEA6F8CEB02BB3AULL, 192}, // 1e58
    {0xFEE50B7025C36A08ULL, 195}, // 1e59
    {0x9F4F2726179A2245ULL, 199}, // 1e60
    {0xC722F0EF9D80AAD6ULL, 202}, // 1e61
    {0xF8EBAD2B84E0D58CULL, 205}, // 1e62
    {0x9B934C3B330C8577ULL, 209}, // 1e63
    {0xC2781F49FFCFA6D5ULL, 212}, // 1e64
};

SoftExtended softPowerOfTen(int k)
{
    return SoftExtended::fromParts(false, PowersOfTen[k].exponent, PowersOfTen[k].significand);
}
