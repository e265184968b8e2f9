// mirvelta-cli: its lines are the in-memory form's after the same solve,
// its tables and searches agree with single solves, its errors exit 2.
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "calc/controlids.h"
#include "calc/memform.h"
#include "calc/results.h"
#include "calc/solve.h"
#include "calc/state.h"
#include "cli/cli.h"

namespace {

struct CliRun {
    int code;
    std::string out, err;
};

CliRun cli(const std::vector<std::string> &args)
{
    CliRun r;
    r.code = runCli(args, r.out, r.err);
    return r;
}

std::vector<std::string> lines(const std::string &text)
{
    std::vector<std::string> v;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);)
        v.push_back(l);
    return v;
}

// The same solve, done by hand over the form: what the window would hold.
std::vector<std::string> byHand(CoreType family, LengthUnit unit, const std::string &size,
                                const std::string &material, SolveMode mode, const std::string &input,
                                const std::string &units)
{
    form.reset();
    setLengthUnit(unit);
    coreType = family;
    clearResults();
    form.setCombos(size, material);
    form.texts[mode == SolveInductance ? ID_TURNS_EDIT : ID_INDUCTANCE_EDIT] = input;
    form.texts[ID_UNITS_COMBO] = units;
    solveMode = mode;
    solve();
    std::vector<std::string> out;
    for (int id : {ID_OD_LABEL, ID_ID_LABEL, ID_THICKNESS_LABEL, ID_COLOR_LABEL, ID_FREQ_LABEL,
                   ID_WIDEBAND_LABEL, ID_TUNED_LABEL, ID_WIRE_SIZE_LABEL, ID_WIRE_LENGTH_LABEL,
                   ID_TURNS_EDIT, ID_INDUCTANCE_EDIT, ID_UNITS_COMBO}) {
        std::string t = form.text(id);
        size_t p = t.find("\r\n");
        if (p != std::string::npos) {
            out.push_back(t.substr(0, p));
            t = t.substr(p + 2);
        }
        out.push_back(t);
    }
    return out;
}

struct SolveCase {
    CoreType family;
    LengthUnit unit;
    const char *size, *material;
    SolveMode mode;
    const char *input, *units;
};

TEST(Cli, SolvePrintsTheFormsLines)
{
    const SolveCase cases[] = {
        {CorePowderedIron, LengthInches, "50", "2", SolveInductance, "20", "uH"},
        {CorePowderedIron, LengthMillimetres, "50", "2", SolveInductance, "10", "uH"},
        {CorePowderedIron, LengthInches, "50", "2", SolveTurns, "10", "uH"},
        {CorePowderedIron, LengthMillimetres, "200", "26", SolveTurns, "0.001", "nH"},
        {CoreFerrite, LengthInches, "50B", "43", SolveInductance, "12.5", "uH"},
        {CoreFerrite, LengthMillimetres, "193A", "F", SolveTurns, "65536", "mH"},
        {CorePowderedIron, LengthInches, "12", "12", SolveTurns, " 1.23E+3", "mH"},
        {CoreFerrite, LengthInches, "240", "J", SolveInductance, "&HFFFF&", "uH"},
    };
    for (const SolveCase &c : cases) {
        std::vector<std::string> args = {"solve", "--family", c.family == CoreFerrite ? "ferrite" : "iron",
                                         "--size", c.size, "--material", c.material,
                                         "--unit", c.unit == LengthMillimetres ? "mm" : "inches"};
        if (c.mode == SolveInductance) {
            args.insert(args.end(), {"--turns", c.input});
        } else {
            args.insert(args.end(), {"--inductance", c.input, "--units", c.units});
        }
        CliRun r = cli(args);
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(lines(r.out), byHand(c.family, c.unit, c.size, c.material, c.mode, c.input,
                                       c.mode == SolveInductance ? "uH" : c.units))
            << c.size << "/" << c.material << " " << c.input;
    }
}

TEST(Cli, SolveAsJson)
{
    CliRun r = cli({"solve", "--family", "iron", "--size", "50", "--material", "2", "--turns", "20", "--json"});
    ASSERT_EQ(r.code, 0);
    EXPECT_EQ(r.out.front(), '{');
    for (const char *key : {"\"outsideDiameter\": \"Outside Diameter:   .5 inches\"",
                            "\"wireSize\": \"Max. wire size:   19  AWG\"",
                            "\"wireLength\": \"Total length of wire\\r\\n   (Not including leads):    16.19  inches\"",
                            "\"tunedCircuit\": \"\"", "\"inductance\": \" 1.96\"", "\"units\": \"uH\""})
        EXPECT_NE(r.out.find(key), std::string::npos) << key << " in " << r.out;
    CliRun odd = cli({"solve", "--family", "iron", "--size", "50", "--material", "2", "--turns", "20\"\x01\xe9", "--json"});
    ASSERT_EQ(odd.code, 0);
    EXPECT_NE(odd.out.find("\"turns\": \"20\\\"\\u0001\\u00e9\""), std::string::npos) << odd.out;
}

// Each row of a table is what a single solve prints.
TEST(Cli, TableRowsAgreeWithSingleSolves)
{
    struct Case {
        std::vector<std::string> core;
        bool byTurns;
        std::string range, units;
    } cases[] = {
        {{"--family", "iron", "--size", "50", "--material", "2"}, true, "1:30:7", "uH"},
        {{"--family", "ferrite", "--size", "82", "--material", "61", "--unit", "mm"}, false, "0.5:3:0.25", "mH"},
        {{"--family", "iron", "--size", "200", "--material", "26"}, false, "100:1000:300", "nH"},
    };
    for (const Case &c : cases) {
        std::vector<std::string> args = {"table"};
        args.insert(args.end(), c.core.begin(), c.core.end());
        args.insert(args.end(), {c.byTurns ? "--turns" : "--inductance", c.range, "--csv"});
        if (!c.byTurns)
            args.insert(args.end(), {"--units", c.units});
        CliRun r = cli(args);
        ASSERT_EQ(r.code, 0) << r.err;
        std::vector<std::string> rows = lines(r.out);
        ASSERT_GT(rows.size(), 2u);
        EXPECT_EQ(rows[0], "turns,inductance,unit,AWG,wire length,unit");
        for (size_t i = 1; i < rows.size(); i++) {
            std::vector<std::string> cells;
            std::istringstream in(rows[i]);
            for (std::string cell; std::getline(in, cell, ',');)
                cells.push_back(cell);
            ASSERT_EQ(cells.size(), 6u) << rows[i];
            std::vector<std::string> one = {"solve"};
            one.insert(one.end(), c.core.begin(), c.core.end());
            if (c.byTurns)
                one.insert(one.end(), {"--turns", cells[0]});
            else
                one.insert(one.end(), {"--inductance", cells[1], "--units", c.units});
            std::vector<std::string> single = lines(cli(one).out);
            ASSERT_EQ(single.size(), 13u);
            EXPECT_EQ(single[7], "Max. wire size:   " + cells[3] + "  AWG") << rows[i];
            EXPECT_EQ(single[9], "   (Not including leads):    " + cells[4] + "  " + cells[5]) << rows[i];
            if (c.byTurns) {
                EXPECT_EQ(single[11], " " + cells[1]) << rows[i];
                EXPECT_EQ(single[12], cells[2]);
            } else {
                EXPECT_EQ(single[10], " " + cells[0]) << rows[i];
            }
        }
    }
}

// Every core find lists gives the same turns, gauge and length alone, and the
// list is sorted by wire length; --awg keeps only the cores the wire fits.
TEST(Cli, FindAgreesWithSingleSolves)
{
    CliRun all = cli({"find", "--inductance", "47", "--units", "uH", "--csv"});
    ASSERT_EQ(all.code, 0) << all.err;
    CliRun thick = cli({"find", "--inductance", "47", "--units", "uH", "--csv", "--awg", "20"});
    ASSERT_EQ(thick.code, 0) << thick.err;
    std::vector<std::string> rows = lines(all.out), kept = lines(thick.out);
    ASSERT_GT(rows.size(), 50u);
    ASSERT_GT(kept.size(), 2u);
    ASSERT_LT(kept.size(), rows.size());
    float previous = 0;
    size_t fitting = 0;
    for (size_t i = 1; i < rows.size(); i++) {
        std::vector<std::string> c;
        std::istringstream in(rows[i]);
        for (std::string cell; std::getline(in, cell, ',');)
            c.push_back(cell);
        ASSERT_EQ(c.size(), 7u);
        bool ferrite = c[0].compare(0, 3, "FT-") == 0;
        std::string size = c[0].substr(ferrite ? 3 : 2);
        std::vector<std::string> single = lines(cli({"solve", "--family", ferrite ? "ferrite" : "iron", "--size", size,
                                                     "--material", c[1], "--inductance", "47"}).out);
        ASSERT_EQ(single.size(), 13u);
        EXPECT_EQ(single[10], " " + c[3]) << rows[i];
        EXPECT_EQ(single[7], "Max. wire size:   " + c[4] + "  AWG") << rows[i];
        EXPECT_EQ(single[9], "   (Not including leads):    " + c[5] + "  inches") << rows[i];
        float length = std::stof(c[5]);
        EXPECT_GE(length, previous) << rows[i];
        previous = length;
        int turns = std::stoi(c[3]);
        EXPECT_GE(turns, 1);
        EXPECT_LE(turns, 65535);
        fitting += std::stoi(c[4]) <= 20;
    }
    EXPECT_EQ(kept.size() - 1, fitting);
}

TEST(Cli, ListShowsTheCatalogue)
{
    CliRun r = cli({"list", "--family", "ferrite", "--csv"});
    ASSERT_EQ(r.code, 0);
    for (const char *piece : {"50B,.5,.312,.5", "F,None,.5 to 30,.001 to 1", "150A,-,-,-,-,-,-,-,5020,8370",
                              "150A,-,-,-,-,-,-,-,50200,83700", "AL in nH per turn squared"})
        EXPECT_NE(r.out.find(piece), std::string::npos) << piece;
    CliRun iron = cli({"list", "--family", "iron", "--unit", "mm"});
    ASSERT_EQ(iron.code, 0);
    EXPECT_NE(iron.out.find("12.7"), std::string::npos);
    EXPECT_NE(iron.out.find("dimensions in mm"), std::string::npos);
    CliRun both = cli({"list"});
    EXPECT_NE(both.out.find("Powdered iron cores (T-)"), std::string::npos);
    EXPECT_NE(both.out.find("Ferrite cores (FT-)"), std::string::npos);
}

TEST(Cli, ErrorsExitTwoWithOneLineAndNoOutput)
{
    const struct {
        std::vector<std::string> args;
        const char *err; // the start of what stderr says
    } cases[] = {
        {{}, "usage: mirvelta-cli"},
        {{"frobnicate"}, "mirvelta-cli: unknown command 'frobnicate'"},
        {{"solve", "--family", "iron", "--size", "50", "--material", "2"}, "mirvelta-cli: give either"},
        {{"solve", "--family", "steel", "--size", "50", "--material", "2", "--turns", "5"}, "mirvelta-cli: unknown family"},
        {{"solve", "--family", "iron", "--size", "50A", "--material", "2", "--turns", "5"}, "mirvelta-cli: unknown iron size '50A'"},
        {{"solve", "--family", "ferrite", "--size", "50A", "--material", "f", "--turns", "5"}, "mirvelta-cli: unknown ferrite material 'f'"},
        {{"solve", "--family", "iron", "--size", "50", "--material", "2", "--turns", "5", "--colour", "red"}, "mirvelta-cli: unknown option --colour"},
        {{"solve", "--family", "iron", "--size", "50", "--material", "2", "--turns"}, "mirvelta-cli: option --turns needs a value"},
        {{"solve", "--family", "iron", "--size", "50", "--material", "2", "--turns", "5", "--turns", "6"}, "mirvelta-cli: option --turns given twice"},
        {{"solve", "--family", "iron", "--size", "50", "--material", "2", "--turns", "5", "--unit", "feet"}, "mirvelta-cli: unknown unit of length"},
        {{"solve", "--family", "iron", "--size", "12", "--material", "26", "--turns", "5"}, "Sorry, no information available\n on this toroid.\n"},
        {{"solve", "--family", "iron", "--size", "50", "--material", "2", "--turns", "abc"}, "Number of turns must be one or more.\n"},
        {{"solve", "--family", "iron", "--size", "50", "--material", "2", "--turns", "65536"}, "Number of turns must be less than 65536\n"},
        {{"solve", "--family", "iron", "--size", "50", "--material", "2", "--inductance", "0.0009"}, "Inductance value too small\n"},
        {{"solve", "--family", "iron", "--size", "50", "--material", "2", "--inductance", "65537"}, "Value of inductance too large\n"},
        {{"solve", "--family", "iron", "--size", "50", "--material", "2", "--inductance", "5", "--units", "UH"}, "Please select units of inductance\nfrom the drop-down menu\n"},
        {{"table", "--family", "iron", "--size", "50", "--material", "2", "--turns", "0:5"}, "mirvelta-cli: the row for 0 turns is refused"},
        {{"table", "--family", "iron", "--size", "50", "--material", "2", "--turns", "1:x"}, "mirvelta-cli: malformed number 'x'"},
        {{"table", "--family", "iron", "--size", "50", "--material", "2", "--turns", "5:1"}, "mirvelta-cli: range '5:1' needs"},
        {{"table", "--family", "iron", "--size", "50", "--material", "2", "--turns", "1:2:0"}, "mirvelta-cli: range '1:2:0' needs"},
        {{"table", "--family", "iron", "--size", "50", "--material", "2", "--turns", "1:100000"}, "mirvelta-cli: range '1:100000' has more than"},
        {{"table", "--family", "iron", "--size", "50", "--material", "2", "--inductance", "1:5"}, "mirvelta-cli: malformed range"},
        {{"find", "--inductance", "1e"}, "mirvelta-cli: malformed number '1e'"},
        {{"find", "--inductance", "10", "--units", "H"}, "mirvelta-cli: unknown inductance unit"},
        {{"find", "--inductance", "10", "--awg", "2.5"}, "mirvelta-cli: --awg takes a whole"},
        {{"find", "--inductance", "0"}, "Inductance value too small\n"},
        {{"list", "--family", "iron", "extra"}, "mirvelta-cli: unexpected argument 'extra'"},
    };
    for (const auto &c : cases) {
        CliRun r = cli(c.args);
        std::string shown;
        for (const std::string &a : c.args)
            shown += a + " ";
        EXPECT_EQ(r.code, 2) << shown;
        EXPECT_EQ(r.out, "") << shown;
        EXPECT_EQ(r.err.compare(0, strlen(c.err), c.err), 0) << shown << ": " << r.err;
        if (strncmp(c.err, "mirvelta-cli: ", 14) == 0) {
            EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line: " << r.err;
        }
    }
}

TEST(Cli, HelpForTheProgramAndEachCommand)
{
    EXPECT_EQ(cli({"--help"}).code, 0);
    EXPECT_NE(cli({"--help"}).out.find("commands:"), std::string::npos);
    for (const char *command : {"solve", "list", "table", "find"}) {
        CliRun r = cli({command, "--help"});
        EXPECT_EQ(r.code, 0) << command;
        std::string usage = std::string("usage: mirvelta-cli ") + command + " ";
        EXPECT_EQ(r.out.compare(0, usage.size(), usage), 0) << r.out;
    }
}

} // namespace
