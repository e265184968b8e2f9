// The Touchstone 1.x reader and the winding's impedance from what it read.
#include "design/touchstone.h"

#include <cctype>
#include <cmath>

#include "design/decimal.h"
#include "design/ferrite.h"
#include "design/portable.h"

namespace design {

namespace {

std::string upper(std::string s)
{
    for (char &c : s)
        c = (char)std::toupper((unsigned char)c);
    return s;
}

// The blank-separated tokens of a line, up to a "!".
std::vector<std::string> tokens(const std::string &line)
{
    std::vector<std::string> t;
    size_t end = line.find('!');
    std::string s = line.substr(0, end);
    size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\r'))
            i++;
        size_t j = i;
        while (j < s.size() && s[j] != ' ' && s[j] != '\t' && s[j] != '\r')
            j++;
        if (j > i)
            t.push_back(s.substr(i, j - i));
        i = j;
    }
    return t;
}

// The line that starts at *start, without its line feed; *start moves past it.
std::string nextLine(const std::string &text, size_t *start)
{
    size_t end = text.find('\n', *start);
    if (end == std::string::npos)
        end = text.size();
    std::string l = text.substr(*start, end - *start);
    *start = end + 1;
    return l;
}

bool fail(TouchstoneError *e, TouchstoneFault fault, int line, const std::string &text = "")
{
    e->fault = fault;
    e->line = line;
    e->text = text;
    return false;
}

// 10^(db/20) in IEEE operations alone.
double fromDecibels(double db)
{
    const double Ln10 = 2.302585092994045684;
    return portableExp(db / 20 * Ln10);
}

} // namespace

bool readTouchstone(const std::string &text, int ports, Touchstone *file, TouchstoneError *error)
{
    if (text.size() > TouchstoneMostBytes)
        return fail(error, TouchstoneTooLarge, 0);
    *file = Touchstone();
    double toHz = 1e9;
    enum { RI, MA, DB } format = MA;
    bool optionsSeen = false;
    int line = 0;
    for (size_t start = 0; start < text.size();) {
        std::string l = nextLine(text, &start);
        line++;
        std::vector<std::string> t = tokens(l);
        if (t.empty())
            continue;
        if (t[0][0] == '#') {
            if (optionsSeen)
                continue; // only the first option line counts
            optionsSeen = true;
            if (t[0].size() > 1)
                t[0] = t[0].substr(1);
            else
                t.erase(t.begin());
            for (size_t i = 0; i < t.size(); i++) {
                std::string u = upper(t[i]);
                if (u == "HZ" || u == "KHZ" || u == "MHZ" || u == "GHZ")
                    toHz = u == "HZ" ? 1 : u == "KHZ" ? 1e3 : u == "MHZ" ? 1e6 : 1e9;
                else if (u == "S" || u == "Z" || u == "Y")
                    file->parameter = u[0];
                else if (u == "RI" || u == "MA" || u == "DB")
                    format = u == "RI" ? RI : u == "MA" ? MA : DB;
                else if (u == "R") {
                    double r;
                    if (i + 1 >= t.size() || !readPlainNumber(t[i + 1], &r) || !(r > 0) || !std::isfinite(r))
                        return fail(error, TouchstoneBadReference, line, i + 1 < t.size() ? t[i + 1] : "");
                    file->referenceOhms = r;
                    i++;
                } else {
                    return fail(error, TouchstoneBadOption, line, t[i]);
                }
            }
            continue;
        }
        std::vector<double> v;
        for (const std::string &s : t) {
            double x;
            if (!readPlainNumber(s, &x))
                return fail(error, TouchstoneNotANumber, line, s);
            if (!std::isfinite(x))
                return fail(error, TouchstoneNotFinite, line, s);
            v.push_back(x);
        }
        if (file->ports == 0)
            file->ports = ports ? ports : v.size() == 9 ? 2 : 1;
        if (v.size() != (file->ports == 1 ? 3u : 9u))
            return fail(error, TouchstoneWrongCount, line, std::to_string(v.size()));
        double hz = v[0] * toHz;
        if (!std::isfinite(hz))
            return fail(error, TouchstoneNotFinite, line, t[0]);
        if (!file->hz.empty() && hz < file->hz.back())
            return fail(error, TouchstoneNotIncreasing, line, t[0]);
        const bool repeated = !file->hz.empty() && hz == file->hz.back();
        std::vector<std::complex<double>> pairs;
        for (size_t i = 1; i + 1 < v.size(); i += 2) {
            double a = v[i], b = v[i + 1];
            if (format == RI) {
                pairs.push_back({a, b});
            } else {
                double magnitude = format == MA ? a : fromDecibels(a), c, s;
                portableCosSinDegrees(b, &c, &s);
                pairs.push_back({magnitude * c, magnitude * s});
            }
            if (!std::isfinite(pairs.back().real()) || !std::isfinite(pairs.back().imag()))
                return fail(error, TouchstoneNotFinite, line, t[i]);
        }
        if (repeated) {
            if (file->repeatedHz.empty() || file->repeatedHz.back() != hz)
                file->repeatedHz.push_back(hz);
            continue;
        }
        file->hz.push_back(hz);
        file->data.push_back(pairs);
    }
    if (file->hz.empty())
        return fail(error, TouchstoneNoData, 0);
    if (file->ports == 0)
        file->ports = ports ? ports : 1;
    return true;
}

bool readCurve(const std::string &text, std::vector<PermeabilityPoint> *points, TouchstoneError *error)
{
    if (text.size() > TouchstoneMostBytes)
        return fail(error, TouchstoneTooLarge, 0);
    points->clear();
    int line = 0;
    for (size_t start = 0; start < text.size();) {
        std::string l = nextLine(text, &start);
        line++;
        if (!l.empty() && l.back() == '\r')
            l.pop_back();
        if (l.empty())
            continue;
        if (line == 1 && l.compare(0, 12, "frequency_hz") == 0)
            continue;
        std::vector<std::string> cells;
        for (size_t a = 0;;) {
            size_t b = l.find(',', a);
            cells.push_back(l.substr(a, b == std::string::npos ? std::string::npos : b - a));
            if (b == std::string::npos)
                break;
            a = b + 1;
        }
        if (cells.size() < 3)
            return fail(error, TouchstoneWrongCount, line, std::to_string(cells.size()));
        double v[3];
        for (int i = 0; i < 3; i++) {
            if (!readPlainNumber(cells[i], &v[i]))
                return fail(error, TouchstoneNotANumber, line, cells[i]);
            if (!std::isfinite(v[i]))
                return fail(error, TouchstoneNotFinite, line, cells[i]);
        }
        if (!(v[0] > 0) || (!points->empty() && !(v[0] > points->back().hz)))
            return fail(error, TouchstoneNotIncreasing, line, cells[0]);
        points->push_back({v[0], v[1], v[2]});
    }
    if (points->size() < 2)
        return fail(error, TouchstoneNoData, 0);
    return true;
}

std::vector<std::complex<double>> measuredImpedance(const Touchstone &file, MeasureMethod method)
{
    const double r0 = file.referenceOhms;
    std::vector<std::complex<double>> z;
    for (const auto &p : file.data) {
        if (file.parameter == 'Z') {
            z.push_back(p[0] * r0);
        } else if (file.parameter == 'Y') {
            z.push_back(portableReciprocal(p[0]) * r0);
        } else if (file.ports == 1 || method == Reflection) {
            std::complex<double> s = p[0];
            z.push_back(portableDivide(r0 * (1.0 + s), 1.0 - s));
        } else if (method == SeriesThrough) {
            std::complex<double> s = p[1];
            z.push_back(portableDivide(2 * r0 * (1.0 - s), s));
        } else {
            std::complex<double> s = p[1];
            z.push_back(portableDivide(r0 * s, 2.0 * (1.0 - s)));
        }
    }
    return z;
}

std::complex<double> coefficientOf(std::complex<double> z, MeasureMethod method, double r0)
{
    switch (method) {
    case Reflection:
        return portableDivide(z - r0, z + r0);
    case SeriesThrough:
        return portableDivide(2 * r0, 2 * r0 + z);
    case ShuntThrough:
        break;
    }
    return portableDivide(2.0 * z, 2.0 * z + r0);
}

} // namespace design
