// Every refusal of the twin and the page, once each: the command line that
// meets it says the list's text, its "{}" filled, on one line of stderr,
// and names an option the command has.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/values.h"
#include "tests/cli/helpers.h"

namespace {

using Args = std::vector<std::string>;

// A sweep's text: n points one `unit` apart from `from`, S11 = 0.1 + j0.5.
std::string sweepText(const char *unit, int from, int n)
{
    std::string t = std::string("# ") + unit + " S RI R 50\n";
    for (int i = 0; i < n; ++i)
        t += std::to_string(from + i) + " 0.1 0.5\n";
    return t;
}

std::string filled(std::string text, const std::vector<std::string> &args)
{
    size_t p = 0;
    for (const std::string &a : args) {
        p = text.find("{}", p);
        if (p == std::string::npos)
            break;
        text.replace(p, 2, a);
        p += a.size();
    }
    return text;
}

// A curve file for the test's while, gone after it.
struct CurveFile {
    std::string path;
    CurveFile(const char *name, const char *text) : path(testing::TempDir() + name)
    {
        FILE *f = std::fopen(path.c_str(), "w");
        std::fputs(text, f);
        std::fclose(f);
    }
    ~CurveFile() { std::remove(path.c_str()); }
};

} // namespace

using namespace cli;

TEST(Refusals, EveryTextOnceFromItsList)
{
    const Args I50 = {"--family", "iron", "--size", "50", "--material", "2"};
    const Args F240 = {"--family", "ferrite", "--size", "240", "--material", "43"};
    const Args CH = {"choke", "--mhz", "1:30", "--min-impedance", "500"};
    const Args T = {"transformer", "--ratio", "49", "--mhz", "1.8:30", "--watts", "100"};
    const Args B = {"balun", "--kind", "guanella", "--mhz", "1.8:30", "--z0", "50", "--vf", "0.7"};
    const Args Q50 = {"q", "--family", "iron", "--size", "50", "--material", "2", "--mhz", "7"};
    const Args F240C = {"core", "--family", "ferrite", "--size", "240", "--material", "43"};
    const Args Pair = {"balun", "--kind", "guanella", "--mhz", "1.8:30", "--awg", "30"};
    const Args M = {"measure", "--family", "ferrite", "--size", "240", "--turns", "3", "--text"};
    const std::string Good = sweepText("MHz", 1, 30), Above = sweepText("GHz", 10, 30);
    const CurveFile badFile("bad-curve.csv", "frequency_hz,mu_real,mu_imag\n1000000,800\n");
    const CurveFile shortFile("short-curve.csv", "frequency_hz,mu_real,mu_imag\n1000000,800,10\n");
    const std::string bad = badFile.path, shortCurve = shortFile.path;
    const struct {
        Refusal refusal;
        Args command;             // none: no command meets it today
        std::vector<std::string> args; // what fills its "{}"
        const char *option = nullptr;  // where it names one option of two, which
    } cases[] = {
        {UnknownFamily, Args{"solve", "--family", "steel", "--size", "50", "--material", "2", "--turns", "5"}, {"steel"}},
        {UnknownSize, Args{"solve", "--family", "iron", "--size", "50A", "--material", "2", "--turns", "5"}, {"iron", "50A", "12 16 20 25 30 37 44 50 68 80 94 106 130 157 184 200"}},
        {UnknownMaterial, Args{"solve", "--family", "ferrite", "--size", "50A", "--material", "f", "--turns", "5"}, {"ferrite", "f", "43 61 63 67 68 75 77 F J"}},
        {NoAlForCore, Args{"core", "--family", "iron", "--size", "12", "--material", "26"}, {"T-12-26"}},
        {MalformedNumber, Args{"flux"} + I50 + Args{"--turns", "0x10", "--amps", "1"}, {"0x10", "--turns"}, "--turns"},
        {TurnsOrInductance, Args{"solve"} + I50, {}},
        {WireAboveZero, Args{"solve"} + I50 + Args{"--turns", "5", "--wire-mm", "0"}, {}},
        {AlTolerancePercent, Args{"solve"} + I50 + Args{"--turns", "5", "--al-tolerance", "100"}, {}},
        {MalformedRange, Args{"table"} + I50 + Args{"--inductance", "1:5"}, {"1:5", ":STEP"}},
        {RangeDigits, Args{"table"} + I50 + Args{"--turns", "1:1234567890123456789012345678901"}, {"1:1234567890123456789012345678901"}},
        {RangeOrder, Args{"table"} + I50 + Args{"--turns", "5:1"}, {"5:1"}},
        {RangeRows, Args{"table"} + I50 + Args{"--turns", "1:10001"}, {"1:10001", "10000"}},
        {RowRefused, Args{"table"} + I50 + Args{"--turns", "0:5"}, {"0 turns", "Number of turns must be one or more."}},
        {TableTurnsOrInductance, Args{"table"} + I50, {}},
        {FrequencyAboveZero, Args{"find", "--inductance", "10", "--mhz", "0"}, {}},
        {FluxTurnsAboveZero, Args{"flux"} + I50 + Args{"--turns", "0", "--amps", "1"}, {}},
        {FluxDriveOne, Args{"flux"} + I50 + Args{"--turns", "5", "--vrms", "1", "--amps", "1"}, {}},
        {FrequencyWithDc, Args{"flux"} + I50 + Args{"--turns", "5", "--amps", "1", "--mhz", "1"}, {}},
        {SineNeedsFrequency, Args{"flux"} + I50 + Args{"--turns", "5", "--vrms", "1"}, {}},
        {DriveAboveZero, Args{"loss"} + F240 + Args{"--turns", "10", "--mhz", "1", "--watts", "1e400"}, {}, "--watts"},
        {MeasuredAboveZero, Args{"identify", "--od", "0.5", "--id", "0.3", "--height", "0", "--turns", "10", "--inductance", "5"}, {}},
        {InsideBelowOutside, Args{"identify", "--od", "0.5", "--id", "0.5", "--height", "0.2", "--turns", "10", "--inductance", "5"}, {}},
        {TestWindingTurn, Args{"identify", "--od", "0.5", "--id", "0.3", "--height", "0.2", "--turns", "0.5", "--inductance", "5"}, {}},
        {TestWindingWhole, Args{"identify", "--od", "0.5", "--id", "0.3", "--height", "0.2", "--turns", "2.5", "--inductance", "5"}, {"2.5"}},
        {NoCurveData, Args{"impedance", "--family", "ferrite", "--size", "240", "--material", "J", "--turns", "10", "--mhz", "1"}, {"J", "31 43 46 51 61 73 75 77"}},
        {NoIronLoss, {}, {"0"}}, // no command reaches it: every iron mix has a loss fit
        {TurnsOneOrMore, Args{"impedance"} + F240 + Args{"--turns", "0.5", "--mhz", "1"}, {}},
        {FrequencyForm, Args{"impedance"} + F240 + Args{"--turns", "10", "--mhz", "inf"}, {"inf"}},
        {FrequenciesAboveZero, Args{"impedance"} + F240 + Args{"--turns", "10", "--mhz", "-1:2"}, {}},
        {RangeStartEnd, Args{"choke", "--mhz", "7:7", "--min-impedance", "1000"}, {"7:7"}},
        {OutsideCurve, Args{"impedance"} + F240 + Args{"--turns", "10", "--mhz", "3001"}, {"43", "0.01", "3000"}},
        {CapacitanceNotNegative, Args{"impedance"} + F240 + Args{"--turns", "10", "--mhz", "1", "--pf", "-2"}, {"--pf"}},
        {PointsNeedRange, Args{"impedance"} + F240 + Args{"--turns", "10", "--mhz", "1", "--points", "10"}, {}},
        {PointsCount, Args{"impedance"} + F240 + Args{"--turns", "10", "--mhz", "1:2", "--points", "1"}, {"2", "10000"}},
        {JsonOrCsv, Args{"impedance"} + F240 + Args{"--turns", "10", "--mhz", "1", "--json", "--csv"}, {}},
        {LossDriveOne, Args{"loss"} + F240 + Args{"--turns", "10", "--mhz", "1", "--vrms", "5", "--watts", "100"}, {}, "--watts"},
        {GaugeRange, Args{"find", "--inductance", "10", "--awg", "2.5"}, {"1", "65535"}, "--awg"},
        {MeasureCore, Args{"measure", "--turns", "3", "--text", Good}, {}},
        {MeasureFile, Args{"measure", "/nonexistent/x.s1p", "--family", "ferrite", "--size", "240", "--turns", "3"}, {"/nonexistent/x.s1p"}},
        {MeasureFileTooLarge, M + Args{std::string(10 * 1024 * 1024 + 1, '!')}, {"the file"}},
        {TouchstoneLine, M + Args{"# MHz S RI R 50\n1 0.1\n"}, {"2", "2 numbers where a line has a frequency and its pairs"}},
        {TouchstoneEmpty, M + Args{"# MHz S RI R 50\n"}, {}},
        {MethodNeedsTwoPort, M + Args{Good, "--method", "series"}, {"series"}},
        {MethodUnknown, M + Args{Good, "--method", "bridge"}, {"bridge"}},
        {TwoPortImpedance, M + Args{"# MHz Z RI R 50\n1 1 0 0 0 0 0 1 0\n2 1 0 0 0 0 0 1 0\n"}, {"Z"}},
        {NoCurveInRange, M + Args{Above}, {"10"}},
        {CurveOrMaterial, Args{"impedance"} + F240 + Args{"--turns", "10", "--mhz", "1", "--curve", "/nonexistent.csv"}, {}},
        {CurveLine, Args{"impedance", "--family", "ferrite", "--size", "240", "--turns", "10", "--mhz", "1", "--curve", bad}, {"2", "2 numbers where a line has a frequency and its pairs"}},
        {DcAmpsAboveZero, Args{"solve"} + I50 + Args{"--turns", "5", "--dc-amps", "0"}, {}},
        {DcAmpsIron, Args{"solve"} + F240 + Args{"--turns", "5", "--dc-amps", "1"}, {}},
        {OutsideIronFit, Args{"loss"} + I50 + Args{"--turns", "10", "--mhz", "1", "--vrms", "5e-324"}, {"2"}},
        {CurveTooShort, Args{"impedance", "--family", "ferrite", "--size", "240", "--turns", "10", "--mhz", "1", "--curve", shortCurve}, {}},
        {BandForm, Args{"choke", "--mhz", "7", "--min-impedance", "1000"}, {"7"}},
        {StackRange, Args{"core"} + F240 + Args{"--stack", "5"}, {"1", "4"}},
        {MaxStackRange, CH + Args{"--max-stack", "5"}, {"1", "4"}},
        {DutyPercent, Args{"loss"} + F240 + Args{"--turns", "10", "--mhz", "1", "--amps", "1", "--duty", "101"}, {}},
        {ChokeTargetNone, Args{"choke", "--mhz", "1.8:30"}, {}},
        {ChokeTargetAboveZero, Args{"choke", "--mhz", "1:30", "--min-resistance", "0"}, {}},
        {TolerancePercent, CH + Args{"--tolerance", "100"}, {}},
        {MaxRiseAboveZero, CH + Args{"--watts", "100", "--max-rise", "0"}, {}},
        {CodeList, CH + Args{"--sizes", "240,,140"}, {"--sizes", "240,,140"}},
        {NoCurveOverBand, Args{"choke", "--mhz", "0.001:0.005", "--min-impedance", "1000"}, {"0.001", "0.005"}},
        {ScaleAboveZero, Args{"impedance"} + F240 + Args{"--turns", "10", "--mhz", "1", "--scale", "0"}, {}},
        {BandTooFewPoints, M + Args{Good, "--mhz", "40:50"}, {"10", "40", "50"}},
        {RatioOrTurns, Args{"transformer", "--mhz", "1.8:30", "--watts", "100"}, {}},
        {RatioOneOrMore, Args{"transformer", "--ratio", "0.5", "--mhz", "1.8:30", "--watts", "100"}, {}},
        {TransformerTurns, Args{"transformer", "--turns", "14:2", "--mhz", "1.8:30", "--watts", "100"}, {"14:2"}},
        {PrimaryTurnsNeeded, T + Args{"--family", "ferrite", "--size", "240", "--material", "43"}, {}},
        {TransformerIron, T + Args{"--family", "iron", "--size", "200", "--material", "2", "--primary-turns", "2"}, {}},
        {WattsAboveZero, Args{"transformer", "--ratio", "49", "--mhz", "1.8:30", "--watts", "0"}, {}},
        {MaxLossPercent, T + Args{"--max-loss-percent", "100"}, {}},
        {TurnsPrimaryRange, T + Args{"--family", "ferrite", "--size", "240", "--material", "43", "--primary-turns", "0"}, {"1", "65535"}},
        {SearchOptions, T + Args{"--family", "ferrite", "--size", "240", "--material", "43", "--primary-turns", "2", "--sizes", "240"}, {"a build on --size", "--sizes, --materials, --max-stack, --max-loss-percent or --max-swr"}},
        {BuildOptions, T + Args{"--leakage-nh", "285"}, {"--leakage-nh, --secondary-pf, --shunt-pf or --best-shunt"}},
        {LeakageNotNegative, T + Args{"--family", "ferrite", "--size", "240", "--material", "43", "--primary-turns", "2",
                                      "--leakage-nh", "-1"}, {}},
        {MaxSwrAboveOne, T + Args{"--max-swr", "1"}, {}},
        {BalunRatio, Args{"balun", "--kind", "ruthroff", "--mhz", "1.8:30", "--z0", "50", "--vf", "0.7"}, {"ruthroff", "1"}},
        {BalunUnun, B + Args{"--unun"}, {"guanella"}},
        {LineOhmsRange, Args{"balun", "--kind", "guanella", "--mhz", "1.8:30", "--z0", "601", "--vf", "0.7"}, {"5", "600"}},
        {VelocityFactorRange, Args{"balun", "--kind", "guanella", "--mhz", "1.8:30", "--z0", "50", "--vf", "1.5"}, {}},
        {LineNeeded, Args{"balun", "--kind", "guanella", "--mhz", "1.8:30", "--overall-mm", "1.2"}, {}},
        {OverallAboveBare, Pair + Args{"--overall-mm", "0.25", "--twists-per-cm", "5"}, {"0.254"}},
        {PairOhmsRange, Pair + Args{"--overall-mm", "0.254", "--twists-per-cm", "5"}, {"3.024e-06", "5", "600"}},
        {TwistsNotNegative, Pair + Args{"--overall-mm", "0.3", "--twists-per-cm", "-1"}, {}},
        {PermittivityRange, Pair + Args{"--overall-mm", "0.3", "--twists-per-cm", "5", "--er", "10.5"}, {}},
        {LeadsNotNegative, B + Args{"--leads-cm", "-1"}, {}},
        {LoadForm, B + Args{"--load-ohms", "200+j"}, {"--load-ohms", "200+j"}, "--load-ohms"},
        {CmLoadForm, B + Args{"--cm-load", "30-j190,38"}, {"30-j190,38"}},
        {TurnsWholeRange, B + F240 + Args{"--turns", "2.5"}, {"1", "65535"}},
        {BalunTurnsNeeded, B + F240, {}},
        {MaxLossDbAboveZero, B + Args{"--max-loss-db", "0"}, {}},
        {QTurnsOrUh, Q50 + Args{"--turns", "10", "--uh", "1"}, {}},
        {UhAboveZero, Args{"q", "--uh", "0", "--mhz", "7"}, {}},
        {InductanceBelowOneTurn, Q50 + Args{"--uh", "0.001"}, {"0.001", "T-50-2", "0.004896"}},
        {InductanceTooManyTurns, Q50 + Args{"--uh", "100000"}, {"100000", "4519", "T-50-2"}},
        {TurnsNoWire, Q50 + Args{"--turns", "5000"}, {"5000", "T-50-2"}},
        {WireDoesNotFit, Q50 + Args{"--turns", "29", "--wire-mm", "3"}, {"--wire-mm 3", "3", "29", "T-50-2"}, "--wire-mm"},
        {QSearchNeedsUh, Args{"q", "--mhz", "7"}, {}},
        {UnknownBuild, F240C + Args{"--awg", "20", "--insulation", "triple"},
         {"triple", "single, heavy, grade1, grade2, grade3, ptfe-et, ptfe-e, ptfe-ee"}},
        {UnknownCable, F240C + Args{"--cable", "RG-59"},
         {"RG-59", "RG-58, RG-8X, RG-174, RG-316, RG-213, RG-8, Belden 9913, LMR-400, RG-142, RG-223, H155, "
                   "Aircell 7, Ecoflex 10, RG-214"}},
        {NoBuildRow, F240C + Args{"--wire-mm", "0.7", "--insulation", "grade1"},
         {"grade1", "a bare 0.7 mm wire", " (the data's grade1 sizes: 0.063 to 2.946 mm bare, not every size between)"}},
        {HookupNeedsOverall, F240C + Args{"--awg", "20", "--insulation", "ptfe-e"}, {"ptfe-e"}},
        {InsulationNeedsSize, Args{"choke", "--mhz", "3.5:30", "--min-impedance", "1000", "--insulation", "heavy"},
         {"--insulation"}},
    };
    std::set<int> seen;
    for (const auto &c : cases) {
        const RefusalRow &row = Refusals[c.refusal];
        EXPECT_TRUE(seen.insert(c.refusal).second) << row.name << " twice";
        EXPECT_EQ(placeholders(row.text), (int)c.args.size()) << row.name;
        const std::string want = filled(row.text, c.args);
        if (c.command.empty()) {
            Failure f;
            refuseWith(&f, c.refusal, {c.args[0]});
            EXPECT_EQ(f.text, want) << row.name;
            continue;
        }
        CliAnswer a = answerCli(c.command);
        EXPECT_EQ(a.code, CliError) << row.name;
        EXPECT_EQ(a.out, "") << row.name;
        EXPECT_EQ(a.err, "mirvelta-cli: " + want + "\n") << row.name;
        if (c.option) {
            EXPECT_EQ(a.option, c.option) << row.name;
        } else if (!a.option.empty()) {
            EXPECT_NE(answerCli({c.command[0], "--help"}).out.find("  " + a.option), std::string::npos)
                << row.name << " names " << a.option;
        }
    }
    EXPECT_EQ(seen.size(), (size_t)RefusalCount);
}
