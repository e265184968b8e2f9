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

bool offeredBefore(const FrequencyCore &a, long turnsA, const FrequencyCore &b, long turnsB)
{
    if (a.effective.volumeMm3 != b.effective.volumeMm3)
        return a.effective.volumeMm3 < b.effective.volumeMm3;
    return turnsA < turnsB;
}

} // namespace design
