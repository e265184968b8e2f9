// log, exp, pow and atan2 in double precision from + - * / and sqrt alone,
// which IEEE 754 rounds the same everywhere: the designer's figures come out
// bit for bit the same from glibc, from the Windows C runtime and in a web
// browser. The C libraries' own functions differ in the last bit now and
// then. These are within a few ulps of the true value.
#pragma once

namespace design {

double portableLog(double x);             // x > 0
double portableExp(double x);
double portablePow(double x, double y);   // x > 0
double portableAtan2(double y, double x);

} // namespace design
