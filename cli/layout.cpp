// The twin's text layout.
#include "cli/layout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "calc/decimals.h"
#include "calc/extended.h"
#include "calc/numtext.h"

namespace cli {

using namespace design;

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

// value in the format with `precision` digits after the point, correctly
// rounded.
static std::string formatted(double value, bool scientific, int precision)
{
    char buf[400];
    return std::string(buf, decimalText(buf, sizeof buf, value, scientific, precision));
}

std::string significant(double value, int digits)
{
    std::string s = formatted(value, true, digits - 1);
    size_t e = s.find('e');
    if (e == std::string::npos)
        return s; // inf, nan
    int exponent = std::atoi(s.c_str() + e + 1);
    if (exponent < -4 || exponent >= 9)
        return s;
    // Fixed point, rounded to the digits, without trailing zeros.
    s = formatted(value, false, std::max(0, digits - 1 - exponent));
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

std::string captioned(const Lines &lines)
{
    size_t width = 0;
    for (const auto &l : lines)
        width = std::max(width, l.first.size());
    std::string s;
    for (const auto &l : lines)
        s += l.first + ":" + std::string(width - l.first.size() + 2, ' ') + l.second + "\n";
    return s;
}

Json linesJson(const Lines &lines)
{
    Json j = Json::array();
    for (const auto &l : lines)
        j.push_back({{"caption", l.first}, {"text", l.second}});
    return j;
}

std::string asLines(const std::string &text)
{
    std::string s = text;
    for (size_t p; (p = s.find("\r\n")) != std::string::npos;)
        s.replace(p, 2, "\n");
    return s + "\n";
}

std::string codeList(const CoreFamilyTable &t, bool sizes)
{
    std::string s;
    int n = sizes ? t.sizeCount : t.materialCount;
    for (int i = 0; i < n; i++)
        s += std::string(i ? " " : "") + (sizes ? t.sizes[i].code : t.materials[i].code);
    return s;
}

} // namespace cli

namespace cli {

std::pair<std::string, std::string> coreLine(const std::string &name, int stack, const Effective &e)
{
    return {"Core", stackName(name, stack) + ": le " + significant(e.lengthMm) + " mm, Ae " + significant(e.areaMm2) +
                        " mm^2" + (stack > 1 ? " (" + std::to_string(stack) + " cores side by side)" : "")};
}

Json mhzOrNull(double hz)
{
    return hz > 0 ? Json(hz / 1e6) : Json(nullptr);
}

Json finiteOrNull(double v)
{
    return std::isfinite(v) ? Json(v) : Json(nullptr);
}

std::pair<std::string, std::string> coreLine(const NamedCore &c)
{
    return coreLine(c.name, c.stack, c.effective);
}

} // namespace cli
