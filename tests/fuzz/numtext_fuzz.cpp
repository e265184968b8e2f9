// libFuzzer target: arbitrary bytes into textToNumber, arbitrary bit patterns
// and digit counts into numberToText, with the properties the window needs.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "calc/fpenv.h"
#include "calc/numtext.h"

static void check(bool ok)
{
    if (!ok)
        abort();
}

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    setFloatingPointEnvironment();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Any text at all: a value, never a crash or a read past the end.
    float parsed = textToNumber((const char *)data, size);
    (void)parsed;

    if (size < 5)
        return 0;
    uint32_t bits;
    memcpy(&bits, data, 4);
    int digits = (int8_t)data[4];
    float x;
    memcpy(&x, &bits, 4);

    char text[NumberTextMax];
    size_t n = numberToText(x, digits, text);
    std::string s(text, n);
    check(n > 0 && n < NumberTextMax && text[n] == '\0');
    check(s.find_first_not_of(" 0123456789-.E+") == std::string::npos);
    check(s.back() != ' ' && s.back() != '.');
    check((s[0] == ' ') == !(x < 0));

    if (std::isfinite(x) && x != 0) {
        std::string nine = numberToText(x, 9);
        float back = textToNumber(nine);
        check(memcmp(&back, &x, 4) == 0);
        // Whatever the digit count, the text reads back near the value.
        float near = textToNumber(s);
        check(std::isfinite(near) || std::fabs(x) > 3.4e38f / 10);
    }
    return 0;
}
