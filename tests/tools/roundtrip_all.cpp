// Checks textToNumber(numberToText(x, 9)) == x, bit for bit, for all 2^32
// float bit patterns (every finite one; -0 reads back as +0, infinities are
// checked too), on every core. Not part of CI: it runs for minutes.
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

#include "calc/fpenv.h"
#include "calc/numtext.h"

int main()
{
    unsigned cores = std::thread::hardware_concurrency();
    if (cores == 0)
        cores = 2;
    std::atomic<uint64_t> failures{0}, checked{0};
    std::vector<std::thread> workers;
    for (unsigned w = 0; w < cores; w++) {
        workers.emplace_back([w, cores, &failures, &checked] {
            setFloatingPointEnvironment(); // per thread: the environment is per thread
            uint64_t bad = 0, n = 0;
            char text[NumberTextMax];
            for (uint64_t b = w; b <= 0xFFFFFFFFull; b += cores) {
                uint32_t bits = (uint32_t)b;
                float x;
                memcpy(&x, &bits, 4);
                if (std::isnan(x))
                    continue;
                size_t len = numberToText(x, 9, text);
                float back = textToNumber(text, len);
                uint32_t backBits;
                memcpy(&backBits, &back, 4);
                n++;
                if (backBits != bits && !(x == 0 && back == 0)) {
                    if (bad++ < 10)
                        printf("mismatch: %08x '%s' -> %08x\n", bits, text, backBits);
                }
            }
            failures += bad;
            checked += n;
        });
    }
    for (std::thread &t : workers)
        t.join();
    printf("checked %llu non-NaN patterns on %u threads: %llu mismatches\n",
           (unsigned long long)checked.load(), cores, (unsigned long long)failures.load());
    return failures ? 1 : 0;
}
