// Entry point of the benchmarks: the program's floating-point environment first.
#include <benchmark/benchmark.h>

#include "calc/fpenv.h"

int main(int argc, char **argv)
{
    setFloatingPointEnvironment();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
