// solve: the window's lines after the same solve by hand over the form, its JSON, the wire by
// its diameter and the AL tolerance.
#include "tests/cli/helpers.h"

namespace {

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

// A solve of the twin leaves nothing behind for the next one: reset brings
// back the start-up form, the selected core and the form's write log.
TEST(Cli, SolvesLeaveNoStateBehind)
{
    const std::vector<std::string> iron = {"solve", "--family", "iron", "--size", "50", "--material", "2", "--turns", "20"};
    form.reset();
    CliRun fresh = cli(iron);
    ASSERT_EQ(cli({"solve", "--family", "ferrite", "--size", "240", "--material", "J", "--inductance", "3",
                   "--units", "mH", "--unit", "mm"}).code, 0);
    EXPECT_EQ(cli(iron).out, fresh.out);
    form.reset();
    EXPECT_TRUE(form.recording);
    EXPECT_EQ(coreSpec.al, 0.0f);
    EXPECT_EQ(coreSpec.tunedHighMHz, 0.0f);
    EXPECT_EQ(coreSpec.colorCode[0], '\0');
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
    // Above the window's 0.3-inch cap: FT-240, one turn, 1.4 / (1 / pi * 330 / 360 + 2) = 0.6109 in.
    CliRun big = cli({"solve", "--family", "ferrite", "--size", "240", "--material", "43", "--turns", "1", "--wire-in",
                      "0.5", "--json"});
    EXPECT_NEAR(nlohmann::json::parse(big.out)["wire"]["largestDiameterInches"].get<double>(), 0.61088, 0.00001);
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
    // FT-240-43, AL 12400, 100 turns: 12.4 mH, and 11.16 .. 13.64 mH within 10 %.
    nlohmann::json m = nlohmann::json::parse(cli({"solve", "--family", "ferrite", "--size", "240", "--material", "43",
                                                  "--turns", "100", "--al-tolerance", "10", "--json"}).out)["alTolerance"];
    EXPECT_EQ(m["inductanceUnit"], "mH");
    EXPECT_NEAR(m["inductanceLow"].get<double>(), 11.16, 1e-9);
    EXPECT_NEAR(m["inductanceHigh"].get<double>(), 13.64, 1e-9);
}

} // namespace
