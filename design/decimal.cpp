// Plain decimal numbers.
#include "design/decimal.h"

#include <cmath>
#include <cstdlib>

namespace design {

bool plainNumber(const std::string &s)
{
    size_t i = 0, n = s.size(), digits = 0;
    if (i < n && (s[i] == '+' || s[i] == '-'))
        i++;
    for (; i < n && s[i] >= '0' && s[i] <= '9'; i++)
        digits++;
    if (i < n && s[i] == '.')
        for (i++; i < n && s[i] >= '0' && s[i] <= '9'; i++)
            digits++;
    if (digits == 0)
        return false;
    if (i < n && (s[i] == 'e' || s[i] == 'E')) {
        i++;
        if (i < n && (s[i] == '+' || s[i] == '-'))
            i++;
        size_t e = 0;
        for (; i < n && s[i] >= '0' && s[i] <= '9'; i++)
            e++;
        if (e == 0)
            return false;
    }
    return i == n;
}

bool readPlainNumber(const std::string &s, double *value)
{
    if (!plainNumber(s))
        return false;
    // Every C library here rounds a plain decimal correctly, and the grammar
    // leaves strtod nothing of its own to decide (no locale, hex or words).
    *value = std::strtod(s.c_str(), nullptr);
    return true;
}

bool finitePositive(double v)
{
    return v > 0 && std::isfinite(v);
}

} // namespace design
