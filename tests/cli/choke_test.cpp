// choke: every design holds its target, and no core that could is missing.
#include "tests/cli/helpers.h"

namespace {

// A choke's test, held by the twin's impedance on the same core, stack,
// turns and capacitance: |Z| and R at every frequency of the band with the
// permeability times 1 - t, 1 and 1 + t (--scale), and under a drive the
// rise of the worst loss over them, (loss in mW / surface in cm^2)^0.833 at
// the duty.
struct ChokeCase {
    std::vector<std::string> args;
    double lowMhz, highMhz, impedance, resistance, tolerance; // ohms; 0 not asked
    double vrms, amps, duty, maxRise;                         // no drive: both 0
    std::vector<std::string> sizes;
    int maxStack;
    double wireMm;
};

// The catalogue's inches as written: the shortest text that reads back as the float.
std::string plainFloat(float f)
{
    char buf[32];
    for (int digits = 1;; digits++) {
        snprintf(buf, sizeof buf, "%.*g", digits, f);
        if (std::strtof(buf, nullptr) == f)
            return buf;
    }
}

bool chokeHolds(const ChokeCase &c, const std::string &size, const std::string &material, int stack, long turns,
                double pf)
{
    char pfText[40], band[80];
    snprintf(pfText, sizeof pfText, "%.17g", pf);
    snprintf(band, sizeof band, "%.17g:%.17g", c.lowMhz, c.highMhz);
    double worstLoss = 0;
    for (double k : {1 - c.tolerance, 1.0, 1 + c.tolerance}) {
        char scale[40];
        snprintf(scale, sizeof scale, "%.17g", k);
        CliRun r = cli({"impedance", "--family", "ferrite", "--size", size, "--material", material, "--stack",
                        std::to_string(stack), "--turns", std::to_string(turns), "--scale", scale, "--mhz", band,
                        "--points", "50", "--pf", pfText, "--json"});
        EXPECT_EQ(r.code, 0) << r.err;
        const nlohmann::json sweep = nlohmann::json::parse(r.code == 0 ? r.out : "{\"points\": []}");
        for (const auto &p : sweep["points"]) {
            double z = p["impedanceOhms"].get<double>(), rs = p["resistanceOhms"].get<double>();
            if (z < c.impedance * (1 - 1e-9) || rs < c.resistance * (1 - 1e-9))
                return false;
            worstLoss = std::max(worstLoss, c.amps > 0 ? c.amps * c.amps * rs : c.vrms * c.vrms * rs / (z * z));
        }
    }
    if (c.vrms == 0 && c.amps == 0)
        return true;
    // The stack's surface: both faces, and the outer and inner walls K h high, in cm.
    const CoreSize &s = FerriteCatalogue.sizes[codeIndex(FerriteCatalogue, size, true)];
    double od = std::stod(plainFloat(s.outsideDiameter)) * 2.54, id = std::stod(plainFloat(s.insideDiameter)) * 2.54,
           h = std::stod(plainFloat(s.thickness)) * 2.54 * stack;
    double surface = 2 * design::Pi / 4 * (od * od - id * id) + design::Pi * (od + id) * h;
    return std::pow(worstLoss * c.duty * 1e3 / surface, 0.833) <= c.maxRise * (1 + 1e-9);
}

// Every design offered holds its target at every point (at the tolerance's
// ends too), one turn fewer does not, and every core and stack not offered
// fails with every turn that fits in one layer: none is missing from --all.
TEST(Cli, ChokeDesignsHoldTheirTargetAndNoneIsMissing)
{
    const ChokeCase cases[] = {
        {{"--mhz", "1.8:30", "--min-impedance", "1000", "--sizes", "50,114,240"},
         1.8, 30, 1000, 0, 0.25, 0, 0, 1, 40, {"50", "114", "240"}, 1, 1},
        {{"--mhz", "3.5:7.3", "--min-resistance", "500", "--sizes", "82,140,240", "--max-stack", "2", "--awg", "20"},
         3.5, 7.3, 0, 500, 0.25, 0, 0, 1, 40, {"82", "140", "240"}, 2, 0.0316227766 * 25.4},
        {{"--mhz", "1.8:30", "--min-impedance", "1000", "--min-resistance", "500", "--watts", "100", "--sizes",
          "140,240", "--max-stack", "2", "--tolerance", "20"},
         1.8, 30, 1000, 500, 0.20, std::sqrt(5000.0), 0, 1, 40, {"140", "240"}, 2, 1},
        {{"--mhz", "7:14.35", "--min-impedance", "1000", "--amps", "0.07", "--max-rise", "30", "--duty", "50",
          "--wire-mm", "5", "--sizes", "193A,240", "--max-stack", "2"},
         7, 14.35, 1000, 0, 0.25, 0, 0.07, 0.5, 30, {"193A", "240"}, 2, 5},
    };
    for (const ChokeCase &c : cases) {
        std::vector<std::string> args = {"choke", "--all", "--json"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        CliRun r = cli(args);
        ASSERT_EQ(r.code, 0) << r.err;
        nlohmann::json j = nlohmann::json::parse(r.out);
        std::set<std::string> offered;
        for (const auto &d : j["designs"]) {
            std::string size = d["size"], material = d["material"];
            int stack = d["stack"];
            long turns = d["turns"];
            double pf = d["capacitancePf"];
            offered.insert(size + "-" + material + "x" + std::to_string(stack));
            const CoreSize &s = FerriteCatalogue.sizes[codeIndex(FerriteCatalogue, size, true)];
            EXPECT_LE(turns, design::mostTurns(s.insideDiameter, c.wireMm / 25.4)) << size << ": fits in one layer";
            EXPECT_TRUE(chokeHolds(c, size, material, stack, turns, pf)) << size << "-" << material << " x" << stack;
            if (turns > 1) {
                EXPECT_FALSE(chokeHolds(c, size, material, stack, turns - 1, pf))
                    << size << "-" << material << " x" << stack << ": one turn fewer";
            }
        }
        int searched = 0;
        for (const std::string &size : c.sizes)
            for (const char *material : {"31", "43", "46", "51", "61", "73", "75", "77"}) {
                const design::FerriteData *data = design::ferriteData(material);
                if (c.lowMhz * 1e6 < data->lowHz() || c.highMhz * 1e6 > data->highHz())
                    continue;
                for (int stack = 1; stack <= c.maxStack; stack++) {
                    searched++;
                    if (offered.count(size + "-" + material + "x" + std::to_string(stack)))
                        continue;
                    const CoreSize &s = FerriteCatalogue.sizes[codeIndex(FerriteCatalogue, size, true)];
                    double pf = design::selfCapacitancePf(design::outlineOf(s, stack));
                    long most = design::mostTurns(s.insideDiameter, c.wireMm / 25.4);
                    for (long n = 1; n <= most; n++)
                        ASSERT_FALSE(chokeHolds(c, size, material, stack, n, pf))
                            << size << "-" << material << " x" << stack << " with " << n << " turns is missing";
                }
            }
        EXPECT_EQ(j["searched"], searched);
        EXPECT_FALSE(j["designs"].empty()) << r.out;
    }
}

} // namespace
