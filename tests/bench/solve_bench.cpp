// ns per solve in each mode through the in-memory form, beside ns per
// numberToText in the same run.
#include <benchmark/benchmark.h>

#include "calc/controlids.h"
#include "calc/numtext.h"
#include "calc/solve.h"
#include "calc/state.h"
#include "calc/memform.h"

namespace {

void prepare(SolveMode mode)
{
    form.reset();
    form.setCombos("50", "2");
    form.texts[ID_TURNS_EDIT] = "20";
    form.texts[ID_INDUCTANCE_EDIT] = "10";
    solveMode = mode;
    form.recording = false;
}

void SolveForInductance(benchmark::State &state)
{
    prepare(SolveInductance);
    for (auto _ : state) {
        solve();
    }
}

void SolveForTurns(benchmark::State &state)
{
    prepare(SolveTurns);
    for (auto _ : state) {
        form.texts[ID_INDUCTANCE_EDIT] = "10"; // the turns box is written, not read
        solve();
    }
}

void NumberToText7(benchmark::State &state)
{
    char buf[NumberTextMax];
    float x = 0.38999998f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(numberToText(x, 7, buf));
        benchmark::ClobberMemory();
    }
}

BENCHMARK(SolveForInductance);
BENCHMARK(SolveForTurns);
BENCHMARK(NumberToText7);

} // namespace
