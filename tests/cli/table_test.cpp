// table: its rows agree with single solves, decimal steps counted in decimal.
#include "tests/cli/helpers.h"

namespace {

// Each row of a table is what a single solve prints.
TEST(Cli, TableRowsAgreeWithSingleSolves)
{
    struct Case {
        std::vector<std::string> core;
        bool byTurns;
        std::string range, units;
    } cases[] = {
        {{"--family", "iron", "--size", "50", "--material", "2"}, true, "1:30:7", "uH"},
        {{"--family", "ferrite", "--size", "82", "--material", "61", "--unit", "mm"}, false, "0.5:3:0.25", "mH"},
        {{"--family", "iron", "--size", "200", "--material", "26"}, false, "100:1000:300", "nH"},
    };
    for (const Case &c : cases) {
        std::vector<std::string> args = {"table"};
        args.insert(args.end(), c.core.begin(), c.core.end());
        args.insert(args.end(), {c.byTurns ? "--turns" : "--inductance", c.range, "--csv"});
        if (!c.byTurns)
            args.insert(args.end(), {"--units", c.units});
        CliRun r = cli(args);
        ASSERT_EQ(r.code, 0) << r.err;
        std::vector<std::string> rows = lines(r.out);
        ASSERT_GT(rows.size(), 2u);
        EXPECT_EQ(rows[0], "turns,inductance,unit,AWG,wire length,unit");
        for (size_t i = 1; i < rows.size(); i++) {
            std::vector<std::string> cells;
            std::istringstream in(rows[i]);
            for (std::string cell; std::getline(in, cell, ',');)
                cells.push_back(cell);
            ASSERT_EQ(cells.size(), 6u) << rows[i];
            std::vector<std::string> one = {"solve"};
            one.insert(one.end(), c.core.begin(), c.core.end());
            if (c.byTurns)
                one.insert(one.end(), {"--turns", cells[0]});
            else
                one.insert(one.end(), {"--inductance", cells[1], "--units", c.units});
            std::vector<std::string> single = lines(cli(one).out);
            ASSERT_EQ(single.size(), 13u);
            EXPECT_EQ(single[7], "Max. wire size:   " + cells[3] + "  AWG") << rows[i];
            EXPECT_EQ(single[9], "   (Not including leads):    " + cells[4] + "  " + cells[5]) << rows[i];
            if (c.byTurns) {
                EXPECT_EQ(single[11], " " + cells[1]) << rows[i];
                EXPECT_EQ(single[12], cells[2]);
            } else {
                EXPECT_EQ(single[10], " " + cells[0]) << rows[i];
            }
        }
    }
}

// Decimal steps reach TO: the rows are the decimal values, TO included.
TEST(Cli, TableRowsForDecimalSteps)
{
    const struct {
        std::vector<std::string> range;
        size_t rows;
        const char *first, *beforeLast, *last; // the input column of the rows
        int column;
    } cases[] = {
        {{"--turns", "1:10:0.1"}, 91, "1", "9.9", "10", 0},
        {{"--inductance", "0.1:10:0.1"}, 100, "0.1", "9.9", "10", 1},
        {{"--inductance", "1e-3:0.003:0.001", "--units", "mH"}, 3, "0.001", "0.002", "0.003", 1},
        {{"--turns", "5:6:0.3"}, 4, "5", "5.6", "5.9", 0}, // 6 is not reached
        {{"--turns", "1:10000"}, 10000, "1", "9999", "10000", 0}, // the most rows; 1:10001 is refused
    };
    for (const auto &c : cases) {
        std::vector<std::string> args = {"table", "--family", "iron", "--size", "50", "--material", "2", "--csv"};
        args.insert(args.end(), c.range.begin(), c.range.end());
        CliRun r = cli(args);
        ASSERT_EQ(r.code, 0) << r.err;
        std::vector<std::string> rows = lines(r.out);
        ASSERT_EQ(rows.size(), c.rows + 1) << c.range[1];
        auto cell = [&](size_t row) {
            std::istringstream in(rows[row]);
            std::string v;
            for (int i = 0; i <= c.column; i++)
                std::getline(in, v, ',');
            return v;
        };
        EXPECT_EQ(cell(1), c.first);
        EXPECT_EQ(cell(rows.size() - 2), c.beforeLast);
        EXPECT_EQ(cell(rows.size() - 1), c.last);
    }
}

} // namespace
