// The candidates of a search, the fewest turns that pass, and the ranking.
#include "design/search.h"

namespace design {

std::vector<FrequencyCore> searchCores(const std::vector<int> &sizes, const std::vector<const FerriteData *> &materials,
                                       int leastStack, int mostStack, double lowHz, double highHz)
{
    std::vector<FrequencyCore> cores;
    for (int s : sizes)
        for (const FerriteData *m : materials) {
            if (!withinCurve(m, lowHz, highHz))
                continue;
            for (int k = leastStack; k <= mostStack; k++) {
                FrequencyCore c;
                c.size = &FerriteCatalogue.sizes[s];
                c.data = m;
                stackCores(&c, k);
                cores.push_back(c);
            }
        }
    return cores;
}

long fewestTurns(long most, const std::function<bool(long)> &passes)
{
    for (long n = 1; n <= most; n++)
        if (passes(n))
            return n;
    return 0;
}

long fewestTurnsMonotone(long most, const std::function<bool(long)> &passes)
{
    if (most < 1 || !passes(most))
        return 0;
    long low = 0, high = most; // passes(high); low fails or is 0
    while (high - low > 1) {
        long mid = low + (high - low) / 2;
        (passes(mid) ? high : low) = mid;
    }
    return high;
}

std::vector<long> spreadTurns(long highest, long most)
{
    std::vector<long> counts;
    for (long i = 0; i < most && highest > 0; i++) {
        long n = most > 1 ? 1 + (highest - 1) * i / (most - 1) : highest;
        if (counts.empty() || n != counts.back())
            counts.push_back(n);
    }
    return counts;
}

bool offeredBefore(const FrequencyCore &a, long turnsA, const FrequencyCore &b, long turnsB)
{
    if (a.effective.volumeMm3 != b.effective.volumeMm3)
        return a.effective.volumeMm3 < b.effective.volumeMm3;
    return turnsA < turnsB;
}

} // namespace design
