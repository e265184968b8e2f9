// Plain decimal numbers: a sign, digits with at most one point, an
// exponent; no blanks, no hexadecimal, no words. The grammar of every number
// the twin and the page read from a user, and of the numbers in the files
// they read; and the test most of them must pass.
#pragma once

#include <string>

namespace design {

bool plainNumber(const std::string &s);
// A plain number as a double, correctly rounded; false where the text is
// not one.
bool readPlainNumber(const std::string &s, double *value);
// Above 0 and finite: what a length, a frequency or a current must be.
bool finitePositive(double v);

} // namespace design
