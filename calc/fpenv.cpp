// Setting and using the x87/SSE floating-point environment.
#include "calc/fpenv.h"

#include <cmath>

#if defined(__i386__) || defined(__x86_64__)

void setFloatingPointEnvironment()
{
    unsigned short cw = X87ControlWord;
    unsigned mxcsr = SseControlStatus;
    __asm__ volatile("fninit");
    __asm__ volatile("fldcw %0" : : "m"(cw));
    __asm__ volatile("ldmxcsr %0" : : "m"(mxcsr));
}

unsigned currentX87ControlWord()
{
    unsigned short cw;
    __asm__ volatile("fnstcw %0" : "=m"(cw));
    return cw;
}

unsigned currentSseControlStatus()
{
    unsigned mxcsr;
    __asm__ volatile("stmxcsr %0" : "=m"(mxcsr));
    return mxcsr & 0xFFC0; // control bits only, not the sticky flags
}

#else

void setFloatingPointEnvironment() {}
unsigned currentX87ControlWord() { return X87ControlWord; }
unsigned currentSseControlStatus() { return SseControlStatus; }

#endif

#ifdef MIRVELTA_EXTENDED_IS_SOFT

Extended roundUpward(Extended g)
{
    return softCeil(g);
}

Extended log10Extended(Extended x)
{
    return std::log10((double)x);
}

Extended sqrtExtended(Extended x)
{
    return softSqrt(x);
}

#else

long double roundUpward(long double g)
{
    unsigned short saved, up;
    __asm__ volatile("fnstcw %0" : "=m"(saved));
    up = (unsigned short)((saved & ~0x0C00) | 0x0800);
    __asm__ volatile("fldcw %0" : : "m"(up));
    __asm__ volatile("frndint" : "+t"(g));
    __asm__ volatile("fldcw %0" : : "m"(saved));
    return g;
}

long double log10Extended(long double x)
{
    long double r;
    __asm__("fldlg2\n\tfxch %%st(1)\n\tfyl2x" : "=t"(r) : "0"(x));
    return r;
}

long double sqrtExtended(long double x)
{
    __asm__("fsqrt" : "+t"(x));
    return x;
}

#endif
