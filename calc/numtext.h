// Number text conversion: the digits the window shows and reads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Longest text numberToText can produce: sign, 18 digits, point, "E+", 4 digits.
enum { NumberTextMax = 32 };

// The text of value with at most `digits` significant digits (0, or more
// than 18, means 18). A value that is not negative starts with one blank, a
// negative one with '-'. The 18 correctly rounded digits are shortened by
// looking at the next digit only, ties to even on that digit:
//   numberToText(12.5f, 7)    -> " 12.5"
//   numberToText(0.5f, 7)     -> " .5"
//   numberToText(12.251f, 3)  -> " 12.2"
//   numberToText(999.6f, 3)   -> " 1E+3"
//   numberToText(0.00000123f, 7) -> " 1.23E-6"
// Zero and NaN give " 0"; an infinity gives D nines and exponent 998.
// Writes at most NumberTextMax - 1 characters and a NUL; returns the length.
size_t numberToText(float value, int digits, char *out);
std::string numberToText(float value, int digits);

// The value of the longest leading part of the text that forms a number, 0
// if none. Reads exactly `length` bytes, whatever they are.
//   Leading blanks, tabs and line feeds are skipped (not carriage returns).
//   Decimal: [sign] digits with at most one point, then an optional exponent
//     (E e D d, [sign], digits; the magnitude stops at 9999). At most 18
//     significant digits enter the value; later ones only move the point.
//   "&" starts a radix number: &H hex, &O &Q octal, &B binary, a bare & octal,
//     with the suffixes % & && ? ?? ??? deciding the sign of the pattern.
//   textToNumber(" 12.5 uH") -> 12.5, textToNumber("1,5") -> 1,
//   textToNumber("&HFFFF") -> -1, textToNumber("&HFFFF&") -> 65535.
float textToNumber(const char *text, size_t length);
float textToNumber(const std::string &text);

// Nearest whole number, ties to even; an out-of-range value gives INT32_MIN.
int32_t roundToInteger(float value);
