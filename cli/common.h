// What the commands of mirvelta-cli share: the core options, the window's
// solve over the in-memory form, number texts, tables and JSON.
#pragma once

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "calc/state.h"
#include "catalogue/catalogue.h"
#include "cli/cli.h"
#include "design/magnetics.h"

namespace cli {

// The figures come from the designer's library; this side reads and prints.
using namespace design;

using Json = nlohmann::ordered_json;

// A command's own complaint: one line, said after "mirvelta-cli: ".
struct Failure {
    std::string text;
};

// One subcommand: its options are bound when it is added, run prints into
// out only when the whole command succeeds.
struct Command {
    CLI::App *app;
    std::function<int(std::string &out, Failure *failure)> run;
};

Command addSolveCommand(CLI::App &program);
Command addListCommand(CLI::App &program);
Command addTableCommand(CLI::App &program);
Command addFindCommand(CLI::App &program);
Command addCoreCommand(CLI::App &program);
Command addFluxCommand(CLI::App &program);
Command addIdentifyCommand(CLI::App &program);
Command addImpedanceCommand(CLI::App &program);
Command addLossCommand(CLI::App &program);

// ---- The core the user names ------------------------------------------------

struct CoreOptions {
    std::string family, size, material, unit = "inches";
};

// --family, --size, --material (required) and --unit.
void addCoreOptions(CLI::App *command, CoreOptions *options);
// --unit alone.
void addUnitOption(CLI::App *command, std::string *unit);

struct Core {
    CoreType family = CorePowderedIron;
    LengthUnit unit = LengthInches;
    int sizeIndex = 0, materialIndex = 0;
    std::string size, material;

    const CoreSize &dimensions() const;       // inches
    const CoreMaterial &mix() const;
    float al() const;                         // uH per 100 turns; 1 or less: none
    std::string name() const;                 // T-50-2, FT-240-61
};

bool readFamily(const std::string &text, CoreType *family, Failure *failure);
LengthUnit readUnit(const std::string &text); // checked by the option already
// The family an optional --family names, or both when it is empty.
bool readFamilies(const std::string &text, std::vector<CoreType> *families, Failure *failure);
// A family's size (sizes true) or material codes, blank-separated.
std::string codeList(const CoreFamilyTable &t, bool sizes);
// The core from its options: the codes must be the family's.
bool readCore(const CoreOptions &options, Core *core, Failure *failure);
// Like readCore, and the catalogue must have an AL for the pair.
bool readCoreWithAl(const CoreOptions &options, Core *core, Failure *failure);

// ---- The window's solve ------------------------------------------------------

// The window as a user leaves it who clicks the unit, then the family, picks
// the size and material and types the three boxes; then the solve button.
// Returns false with the window's message when the solve was refused.
bool windowSolve(const Core &core, SolveMode mode, const std::string &turns,
                 const std::string &inductance, const std::string &units, Failure *failure);
// After a successful windowSolve: the turns the window's wire lines used
// (the number entered, or the unrounded result).
float solvedTurns(SolveMode mode, const std::string &turns, const std::string &inductance,
                  const std::string &units);
std::string shownGauge();
std::string shownLength();

// A message box's lines as output lines.
std::string asLines(const std::string &text);

// ---- Numbers and texts -------------------------------------------------------

// A number as the window shows it, without the sign's blank.
std::string plain(float value, int digits = 7);
std::string trim(const std::string &s);
// A plain decimal number, sign and exponent allowed, nothing else.
bool plainNumber(const std::string &s);
bool readNumber(const std::string &text, const char *what, float *value, Failure *failure);
// A double with `digits` significant digits, no exponent for everyday sizes.
std::string significant(double value, int digits = 4);
// Bytes read as Latin-1, for JSON (which wants UTF-8).
std::string latin1(const std::string &bytes);
std::string jsonText(const Json &json);

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
std::string captioned(const std::vector<std::pair<std::string, std::string>> &lines);

} // namespace cli
