// How the twin lays out its answers as text: numbers, aligned columns and
// CSV, captioned lines; and JSON's text.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "catalogue/catalogue.h"
#include "cli/values.h"

namespace cli {

// A number as the window shows it, without the sign's blank.
std::string plain(float value, int digits = 7);
std::string trim(const std::string &s);
// A double with `digits` significant digits, no exponent for everyday sizes.
std::string significant(double value, int digits = 4);
// Bytes read as Latin-1, for JSON (which wants UTF-8).
std::string latin1(const std::string &bytes);
std::string jsonText(const Json &json);
// A frequency in hertz as MHz, null where it is 0 (none found).
Json mhzOrNull(double hz);
// A figure, or null where it is infinite (an SWR at a total reflection).
Json finiteOrNull(double v);
// A message box's lines as output lines.
std::string asLines(const std::string &text);
// A family's size (sizes true) or material codes, blank-separated.
std::string codeList(const CoreFamilyTable &t, bool sizes);

// Rows of cells, as aligned columns or as CSV.
struct Table {
    std::vector<std::vector<std::string>> rows;
    std::string render(bool csv) const;
};

// The rows list prints of a size and of a material.
std::vector<std::string> sizeHeader();
std::vector<std::string> sizeRow(const CoreSize &size, LengthUnit unit);
std::vector<std::string> materialHeader(CoreType family);
std::vector<std::string> materialRow(CoreType family, const CoreMaterial &material);

// Two columns: a caption and its value.
using Lines = std::vector<std::pair<std::string, std::string>>;
std::string captioned(const Lines &lines);
// The same lines as an answer's JSON carries them ("summary"): the page
// shows them as the twin's text does.
Json linesJson(const Lines &lines);
// The "Core" line of a winding's answer: its name (a stack's "2 x ..."),
// le and Ae.
std::pair<std::string, std::string> coreLine(const std::string &name, int stack, const design::Effective &e);
std::pair<std::string, std::string> coreLine(const NamedCore &c);

// Where a winding's figures come from, as its "Data" line says it.
extern const char FerriteDataNote[];
extern const char MeasuredCurveNote[];
std::string ironNote(const std::string &mix);

} // namespace cli
