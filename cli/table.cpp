// table: one solve per value of a range of turns or inductances.
#include "cli/table.h"

#include <algorithm>

#include "calc/memform.h"
#include "calc/solve.h"
#include "cli/layout.h"
#include "cli/refusals.h"

namespace cli {

using namespace design;
namespace {

enum { MaxRows = 10000, MaxScale = 30 };

// A plain decimal number as a whole number of 10^-scale.
struct Decimal {
    __int128 units = 0;
    int scale = 0;
};

const __int128 Limit = (__int128)1000000000000000000LL * 1000000000000LL; // 10^30

// Reads a plainNumber text exactly. False when it has more digits than the
// range arithmetic holds (10^30, 30 decimals).
bool readDecimal(const std::string &s, Decimal *d)
{
    size_t i = 0;
    bool negative = s[0] == '-';
    if (s[0] == '+' || s[0] == '-')
        i++;
    __int128 units = 0;
    int scale = 0, digits = 0;
    bool point = false;
    for (; i < s.size() && s[i] != 'e' && s[i] != 'E'; i++) {
        if (s[i] == '.') {
            point = true;
            continue;
        }
        if (units == 0 && s[i] == '0') {
            scale += point; // leading zeros count only as places
            continue;
        }
        if (++digits > 30)
            return false;
        units = units * 10 + (s[i] - '0');
        scale += point;
    }
    long exponent = 0;
    if (i < s.size()) {
        exponent = std::strtol(s.c_str() + i + 1, nullptr, 10);
        if (exponent > 60 || exponent < -60)
            return units == 0 ? (d->units = 0, true) : false;
    }
    scale -= (int)exponent;
    for (; scale < 0; scale++) {
        units *= 10;
        if (units >= Limit)
            return false;
    }
    if (scale > MaxScale)
        return false;
    d->units = negative ? -units : units;
    d->scale = scale;
    return true;
}

// d in units of 10^-scale; false if that leaves the 10^36 the sums may reach.
bool atScale(const Decimal &d, int scale, __int128 *units)
{
    __int128 u = d.units;
    for (int s = d.scale; s < scale; s++) {
        if (u > Limit * 1000000 / 10 || u < -Limit * 1000000 / 10)
            return false;
        u *= 10;
    }
    *units = u;
    return true;
}

std::string decimalText(__int128 units, int scale)
{
    bool negative = units < 0;
    if (negative)
        units = -units;
    std::string digits;
    do {
        digits.insert(digits.begin(), (char)('0' + (int)(units % 10)));
        units /= 10;
    } while (units > 0);
    if ((int)digits.size() <= scale)
        digits.insert(0, (size_t)(scale - (int)digits.size() + 1), '0');
    std::string s = digits.substr(0, digits.size() - scale);
    std::string fraction = digits.substr(digits.size() - scale);
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    if (!fraction.empty())
        s += "." + fraction;
    return (negative ? "-" : "") + s;
}

// FROM:TO[:STEP] as the texts of its values, counted exactly in decimal, so
// that a TO the steps reach is always a row.
bool readRange(const std::string &text, bool stepOptional, std::vector<std::string> *values, Failure *failure)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t p; (p = text.find(':', start)) != std::string::npos; start = p + 1)
        parts.push_back(text.substr(start, p - start));
    parts.push_back(text.substr(start));
    if (parts.size() < (stepOptional ? 2u : 3u) || parts.size() > 3)
        return refuse<MalformedRange>(failure, text, stepOptional ? "[:STEP]" : ":STEP");
    if (parts.size() == 2)
        parts.push_back("1");
    const char *what[] = {"FROM", "TO", "STEP"};
    Decimal d[3];
    for (int i = 0; i < 3; i++) {
        if (!plainNumber(parts[i]))
            return refuse<MalformedNumber>(failure, parts[i], what[i]);
        if (!readDecimal(parts[i], &d[i]))
            return refuse<RangeDigits>(failure, text);
    }
    int scale = std::max({d[0].scale, d[1].scale, d[2].scale});
    __int128 from, to, step;
    if (!atScale(d[0], scale, &from) || !atScale(d[1], scale, &to) || !atScale(d[2], scale, &step))
        return refuse<RangeDigits>(failure, text);
    if (!(step > 0) || !(from <= to))
        return refuse<RangeOrder>(failure, text);
    if ((to - from) / step >= MaxRows)
        return refuse<RangeRows>(failure, text, std::to_string(MaxRows));
    for (__int128 v = from; v <= to; v += step)
        values->push_back(decimalText(v, scale));
    return true;
}

} // namespace

bool table(const TableRequest &r, TableResult *result, Failure *failure)
{
    if (r.turns.given == r.inductance.given)
        return refuse<TableTurnsOrInductance>(failure);
    Core core;
    if (!readCore(r.core, &core, failure))
        return false;
    const bool byTurns = r.turns.given;
    std::vector<std::string> values;
    if (!readRange(byTurns ? r.turns.text : r.inductance.text, byTurns, &values, failure))
        return false;

    for (const std::string &text : values) {
        std::string refused;
        SolveReport report;
        if (!solveAsUser(core.unit, core.family, core.size, core.material, byTurns ? SolveInductance : SolveTurns,
                         byTurns ? text : "", byTurns ? "" : text, byTurns ? "uH" : r.units, &refused, &report)) {
            std::string why = asLines(refused);
            std::replace(why.begin(), why.end(), '\n', ' ');
            return refuse<RowRefused>(failure, text + (byTurns ? " turns" : " " + r.units), trim(why));
        }
        result->rows.push_back({trim(form.text(ResultLines[9].id)), trim(form.text(ResultLines[10].id)),
                                form.text(ResultLines[11].id), plain(report.gauge), plain(report.wireLength, 5),
                                lengthUnitWord});
    }
    return true;
}

Json tableJson(const TableResult &r)
{
    Json rows = Json::array();
    for (const TableRow &row : r.rows)
        rows.push_back({{"turns", row.turns},
                        {"inductance", row.inductance},
                        {"units", row.units},
                        {"wireSize", row.gauge},
                        {"wireLength", row.length},
                        {"lengthUnit", row.lengthUnit}});
    return {{"rows", rows}};
}

std::string tableText(const TableResult &r, bool csv)
{
    Table t;
    t.rows.push_back({"turns", "inductance", "unit", "AWG", "wire length", "unit"});
    for (const TableRow &row : r.rows)
        t.rows.push_back({row.turns, row.inductance, row.units, row.gauge, row.length, row.lengthUnit});
    return t.render(csv);
}

} // namespace cli
