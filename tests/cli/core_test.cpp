// core: the effective parameters and the permeability, worked by hand.
#include "tests/cli/helpers.h"

namespace {

// IEC 60205's worked toroid, and the permeability of catalogue cores against
// the makers' nominal figures.
TEST(Cli, EffectiveParametersAndPermeability)
{
    design::Effective e = design::effectiveParameters(25, 15, 10);
    EXPECT_NEAR(e.lengthMm, 60.2, 0.05);
    EXPECT_NEAR(e.areaMm2, 48.9, 0.05);
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
    }
    // FT-240: 2.4 x 1.4 x 0.5 in. By hand: le = 2 pi ln(r2/r1) / (1/r1 - 1/r2) = 144.514 mm,
    // Ae = h ln^2 / (1/r1 - 1/r2) = 157.441 mm^2; in inches 5.690, 0.2440 and 1.388.
    nlohmann::json j = nlohmann::json::parse(
        cli({"core", "--family", "ferrite", "--size", "240", "--material", "61", "--json"}).out);
    EXPECT_DOUBLE_EQ(j["outsideDiameterMm"].get<double>(), 60.96);
    EXPECT_DOUBLE_EQ(j["insideDiameterMm"].get<double>(), 35.56);
    EXPECT_DOUBLE_EQ(j["thicknessMm"].get<double>(), 12.7);
    EXPECT_NEAR(j["effectiveLengthMm"].get<double>(), 144.514, 0.001);
    EXPECT_NEAR(j["effectiveAreaMm2"].get<double>(), 157.441, 0.001);
    EXPECT_NEAR(j["effectiveVolumeMm3"].get<double>(), 144.514 * 157.441, 0.5);
    EXPECT_EQ(cli({"core", "--family", "ferrite", "--size", "240", "--material", "61", "--unit", "inches"}).out,
              "FT-240-61: ferrite, dimensions in inches\n"
              "size  outside  inside  thickness\n"
              "240   2.4      1.4     .5\n"
              "\n"
              "material  colour  wide band (MHz)  tuned circuit (MHz)\n"
              "61        None    10 to 200        .2 to 10\n"
              "\n"
              "AL:                      1730 uH per 100 turns = 173 nH/N^2\n"
              "Effective length (le):   5.69 in (144.5 mm)\n"
              "Effective area (Ae):     0.244 in^2 (157.4 mm^2)\n"
              "Effective volume (Ve):   1.388 in^3 (22752 mm^3)\n"
              "Effective permeability:  126.4\n"
              "Winding capacitance:     2.125 pF (the self-capacitance model of the outline, any turns)\n");
    // Two side by side: AL, Ae, the volume and C_s's outline twice as high
    // (2.391 pF, the data README's), the surface both faces and walls 2h high:
    // 2 pi/4 (6.096^2 - 3.556^2) + pi (6.096 + 3.556) 2.54 = 115.529 cm^2; le and mu_e one core's.
    j = nlohmann::json::parse(
        cli({"core", "--family", "ferrite", "--size", "240", "--material", "61", "--stack", "2", "--json"}).out);
    EXPECT_EQ(j["stack"], 2);
    EXPECT_DOUBLE_EQ(j["alNanohenryPerTurnSquared"].get<double>(), 346);
    EXPECT_NEAR(j["effectiveLengthMm"].get<double>(), 144.514, 0.001);
    EXPECT_NEAR(j["effectiveAreaMm2"].get<double>(), 2 * 157.441, 0.002);
    EXPECT_NEAR(j["effectiveVolumeMm3"].get<double>(), 2 * 144.514 * 157.441, 1);
    EXPECT_NEAR(j["surfaceAreaCm2"].get<double>(), 115.5293, 1e-4);
    EXPECT_NEAR(j["selfCapacitancePf"].get<double>(), 2.391, 0.0005);
    EXPECT_NEAR(j["permeability"].get<double>(), 126.4, 0.05);
}

} // namespace
