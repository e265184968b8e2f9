// The candidates of a search, the fewest turns that pass, and the ranking.
#include "design/search.h"

#include <algorithm>

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

SearchOutcome searchDesigns(const std::vector<FrequencyCore> &cores, const std::function<SearchTrial(size_t)> &trial,
                            TurnsOrder order, const std::function<std::vector<long>(long most)> &looks)
{
    SearchOutcome o;
    o.searched = (int)cores.size();
    std::vector<SearchTrial> trials;
    for (size_t i = 0; i < cores.size(); i++) {
        trials.push_back(trial(i));
        const SearchTrial &t = trials.back();
        long turns = order == TurnsMonotone ? fewestTurnsMonotone(t.most, t.passes) : fewestTurns(t.most, t.passes);
        if (turns)
            o.designs.push_back({i, turns});
    }
    std::stable_sort(o.designs.begin(), o.designs.end(), [&](const SearchFound &a, const SearchFound &b) {
        return offeredBefore(cores[a.core], a.turns, cores[b.core], b.turns);
    });
    double nearest = -1;
    for (size_t i = 0; o.designs.empty() && i < trials.size(); i++) {
        if (trials[i].most < 1)
            continue;
        o.anyFits = true;
        for (long n : looks(trials[i].most)) {
            double margin = trials[i].margin(n);
            if (margin > nearest)
                nearest = margin, o.nearest = {i, n};
        }
    }
    return o;
}

} // namespace design
