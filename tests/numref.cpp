// The exact reference: a float is m x 2^e, so m x 2^e (e >= 0) or m x 5^-e
// (e < 0, then shifted by e decimal places) is its exact decimal expansion.
#include "tests/numref.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

typedef std::vector<uint32_t> Big; // base 10^9, least significant limb first
const uint32_t LimbBase = 1000000000;

void multiplySmall(Big &n, uint64_t factor)
{
    uint64_t carry = 0;
    for (uint32_t &limb : n) {
        uint64_t v = limb * factor + carry;
        limb = (uint32_t)(v % LimbBase);
        carry = v / LimbBase;
    }
    while (carry) {
        n.push_back((uint32_t)(carry % LimbBase));
        carry /= LimbBase;
    }
}

// powers[k] = base^k, for k up to limit.
std::vector<Big> powersOf(uint32_t base, int limit)
{
    std::vector<Big> powers(1, Big{1});
    for (int k = 1; k <= limit; k++) {
        Big next = powers.back();
        multiplySmall(next, base);
        powers.push_back(next);
    }
    return powers;
}

std::string decimal(const Big &n)
{
    std::string s = std::to_string(n.back());
    for (size_t i = n.size() - 1; i-- > 0;) {
        std::string limb = std::to_string(n[i]);
        s += std::string(9 - limb.size(), '0') + limb;
    }
    return s;
}

// Adds one unit in the last place of a digit string; true if it grew.
bool incrementDigits(std::string &s)
{
    for (size_t i = s.size(); i-- > 0;) {
        if (s[i] != '9') {
            s[i]++;
            return false;
        }
        s[i] = '0';
    }
    s.insert(s.begin(), '1');
    s.pop_back();
    return true;
}

} // namespace

ReferenceDigits referenceDigits(float value)
{
    static const std::vector<Big> fives = powersOf(5, 149), twos = powersOf(2, 104);
    uint32_t bits;
    memcpy(&bits, &value, sizeof bits);
    ReferenceDigits r;
    r.negative = bits >> 31;
    uint32_t field = (bits >> 23) & 0xFF, fraction = bits & 0x7FFFFF;
    if (field == 0xFF) {
        r.infinite = fraction == 0;
        r.zeroOrNan = fraction != 0;
        return r;
    }
    uint64_t m = field ? (fraction | 0x800000) : fraction;
    int e = field ? (int)field - 150 : -149;
    if (m == 0) {
        r.zeroOrNan = true;
        return r;
    }
    Big n = e >= 0 ? twos[e] : fives[-e];
    multiplySmall(n, m);
    r.digits = decimal(n);
    r.exponent = (long)r.digits.size() + (e < 0 ? e : 0);
    return r;
}

std::string referenceText(const ReferenceDigits &ref, int D)
{
    if (D <= 0 || D > 18)
        D = 18;
    std::string sign = ref.negative ? "-" : " ";
    if (ref.zeroOrNan)
        return " 0";
    std::string kept;
    long K;
    if (ref.infinite) {
        kept = std::string(D, '9');
        K = 999;
    } else {
        // Exactly 18 digits, ties to even on the whole remainder.
        std::string all = ref.digits + std::string(19, '0');
        std::string d18 = all.substr(0, 18), rest = ref.digits.size() > 18 ? ref.digits.substr(18) : "";
        K = ref.exponent;
        int cmp; // rest against one half of the 18th digit's unit
        if (rest.empty() || rest[0] < '5')
            cmp = -1;
        else if (rest[0] > '5')
            cmp = 1;
        else
            cmp = rest.find_first_not_of('0', 1) == std::string::npos ? 0 : 1;
        if (cmp > 0 || (cmp == 0 && (d18[17] - '0') % 2 == 1))
            K += incrementDigits(d18);
        // Then to D digits, by the digit after the D-th alone.
        kept = d18.substr(0, D);
        if (D < 18) {
            char next = d18[D];
            if (next > '5' || (next == '5' && (kept.back() - '0') % 2 == 1))
                K += incrementDigits(kept);
        }
    }
    kept.erase(kept.find_last_not_of('0') + 1);
    long n = (long)kept.size();

    if (K >= n && K <= D)
        return sign + kept + std::string(K - n, '0');
    if (K < n && n - K <= D)
        return K > 0 ? sign + kept.substr(0, K) + "." + kept.substr(K)
                     : sign + "." + std::string(-K, '0') + kept;
    std::string mantissa = kept.substr(0, 1) + (n > 1 ? "." + kept.substr(1) : "");
    return sign + mantissa + (K >= n ? "E+" + std::to_string(K - 1) : "E-" + std::to_string(1 - K));
}
