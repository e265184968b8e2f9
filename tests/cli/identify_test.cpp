// identify: test windings on known cores are named.
#include "tests/cli/helpers.h"

namespace {

// A test winding made from a catalogue core's own AL and dimensions names
// that core first; a size the catalogue lacks still ranks the mix, by the
// median of its cores' mu_e (worked in double precision outside the code).
TEST(Cli, IdentifyTestWindings)
{
    const struct {
        std::vector<std::string> args;
        const char *family, *material, *size; // size nullptr: none matched
        double ratio;                          // the best candidate's
        size_t warnings;
    } cases[] = {
        // T-50-2: AL 49, so 20 turns give 1.96 uH.
        {{"--od", "0.5", "--id", "0.3", "--height", "0.19", "--turns", "20", "--inductance", "1.96"}, "iron", "2", "50", 1, 0},
        // FT-240-61 in mm: AL 1730, 10 turns give 17.3 uH.
        {{"--od", "60.96", "--id", "35.56", "--height", "12.7", "--unit", "mm", "--turns", "10", "--inductance", "17300", "--units", "nH"}, "ferrite", "61", "240", 1, 0},
        // No catalogue size: mu_e 946.650 against mix 43's median 950.313 (the mean is 934.8).
        {{"--od", "1", "--id", "0.5", "--height", "0.3", "--turns", "10", "--inductance", "0.1", "--units", "mH"}, "ferrite", "43", nullptr, 0.996146, 0},
        // No size, iron: AL 17.6 nH/N^2 but mu_e 9.9966, against mix 2's median 9.71950.
        {{"--od", "2", "--id", "1", "--height", "0.5", "--turns", "10", "--inductance", "1.76"}, "iron", "2", nullptr, 1.028512, 0},
        // Millimetres typed as inches: mu_e 0.385, and T-50 read as mm.
        {{"--od", "12.7", "--id", "7.7", "--height", "4.8", "--turns", "10", "--inductance", "0.47"}, "iron", "17", nullptr, 0, 2},
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
        } else {
            EXPECT_TRUE(best["size"].is_null());
        }
        if (c.ratio > 0) {
            EXPECT_NEAR(best["ratio"].get<double>(), c.ratio, 1e-6) << c.material;
        }
        EXPECT_EQ(j["warnings"].size(), c.warnings);
    }
    CliRun text = cli({"identify", "--od", "12.8", "--id", "7.5", "--height", "4.9", "--unit", "mm", "--turns", "10",
                       "--inductance", "470", "--units", "nH"});
    EXPECT_NE(text.out.find("T-50, and AL 47 is closest to T-50-2 (49), colour Red"), std::string::npos) << text.out;
    EXPECT_EQ(text.out.find("Warning"), std::string::npos);
    text = cli({"identify", "--od", "12.7", "--id", "7.7", "--height", "4.8", "--turns", "10", "--inductance", "0.47"});
    EXPECT_EQ(text.code, 0);
    EXPECT_NE(text.out.find("Catalogue size:          none within 5 % in every dimension\n"), std::string::npos);
    EXPECT_NE(text.out.find("Warning:                 an effective permeability below 1 is impossible"),
              std::string::npos) << text.out;
    EXPECT_NE(text.out.find("(T-50 in mm): did you mean --unit mm?"), std::string::npos) << text.out;
}

} // namespace
