// ns per call of numberToText (D = 7) and textToNumber, each beside its libc
// counterpart on the same inputs in the same run.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "calc/numtext.h"

namespace {

// Values like the window's, spread over many magnitudes.
const std::vector<float> &inputs()
{
    static std::vector<float> values = [] {
        std::vector<float> v;
        uint64_t z = 12345;
        for (int i = 0; i < 4096; i++) {
            z = z * 6364136223846793005ull + 1442695040888963407ull;
            int exponent = (int)((z >> 33) % 16) - 8;
            float mantissa = (float)((z >> 40) % 1000000) / 100000.0f;
            float x = mantissa;
            for (int e = 0; e < (exponent < 0 ? -exponent : exponent); e++)
                x = exponent < 0 ? x / 10 : x * 10;
            v.push_back(x);
        }
        return v;
    }();
    return values;
}

const std::vector<std::string> &texts()
{
    static std::vector<std::string> t = [] {
        std::vector<std::string> v;
        for (float x : inputs())
            v.push_back(numberToText(x, 7));
        return v;
    }();
    return t;
}

void NumberToText7(benchmark::State &state)
{
    char buf[NumberTextMax];
    size_t i = 0;
    const std::vector<float> &in = inputs();
    for (auto _ : state) {
        benchmark::DoNotOptimize(numberToText(in[i++ & 4095], 7, buf));
        benchmark::ClobberMemory();
    }
}

void Snprintf17g(benchmark::State &state)
{
    char buf[64];
    size_t i = 0;
    const std::vector<float> &in = inputs();
    for (auto _ : state) {
        benchmark::DoNotOptimize(snprintf(buf, sizeof buf, "%.17g", (double)in[i++ & 4095]));
        benchmark::ClobberMemory();
    }
}

void TextToNumber(benchmark::State &state)
{
    size_t i = 0;
    const std::vector<std::string> &in = texts();
    for (auto _ : state) {
        const std::string &s = in[i++ & 4095];
        benchmark::DoNotOptimize(textToNumber(s.data(), s.size()));
    }
}

void Strtof(benchmark::State &state)
{
    size_t i = 0;
    const std::vector<std::string> &in = texts();
    for (auto _ : state)
        benchmark::DoNotOptimize(strtof(in[i++ & 4095].c_str(), nullptr));
}

BENCHMARK(NumberToText7);
BENCHMARK(Snprintf17g);
BENCHMARK(TextToNumber);
BENCHMARK(Strtof);

} // namespace
