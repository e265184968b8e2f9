// table: one solve per value of a range of turns or inductances.
#include <algorithm>

#include "calc/controlids.h"
#include "calc/memform.h"
#include "cli/common.h"

namespace cli {
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
        return failure->text = "malformed range '" + text + "' (FROM:TO" +
                               (stepOptional ? "[:STEP])" : ":STEP)"), false;
    if (parts.size() == 2)
        parts.push_back("1");
    const char *what[] = {"FROM", "TO", "STEP"};
    Decimal d[3];
    for (int i = 0; i < 3; i++) {
        float unused;
        if (!readNumber(parts[i], what[i], &unused, failure))
            return false;
        if (!readDecimal(parts[i], &d[i]))
            return failure->text = "range '" + text + "' needs numbers of at most 30 digits and decimals", false;
    }
    int scale = std::max({d[0].scale, d[1].scale, d[2].scale});
    __int128 from, to, step;
    if (!atScale(d[0], scale, &from) || !atScale(d[1], scale, &to) || !atScale(d[2], scale, &step))
        return failure->text = "range '" + text + "' needs numbers of at most 30 digits and decimals", false;
    if (!(step > 0) || !(from <= to))
        return failure->text = "range '" + text + "' needs FROM <= TO and a STEP above 0", false;
    if ((to - from) / step >= MaxRows)
        return failure->text = "range '" + text + "' has more than " + std::to_string(MaxRows) + " rows", false;
    for (__int128 v = from; v <= to; v += step)
        values->push_back(decimalText(v, scale));
    return true;
}

struct TableOptions {
    CoreOptions core;
    std::string turns, inductance, units = "uH";
    bool csv = false;
};

int runTable(const TableOptions &o, bool byTurns, std::string &out, Failure *failure)
{
    Core core;
    if (!readCore(o.core, &core, failure))
        return CliError;
    std::vector<std::string> values;
    if (!readRange(byTurns ? o.turns : o.inductance, byTurns, &values, failure))
        return CliError;

    Table t;
    t.rows.push_back({"turns", "inductance", "unit", "AWG", "wire length", "unit"});
    for (const std::string &text : values) {
        Failure refused;
        if (!windowSolve(core, byTurns ? SolveInductance : SolveTurns, byTurns ? text : "",
                         byTurns ? "" : text, byTurns ? "uH" : o.units, &refused)) {
            std::string why = asLines(refused.text);
            std::replace(why.begin(), why.end(), '\n', ' ');
            return failure->text = "the row for " + text + (byTurns ? " turns" : " " + o.units) +
                                   " is refused: " + trim(why), CliError;
        }
        t.rows.push_back({trim(form.text(ID_TURNS_EDIT)), trim(form.text(ID_INDUCTANCE_EDIT)),
                          form.text(ID_UNITS_COMBO), shownGauge(), shownLength(), lengthUnitWord});
    }
    out = t.render(o.csv);
    return CliOk;
}

} // namespace

Command addTableCommand(CLI::App &program)
{
    auto o = std::make_shared<TableOptions>();
    CLI::App *c = program.add_subcommand("table", "one solve per value of a range of turns or inductances");
    c->footer("One solve per value from FROM to TO, one row each: turns, inductance and its unit, AWG, wire\n"
        "length and its unit. The values are FROM, FROM + STEP, ... counted in decimal, so TO is a row\n"
        "whenever the steps reach it. Every row is solved before anything is printed; at most 10000 rows.");
    addCoreOptions(c, &o->core);
    auto *turns = c->add_option("--turns", o->turns, "FROM:TO[:STEP] turns (STEP 1 by default)");
    auto *inductance = c->add_option("--inductance", o->inductance, "FROM:TO:STEP in --units");
    turns->excludes(inductance);
    c->add_option("--units", o->units, "nH, uH (default) or mH")->needs(inductance);
    c->add_flag("--csv", o->csv, "comma-separated values");
    return {c, [=](std::string &out, Failure *failure) {
                if ((turns->count() > 0) == (inductance->count() > 0))
                    return failure->text = "give either --turns FROM:TO[:STEP] or --inductance FROM:TO:STEP",
                           (int)CliError;
                return runTable(*o, turns->count() > 0, out, failure);
            }};
}

} // namespace cli
