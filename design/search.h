// The designer's search, written once for every command that asks "which
// cores, with how many turns?": the candidates (the catalogue's ferrite
// sizes with the materials that have a curve over the band, in stacks of
// one core or more), the fewest whole turns on each that pass a command's
// own test, and the order the designs are offered in. A choke and a
// transformer bring only their test, their limits and their figures.
#pragma once

#include <functional>
#include <vector>

#include "design/ferrite.h"

namespace design {

// The stacks a search or a command takes: 1 to 4 identical cores side by side.
const int StackLeast = 1, StackMost = 4;
// The frequencies a search holds its test at, over the band: at least 50, at
// most 1000 (every candidate is tried at every one).
const int SearchPointsLeast = 50, SearchPointsMost = 1000;

// Every size of `sizes` (indices in the ferrite catalogue) with every
// material of `materials` whose curve covers lowHz to highHz, each in
// stacks of leastStack to mostStack cores: size by size, material by
// material, stack by stack.
std::vector<FrequencyCore> searchCores(const std::vector<int> &sizes, const std::vector<const FerriteData *> &materials,
                                       int leastStack, int mostStack, double lowHz, double highHz);

// The fewest whole turns from 1 to most for which passes holds; 0 where
// none does. Every count is tried in turn: a winding's impedance with its
// capacitance rises with the turns only up to its self-resonance, so the
// test need not be monotone in the turns.
long fewestTurns(long most, const std::function<bool(long)> &passes);
// The same where passes is monotone (false, then true from some count on):
// by bisection.
long fewestTurnsMonotone(long most, const std::function<bool(long)> &passes);
// At most `most` counts from 1 to `highest`, evenly spread, both ends among
// them: for looking over a winding's turns without trying every one.
std::vector<long> spreadTurns(long highest, long most);

// One candidate of a search as a command tries it: the most turns that fit
// it, whether n turns pass the command's test, and how near n turns come to
// passing (1 or more: they pass).
struct SearchTrial {
    long most = 0;
    std::function<bool(long)> passes;
    std::function<double(long)> margin;
};

// How a command's test goes with the turns: in any order (each count is
// tried in turn), or monotone (false, then true from some count on: by
// bisection). A test said monotone is held to it in the tests.
enum TurnsOrder { TurnsAnyOrder, TurnsMonotone };

// A design a search found: the candidate (its index) and the turns on it.
struct SearchFound {
    size_t core = 0;
    long turns = 0;
};

struct SearchOutcome {
    std::vector<SearchFound> designs; // every candidate that passes, its fewest turns; in the order offered
    int searched = 0;                 // the candidates tried
    // Where none passes: whether any candidate takes a turn at all, and the
    // winding that came nearest, among the turns `looks` gives for each.
    bool anyFits = false;
    SearchFound nearest;
};

// The search every command that asks "which cores, with how many turns?"
// runs: on each candidate the fewest turns that pass, the designs in the
// order offered, and, where none passes, the nearest winding among the
// counts looks(most) of each candidate (the highest margin; the first
// found of equal ones).
SearchOutcome searchDesigns(const std::vector<FrequencyCore> &cores, const std::function<SearchTrial(size_t)> &trial,
                            TurnsOrder order, const std::function<std::vector<long>(long most)> &looks);

// How many of the designs found are offered: the best ten, or every one.
const size_t DesignsOffered = 10;
inline size_t designsOffered(size_t found, bool all) { return all || found < DesignsOffered ? found : DesignsOffered; }

// The order designs are offered in: the smallest stack by volume first,
// then the fewest turns. For a stable sort, so that otherwise they stay as
// they were found.
bool offeredBefore(const FrequencyCore &a, long turnsA, const FrequencyCore &b, long turnsB);

} // namespace design
