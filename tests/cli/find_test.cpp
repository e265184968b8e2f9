// find: every core agrees with a single solve; the materials meant for a frequency at its edges.
#include "tests/cli/helpers.h"

namespace {

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

} // namespace
