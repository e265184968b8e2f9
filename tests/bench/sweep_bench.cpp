// A 1,000-point impedance sweep: the designer's library alone, and the whole
// mirvelta-cli command that prints it as JSON.
#include <benchmark/benchmark.h>

#include "cli/cli.h"
#include "design/ferrite.h"

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

BENCHMARK(LibrarySweep1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(CliSweep1000Json)->Unit(benchmark::kMicrosecond);

} // namespace
