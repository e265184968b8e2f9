// transformer: a build worked by hand, and a search that holds its limits.
#include "tests/cli/helpers.h"

namespace {

// A 49:1 end-fed transformer on an FT-240-43 at 3.5 MHz, 100 W into 50
// ohms, worked by hand from the 43 curve (mu' 509.39, mu'' 308.02 at 3.5
// MHz, linear in log f), IEC 60205's le and Ae and the model's C_s across
// the primary: Zm = Z_L || C, the loss Z Re(1/Zm), the rise (W D 1e3 /
// surface)^0.833, B = sqrt(2) 70.71 V / (2 pi f P Ae).
TEST(Cli, TransformerWorkedByHand)
{
    const struct {
        const char *turns, *stack, *duty;
        double r, x, percent, watts, rise, milliTesla, referredPf;
    } builds[] = {
        {"2:14", "1", "100", 50.90263, 84.75433, 26.03882, 26.03882, 127.8421, 14.44121, 2.12504 * 49},
        {"2:14", "1", "25", 50.90263, 84.75433, 26.03882, 6.50970, 40.28635, 14.44121, 2.12504 * 49},
        {"3:21", "1", "100", 115.67243, 191.30041, 11.57281, 11.57281, 65.05878, 9.62747, 2.12504 * 49},
        {"2:14", "2", "100", 102.81994, 170.04481, 13.01941, 13.01941, 51.19552, 7.22060, 2.39067 * 49},
    };
    for (const auto &b : builds) {
        nlohmann::json j = cli_json({"transformer", "--turns", b.turns, "--mhz", "3.5:3.500001", "--watts", "100",
                                     "--duty", b.duty, "--family", "ferrite", "--size", "240", "--material", "43",
                                     "--stack", b.stack, "--json"});
        const nlohmann::json &d = j["design"], &p = j["points"][0];
        std::string what = std::string(b.turns) + " x" + b.stack + " at " + b.duty + " %";
        EXPECT_EQ(j["ratio"].get<double>(), 49) << what;
        EXPECT_NEAR(d["magnetizingResistanceOhms"].get<double>(), b.r, 1e-4) << what;
        EXPECT_NEAR(d["magnetizingReactanceOhms"].get<double>(), b.x, 1e-4) << what;
        EXPECT_NEAR(p["lossPercent"].get<double>(), b.percent, 1e-4) << what;
        EXPECT_NEAR(p["coreLossWatts"].get<double>(), b.watts, 1e-4) << what;
        EXPECT_NEAR(d["temperatureRiseKelvin"].get<double>(), b.rise, 1e-3) << what;
        EXPECT_NEAR(d["peakFluxDensityMilliTesla"].get<double>(), b.milliTesla, 1e-4) << what;
        EXPECT_NEAR(d["referredCapacitancePf"].get<double>(), b.referredPf, 1e-3) << what;
        EXPECT_NEAR(p["lossDb"].get<double>(), -10 * std::log10(1 - b.percent / 100), 1e-5) << what;
        EXPECT_TRUE(d["turnsFit"].get<bool>()) << what;
    }
    // loss takes the same duty: 100 W across 2 turns, a quarter of the time.
    nlohmann::json l = cli_json({"loss", "--family", "ferrite", "--size", "240", "--material", "43", "--turns", "2",
                                 "--mhz", "3.5", "--watts", "100", "--duty", "25", "--json"});
    EXPECT_NEAR(l["coreLossWatts"].get<double>(), 6.50970, 1e-4);
    EXPECT_NEAR(l["fullPowerLossWatts"].get<double>(), 26.03882, 1e-4);
    EXPECT_NEAR(l["temperatureRiseKelvin"].get<double>(), 40.28635, 1e-3);
    // --ratio 49 on 2 primary turns is 2:14 as well.
    nlohmann::json r = cli_json({"transformer", "--ratio", "49", "--primary-turns", "2", "--mhz", "3.5:29.7", "--watts",
                                 "100", "--family", "ferrite", "--size", "240", "--material", "43", "--json"});
    EXPECT_EQ(r["design"]["secondaryTurns"], 14);
    EXPECT_EQ(r["points"].size(), 50u);

    // The windings' volts at 100 W into 50 ohms: sqrt(100 50) = 70.71 V rms
    // across the 2 primary turns, 7 times it, 494.97 V rms (700 V peak),
    // across the 14 of the secondary, 35.36 V rms a turn; against grade-1
    // enamel's 2700 V minimum breakdown (SWG 21, 0.813 mm) no warning, and
    // against PTFE type ET's 250 V one for the secondary.
    const struct {
        std::vector<std::string> wire;
        double rating;
        bool secondaryOver;
    } insulations[] = {
        {{"--wire-mm", "0.813", "--insulation", "grade1"}, 2700, false},
        {{"--awg", "20", "--insulation", "ptfe-et", "--overall-mm", "1.6"}, 250, true},
    };
    for (const auto &w : insulations) {
        std::vector<std::string> args = {"transformer", "--turns", "2:14", "--mhz", "3.5:30", "--watts", "100",
                                         "--family", "ferrite", "--size", "240", "--material", "43"};
        args.insert(args.end(), w.wire.begin(), w.wire.end());
        nlohmann::json t = cli_json(args + std::vector<std::string>{"--json"});
        const nlohmann::json &v = t["design"]["voltages"];
        const std::string what = w.wire[3];
        EXPECT_NEAR(v["primary"]["windingVoltsRms"].get<double>(), 70.711, 1e-3) << what;
        EXPECT_NEAR(v["secondary"]["windingVoltsRms"].get<double>(), 494.975, 1e-3) << what;
        EXPECT_NEAR(v["secondary"]["endToEndVoltsPeak"].get<double>(), 700, 1e-6) << what;
        EXPECT_NEAR(v["secondary"]["voltsPerTurnRms"].get<double>(), 35.355, 1e-3) << what;
        EXPECT_EQ(v["ratingVolts"].get<double>(), w.rating) << what;
        EXPECT_FALSE(v["primary"]["overRating"].get<bool>()) << what;
        EXPECT_EQ(v["secondary"]["overRating"].get<bool>(), w.secondaryOver) << what;
        size_t warned = 0;
        for (const auto &text : t["warnings"])
            warned += text.get<std::string>().find("the secondary's ends see 700 V peak") != std::string::npos;
        EXPECT_EQ(warned, w.secondaryOver ? 1u : 0u) << what;
    }
}

// Every design a search offers holds its limits at every point of the band
// (the loss, the rise and the SWR), evaluated by the one-build command, and
// one primary turn fewer on the same core and stack does not.
TEST(Cli, TransformerSearchHoldsItsLimits)
{
    const struct {
        std::vector<std::string> args;
        double maxLoss, maxRise, maxSwr;
        bool autotransformer;
    } cases[] = {
        {{"--ratio", "49", "--mhz", "3.5:29.7", "--watts", "100", "--duty", "40", "--max-stack", "2", "--sizes",
          "114,140,240"}, 10, 40, 2, false},
        {{"--ratio", "9", "--mhz", "1.8:30", "--watts", "500", "--auto", "--max-loss-percent", "5", "--max-rise", "30",
          "--sizes", "140,240", "--awg", "16", "--max-swr", "1.3"}, 5, 30, 1.3, true},
    };
    for (const auto &c : cases) {
        std::vector<std::string> args = {"transformer", "--all", "--json"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        nlohmann::json j = cli_json(args);
        ASSERT_FALSE(j["designs"].empty()) << j.dump();
        for (const auto &d : j["designs"]) {
            auto one = [&](long primary) {
                std::vector<std::string> a = {"transformer", "--family", "ferrite", "--size", d["size"], "--material",
                                              d["material"], "--stack", std::to_string(d["stack"].get<int>()),
                                              "--primary-turns", std::to_string(primary), "--json"};
                for (size_t i = 0; i < c.args.size(); i++) {
                    const std::string &o = c.args[i];
                    if (o == "--max-stack" || o == "--sizes" || o == "--max-loss-percent" || o == "--max-swr")
                        i++;
                    else
                        a.push_back(o);
                }
                return cli_json(a);
            };
            long p = d["primaryTurns"];
            auto holds = [&](const nlohmann::json &b) {
                double worst = 0, swr = 1;
                for (const auto &pt : b["points"]) {
                    worst = std::max(worst, pt["lossPercent"].get<double>());
                    swr = std::max(swr, pt["swr"].is_null() ? INFINITY : pt["swr"].get<double>());
                }
                return worst <= c.maxLoss && b["design"]["temperatureRiseKelvin"].get<double>() <= c.maxRise &&
                       swr <= c.maxSwr && b["design"]["turnsFit"].get<bool>();
            };
            std::string what = d["core"].get<std::string>() + " x" + std::to_string(d["stack"].get<int>());
            EXPECT_TRUE(holds(one(p))) << what << " with " << p;
            if (p > 1) {
                EXPECT_FALSE(holds(one(p - 1))) << what << " with one primary turn fewer";
            }
        }
    }
}

} // namespace
