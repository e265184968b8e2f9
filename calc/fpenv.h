// The floating-point environment every computation of the program relies on.
#pragma once

#include "calc/extended.h"

// x87: 64-bit significand, round to nearest, all exceptions masked.
// SSE: round to nearest, all exceptions masked, no flush-to-zero.
// Called once at start-up by the program and by every test binary; the
// start-up control word of the platform is never trusted (Windows starts
// the x87 unit with a 53-bit significand). Off x86, the platform's IEEE
// defaults are these already and there is no x87: nothing to set.
void setFloatingPointEnvironment();

// The x87 control word and SSE MXCSR that setFloatingPointEnvironment sets.
enum : unsigned {
    X87ControlWord = 0x037F,
    SseControlStatus = 0x1F80,
};

unsigned currentX87ControlWord();
unsigned currentSseControlStatus();

// g rounded to a whole number with the x87 rounding direction switched to
// toward plus infinity for that one instruction, then back.
Extended roundUpward(Extended g);

// Decimal logarithm on the x87 unit (log10(2) * log2(x)): the same
// instructions on every x86 build, so both builds agree to the last bit.
// With the software extended type, the C library's double log10: the
// gauge is at least 1e-10 from a whole number wherever it can be, far more
// than the difference.
Extended log10Extended(Extended x);

// Square root on the x87 unit, correctly rounded to 64 bits.
Extended sqrtExtended(Extended x);
