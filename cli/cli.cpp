// The commands of mirvelta-cli: solve, list, table, find.
//
// Every result comes from the calculator's own solve, run over the
// in-memory form exactly as the window runs it: the twin never computes a
// shown number on its own.
#include "cli/cli.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <set>

#include "calc/controlids.h"
#include "calc/memform.h"
#include "calc/numtext.h"
#include "calc/results.h"
#include "calc/solve.h"
#include "calc/state.h"
#include "catalogue/catalogue.h"

namespace {

// ---- Help ------------------------------------------------------------------

const char ProgramHelp[] =
    "usage: mirvelta-cli COMMAND [OPTIONS]\n"
    "\n"
    "The toroid winding calculator without its window: the same catalogue, the\n"
    "same solve and the same digits.\n"
    "\n"
    "commands:\n"
    "  solve   one solve, printed as the window's result lines\n"
    "  list    the catalogue: sizes, materials and AL values\n"
    "  table   one solve per value of a range of turns or inductances\n"
    "  find    every core that reaches an inductance, by wire length\n"
    "\n"
    "'mirvelta-cli COMMAND --help' describes a command.\n";

const char SolveHelp[] =
    "usage: mirvelta-cli solve --family iron|ferrite --size CODE --material CODE\n"
    "                          [--unit inches|mm] [--json]\n"
    "                          (--turns TEXT | --inductance TEXT [--units nH|uH|mH])\n"
    "\n"
    "Solves for the inductance (--turns) or for the number of turns (--inductance)\n"
    "and prints the lines the window shows afterwards, in window order: the core\n"
    "parameters, the winding information (the wire length as its two lines), then\n"
    "the turns box, the inductance box and the units box. TEXT is read as the\n"
    "window reads a text box. --units defaults to uH, --unit to inches.\n"
    "With --json: one object keyed by the lines' names.\n"
    "An input the window refuses prints the window's message on stderr; exit 2.\n";

const char ListHelp[] =
    "usage: mirvelta-cli list [--family iron|ferrite] [--unit inches|mm] [--csv]\n"
    "\n"
    "Prints each family's sizes with their dimensions, its materials with colour\n"
    "code and frequency ranges, and its AL matrix, both in uH per 100 turns (the\n"
    "catalogue's unit) and in nH per turn squared (1 uH per 100 turns is\n"
    "0.1 nH/N^2). A '-' marks a core the catalogue has no information on.\n";

const char TableHelp[] =
    "usage: mirvelta-cli table --family iron|ferrite --size CODE --material CODE\n"
    "                          [--unit inches|mm] [--csv]\n"
    "                          (--turns FROM:TO[:STEP] | --inductance FROM:TO:STEP\n"
    "                           [--units nH|uH|mH])\n"
    "\n"
    "One solve per value from FROM to TO (STEP 1 for turns by default), one row\n"
    "each: turns, inductance and its unit, AWG, wire length and its unit. Every\n"
    "row is solved before anything is printed; at most 10000 rows.\n";

const char FindHelp[] =
    "usage: mirvelta-cli find --inductance V [--units nH|uH|mH] [--family iron|ferrite]\n"
    "                         [--unit inches|mm] [--awg N] [--csv]\n"
    "\n"
    "Every catalogue core on which V can be wound (1 to 65535 turns, rounded as\n"
    "the window rounds them), with its turns, the largest AWG that fits and the\n"
    "wire length, shortest wire first. With --awg: only the cores on which wire\n"
    "of that gauge still fits in one layer.\n";

// ---- Errors and options ----------------------------------------------------

struct Failure {
    std::string text;
};

// The options of one command: --name VALUE, or --flag.
struct Options {
    std::map<std::string, std::string> values;
    std::set<std::string> flags;

    bool has(const std::string &name) const { return values.count(name) || flags.count(name); }
    const std::string *value(const std::string &name) const
    {
        auto it = values.find(name);
        return it == values.end() ? nullptr : &it->second;
    }
};

bool parseOptions(const std::vector<std::string> &args, const std::set<std::string> &valued,
                  const std::set<std::string> &flags, Options *options, Failure *failure)
{
    for (size_t i = 1; i < args.size(); i++) {
        const std::string &a = args[i];
        if (a.compare(0, 2, "--") != 0) {
            failure->text = "unexpected argument '" + a + "'";
            return false;
        }
        std::string name = a.substr(2);
        if (options->has(name)) {
            failure->text = "option --" + name + " given twice";
            return false;
        }
        if (flags.count(name)) {
            options->flags.insert(name);
        } else if (valued.count(name)) {
            if (i + 1 >= args.size()) {
                failure->text = "option --" + name + " needs a value";
                return false;
            }
            options->values[name] = args[++i];
        } else {
            failure->text = "unknown option --" + name;
            return false;
        }
    }
    return true;
}

// A number the twin itself reads (ranges, --awg, find's V): the whole text
// must be a plain decimal number, sign and exponent allowed.
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

// A number as the window shows it, without the sign's blank.
std::string plain(float value, int digits = 7)
{
    std::string s = numberToText(value, digits);
    return s[0] == ' ' ? s.substr(1) : s;
}

std::string trim(const std::string &s)
{
    size_t a = s.find_first_not_of(' '), b = s.find_last_not_of(' ');
    return a == std::string::npos ? "" : s.substr(a, b - a + 1);
}

// ---- The core the user names -----------------------------------------------

struct Core {
    CoreType family = CorePowderedIron;
    LengthUnit unit = LengthInches;
    std::string size, material;
};

const CoreFamilyTable &catalogueOf(CoreType family)
{
    return family == CorePowderedIron ? IronCatalogue : FerriteCatalogue;
}

const char *familyName(CoreType family)
{
    return family == CorePowderedIron ? "iron" : "ferrite";
}

const char *familyPrefix(CoreType family)
{
    return family == CorePowderedIron ? "T-" : "FT-";
}

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

bool readUnit(const Options &o, LengthUnit *unit, Failure *failure)
{
    const std::string *u = o.value("unit");
    if (!u || *u == "inches")
        *unit = LengthInches;
    else if (*u == "mm")
        *unit = LengthMillimetres;
    else
        return failure->text = "unknown unit of length '" + *u + "' (inches or mm)", false;
    return true;
}

std::string codeList(const CoreFamilyTable &t, bool sizes)
{
    std::string s;
    int n = sizes ? t.sizeCount : t.materialCount;
    for (int i = 0; i < n; i++)
        s += std::string(i ? " " : "") + (sizes ? t.sizes[i].code : t.materials[i].code);
    return s;
}

bool knownCode(const CoreFamilyTable &t, const std::string &code, bool sizes)
{
    int n = sizes ? t.sizeCount : t.materialCount;
    for (int i = 0; i < n; i++)
        if (code == (sizes ? t.sizes[i].code : t.materials[i].code))
            return true;
    return false;
}

bool readCore(const Options &o, Core *core, Failure *failure)
{
    for (const char *name : {"family", "size", "material"})
        if (!o.value(name))
            return failure->text = std::string("missing --") + name, false;
    if (!readFamily(*o.value("family"), &core->family, failure) || !readUnit(o, &core->unit, failure))
        return false;
    const CoreFamilyTable &t = catalogueOf(core->family);
    core->size = *o.value("size");
    core->material = *o.value("material");
    if (!knownCode(t, core->size, true))
        return failure->text = "unknown " + std::string(familyName(core->family)) + " size '" +
                               core->size + "' (" + codeList(t, true) + ")", false;
    if (!knownCode(t, core->material, false))
        return failure->text = "unknown " + std::string(familyName(core->family)) + " material '" +
                               core->material + "' (" + codeList(t, false) + ")", false;
    return true;
}

// The families a command covers: the one --family names, or both.
bool readFamilies(const Options &o, std::vector<CoreType> *families, Failure *failure)
{
    *families = {CorePowderedIron, CoreFerrite};
    if (!o.value("family"))
        return true;
    CoreType f;
    if (!readFamily(*o.value("family"), &f, failure))
        return false;
    *families = {f};
    return true;
}

// solve and table: the core, then either turns or an inductance with its unit.
bool readCoreAndMode(const Options &o, const char *either, Core *core, bool *byTurns, Failure *failure)
{
    if (!readCore(o, core, failure))
        return false;
    if (o.has("turns") == o.has("inductance"))
        return failure->text = either, false;
    if (o.has("turns") && o.has("units"))
        return failure->text = "--units goes with --inductance", false;
    *byTurns = o.has("turns");
    return true;
}

// ---- One solve, as the window does it --------------------------------------

// The lines of the window after a solve, in window order: the Core
// Parameters frame, the Winding Information frame, the Calculate frame.
const struct {
    int id;
    const char *name;
} WindowLines[] = {
    {ID_OD_LABEL, "outsideDiameter"},
    {ID_ID_LABEL, "insideDiameter"},
    {ID_THICKNESS_LABEL, "thickness"},
    {ID_COLOR_LABEL, "colorCode"},
    {ID_FREQ_LABEL, "frequencyRange"},
    {ID_WIDEBAND_LABEL, "wideBand"},
    {ID_TUNED_LABEL, "tunedCircuit"},
    {ID_WIRE_SIZE_LABEL, "wireSize"},
    {ID_WIRE_LENGTH_LABEL, "wireLength"},
    {ID_TURNS_EDIT, "turns"},
    {ID_INDUCTANCE_EDIT, "inductance"},
    {ID_UNITS_COMBO, "units"},
};

// The window as a user leaves it who clicks the unit, then the family, picks
// the size and material and types the three boxes; then the solve button.
// Returns false with the window's message when the solve was refused.
bool windowSolve(const Core &core, SolveMode mode, const std::string &turns,
                 const std::string &inductance, const std::string &units, Failure *failure)
{
    form.reset();
    form.recording = false;
    setLengthUnit(core.unit);
    clearResults();
    coreType = core.family;
    clearResults();
    form.setCombos(core.size, core.material);
    form.texts[ID_SIZE_CAPTION] = core.family == CorePowderedIron ? "Toroid Size:        T-"
                                                                  : "Toroid Size:       FT-";
    form.texts[ID_TURNS_EDIT] = turns;
    form.texts[ID_INDUCTANCE_EDIT] = inductance;
    form.texts[ID_UNITS_COMBO] = units;
    solveMode = mode;
    solve();
    if (form.messages.empty())
        return true;
    failure->text = form.messages[0].text;
    return false;
}

// A message box's lines as output lines.
std::string asLines(const std::string &text)
{
    std::string s = text;
    for (size_t p; (p = s.find("\r\n")) != std::string::npos;)
        s.replace(p, 2, "\n");
    return s + "\n";
}

std::string jsonString(const std::string &s)
{
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += (char)c;
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c < 0x20 || c >= 0x7F) {
            char buf[8];
            snprintf(buf, sizeof buf, "\\u%04x", c); // bytes read as Latin-1
            out += buf;
        } else {
            out += (char)c;
        }
    }
    return out + "\"";
}

// The number inside a result line, between its caption and its unit.
std::string between(const std::string &line, const std::string &prefix, const std::string &suffix)
{
    std::string s = line.compare(0, prefix.size(), prefix) == 0 ? line.substr(prefix.size()) : line;
    if (s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0)
        s.resize(s.size() - suffix.size());
    return trim(s);
}

const char WireSizeCaption[] = "Max. wire size:";
const char WireLengthCaption[] = "Total length of wire\r\n   (Not including leads):";

std::string shownGauge() { return between(form.text(ID_WIRE_SIZE_LABEL), WireSizeCaption, "AWG"); }
std::string shownLength() { return between(form.text(ID_WIRE_LENGTH_LABEL), WireLengthCaption, lengthUnitWord); }

// ---- solve -------------------------------------------------------------------

int solveCommand(const std::vector<std::string> &args, std::string &out, Failure *failure)
{
    Options o;
    if (!parseOptions(args, {"family", "size", "material", "unit", "turns", "inductance", "units"},
                      {"json", "help"}, &o, failure))
        return CliError;
    if (o.has("help"))
        return out = SolveHelp, CliOk;
    Core core;
    bool forInductance;
    if (!readCoreAndMode(o, "give either --turns or --inductance", &core, &forInductance, failure))
        return CliError;
    std::string units = o.value("units") ? *o.value("units") : "uH";
    if (!windowSolve(core, forInductance ? SolveInductance : SolveTurns,
                     forInductance ? *o.value("turns") : "",
                     forInductance ? "" : *o.value("inductance"), forInductance ? "uH" : units, failure))
        return CliError;

    std::string text;
    if (o.has("json")) {
        text = "{";
        for (const auto &line : WindowLines)
            text += std::string(text.size() > 1 ? ", " : "") + "\"" + line.name + "\": " +
                    jsonString(form.text(line.id));
        text += "}\n";
    } else {
        for (const auto &line : WindowLines)
            text += asLines(form.text(line.id));
    }
    out = text;
    return CliOk;
}

// ---- list --------------------------------------------------------------------

// Rows of cells, as aligned columns or as CSV.
struct Table {
    std::vector<std::vector<std::string>> rows;

    std::string render(bool csv) const
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
};

std::string listFamily(CoreType family, LengthUnit unit, bool csv)
{
    const CoreFamilyTable &t = catalogueOf(family);
    const char *unitWord = unit == LengthMillimetres ? "mm" : "inches";
    const float factor = unit == LengthMillimetres ? 25.4f : 1.0f;
    std::string s = std::string(family == CorePowderedIron ? "Powdered iron" : "Ferrite") +
                    " cores (" + familyPrefix(family) + "), dimensions in " + unitWord + "\n";

    Table sizes;
    sizes.rows.push_back({"size", "outside", "inside", "thickness"});
    for (int i = 0; i < t.sizeCount; i++) {
        const CoreSize &c = t.sizes[i];
        // The products lookupCore forms: single precision, like the window.
        sizes.rows.push_back({c.code, plain((float)((long double)c.outsideDiameter * factor)),
                              plain((float)((long double)c.insideDiameter * factor)),
                              plain((float)((long double)c.thickness * factor))});
    }
    s += sizes.render(csv) + "\n";

    Table materials;
    if (family == CorePowderedIron)
        materials.rows.push_back({"material", "colour", "range (MHz)"});
    else
        materials.rows.push_back({"material", "colour", "wide band (MHz)", "tuned circuit (MHz)"});
    for (int i = 0; i < t.materialCount; i++) {
        const CoreMaterial &m = t.materials[i];
        std::vector<std::string> row = {m.code, m.colorCode,
                                        plain(m.rangeLowMHz) + " to " + plain(m.rangeHighMHz)};
        if (family == CoreFerrite)
            row.push_back(plain(m.tunedLowMHz) + " to " + plain(m.tunedHighMHz));
        materials.rows.push_back(row);
    }
    s += materials.render(csv) + "\n";

    for (bool perTurnSquared : {false, true}) {
        s += perTurnSquared ? "AL in nH per turn squared\n" : "AL in uH per 100 turns\n";
        Table al;
        std::vector<std::string> head = {"size"};
        for (int m = 0; m < t.materialCount; m++)
            head.push_back(t.materials[m].code);
        al.rows.push_back(head);
        for (int i = 0; i < t.sizeCount; i++) {
            std::vector<std::string> row = {t.sizes[i].code};
            for (int m = 0; m < t.materialCount; m++) {
                float v = t.alOf(i, m);
                if (!(v > 1.0f))
                    row.push_back("-");
                else
                    row.push_back(plain(perTurnSquared ? (float)(v / 10.0L) : v));
            }
            al.rows.push_back(row);
        }
        s += al.render(csv) + "\n";
    }
    return s;
}

int listCommand(const std::vector<std::string> &args, std::string &out, Failure *failure)
{
    Options o;
    if (!parseOptions(args, {"family", "unit"}, {"csv", "help"}, &o, failure))
        return CliError;
    if (o.has("help"))
        return out = ListHelp, CliOk;
    LengthUnit unit;
    if (!readUnit(o, &unit, failure))
        return CliError;
    std::vector<CoreType> families;
    if (!readFamilies(o, &families, failure))
        return CliError;
    std::string s;
    for (CoreType f : families)
        s += listFamily(f, unit, o.has("csv"));
    out = s;
    return CliOk;
}

// ---- table -------------------------------------------------------------------

enum { MaxRows = 10000 };

bool readRange(const std::string &text, bool stepOptional, std::vector<float> *values, Failure *failure)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t p; (p = text.find(':', start)) != std::string::npos; start = p + 1)
        parts.push_back(text.substr(start, p - start));
    parts.push_back(text.substr(start));
    if (parts.size() < (stepOptional ? 2u : 3u) || parts.size() > 3)
        return failure->text = "malformed range '" + text + "' (FROM:TO" +
                               (stepOptional ? "[:STEP])" : ":STEP)"), false;
    float from, to, step = 1;
    if (!readNumber(parts[0], "FROM", &from, failure) || !readNumber(parts[1], "TO", &to, failure) ||
        (parts.size() == 3 && !readNumber(parts[2], "STEP", &step, failure)))
        return false;
    if (!(step > 0) || !(from <= to) || !std::isfinite(to))
        return failure->text = "range '" + text + "' needs FROM <= TO and a STEP above 0", false;
    // Each value from FROM itself, so that no error piles up along the range.
    long double count = ((long double)to - from) / step;
    if (count >= MaxRows)
        return failure->text = "range '" + text + "' has more than " + std::to_string(MaxRows) + " rows", false;
    for (long i = 0; i <= (long)(count + 1e-6L); i++)
        values->push_back((float)(from + i * (long double)step));
    return true;
}

int tableCommand(const std::vector<std::string> &args, std::string &out, Failure *failure)
{
    Options o;
    if (!parseOptions(args, {"family", "size", "material", "unit", "turns", "inductance", "units"},
                      {"csv", "help"}, &o, failure))
        return CliError;
    if (o.has("help"))
        return out = TableHelp, CliOk;
    Core core;
    bool byTurns;
    if (!readCoreAndMode(o, "give either --turns FROM:TO[:STEP] or --inductance FROM:TO:STEP", &core,
                         &byTurns, failure))
        return CliError;
    std::vector<float> values;
    if (!readRange(byTurns ? *o.value("turns") : *o.value("inductance"), byTurns, &values, failure))
        return CliError;
    std::string units = o.value("units") ? *o.value("units") : "uH";

    Table t;
    t.rows.push_back({"turns", "inductance", "unit", "AWG", "wire length", "unit"});
    for (float v : values) {
        std::string text = plain(v);
        Failure refused;
        if (!windowSolve(core, byTurns ? SolveInductance : SolveTurns, byTurns ? text : "",
                         byTurns ? "" : text, byTurns ? "uH" : units, &refused)) {
            std::string why = asLines(refused.text);
            std::replace(why.begin(), why.end(), '\n', ' ');
            return failure->text = "the row for " + text + (byTurns ? " turns" : " " + units) +
                                   " is refused: " + trim(why), CliError;
        }
        t.rows.push_back({trim(form.text(ID_TURNS_EDIT)), trim(form.text(ID_INDUCTANCE_EDIT)),
                          form.text(ID_UNITS_COMBO), shownGauge(), shownLength(), lengthUnitWord});
    }
    out = t.render(o.has("csv"));
    return CliOk;
}

// ---- find --------------------------------------------------------------------

struct Found {
    std::vector<std::string> cells;
    float length;
};

int findCommand(const std::vector<std::string> &args, std::string &out, Failure *failure)
{
    Options o;
    if (!parseOptions(args, {"inductance", "units", "family", "unit", "awg"}, {"csv", "help"}, &o, failure))
        return CliError;
    if (o.has("help"))
        return out = FindHelp, CliOk;
    if (!o.value("inductance"))
        return failure->text = "missing --inductance", CliError;
    float target;
    if (!readNumber(*o.value("inductance"), "--inductance", &target, failure))
        return CliError;
    std::string units = o.value("units") ? *o.value("units") : "uH";
    bool knownUnit = false;
    for (const InductanceUnit &u : InductanceUnits)
        knownUnit = knownUnit || units == u.text;
    if (!knownUnit)
        return failure->text = "unknown inductance unit '" + units + "' (nH, uH or mH)", CliError;
    LengthUnit unit;
    if (!readUnit(o, &unit, failure))
        return CliError;
    std::vector<CoreType> families;
    if (!readFamilies(o, &families, failure))
        return CliError;
    float awg = 0;
    if (o.value("awg")) {
        if (!readNumber(*o.value("awg"), "--awg", &awg, failure))
            return CliError;
        if (!(awg >= 1 && awg <= 65535) || awg != (float)(long)awg)
            return failure->text = "--awg takes a whole gauge number from 1 to 65535", CliError;
    }

    std::vector<Found> found;
    for (CoreType f : families) {
        const CoreFamilyTable &t = catalogueOf(f);
        for (int s = 0; s < t.sizeCount; s++) {
            for (int m = 0; m < t.materialCount; m++) {
                if (!(t.alOf(s, m) > 1.0f))
                    continue;
                Core core;
                core.family = f;
                core.unit = unit;
                core.size = t.sizes[s].code;
                core.material = t.materials[m].code;
                Failure refused;
                // The value's bounds are the window's: its message ends the search.
                if (!windowSolve(core, SolveTurns, "", *o.value("inductance"), units, &refused))
                    return failure->text = refused.text, CliError;
                float turns = textToNumber(form.text(ID_TURNS_EDIT));
                float gauge = textToNumber(shownGauge());
                if (!(turns >= 1 && turns <= 65535) || (awg > 0 && awg < gauge))
                    continue;
                found.push_back({{std::string(familyPrefix(f)) + core.size, core.material,
                                  plain(t.alOf(s, m)), trim(form.text(ID_TURNS_EDIT)), shownGauge(),
                                  shownLength(), lengthUnitWord},
                                 textToNumber(shownLength())});
            }
        }
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const Found &a, const Found &b) { return a.length < b.length; });

    Table table;
    table.rows.push_back({"core", "material", "AL", "turns", "AWG", "wire length", "unit"});
    for (const Found &f : found)
        table.rows.push_back(f.cells);
    out = table.render(o.has("csv"));
    return CliOk;
}

} // namespace

int runCli(const std::vector<std::string> &args, std::string &out, std::string &err)
{
    out.clear();
    err.clear();
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        if (args.empty())
            return err = ProgramHelp, CliError;
        return out = ProgramHelp, CliOk;
    }
    static const struct {
        const char *name;
        int (*run)(const std::vector<std::string> &, std::string &, Failure *);
    } Commands[] = {
        {"solve", solveCommand},
        {"list", listCommand},
        {"table", tableCommand},
        {"find", findCommand},
    };
    for (const auto &c : Commands) {
        if (args[0] != c.name)
            continue;
        Failure failure;
        std::string text;
        int code = c.run(args, text, &failure);
        if (code == CliOk) {
            out = text;
        } else if (!failure.text.empty()) {
            // The window's messages keep their own words; the twin's own
            // errors say who is speaking.
            bool windowMessage = false;
            for (const char *m : InvalidDataMessages)
                windowMessage = windowMessage || failure.text == m;
            err = windowMessage ? asLines(failure.text) : "mirvelta-cli: " + failure.text + "\n";
        }
        return code;
    }
    err = "mirvelta-cli: unknown command '" + args[0] + "' (solve, list, table, find; --help)\n";
    return CliError;
}
