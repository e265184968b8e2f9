// The shared pieces of mirvelta-cli's commands.
#include "cli/common.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "calc/controlids.h"
#include "calc/extended.h"
#include "calc/formulas.h"
#include "calc/memform.h"
#include "calc/numtext.h"
#include "calc/results.h"
#include "calc/solve.h"

namespace cli {

// ---- The core the user names ------------------------------------------------

void addUnitOption(CLI::App *command, std::string *unit)
{
    command->add_option("--unit", *unit, "unit of length: inches (default) or mm")
        ->check(CLI::IsMember({"inches", "mm"}));
}

void addCoreOptions(CLI::App *command, CoreOptions *options)
{
    command->add_option("--family", options->family, "iron or ferrite")->required();
    command->add_option("--size", options->size, "size code, as in the size box (50, 240, 50A)")->required();
    command->add_option("--material", options->material, "material code, as in the material box (2, 61, J)")
        ->required();
    addUnitOption(command, &options->unit);
}

const CoreSize &Core::dimensions() const { return catalogueOf(family).sizes[sizeIndex]; }
const CoreMaterial &Core::mix() const { return catalogueOf(family).materials[materialIndex]; }
float Core::al() const { return catalogueOf(family).alOf(sizeIndex, materialIndex); }
std::string Core::name() const { return familyPrefix(family) + size + "-" + material; }

bool readFamily(const std::string &text, CoreType *family, Failure *failure)
{
    if (text == "iron")
        *family = CorePowderedIron;
    else if (text == "ferrite")
        *family = CoreFerrite;
    else
        return failure->text = "unknown family '" + text + "' (iron or ferrite)", false;
    return true;
}

bool readFamilies(const std::string &text, std::vector<CoreType> *families, Failure *failure)
{
    *families = {CorePowderedIron, CoreFerrite};
    if (text.empty())
        return true;
    CoreType f;
    if (!readFamily(text, &f, failure))
        return false;
    *families = {f};
    return true;
}

LengthUnit readUnit(const std::string &text)
{
    return text == "mm" ? LengthMillimetres : LengthInches;
}

std::string codeList(const CoreFamilyTable &t, bool sizes)
{
    std::string s;
    int n = sizes ? t.sizeCount : t.materialCount;
    for (int i = 0; i < n; i++)
        s += std::string(i ? " " : "") + (sizes ? t.sizes[i].code : t.materials[i].code);
    return s;
}

bool readCore(const CoreOptions &o, Core *core, Failure *failure)
{
    if (!readFamily(o.family, &core->family, failure))
        return false;
    core->unit = readUnit(o.unit);
    const CoreFamilyTable &t = catalogueOf(core->family);
    core->size = o.size;
    core->material = o.material;
    core->sizeIndex = codeIndex(t, o.size, true);
    core->materialIndex = codeIndex(t, o.material, false);
    const std::string family = familyName(core->family);
    if (core->sizeIndex < 0)
        return failure->text = "unknown " + family + " size '" + o.size + "' (" + codeList(t, true) + ")", false;
    if (core->materialIndex < 0)
        return failure->text = "unknown " + family + " material '" + o.material + "' (" +
                               codeList(t, false) + ")", false;
    return true;
}

bool readCoreWithAl(const CoreOptions &o, Core *core, Failure *failure)
{
    if (!readCore(o, core, failure))
        return false;
    if (!(core->al() > 1.0f))
        return failure->text = "the catalogue has no AL for " + core->name(), false;
    return true;
}

// ---- The window's solve ------------------------------------------------------

bool windowSolve(const Core &core, SolveMode mode, const std::string &turns,
                 const std::string &inductance, const std::string &units, Failure *failure)
{
    return solveAsUser(core.unit, core.family, core.size, core.material, mode, turns, inductance, units,
                       &failure->text);
}

float solvedTurns(SolveMode mode, const std::string &turns, const std::string &inductance,
                  const std::string &units)
{
    if (mode == SolveInductance)
        return textToNumber(turns);
    // As the solve converts the inductance box to microhenries.
    float value = textToNumber(inductance);
    for (const InductanceUnit &u : InductanceUnits)
        if (units == u.text)
            return turnsFromInductance(coreSpec.al, (float)((Extended)u.inductanceFactor * value));
    return 0;
}

std::string asLines(const std::string &text)
{
    std::string s = text;
    for (size_t p; (p = s.find("\r\n")) != std::string::npos;)
        s.replace(p, 2, "\n");
    return s + "\n";
}

// The number inside a result line, between its caption and its unit.
static std::string between(const std::string &line, const std::string &prefix, const std::string &suffix)
{
    std::string s = line.compare(0, prefix.size(), prefix) == 0 ? line.substr(prefix.size()) : line;
    if (s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0)
        s.resize(s.size() - suffix.size());
    return trim(s);
}

std::string shownGauge()
{
    return between(form.text(ID_WIRE_SIZE_LABEL), "Max. wire size:", "AWG");
}

std::string shownLength()
{
    return between(form.text(ID_WIRE_LENGTH_LABEL), "Total length of wire\r\n   (Not including leads):",
                   lengthUnitWord);
}

// ---- Numbers and texts -------------------------------------------------------

std::string plain(float value, int digits)
{
    std::string s = numberToText(value, digits);
    return s[0] == ' ' ? s.substr(1) : s;
}

std::string trim(const std::string &s)
{
    size_t a = s.find_first_not_of(' '), b = s.find_last_not_of(' ');
    return a == std::string::npos ? "" : s.substr(a, b - a + 1);
}

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

bool readNumber(const std::string &text, const char *what, float *value, Failure *failure)
{
    if (!plainNumber(text)) {
        failure->text = std::string("malformed number '") + text + "' for " + what;
        return false;
    }
    *value = textToNumber(text);
    return true;
}

std::string significant(double value, int digits)
{
    // std::to_chars, not printf: the same text from every C library.
    char buf[400];
    auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, digits - 1);
    std::string s(buf, r.ptr);
    size_t e = s.find('e');
    if (e == std::string::npos)
        return s; // inf, nan
    int exponent = std::atoi(s.c_str() + e + 1);
    if (exponent < -4 || exponent >= 9)
        return s;
    // Fixed point, rounded to the digits, without trailing zeros.
    r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, std::max(0, digits - 1 - exponent));
    s.assign(buf, r.ptr);
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0')
            s.pop_back();
        if (s.back() == '.')
            s.pop_back();
    }
    return s;
}

std::string latin1(const std::string &bytes)
{
    std::string s;
    for (unsigned char c : bytes) {
        if (c < 0x80) {
            s += (char)c;
        } else {
            s += (char)(0xC0 | (c >> 6));
            s += (char)(0x80 | (c & 0x3F));
        }
    }
    return s;
}

std::string jsonText(const Json &json)
{
    return json.dump(2, ' ', true) + "\n";
}

std::string Table::render(bool csv) const
{
    std::vector<size_t> width;
    for (const auto &r : rows)
        for (size_t i = 0; i < r.size(); i++) {
            if (width.size() <= i)
                width.push_back(0);
            width[i] = std::max(width[i], r[i].size());
        }
    std::string s;
    for (const auto &r : rows) {
        std::string line;
        for (size_t i = 0; i < r.size(); i++) {
            if (csv)
                line += (i ? "," : "") + r[i];
            else
                line += r[i] + (i + 1 < r.size() ? std::string(width[i] - r[i].size() + 2, ' ') : "");
        }
        s += line + "\n";
    }
    return s;
}

std::vector<std::string> sizeHeader()
{
    return {"size", "outside", "inside", "thickness"};
}

std::vector<std::string> sizeRow(const CoreSize &c, LengthUnit unit)
{
    // The products lookupCore forms: single precision, like the window.
    const float factor = unit == LengthMillimetres ? 25.4f : 1.0f;
    return {c.code, plain((float)((Extended)c.outsideDiameter * factor)),
            plain((float)((Extended)c.insideDiameter * factor)),
            plain((float)((Extended)c.thickness * factor))};
}

std::vector<std::string> materialHeader(CoreType family)
{
    if (family == CorePowderedIron)
        return {"material", "colour", "range (MHz)"};
    return {"material", "colour", "wide band (MHz)", "tuned circuit (MHz)"};
}

std::vector<std::string> materialRow(CoreType family, const CoreMaterial &m)
{
    std::vector<std::string> row = {m.code, m.colorCode, plain(m.rangeLowMHz) + " to " + plain(m.rangeHighMHz)};
    if (family == CoreFerrite)
        row.push_back(plain(m.tunedLowMHz) + " to " + plain(m.tunedHighMHz));
    return row;
}

std::string captioned(const std::vector<std::pair<std::string, std::string>> &lines)
{
    size_t width = 0;
    for (const auto &l : lines)
        width = std::max(width, l.first.size());
    std::string s;
    for (const auto &l : lines)
        s += l.first + ":" + std::string(width - l.first.size() + 2, ' ') + l.second + "\n";
    return s;
}

} // namespace cli
