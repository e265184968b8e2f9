// Decimal text of binary floating point, correctly rounded and the same
// bytes from every C library: std::to_chars where the C++ library has it for
// floating point, printf where it has not (the web build's, whose printf,
// musl's, rounds exactly too). The window's numbers, the designer's figures
// and the catalogue's decimals all come through here.
#pragma once

#include <cstddef>

// `value` with `precision` digits after the point, in scientific form
// ("1.250e+02") or fixed ("125.000"), into buf; returns the text's end (no
// terminating NUL). buf must hold the whole text.
char *decimalText(char *buf, size_t size, double value, bool scientific, int precision);

// The fewest digits that read back as `value` (0.3f: "0.3"), NUL-terminated.
void shortestText(char *buf, size_t size, float value);
