// A slow, exact reference for numberToText, built on big-integer arithmetic
// on the float's significand and exponent (no floating point at all).
#pragma once

#include <string>

struct ReferenceDigits {
    bool negative = false;
    bool zeroOrNan = false;
    bool infinite = false;
    std::string digits; // every decimal digit of the exact value, no leading zero
    long exponent = 0;  // value = 0.digits x 10^exponent
};

ReferenceDigits referenceDigits(float value);
std::string referenceText(const ReferenceDigits &ref, int digits);
