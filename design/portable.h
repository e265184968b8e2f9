// log, exp, pow and atan2 in double precision from + - * / and sqrt alone,
// which IEEE 754 rounds the same everywhere: the designer's figures come out
// bit for bit the same from glibc, from the Windows C runtime and in a web
// browser. The C libraries' own functions differ in the last bit now and
// then. These are within a few ulps of the true value.
#pragma once

#include <complex>

namespace design {

double portableLog(double x);             // x > 0
double portableExp(double x);
double portablePow(double x, double y);   // x > 0
double portableAtan2(double y, double x);
// cos and sin of an angle in degrees.
void portableCosSinDegrees(double degrees, double *cosine, double *sine);

// 1/z and a/b written out: the C++ libraries' complex division scales its
// operands each in its own way, and the twins and the page must agree to
// the bit.
std::complex<double> portableReciprocal(std::complex<double> z);
std::complex<double> portableDivide(std::complex<double> a, std::complex<double> b);
// |z| as sqrt(a^2 + b^2): hypot differs between C libraries.
double portableAbs(std::complex<double> z);

} // namespace design
