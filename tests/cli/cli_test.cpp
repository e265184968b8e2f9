// mirvelta-cli as a whole: the catalogue listed, every error on one line with exit 2, the
// whole-number ranges at their ends, every command's help and defaults, the README's example.
#include "tests/cli/helpers.h"

#include "cli/options.h"

namespace {

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
        {{"table", "--family", "iron", "--size", "50", "--material", "2", "--turns", "1:x"}, "mirvelta-cli: malformed number 'x'"},
        {{"table", "--family", "iron", "--size", "50", "--material", "2", "--turns", "1:2:0"}, "mirvelta-cli: range '1:2:0' needs"},
        {{"table", "--family", "iron", "--size", "50", "--material", "2", "--turns", "1:100000"}, "mirvelta-cli: range '1:100000' has more than"},
        {{"find", "--inductance", "1e"}, "mirvelta-cli: malformed number '1e'"},
        {{"find", "--inductance", "10", "--units", "H"}, "mirvelta-cli: --units: H not in {nH,uH,mH}"},
        {{"find", "--inductance", "0"}, "Inductance value too small\n"},
        {{"list", "--family", "iron", "extra"}, "mirvelta-cli: The following argument was not expected: extra"},
        {{"flux", "--family", "iron", "--size", "50", "--material", "2", "--amps", "1"}, "mirvelta-cli: --turns is required"},
        {{"flux", "--family", "iron", "--size", "50", "--material", "2", "--turns", "5", "--vrms", "1", "--mhz", "0"}, "mirvelta-cli: --mhz takes a frequency above 0"},
        {{"flux", "--family", "iron", "--size", "50", "--material", "2", "--turns", "5", "--watts", "1", "--mhz=-3"}, "mirvelta-cli: --mhz takes a frequency above 0"},
        {{"flux", "--family", "iron", "--size", "12", "--material", "26", "--turns", "5", "--amps", "1"}, "mirvelta-cli: the catalogue has no AL"},
        {{"flux", "--family", "iron", "--size", "50", "--material", "2", "--turns", "5", "--vrms", "x", "--mhz", "1"}, "mirvelta-cli: malformed number 'x' for --vrms"},
        {{"solve", "--family", "iron", "--size", "50", "--material", "2", "--turns", "5", "--wire-mm", "1", "--wire-in", "1"}, "mirvelta-cli: --wire-mm excludes --wire-in"},
        {{"identify", "--od", "0.3", "--id", "0.5", "--height", "0.2", "--turns", "10", "--inductance", "5"}, "mirvelta-cli: the inside diameter must be below"},
        {{"identify", "--od", "0.5", "--id", "0.3", "--height", "0.2", "--turns", "10", "--inductance", "-5"}, "mirvelta-cli: --od, --id, --height and --inductance take values above 0"},
        {{"impedance", "--family", "ferrite", "--size", "240", "--material", "61", "--turns", "10", "--mhz", "0.5:10"}, "mirvelta-cli: material 61 has published data from 1 to 1800 MHz only"},
        {{"impedance", "--family", "ferrite", "--size", "12", "--material", "43", "--turns", "10", "--mhz", "1"}, "mirvelta-cli: unknown ferrite size '12'"},
        {{"impedance", "--family", "ferrite", "--size", "240", "--material", "43", "--turns", "10", "--mhz", "0"}, "mirvelta-cli: --mhz takes frequencies above 0"},
        {{"impedance", "--family", "ferrite", "--size", "240", "--material", "43", "--turns", "10", "--mhz", "1e999"}, "mirvelta-cli: --mhz takes frequencies above 0"},
        {{"impedance", "--family", "ferrite", "--size", "240", "--material", "43", "--turns", "10", "--mhz", "1", "--pf", "1", "--stray-pf", "1"}, "mirvelta-cli: --stray-pf excludes --pf"},
        {{"loss", "--family", "ferrite", "--size", "240", "--material", "43", "--turns", "10", "--mhz", "1", "--amps", "1", "--stray-pf", "-0.5"}, "mirvelta-cli: --stray-pf takes a capacitance of 0 or more, in pF"},
        {{"choke", "--mhz", "30:1.8", "--min-impedance", "1000"}, "mirvelta-cli: range '30:1.8' needs its start below its end"},
        {{"choke", "--mhz", "1:30", "--min-impedance", "1k"}, "mirvelta-cli: malformed number '1k' for --min-impedance"},
        {{"choke", "--mhz", "1:30", "--min-impedance", "500", "--watts", "100", "--duty", "0"}, "mirvelta-cli: --duty takes a percentage above 0 and at most 100"},
        {{"choke", "--mhz", "1:30", "--min-impedance", "500", "--watts", "100", "--amps", "1"}, "mirvelta-cli: give one of --vrms, --watts or --amps"},
        {{"choke", "--mhz", "1:30", "--min-impedance", "500", "--sizes", "241"}, "mirvelta-cli: unknown ferrite size '241'"},
        {{"choke", "--mhz", "1:30", "--min-impedance", "500", "--materials", "43,J"}, "mirvelta-cli: no permeability data for ferrite material 'J'"},
        {{"choke", "--mhz", "1:30", "--min-impedance", "500", "--size", "240"}, "mirvelta-cli: --size requires --curve"},
        {{"choke", "--mhz", "1:30", "--min-impedance", "500", "--curve", "x.csv"}, "mirvelta-cli: --curve requires --size"},
        {{"choke", "--mhz", "1:30", "--min-impedance", "500", "--stack", "2", "--max-stack", "2"}, "mirvelta-cli: --stack excludes --max-stack"},
        {{"choke", "--mhz", "1:30", "--min-impedance", "500", "--wire-mm", "0"}, "mirvelta-cli: a wire diameter must be above 0"},
        {{"transformer", "--turns", "2.5:14", "--mhz", "1.8:30", "--watts", "100"}, "mirvelta-cli: --turns takes whole turns P:S, the secondary's at least the primary's, not '2.5:14'"},
        {{"transformer", "--ratio", "49", "--mhz", "30:1.8", "--watts", "100"}, "mirvelta-cli: range '30:1.8' needs its start below its end"},
        {{"transformer", "--ratio", "49", "--mhz", "0.5:30", "--watts", "100", "--family", "ferrite", "--size", "240", "--material", "61", "--primary-turns", "2"}, "mirvelta-cli: material 61 has published data from 1 to 1800 MHz only"},
        {{"transformer", "--ratio", "49", "--mhz", "1.8:30", "--watts", "x"}, "mirvelta-cli: malformed number 'x' for --watts"},
        {{"transformer", "--ratio", "49", "--mhz", "1.8:30", "--watts", "100", "--family", "ferrite", "--size", "240", "--material", "43", "--primary-turns", "2", "--max-stack", "2", "--sizes", "240"}, "mirvelta-cli: a build on --size takes no --sizes, --materials, --max-stack, --max-loss-percent or --max-swr: those are a search's\n"},
        {{"choke", "--mhz", "1:30", "--min-impedance", "500", "--size", "240", "--curve", "x.csv", "--materials", "43"}, "mirvelta-cli: --curve, the search on your own core, takes no --sizes or --materials: those are a search's\n"},
        {{"transformer", "--ratio", "49", "--mhz", "1.8:30"}, "mirvelta-cli: --watts is required"},
        {{"impedance", "--family", "ferrite", "--size", "240", "--material", "43", "--turns", "10", "--mhz", "1", "--pf", "inf"}, "mirvelta-cli: malformed number 'inf' for --pf"},
        // One grammar for every number outside the window's boxes: no blanks, hex or words.
        {{"flux", "--family", "iron", "--size", "50", "--material", "2", "--turns", " 5", "--amps", "1"}, "mirvelta-cli: malformed number ' 5' for --turns"},
        {{"identify", "--od", "0.5", "--id", "0.3", "--height", "", "--turns", "10", "--inductance", "5"}, "mirvelta-cli: malformed number '' for --height"},
        {{"loss", "--family", "ferrite", "--size", "240", "--material", "43", "--turns", "10", "--mhz", "1"}, "mirvelta-cli: give one of --vrms, --watts or --amps"},
        {{"loss", "--family", "ferrite", "--size", "240", "--material", "43", "--turns", "10", "--mhz", "nan", "--amps", "1"}, "mirvelta-cli: malformed number 'nan' for --mhz"},
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

// Every whole-number range of the twin, at each end and one past it: the
// end is answered, one past it refused with the range's own line.
TEST(Cli, WholeNumberRangesAtTheirEnds)
{
    const std::vector<std::string> ft240 = {"--family", "ferrite", "--size", "240", "--material", "43"};
    auto with = [](std::vector<std::string> a, std::vector<std::string> b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    const struct {
        std::vector<std::string> command;
        const char *option, *first, *last, *refusal;
    } ranges[] = {
        {with({"core"}, ft240), "--stack", "1", "4", "--stack takes whole cores from 1 to 4"},
        {with({"flux", "--turns", "10", "--amps", "1"}, ft240), "--stack", "1", "4", "--stack takes whole cores from 1 to 4"},
        {with({"impedance", "--turns", "10", "--mhz", "7"}, ft240), "--stack", "1", "4", "--stack takes whole cores from 1 to 4"},
        {with({"loss", "--turns", "10", "--mhz", "7", "--vrms", "10"}, ft240), "--stack", "1", "4", "--stack takes whole cores from 1 to 4"},
        {{"choke", "--mhz", "7:7.3", "--min-impedance", "500", "--sizes", "240"}, "--stack", "1", "4", "--stack takes whole cores from 1 to 4"},
        {{"choke", "--mhz", "7:7.3", "--min-impedance", "500", "--sizes", "240"}, "--max-stack", "1", "4", "--max-stack takes whole cores from 1 to 4"},
        {{"choke", "--mhz", "7:7.3", "--min-impedance", "500", "--sizes", "240"}, "--awg", "1", "50", "--awg takes a whole gauge from 1 to 50"},
        {{"choke", "--mhz", "7:7.3", "--min-impedance", "500", "--sizes", "240"}, "--points", "50", "1000", "--points takes 50 to 1000"},
        {with({"impedance", "--turns", "10", "--mhz", "1:30"}, ft240), "--points", "2", "10000", "--points takes 2 to 10000"},
        {{"find", "--inductance", "10"}, "--awg", "1", "65535", "--awg takes a whole gauge from 1 to 65535"},
        {{"transformer", "--ratio", "49", "--mhz", "3.5:29.7", "--watts", "100", "--sizes", "240"}, "--max-stack", "1", "4", "--max-stack takes whole cores from 1 to 4"},
        {{"transformer", "--ratio", "49", "--mhz", "3.5:29.7", "--watts", "100", "--sizes", "240"}, "--points", "50", "1000", "--points takes 50 to 1000"},
        {{"transformer", "--ratio", "49", "--mhz", "3.5:29.7", "--watts", "100", "--family", "ferrite", "--size", "240", "--material", "43"}, "--primary-turns", "1", "65535", "--primary-turns takes whole turns from 1 to 65535"},
        {{"transformer", "--ratio", "49", "--mhz", "3.5:29.7", "--watts", "100", "--primary-turns", "3", "--family", "ferrite", "--size", "240", "--material", "43"}, "--stack", "1", "4", "--stack takes whole cores from 1 to 4"},
    };
    for (const auto &r : ranges) {
        auto ask = [&](const std::string &value) { return cli(with(r.command, {r.option, value, "--json"})); };
        const int first = std::stoi(r.first), last = std::stoi(r.last);
        for (int good : {first, last}) {
            CliRun a = ask(std::to_string(good));
            EXPECT_EQ(a.code, 0) << r.command[0] << " " << r.option << " " << good << ": " << a.err;
        }
        for (int bad : {first - 1, last + 1}) {
            CliRun a = ask(std::to_string(bad));
            EXPECT_EQ(a.code, 2) << r.command[0] << " " << r.option << " " << bad;
            EXPECT_EQ(a.err, "mirvelta-cli: " + std::string(r.refusal) + "\n") << r.command[0] << " " << bad;
        }
        CliRun half = ask(std::string(r.first) + ".5");
        EXPECT_EQ(half.err, "mirvelta-cli: " + std::string(r.refusal) + "\n") << r.command[0] << " " << r.option;
    }
}

// Drops every "from" (where a value came from: given, or the default) and
// the summary lines, which say it too.
nlohmann::json withoutFrom(nlohmann::json j)
{
    if (j.is_object()) {
        j.erase("from");
        j.erase("summary");
        for (auto &v : j)
            v = withoutFrom(v);
    } else if (j.is_array()) {
        for (auto &v : j)
            v = withoutFrom(v);
    }
    return j;
}

// Every command from the one list: its help, and the defaults its help
// shows ("--ohms FLOAT=50") are its defaults: given as shown, the answer
// is the same.
TEST(Cli, HelpOfEveryCommandShowsItsDefaults)
{
    std::string sweep = "# MHz S RI R 50\n";
    for (int mhz = 1; mhz <= 30; ++mhz)
        sweep += std::to_string(mhz) + " 0.1 0.5\n";
    // A command line or two each command answers: every default is given on
    // those of them that take its option.
    const std::map<std::string, std::vector<std::vector<std::string>>> answered = {
        {"solve", {{"--family", "iron", "--size", "50", "--material", "2", "--inductance", "5"}}},
        {"list", {{}}},
        {"table", {{"--family", "iron", "--size", "50", "--material", "2", "--inductance", "1:5:1"}}},
        {"find", {{"--inductance", "10"}}},
        {"core", {{"--family", "ferrite", "--size", "240", "--material", "43"}}},
        {"flux", {{"--family", "ferrite", "--size", "240", "--material", "43", "--turns", "10", "--mhz", "7", "--watts", "100"}}},
        {"identify", {{"--od", "0.5", "--id", "0.3", "--height", "0.2", "--turns", "10", "--inductance", "5"}}},
        {"impedance", {{"--family", "ferrite", "--size", "240", "--material", "43", "--turns", "10", "--mhz", "1:30"}}},
        {"loss", {{"--family", "ferrite", "--size", "240", "--material", "43", "--turns", "10", "--mhz", "7", "--watts", "100"}}},
        {"measure", {{"--family", "ferrite", "--size", "240", "--turns", "3", "--text", sweep}}},
        {"choke", {{"--mhz", "7:7.3", "--min-impedance", "500", "--sizes", "240", "--watts", "100"}}},
        {"transformer", {{"--ratio", "49", "--mhz", "3.5:29.7", "--watts", "100", "--sizes", "240"},
                         {"--ratio", "49", "--mhz", "3.5:29.7", "--watts", "100", "--family", "ferrite", "--size", "240",
                          "--material", "43", "--primary-turns", "2"}}},
        {"balun", {{"--kind", "guanella", "--mhz", "7:7.3", "--z0", "50", "--vf", "0.7", "--sizes", "240", "--watts", "100"},
                   {"--kind", "guanella", "--mhz", "7:7.3", "--awg", "20", "--overall-mm", "0.9", "--twists-per-cm", "2",
                    "--family", "ferrite", "--size", "240", "--material", "43", "--turns", "10"}}},
        {"q", {{"--family", "iron", "--size", "50", "--material", "2", "--turns", "29", "--mhz", "7:8"},
               {"--uh", "2", "--mhz", "7:7.3"}}},
    };
    CliRun program = cli({"--help"});
    EXPECT_EQ(program.code, 0);
    int defaults = 0;
    for (const std::string &command : cli::commandNames()) {
        EXPECT_NE(program.out.find("  " + command + " "), std::string::npos) << command;
        std::string help;
        for (const char *flag : {"--help", "-h"}) {
            CliRun r = cli({command, flag});
            EXPECT_EQ(r.code, 0) << command;
            EXPECT_NE(r.out.find("Usage: mirvelta-cli " + command + " [OPTIONS]"), std::string::npos) << r.out;
            help = r.out;
        }
        ASSERT_TRUE(answered.count(command)) << command << ": a command line it answers";
        for (const std::string &line : lines(help)) {
            // "  --name TYPE=DEFAULT ..."
            if (line.compare(0, 4, "  --") != 0)
                continue;
            std::istringstream in(line);
            std::string name, type;
            in >> name >> type;
            size_t eq = type.find('=');
            if (eq == std::string::npos)
                continue;
            int taken = 0;
            for (std::vector<std::string> args : answered.at(command)) {
                args.insert(args.begin(), command);
                args.push_back("--json");
                std::vector<std::string> given = args;
                given.insert(given.end(), {name, type.substr(eq + 1)});
                CliRun r = cli(given);
                if (r.code != 0)
                    continue; // an option of the command's other form
                ++taken;
                EXPECT_EQ(withoutFrom(nlohmann::json::parse(r.out)), withoutFrom(cli_json(args)))
                    << command << " " << name << " " << type.substr(eq + 1);
            }
            EXPECT_GT(taken, 0) << command << " " << name << ": no command line takes it";
            ++defaults;
        }
    }
    EXPECT_GE(defaults, 30); // the options with a default, over all commands
}

// Every command that fits wire counts the turns over its insulation: AWG 22
// of the single build fits as a bare 0.686 mm wire would (the build's
// maximum, 0.6858 mm), and fewer turns than the bare copper does; RG-58 as
// its 5 mm outside (a balun's line of it as a pair of 2.5 mm wires, one
// conductor a turn).
TEST(Cli, InsulationFitsByTheOverallDiameter)
{
    using Args = std::vector<std::string>;
    const Args iron50 = {"--family", "iron", "--size", "50", "--material", "2"};
    const Args f240 = {"--family", "ferrite", "--size", "240", "--material", "43", "--turns", "10"};
    const Args awg22 = {"--awg", "22", "--insulation", "single"}, bare686 = {"--wire-mm", "0.686"};
    const Args rg58 = {"--cable", "RG-58"}, bare5 = {"--wire-mm", "5"};
    const struct {
        Args command, insulated, same, bare; // bare: fits more turns, where it is a single core's
    } cases[] = {
        {Args{"core"} + iron50, awg22, bare686, {"--awg", "22"}},
        {Args{"flux", "--mhz", "7", "--watts", "100"} + f240, awg22, bare686, {"--awg", "22"}},
        {Args{"impedance", "--mhz", "1:30"} + f240, awg22, bare686, {"--awg", "22"}},
        {Args{"loss", "--mhz", "7", "--watts", "100"} + f240, awg22, bare686, {"--awg", "22"}},
        {Args{"core", "--family", "ferrite", "--size", "140", "--material", "43"}, rg58, bare5, {"--wire-mm", "4.9"}},
        {{"choke", "--mhz", "3.5:30", "--min-impedance", "1000"}, awg22, bare686, {}},
        {{"choke", "--mhz", "3.5:30", "--min-impedance", "1000"}, rg58, bare5, {}},
        {{"transformer", "--ratio", "49", "--mhz", "3.5:30", "--watts", "100"}, awg22, bare686, {}},
        {{"balun", "--kind", "guanella", "--ratio", "4", "--mhz", "1.8:30", "--z0", "100", "--vf", "0.7"}, awg22,
         bare686, {}},
        {{"balun", "--kind", "guanella", "--mhz", "1.8:30"}, rg58, {"--wire-mm", "2.5", "--z0", "50", "--vf", "0.66"}, {}},
        {{"q", "--mhz", "7", "--uh", "5"}, awg22, bare686, {}},
    };
    // What the fit decides: one core's turns in a layer, or the designs'
    // cores and turns.
    auto fit = [](const Args &args) {
        nlohmann::json j = cli_json(args + Args{"--json"});
        if (!j.contains("designs"))
            return j["wire"]["mostTurns"];
        nlohmann::json designs = nlohmann::json::array();
        for (const auto &d : j["designs"]) {
            nlohmann::json kept;
            for (const char *k : {"core", "stack", "turns", "primaryTurns", "secondaryTurns", "turnsFit"})
                if (d.contains(k))
                    kept[k] = d[k];
            designs.push_back(kept);
        }
        std::sort(designs.begin(), designs.end()); // q ranks by Q, which the bare copper sets
        return designs;
    };
    for (const auto &c : cases) {
        const std::string what = c.command[0] + " " + c.insulated[1];
        const nlohmann::json insulated = fit(c.command + c.insulated);
        EXPECT_FALSE(insulated.empty()) << what;
        EXPECT_EQ(insulated, fit(c.command + c.same)) << what;
        if (!c.bare.empty()) {
            EXPECT_GT(fit(c.command + c.bare).get<int>(), insulated.get<int>()) << what;
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

} // namespace
