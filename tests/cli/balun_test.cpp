// balun: Duffy's Ruthroff on the catalogue's T-200-2, the keys scripts read,
// the one-core Guanella's imbalance, a search that holds its limits, and
// the line's ranges at their ends.
#include "tests/cli/helpers.h"

namespace {

const std::vector<std::string> Guanella4 = {"balun", "--kind", "guanella", "--ratio", "4", "--z0", "100", "--vf", "0.7"};

std::vector<std::string> joined(std::vector<std::string> a, const std::vector<std::string> &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Duffy's 16 bifilar turns on a T-200-2 at 3.5 MHz (owenduffy.net ?p=11589:
// SWR 1.93 with mu 10; the design test holds that). The command takes the
// catalogue's AL, 120 uH per 100 turns: X = 2 pi 3.5 MHz 256 x 12 nH =
// 67.56 ohms across the 50-ohm port, |reflection| = 0.0148 / |0.04 - j0.0148|,
// SWR 2.06.
TEST(Cli, BalunDuffyRuthroffOnTheCatalogueCore)
{
    nlohmann::json j = cli_json({"balun", "--kind", "ruthroff", "--ratio", "4", "--unun", "--family", "iron", "--size",
                                 "200", "--material", "2", "--turns", "16", "--z0", "100", "--vf", "0.7", "--mhz",
                                 "3.5:30", "--json"});
    const double y = 1 / (2 * design::Pi * 3.5e6 * 256 * 12e-9), gamma = y / std::hypot(0.04, y);
    EXPECT_NEAR(j["points"][0]["swr"].get<double>(), (1 + gamma) / (1 - gamma), 0.01);
    EXPECT_NEAR(j["points"][0]["swr"].get<double>(), 2.06, 0.01);
    for (const char *key : {"kind", "ratio", "z0Ohms", "velocityFactor", "lineLengthM", "electricalDegreesAtTop",
                            "loadOhms", "points", "warnings", "bestZ0Ohms"})
        EXPECT_TRUE(j.contains(key)) << key;
    EXPECT_EQ(j["loadOhms"], nlohmann::json::array({200.0, 0.0}));
    for (const char *key : {"frequencyMHz", "inputResistanceOhms", "inputReactanceOhms", "swr", "returnLossDb",
                            "insertionLossDb", "commonModeImpedanceOhms"})
        EXPECT_TRUE(j["points"][0].contains(key)) << key;
    EXPECT_FALSE(j["points"][0].contains("coreLossWatts"));
    // The line: 16 turns of OD - ID + 2h (2.0 - 1.25 + 2 x 0.55 inches).
    EXPECT_NEAR(j["lineLengthM"].get<double>(), 16 * 1.85 * 0.0254, 1e-9);
    EXPECT_NEAR(j["electricalDegreesAtTop"].get<double>(), 360 * 30e6 * 16 * 1.85 * 0.0254 / (0.7 * 299792458), 1e-9);
}

// Two lines on one FT-240-43 into a centre-grounded 200 ohms: near G3TXQ's
// +1.5 / -0.5 V per volt, and said; on a core each, not said. At a power
// the heat's keys; with --cm-load the ratio's.
TEST(Cli, BalunOneCoreImbalanceHeatAndCommonMode)
{
    const std::vector<std::string> build = {"--family", "ferrite", "--size", "240", "--material", "43", "--turns", "10",
                                            "--mhz", "1.8:30", "--json"};
    nlohmann::json one = cli_json(joined(joined(Guanella4, build), {"--cores", "1", "--watts", "100"}));
    EXPECT_NEAR(one["centreGroundedVoltsPerVolt"][0].get<double>(), 1.5, 0.02);
    EXPECT_NEAR(one["centreGroundedVoltsPerVolt"][1].get<double>(), -0.5, 0.02);
    EXPECT_NE(one["warnings"].dump().find("a core of its own"), std::string::npos);
    for (const char *key : {"coreLossWatts", "temperatureRiseKelvin", "peakFluxDensityMilliTesla"})
        EXPECT_TRUE(one["points"][0].contains(key)) << key;
    nlohmann::json two = cli_json(joined(Guanella4, build));
    EXPECT_FALSE(two.contains("centreGroundedVoltsPerVolt"));
    EXPECT_EQ(two["warnings"].dump().find("a core of its own"), std::string::npos);
    nlohmann::json cm = cli_json({"balun", "--kind", "guanella", "--z0", "50", "--vf", "0.7", "--family", "ferrite",
                                  "--size", "240", "--material", "43", "--turns", "11", "--mhz", "7:7.3", "--cm-load",
                                  "33.59-j190.8,38.09-j28.43,118.6-j109.2", "--json"});
    EXPECT_LT(cm["points"][0]["commonModeRatioDb"].get<double>(), -20);
    EXPECT_EQ(cm["loadOhms"][0].get<double>(), 33.59 + 38.09);
}

// Every design a search offers holds its limits at every frequency, by the
// one-build command, and one turn fewer on the same core does not.
TEST(Cli, BalunSearchHoldsItsLimits)
{
    const std::vector<std::vector<std::string>> searches = {
        joined(Guanella4, {"--mhz", "1.8:30", "--watts", "100"}),
        {"balun", "--kind", "guanella", "--z0", "50", "--vf", "0.66", "--mhz", "3.5:30", "--max-swr", "1.5"},
        {"balun", "--kind", "ruthroff", "--ratio", "4", "--unun", "--awg", "20", "--overall-mm", "0.9",
         "--twists-per-cm", "1", "--mhz", "1.8:30", "--max-loss-db", "0.3"},
    };
    for (const auto &s : searches) {
        nlohmann::json j = cli_json(joined(s, {"--json"}));
        ASSERT_GT(j["designs"].size(), 0u) << s[2];
        const nlohmann::json &limits = j["limits"];
        for (const nlohmann::json &d : j["designs"]) {
            auto build = [&](long turns) {
                std::vector<std::string> a = s;
                a.insert(a.end(), {"--family", "ferrite", "--size", d["size"].get<std::string>(), "--material",
                                   d["material"].get<std::string>(), "--stack", std::to_string(d["stack"].get<int>()),
                                   "--turns", std::to_string(turns), "--json"});
                for (const char *search : {"--max-swr", "--max-loss-db"})
                    for (auto it = a.begin(); it != a.end(); ++it)
                        if (*it == search) {
                            a.erase(it, it + 2);
                            break;
                        }
                return cli_json(a);
            };
            auto holds = [&](const nlohmann::json &b) {
                for (const nlohmann::json &p : b["points"])
                    if (p["swr"].is_null() || p["swr"].get<double>() > limits["maxSwr"].get<double>() ||
                        p["insertionLossDb"].get<double>() > limits["maxLossDb"].get<double>() ||
                        (p.contains("temperatureRiseKelvin") &&
                         p["temperatureRiseKelvin"].get<double>() > limits["maxRiseKelvin"].get<double>()))
                        return false;
                return true;
            };
            const long turns = d["turns"].get<long>();
            EXPECT_TRUE(holds(build(turns))) << d["core"] << " " << turns;
            if (turns > 1) {
                EXPECT_FALSE(holds(build(turns - 1))) << d["core"] << " " << turns - 1;
            }
        }
    }
}

// The line's measured Z0 and VF at their ranges' ends and past them; the
// turns' whole range.
TEST(Cli, BalunRangesAtTheirEnds)
{
    const std::vector<std::string> build = {"balun", "--kind", "guanella", "--family", "ferrite", "--size", "240",
                                            "--material", "43", "--mhz", "1.8:30"};
    const struct {
        const char *z0, *vf, *turns;
        const char *refusal; // nullptr: answered
    } cases[] = {
        {"5", "1", "1", nullptr},
        {"600", "0.01", "65535", nullptr},
        {"4.99", "0.7", "10", "--z0 takes ohms from 5 to 600"},
        {"600.01", "0.7", "10", "--z0 takes ohms from 5 to 600"},
        {"50", "1.01", "10", "--vf takes a velocity factor above 0 and at most 1"},
        {"50", "0", "10", "--vf takes a velocity factor above 0 and at most 1"},
        {"50", "0.7", "0", "--turns takes whole turns from 1 to 65535"},
        {"50", "0.7", "65536", "--turns takes whole turns from 1 to 65535"},
    };
    for (const auto &c : cases) {
        CliRun r = cli(joined(build, {"--z0", c.z0, "--vf", c.vf, "--turns", c.turns, "--json"}));
        if (!c.refusal) {
            EXPECT_EQ(r.code, 0) << c.z0 << " " << c.vf << " " << c.turns << ": " << r.err;
            continue;
        }
        EXPECT_EQ(r.err, std::string("mirvelta-cli: ") + c.refusal + "\n") << c.z0 << " " << c.vf << " " << c.turns;
    }
}

} // namespace
