// A 1,000-point impedance sweep: the designer's library alone, and the whole
// mirvelta-cli command that prints it as JSON.
#include <benchmark/benchmark.h>

#include "cli/cli.h"
#include "design/ferrite.h"
#include "design/measure.h"

namespace {

void LibrarySweep1000(benchmark::State &state)
{
    const design::FerriteData &data = *design::ferriteData("43");
    design::Effective e = design::effectiveParameters(FerriteCatalogue.sizes[12]); // FT-240
    for (auto _ : state) {
        double sum = 0;
        for (double hz : design::logSweep(1e6, 100e6, 1000)) {
            std::complex<double> z =
                design::withCapacitance(design::windingImpedance(10, hz, e, design::permeabilityAt(data, hz)), hz, 5);
            sum += design::figuresOf(z, hz).magnitude;
        }
        benchmark::DoNotOptimize(sum);
    }
}

void CliSweep1000Json(benchmark::State &state)
{
    const std::vector<std::string> args = {"impedance", "--family", "ferrite", "--size", "240", "--material",
                                           "43", "--turns", "10", "--mhz", "1:100", "--points", "1000",
                                           "--pf", "5", "--json"};
    std::string out, err;
    for (auto _ : state) {
        runCli(args, out, err);
        benchmark::DoNotOptimize(out.data());
    }
}

// The fit of a 1,001-point reflection sweep (FT-240-43, 3 turns, k 1.1,
// 3 pF, 1 to 30 MHz) against all eight materials. Goal: 20 ms or less.
void Fit1001AgainstEightMaterials(benchmark::State &state)
{
    const design::FerriteData &data = *design::ferriteData("43");
    design::Effective e = design::effectiveParameters(FerriteCatalogue.sizes[12]);
    design::Sweep sweep;
    sweep.method = design::Reflection;
    sweep.referenceOhms = 50;
    for (double hz : design::logSweep(1e6, 30e6, 1001)) {
        sweep.hz.push_back(hz);
        sweep.z.push_back(design::fittedImpedance(data, 1.1, 3, 3, e, hz));
    }
    for (auto _ : state) {
        std::vector<const design::FerriteData *> tooFew;
        benchmark::DoNotOptimize(design::fitMaterials(sweep, 3, e, &tooFew).data());
    }
}

// The choke's whole search with its defaults over 1.8 to 30 MHz (|Z| at
// least 1000 ohms, the published practice), stacks up to 2: every ferrite
// size and material with a curve, as JSON. Goal: under 50 ms.
void ChokeSearch1p8To30StacksUpTo2(benchmark::State &state)
{
    const std::vector<std::string> args = {"choke", "--mhz", "1.8:30", "--min-impedance", "1000", "--max-stack", "2",
                                           "--json"};
    std::string out, err;
    for (auto _ : state) {
        runCli(args, out, err);
        benchmark::DoNotOptimize(out.data());
    }
}

// The transformer's search with its defaults over 1.8 to 30 MHz (49:1 at
// 100 W, loss under 10 %, rise under 40 K), stacks up to 2. Goal: under 50 ms.
void TransformerSearch1p8To30StacksUpTo2(benchmark::State &state)
{
    const std::vector<std::string> args = {"transformer", "--ratio", "49", "--mhz", "1.8:30", "--watts", "100",
                                           "--max-stack", "2", "--json"};
    std::string out, err;
    for (auto _ : state) {
        runCli(args, out, err);
        benchmark::DoNotOptimize(out.data());
    }
}

// A balun of one build over 1,000 frequencies: a Guanella 4:1 on an
// FT-240-43, a core a line, at 100 W, as JSON. Goal: under 50 ms.
void BalunBuild1000Json(benchmark::State &state)
{
    const std::vector<std::string> args = {"balun", "--kind", "guanella", "--ratio", "4", "--z0", "100", "--vf", "0.7",
                                           "--family", "ferrite", "--size", "240", "--material", "43", "--turns", "10",
                                           "--mhz", "1.8:30", "--points", "1000", "--watts", "100", "--json"};
    std::string out, err;
    for (auto _ : state) {
        runCli(args, out, err);
        benchmark::DoNotOptimize(out.data());
    }
}

// The balun's search with its defaults, the example: a Guanella 4:1
// for 1.8 to 30 MHz at 100 W (SWR under 2, loss under 0.5 dB, rise under
// 40 K). Goal: under 50 ms.
void BalunSearch1p8To30(benchmark::State &state)
{
    const std::vector<std::string> args = {"balun", "--kind", "guanella", "--ratio", "4", "--z0", "100", "--vf", "0.7",
                                           "--mhz", "1.8:30", "--watts", "100", "--json"};
    std::string out, err;
    for (auto _ : state) {
        runCli(args, out, err);
        benchmark::DoNotOptimize(out.data());
    }
}

// The Q search with its defaults over every core, 50 frequencies: 2 uH for
// 7 to 7.3 MHz, every iron size and mix and every ferrite with a curve, as
// JSON. Goal: under 50 ms.
void QSearch2uH7To7p3(benchmark::State &state)
{
    const std::vector<std::string> args = {"q", "--uh", "2", "--mhz", "7:7.3", "--json"};
    std::string out, err;
    for (auto _ : state) {
        runCli(args, out, err);
        benchmark::DoNotOptimize(out.data());
    }
}

BENCHMARK(QSearch2uH7To7p3)->Unit(benchmark::kMillisecond);
BENCHMARK(BalunBuild1000Json)->Unit(benchmark::kMillisecond);
BENCHMARK(BalunSearch1p8To30)->Unit(benchmark::kMillisecond);
BENCHMARK(Fit1001AgainstEightMaterials)->Unit(benchmark::kMillisecond);
BENCHMARK(TransformerSearch1p8To30StacksUpTo2)->Unit(benchmark::kMillisecond);
BENCHMARK(ChokeSearch1p8To30StacksUpTo2)->Unit(benchmark::kMillisecond);
BENCHMARK(LibrarySweep1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(CliSweep1000Json)->Unit(benchmark::kMicrosecond);

} // namespace
