// flux: the flux density from each form of drive, worked by hand.
#include "tests/cli/helpers.h"

namespace {

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
        // Two cores side by side: twice the area halves B of a voltage; a DC
        // current's H and B are one core's (le and mu_e are).
        {{"--family", "ferrite", "--size", "240", "--material", "61", "--turns", "10", "--watts", "100", "--mhz", "7.1", "--stack", "2"}, 0.712, 0},
        {{"--family", "iron", "--size", "50", "--material", "2", "--turns", "20", "--amps", "1", "--stack", "2"}, 8.170, 654.2},
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
        EXPECT_EQ(text.find("valid only below saturation") != std::string::npos, c.field > 0) << text;
    }
    EXPECT_EQ(cli({"flux", "--family", "ferrite", "--size", "240", "--material", "61", "--turns", "10", "--watts",
                   "100", "--mhz", "7.1"}).out,
              "Core:                   FT-240-61: le 144.5 mm, Ae 157.4 mm^2, mu_e 126.4\n"
              "Turns:                  10\n"
              "Power:                  100 W into 50 ohms\n"
              "Sine voltage:           70.71 V rms at 7.1 MHz\n"
              "Peak flux density (B):  1.424 mT = 14.24 gauss\n"
              "Voltages:               70.71 V rms across the winding, 100 V peak between its first and last turns "
              "(side by side), 7.071 V rms a turn\n"
              "Insulation rating:      none known for this wire: give its insulation or the coax, or compare the "
              "peak with the maker's rating\n");
}

} // namespace
