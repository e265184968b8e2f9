// mirvelta-cli: its lines are the in-memory form's after the same solve,
// its tables and searches agree with single solves, its errors exit 2.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "calc/controlids.h"
#include "calc/memform.h"
#include "calc/results.h"
#include "calc/solve.h"
#include "calc/state.h"
#include "cli/cli.h"
#include "cli/magnetics.h"

#include <nlohmann/json.hpp>

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
        {{}, "The toroid winding calculator"},
        {{"frobnicate"}, "mirvelta-cli: unknown command 'frobnicate'"},
        {{"solve", "--family", "iron", "--size", "50", "--material", "2"}, "mirvelta-cli: give either"},
        {{"solve", "--family", "steel", "--size", "50", "--material", "2", "--turns", "5"}, "mirvelta-cli: unknown family"},
        {{"solve", "--family", "iron", "--size", "50A", "--material", "2", "--turns", "5"}, "mirvelta-cli: unknown iron size '50A'"},
        {{"solve", "--family", "ferrite", "--size", "50A", "--material", "f", "--turns", "5"}, "mirvelta-cli: unknown ferrite material 'f'"},
        {{"solve", "--family", "iron", "--size", "50", "--material", "2", "--turns", "5", "--colour", "red"}, "mirvelta-cli: The following arguments were not expected:"},
        {{"solve", "--family", "iron", "--size", "50", "--material", "2", "--turns"}, "mirvelta-cli: --turns: 1 required TEXT missing"},
        {{"solve", "--family", "iron", "--size", "50", "--material", "2", "--turns", "5", "--turns", "6"}, "mirvelta-cli: --turns: At Most 1 required but received 2"},
        {{"solve", "--family", "iron", "--size", "50", "--material", "2", "--turns", "5", "--unit", "feet"}, "mirvelta-cli: --unit: feet not in {inches,mm}"},
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
        {{"find", "--inductance", "10", "--units", "H"}, "mirvelta-cli: --units: H not in {nH,uH,mH}"},
        {{"find", "--inductance", "10", "--awg", "2.5"}, "mirvelta-cli: --awg: Value 2.5 not in range"},
        {{"find", "--inductance", "0"}, "Inductance value too small\n"},
        {{"list", "--family", "iron", "extra"}, "mirvelta-cli: The following argument was not expected: extra"},
        {{"core", "--family", "iron", "--size", "12", "--material", "26"}, "mirvelta-cli: the catalogue has no AL for T-12-26"},
        {{"flux", "--family", "iron", "--size", "50", "--material", "2", "--amps", "1"}, "mirvelta-cli: --turns is required"},
        {{"flux", "--family", "iron", "--size", "50", "--material", "2", "--turns", "0", "--amps", "1"}, "mirvelta-cli: --turns takes"},
        {{"flux", "--family", "iron", "--size", "50", "--material", "2", "--turns", "5", "--vrms", "1", "--mhz", "0"}, "mirvelta-cli: --mhz takes a frequency above 0"},
        {{"flux", "--family", "iron", "--size", "50", "--material", "2", "--turns", "5", "--watts", "1", "--mhz=-3"}, "mirvelta-cli: --mhz takes a frequency above 0"},
        {{"flux", "--family", "iron", "--size", "50", "--material", "2", "--turns", "5", "--vrms", "1"}, "mirvelta-cli: a sine voltage needs"},
        {{"flux", "--family", "iron", "--size", "50", "--material", "2", "--turns", "5", "--vrms", "1", "--amps", "1"}, "mirvelta-cli: give one of"},
        {{"flux", "--family", "iron", "--size", "12", "--material", "26", "--turns", "5", "--amps", "1"}, "mirvelta-cli: the catalogue has no AL"},
        {{"flux", "--family", "iron", "--size", "50", "--material", "2", "--turns", "5", "--vrms", "x", "--mhz", "1"}, "mirvelta-cli: Could not convert: --vrms = x"},
        {{"solve", "--family", "iron", "--size", "50", "--material", "2", "--turns", "5", "--wire-mm", "0"}, "mirvelta-cli: a wire diameter must be above 0"},
        {{"solve", "--family", "iron", "--size", "50", "--material", "2", "--turns", "5", "--wire-mm", "1", "--wire-in", "1"}, "mirvelta-cli: --wire-mm excludes --wire-in"},
        {{"solve", "--family", "iron", "--size", "50", "--material", "2", "--turns", "5", "--al-tolerance", "100"}, "mirvelta-cli: --al-tolerance takes"},
        {{"find", "--inductance", "10", "--mhz", "0"}, "mirvelta-cli: --mhz takes a frequency above 0"},
        {{"identify", "--od", "0.3", "--id", "0.5", "--height", "0.2", "--turns", "10", "--inductance", "5"}, "mirvelta-cli: the inside diameter must be below"},
        {{"identify", "--od", "0.5", "--id", "0.5", "--height", "0.2", "--turns", "10", "--inductance", "5"}, "mirvelta-cli: the inside diameter must be below"},
        {{"identify", "--od", "0.5", "--id", "0.3", "--height", "0", "--turns", "10", "--inductance", "5"}, "mirvelta-cli: --od, --id, --height and --inductance take values above 0"},
        {{"identify", "--od", "0.5", "--id", "0.3", "--height", "0.2", "--turns", "10", "--inductance", "-5"}, "mirvelta-cli: --od, --id, --height and --inductance take values above 0"},
        {{"identify", "--od", "0.5", "--id", "0.3", "--height", "0.2", "--turns", "0.5", "--inductance", "5"}, "mirvelta-cli: the test winding needs at least one turn"},
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
    for (const char *command : {"solve", "list", "table", "find", "core", "flux", "identify"}) {
        for (const char *help : {"--help", "-h"}) {
            CliRun r = cli({command, help});
            EXPECT_EQ(r.code, 0) << command;
            std::string usage = std::string("Usage: mirvelta-cli ") + command + " [OPTIONS]";
            EXPECT_NE(r.out.find(usage), std::string::npos) << r.out;
        }
    }
}

// The example the README gives, line for line.
TEST(Cli, ReadmeSolveExample)
{
    CliRun r = cli({"solve", "--family=iron", "--size=50", "--material=2", "--turns=20"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "Outside Diameter:   .5 inches\n"
                     "Inside Diameter:   .3 inches\n"
                     "Core Thickness:   .19 inches\n"
                     "Color Code:      Red                 \n"
                     "Usable frequency range:\n"
                     " 2  to   30  MHz\n"
                     "\n"
                     "Max. wire size:   19  AWG\n"
                     "Total length of wire\n"
                     "   (Not including leads):    16.19  inches\n"
                     "20\n"
                     " 1.96\n"
                     "uH\n");
    // Both option forms, and the version.
    EXPECT_EQ(cli({"solve", "--family", "iron", "--size", "50", "--material", "2", "--turns", "20"}).out, r.out);
    CliRun v = cli({"--version"});
    EXPECT_EQ(v.code, 0);
    EXPECT_EQ(v.out.compare(0, 13, "mirvelta-cli "), 0) << v.out;
}

// Decimal steps reach TO: the rows are the decimal values, TO included.
TEST(Cli, TableRowsForDecimalSteps)
{
    const struct {
        std::vector<std::string> range;
        size_t rows;
        const char *first, *beforeLast, *last; // the input column of the rows
        int column;
    } cases[] = {
        {{"--turns", "1:10:0.1"}, 91, "1", "9.9", "10", 0},
        {{"--inductance", "0.1:10:0.1"}, 100, "0.1", "9.9", "10", 1},
        {{"--inductance", "1e-3:0.003:0.001", "--units", "mH"}, 3, "0.001", "0.002", "0.003", 1},
        {{"--turns", "5:6:0.3"}, 4, "5", "5.6", "5.9", 0}, // 6 is not reached
    };
    for (const auto &c : cases) {
        std::vector<std::string> args = {"table", "--family", "iron", "--size", "50", "--material", "2", "--csv"};
        args.insert(args.end(), c.range.begin(), c.range.end());
        CliRun r = cli(args);
        ASSERT_EQ(r.code, 0) << r.err;
        std::vector<std::string> rows = lines(r.out);
        ASSERT_EQ(rows.size(), c.rows + 1) << c.range[1];
        auto cell = [&](size_t row) {
            std::istringstream in(rows[row]);
            std::string v;
            for (int i = 0; i <= c.column; i++)
                std::getline(in, v, ',');
            return v;
        };
        EXPECT_EQ(cell(1), c.first);
        EXPECT_EQ(cell(rows.size() - 2), c.beforeLast);
        EXPECT_EQ(cell(rows.size() - 1), c.last);
    }
}

// find --mhz keeps the materials meant for the frequency, edges included.
TEST(Cli, FindByFrequencyAtTheRangesEdges)
{
    const struct {
        const char *family, *mhz, *materials; // the materials listed, in order of first row
    } cases[] = {
        {"iron", "30", "2 6 7 10"},    // mix 2 ends at 30
        {"iron", "30.01", "6 7 10"},
        {"iron", "0.05", "3 26"},      // mix 3 begins at 0.05
        {"ferrite", "0.2", "43 61 75 77 F J"}, // 61's tuned range begins at 0.2
        {"ferrite", "0.19", "43 75 77 F J"},
    };
    for (const auto &c : cases) {
        CliRun r = cli({"find", "--inductance", "10", "--family", c.family, "--mhz", c.mhz, "--csv"});
        ASSERT_EQ(r.code, 0) << r.err;
        std::set<std::string> seen;
        std::vector<std::string> rows = lines(r.out);
        for (size_t i = 1; i < rows.size(); i++) {
            std::istringstream in(rows[i]);
            std::string core, material;
            std::getline(in, core, ',');
            std::getline(in, material, ',');
            seen.insert(material);
        }
        std::string listed;
        std::istringstream want(c.materials);
        std::set<std::string> expected;
        for (std::string m; want >> m;)
            expected.insert(m);
        EXPECT_EQ(seen, expected) << c.family << " at " << c.mhz << " MHz";
    }
}

// IEC 60205's worked toroid, and the permeability of catalogue cores against
// the makers' nominal figures.
TEST(Cli, EffectiveParametersAndPermeability)
{
    cli::Effective e = cli::effectiveParameters(25, 15, 10);
    EXPECT_NEAR(e.lengthMm, 60.2, 0.05);
    EXPECT_NEAR(e.areaMm2, 48.9, 0.05);
    EXPECT_NEAR(e.volumeMm3, e.lengthMm * e.areaMm2, 1e-9);
    const struct {
        const char *family, *size, *material;
        double al, mu, within; // nH/N^2, nominal mu, relative
    } cases[] = {
        {"iron", "50", "2", 4.9, 10, 0.05},
        {"ferrite", "240", "61", 173, 125, 0.05},
        {"iron", "68", "6", 4.7, 8.5, 0.07},
    };
    for (const auto &c : cases) {
        CliRun r = cli({"core", "--family", c.family, "--size", c.size, "--material", c.material, "--json",
                        "--unit", "mm"});
        ASSERT_EQ(r.code, 0) << r.err;
        nlohmann::json j = nlohmann::json::parse(r.out);
        EXPECT_DOUBLE_EQ(j["alNanohenryPerTurnSquared"].get<double>(), c.al);
        EXPECT_NEAR(j["permeability"].get<double>(), c.mu, c.mu * c.within) << c.size << "-" << c.material;
        for (const char *key : {"effectiveLengthMm", "effectiveAreaMm2", "effectiveVolumeMm3",
                                "outsideDiameterInches", "thicknessMm"})
            EXPECT_TRUE(j[key].is_number()) << key;
    }
    CliRun text = cli({"core", "--family", "iron", "--size", "50", "--material", "2"});
    EXPECT_NE(text.out.find("49 uH per 100 turns = 4.9 nH/N^2"), std::string::npos) << text.out;
}

// One flux example per input form, worked by hand:
//   T-50-2 (Ae 11.995 mm^2, le 30.572 mm), 20 turns, 10 V rms at 3.5 MHz:
//     B = 1.4142 * 10 / (2 pi 3.5e6 * 20 * 11.995e-6) = 2.681 mT;
//   FT-240-61 (Ae 157.44 mm^2), 10 turns, 100 W into 50 ohms (70.71 V) at 7.1 MHz: 1.424 mT;
//   T-50-2, 20 turns, 1 A DC: H = 20 / 0.030572 = 654.2 A/m, B = mu0 9.938 H = 8.170 mT.
TEST(Cli, FluxDensityForEachInputForm)
{
    const struct {
        std::vector<std::string> args;
        double milliTesla, field; // field 0: none
    } cases[] = {
        {{"--family", "iron", "--size", "50", "--material", "2", "--turns", "20", "--vrms", "10", "--mhz", "3.5"}, 2.681, 0},
        {{"--family", "ferrite", "--size", "240", "--material", "61", "--turns", "10", "--watts", "100", "--mhz", "7.1"}, 1.424, 0},
        {{"--family", "ferrite", "--size", "240", "--material", "61", "--turns", "10", "--watts", "200", "--ohms", "25", "--mhz", "7.1"}, 1.424, 0},
        {{"--family", "iron", "--size", "50", "--material", "2", "--turns", "20", "--amps", "1"}, 8.170, 654.2},
    };
    for (const auto &c : cases) {
        std::vector<std::string> args = {"flux", "--json"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        CliRun r = cli(args);
        ASSERT_EQ(r.code, 0) << r.err;
        nlohmann::json j = nlohmann::json::parse(r.out);
        EXPECT_NEAR(j["peakFluxDensityMilliTesla"].get<double>(), c.milliTesla, 0.001);
        EXPECT_NEAR(j["peakFluxDensityGauss"].get<double>(), c.milliTesla * 10, 0.01);
        if (c.field > 0) {
            EXPECT_NEAR(j["fieldStrengthAmperePerMetre"].get<double>(), c.field, 0.1);
        } else {
            EXPECT_FALSE(j.contains("fieldStrengthAmperePerMetre"));
        }
        args.erase(args.begin() + 1);
        std::string text = cli(args).out;
        EXPECT_NE(text.find(" mT = "), std::string::npos) << text;
        EXPECT_EQ(text.find("valid only below saturation") != std::string::npos, c.field > 0) << text;
    }
}

// T-50-2 with 20 turns takes a wire of at most 0.03829 in = 0.9725 mm: the
// window's AWG 19 (0.0359 in) is the gauge that rounding leaves of it.
TEST(Cli, WireByDiameterOnBothSidesOfTheLimit)
{
    const struct {
        const char *option, *diameter;
        bool fits;
        long mostTurns; // with it, when it does not fit
    } cases[] = {
        {"--wire-mm", "0.97", true, 0},
        {"--wire-mm", "0.98", false, 19},
        {"--wire-in", "0.0382", true, 0},
        {"--wire-in", "0.0384", false, 19},
        {"--wire-mm", "3", false, 1}, // (0.3 / 0.1181 - 2) * 3.14159 / 0.91667 = 1.85
        {"--wire-mm", "8", false, 0}, // not a single turn
    };
    for (const auto &c : cases) {
        CliRun r = cli({"solve", "--family", "iron", "--size", "50", "--material", "2", "--turns", "20", c.option,
                        c.diameter, "--json"});
        ASSERT_EQ(r.code, 0) << r.err;
        nlohmann::json w = nlohmann::json::parse(r.out)["wire"];
        EXPECT_EQ(w["fits"].get<bool>(), c.fits) << c.diameter;
        EXPECT_NEAR(w["largestDiameterInches"].get<double>(), 0.03829, 0.000005);
        EXPECT_NEAR(w["largestDiameterMm"].get<double>(), 0.9725, 0.00005);
        EXPECT_EQ(w.contains("mostTurns"), !c.fits);
        if (!c.fits) {
            EXPECT_EQ(w["mostTurns"].get<long>(), c.mostTurns) << c.diameter;
        }
    }
    // The window's own lines come first, unchanged.
    CliRun plain = cli({"solve", "--family", "iron", "--size", "50", "--material", "2", "--turns", "20"});
    CliRun wired = cli({"solve", "--family", "iron", "--size", "50", "--material", "2", "--turns", "20", "--wire-mm", "0.98"});
    EXPECT_EQ(wired.out.compare(0, plain.out.size(), plain.out), 0);
    EXPECT_NE(wired.out.find("Most turns with this wire:  19"), std::string::npos) << wired.out;
}

// The range an AL tolerance allows, at both ends, solving either way:
//   20 turns: 44.1 .. 53.9 uH/100 t gives 1.764 .. 2.156 uH;
//   10 uH: 100 sqrt(10 / 58.8) = 41.24 .. 100 sqrt(10 / 39.2) = 50.51 turns.
TEST(Cli, AlToleranceRange)
{
    const std::vector<std::string> core = {"solve", "--family", "iron", "--size", "50", "--material", "2"};
    std::vector<std::string> byTurns = core, byInductance = core;
    byTurns.insert(byTurns.end(), {"--turns", "20", "--al-tolerance", "10", "--json"});
    byInductance.insert(byInductance.end(), {"--inductance", "10", "--al-tolerance", "20", "--json"});
    nlohmann::json t = nlohmann::json::parse(cli(byTurns).out)["alTolerance"];
    EXPECT_NEAR(t["alLow"].get<double>(), 44.1, 1e-9);
    EXPECT_NEAR(t["alHigh"].get<double>(), 53.9, 1e-9);
    EXPECT_NEAR(t["inductanceLow"].get<double>(), 1.764, 1e-6);
    EXPECT_NEAR(t["inductanceHigh"].get<double>(), 2.156, 1e-6);
    EXPECT_EQ(t["inductanceUnit"], "uH");
    nlohmann::json n = nlohmann::json::parse(cli(byInductance).out)["alTolerance"];
    EXPECT_NEAR(n["turnsLow"].get<double>(), 41.239, 0.001);
    EXPECT_NEAR(n["turnsHigh"].get<double>(), 50.508, 0.001);
    byInductance.pop_back();
    EXPECT_NE(cli(byInductance).out.find("Within that:     41.24 to 50.51 turns"), std::string::npos);
}

// A test winding made from a catalogue core's own AL and dimensions names
// that core first; a size the catalogue lacks still ranks the mix.
TEST(Cli, IdentifyTestWindings)
{
    const struct {
        std::vector<std::string> args;
        const char *family, *material, *size; // size nullptr: none matched
    } cases[] = {
        // T-50-2: AL 49, so 20 turns give 1.96 uH.
        {{"--od", "0.5", "--id", "0.3", "--height", "0.19", "--turns", "20", "--inductance", "1.96"}, "iron", "2", "50"},
        // FT-240-61 in mm: AL 1730, 10 turns give 17.3 uH.
        {{"--od", "60.96", "--id", "35.56", "--height", "12.7", "--unit", "mm", "--turns", "10", "--inductance", "17300", "--units", "nH"}, "ferrite", "61", "240"},
        // No catalogue size; mu_e 947 is mix 43's (median 950).
        {{"--od", "1", "--id", "0.5", "--height", "0.3", "--turns", "10", "--inductance", "0.1", "--units", "mH"}, "ferrite", "43", nullptr},
    };
    for (const auto &c : cases) {
        std::vector<std::string> args = {"identify", "--json"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        CliRun r = cli(args);
        ASSERT_EQ(r.code, 0) << r.err;
        nlohmann::json j = nlohmann::json::parse(r.out);
        ASSERT_GT(j["candidates"].size(), 10u);
        const nlohmann::json &best = j["candidates"][0];
        EXPECT_EQ(best["family"], c.family);
        EXPECT_EQ(best["material"], c.material);
        if (c.size) {
            EXPECT_EQ(best["size"], c.size);
            EXPECT_NEAR(best["ratio"].get<double>(), 1, 1e-9);
        } else {
            EXPECT_TRUE(best["size"].is_null());
        }
        EXPECT_TRUE(j["permeability"].is_number());
        EXPECT_TRUE(j["alNanohenryPerTurnSquared"].is_number());
    }
    CliRun text = cli({"identify", "--od", "12.8", "--id", "7.5", "--height", "4.9", "--unit", "mm", "--turns", "10",
                       "--inductance", "470", "--units", "nH"});
    EXPECT_NE(text.out.find("T-50, and AL 47 is closest to T-50-2 (49), colour Red"), std::string::npos) << text.out;
}

} // namespace
