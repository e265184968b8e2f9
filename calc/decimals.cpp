// Decimal text of floats and doubles, the same from every C library.
#include "calc/decimals.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>

char *decimalText(char *buf, size_t size, double value, bool scientific, int precision)
{
#ifdef __EMSCRIPTEN__
    return buf + snprintf(buf, size, scientific ? "%.*e" : "%.*f", precision, value);
#else
    return std::to_chars(buf, buf + size, value, scientific ? std::chars_format::scientific : std::chars_format::fixed,
                         precision).ptr;
#endif
}

void shortestText(char *buf, size_t size, float value)
{
#ifdef __EMSCRIPTEN__
    for (int digits = 1; digits <= 9; digits++) {
        snprintf(buf, size, "%.*g", digits, (double)value);
        if (std::strtof(buf, nullptr) == value)
            break;
    }
#else
    *std::to_chars(buf, buf + size - 1, value).ptr = '\0';
#endif
}
