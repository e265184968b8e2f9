// The solve request through the in-memory form: the texts it writes, the
// order of its checks, and what stays on the screen after a refusal.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calc/controlids.h"
#include "calc/results.h"
#include "calc/solve.h"
#include "calc/state.h"
#include "calc/memform.h"

namespace {

const std::string LengthCaption = "Total length of wire\r\n   (Not including leads):   ";

std::string colorLine(const std::string &code)
{
    return "Color Code:      " + code + std::string(20 - code.size(), ' ');
}

struct Line {
    int id;
    std::string text;
};

struct SolveCase {
    const char *name;
    CoreType type;
    LengthUnit unit;
    const char *size, *material;
    SolveMode mode;
    const char *turns, *inductance, *units; // the three input boxes before the solve
    int message;                            // -1: none
    std::vector<Line> lines;                // texts after the solve
};

class Solve : public testing::Test {
protected:
    void SetUp() override { form.reset(); }

    void prepare(const SolveCase &c)
    {
        form.reset();
        coreType = c.type;
        setLengthUnit(c.unit);
        form.setCombos(c.size, c.material);
        form.texts[ID_TURNS_EDIT] = c.turns;
        form.texts[ID_INDUCTANCE_EDIT] = c.inductance;
        form.texts[ID_UNITS_COMBO] = c.units;
        solveMode = c.mode;
    }

    void check(const SolveCase &c)
    {
        SCOPED_TRACE(c.name);
        prepare(c);
        solve();
        if (c.message < 0) {
            EXPECT_TRUE(form.messages.empty()) << form.messages[0].text;
        } else {
            ASSERT_EQ(form.messages.size(), 1u);
            EXPECT_EQ(form.messages[0].text, InvalidDataMessages[c.message]);
            EXPECT_EQ(form.messages[0].caption, "Invalid Data");
            EXPECT_EQ(form.messages[0].style, 0x2010u);
        }
        for (const Line &l : c.lines)
            EXPECT_EQ(form.text(l.id), l.text) << "control " << l.id;
    }
};

const std::vector<Line> Iron50x2Inches = {
    {ID_OD_LABEL, "Outside Diameter:   .5 inches"},
    {ID_ID_LABEL, "Inside Diameter:   .3 inches"},
    {ID_THICKNESS_LABEL, "Core Thickness:   .19 inches"},
    {ID_COLOR_LABEL, colorLine("Red")},
    {ID_FREQ_LABEL, "Usable frequency range:"},
    {ID_WIDEBAND_LABEL, " 2  to   30  MHz"},
    {ID_TUNED_LABEL, ""},
};

const std::vector<Line> Iron50x2Millimetres = {
    {ID_OD_LABEL, "Outside Diameter:   12.7 mm"},
    {ID_ID_LABEL, "Inside Diameter:   7.62 mm"},
    {ID_THICKNESS_LABEL, "Core Thickness:   4.826 mm"},
    {ID_COLOR_LABEL, colorLine("Red")},
    {ID_WIDEBAND_LABEL, " 2  to   30  MHz"},
    {ID_TUNED_LABEL, ""},
};

std::vector<Line> with(std::vector<Line> lines, const std::vector<Line> &more)
{
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

TEST_F(Solve, WorkedExamples)
{
    const SolveCase cases[] = {
        {"inches, 20 turns", CorePowderedIron, LengthInches, "50", "2", SolveInductance, "20", "", "uH", -1,
         with(Iron50x2Inches, {{ID_INDUCTANCE_EDIT, " 1.96"}, {ID_UNITS_COMBO, "uH"}, {ID_TURNS_EDIT, "20"},
                               {ID_WIRE_SIZE_LABEL, "Max. wire size:   19  AWG"},
                               {ID_WIRE_LENGTH_LABEL, LengthCaption + " 16.19  inches"}})},
        {"mm, 10 turns", CorePowderedIron, LengthMillimetres, "50", "2", SolveInductance, "10", "", "uH", -1,
         with(Iron50x2Millimetres, {{ID_INDUCTANCE_EDIT, " 490"}, {ID_UNITS_COMBO, "nH"},
                                    {ID_WIRE_SIZE_LABEL, "Max. wire size:   15  AWG"},
                                    {ID_WIRE_LENGTH_LABEL, LengthCaption + " 203.2  mm"}})},
        {"mm, 20 turns", CorePowderedIron, LengthMillimetres, "50", "2", SolveInductance, "20", "", "uH", -1,
         with(Iron50x2Millimetres, {{ID_WIRE_SIZE_LABEL, "Max. wire size:   19  AWG"},
                                    {ID_WIRE_LENGTH_LABEL, LengthCaption + " 411.22  mm"}})},
        {"inches, 10 uH", CorePowderedIron, LengthInches, "50", "2", SolveTurns, "", "10", "uH", -1,
         with(Iron50x2Inches, {{ID_TURNS_EDIT, " 45"}, {ID_INDUCTANCE_EDIT, "10"}, {ID_UNITS_COMBO, "uH"},
                               {ID_WIRE_SIZE_LABEL, "Max. wire size:   25  AWG"},
                               {ID_WIRE_LENGTH_LABEL, LengthCaption + " 36.809  inches"}})},
        {"mm, 10 uH", CorePowderedIron, LengthMillimetres, "50", "2", SolveTurns, "", "10", "uH", -1,
         with(Iron50x2Millimetres, {{ID_TURNS_EDIT, " 45"}, {ID_WIRE_SIZE_LABEL, "Max. wire size:   25  AWG"}})},
        {"ferrite 50B/43", CoreFerrite, LengthInches, "50B", "43", SolveInductance, "10", "", "uH", -1,
         {{ID_OD_LABEL, "Outside Diameter:   .5 inches"},
          {ID_ID_LABEL, "Inside Diameter:   .312 inches"},
          {ID_THICKNESS_LABEL, "Core Thickness:   .5 inches"},
          {ID_COLOR_LABEL, colorLine("None")},
          {ID_WIDEBAND_LABEL, "Wide Band:   1  to   50  MHz"},
          {ID_TUNED_LABEL, "Tuned circuit:   .01  to   1  MHz"},
          {ID_INDUCTANCE_EDIT, " 114"}, {ID_UNITS_COMBO, "uH"}}},
        {"ferrite 37/61 mm", CoreFerrite, LengthMillimetres, "37", "61", SolveTurns, "", "1", "mH", -1,
         {{ID_OD_LABEL, "Outside Diameter:   9.525 mm"},
          {ID_ID_LABEL, "Inside Diameter:   4.7498 mm"},
          {ID_THICKNESS_LABEL, "Core Thickness:   3.175 mm"},
          {ID_WIDEBAND_LABEL, "Wide Band:   10  to   200  MHz"},
          {ID_TUNED_LABEL, "Tuned circuit:   .2  to   10  MHz"},
          {ID_TURNS_EDIT, " 134"}}},
        {"iron 200/26", CorePowderedIron, LengthInches, "200", "26", SolveInductance, "1", "", "", -1,
         {{ID_WIDEBAND_LABEL, " 0  to   1  MHz"}, {ID_COLOR_LABEL, colorLine("Yel/Wht")},
          {ID_INDUCTANCE_EDIT, " 89.5"}, {ID_UNITS_COMBO, "nH"}}},
    };
    for (const SolveCase &c : cases)
        check(c);
}

// The unit a computed inductance is shown in, and the exponent form near
// the unit boundaries.
TEST_F(Solve, InductanceUnitChoice)
{
    const SolveCase cases[] = {
        // 68/6: AL 47; 50/1: AL 100; 200/1: AL 250.
        {"0.47 uH", CorePowderedIron, LengthInches, "68", "6", SolveInductance, "10", "", "", -1,
         {{ID_INDUCTANCE_EDIT, " 470"}, {ID_UNITS_COMBO, "nH"}}},
        {"1 uH", CorePowderedIron, LengthInches, "50", "1", SolveInductance, "10", "", "", -1,
         {{ID_INDUCTANCE_EDIT, " 1"}, {ID_UNITS_COMBO, "uH"}}},
        {"900 uH", CorePowderedIron, LengthInches, "50", "1", SolveInductance, "300", "", "", -1,
         {{ID_INDUCTANCE_EDIT, " 900"}, {ID_UNITS_COMBO, "uH"}}},
        {"999.5 uH", CorePowderedIron, LengthInches, "50", "1", SolveInductance, "316.15", "", "", -1,
         {{ID_INDUCTANCE_EDIT, " 1E+3"}, {ID_UNITS_COMBO, "uH"}}},
        {"1000 uH", CorePowderedIron, LengthInches, "200", "1", SolveInductance, "200", "", "", -1,
         {{ID_INDUCTANCE_EDIT, " 1"}, {ID_UNITS_COMBO, "mH"}}},
        {"0.9996 uH", CorePowderedIron, LengthInches, "50", "1", SolveInductance, "9.998", "", "", -1,
         {{ID_INDUCTANCE_EDIT, " 1E+3"}, {ID_UNITS_COMBO, "nH"}}},
        {"big", CoreFerrite, LengthInches, "150A", "J", SolveInductance, "65535", "", "", -1,
         {{ID_INDUCTANCE_EDIT, " 3.59E+7"}, {ID_UNITS_COMBO, "mH"}}},
    };
    for (const SolveCase &c : cases)
        check(c);
}

TEST_F(Solve, TurnsResults)
{
    const SolveCase cases[] = {
        {"100 turns", CorePowderedIron, LengthInches, "50", "2", SolveTurns, "", "49", "uH", -1,
         {{ID_TURNS_EDIT, " 100"}, {ID_WIRE_SIZE_LABEL, "Max. wire size:   31  AWG"}}},
        // 1.5625 uH on AL 100 is exactly 12.5 turns: shown as 12 (ties to
        // even), wired as 12.5 (gauge 16, not 12 turns' 15).
        {"12.5 turns", CorePowderedIron, LengthInches, "50", "1", SolveTurns, "", "1.5625", "uH", -1,
         {{ID_TURNS_EDIT, " 12"}, {ID_WIRE_SIZE_LABEL, "Max. wire size:   16  AWG"},
          {ID_WIRE_LENGTH_LABEL, LengthCaption + " 10.047  inches"}}},
        {"over 100000 turns", CorePowderedIron, LengthInches, "12", "12", SolveTurns, "", "65536", "mH", -1,
         {{ID_TURNS_EDIT, " 2.956E+5"}}},
        {"a fraction of a turn", CoreFerrite, LengthInches, "150A", "J", SolveTurns, "", "0.001", "nH", -1,
         {{ID_TURNS_EDIT, " 0"}, {ID_WIRE_LENGTH_LABEL, LengthCaption + " 0  inches"},
          {ID_WIRE_SIZE_LABEL, "Max. wire size:   1  AWG"}}},
    };
    for (const SolveCase &c : cases)
        check(c);
}

// Every check in its place, with its boundaries. The earlier results stay.
TEST_F(Solve, ChecksInOrderAndBoundaries)
{
    const std::vector<Line> untouched = {
        {ID_WIRE_SIZE_LABEL, "Max wire size:"}, {ID_WIRE_LENGTH_LABEL, "Total length of wire:"}};
    const SolveCase cases[] = {
        {"no boxes yet", CorePowderedIron, LengthInches, "", "", SolveTurns, "", "10", "uH", 0,
         {{ID_OD_LABEL, "Outside Diameter:"}, {ID_WIRE_LENGTH_LABEL, LengthCaption}}},
        {"no AL", CorePowderedIron, LengthInches, "12", "26", SolveInductance, "10", "", "uH", 1,
         {{ID_OD_LABEL, "Outside Diameter:"}, {ID_WIRE_LENGTH_LABEL, LengthCaption}}},
        // The core is checked before any input is read.
        {"no boxes before bad turns", CorePowderedIron, LengthInches, "", "", SolveInductance, "abc", "", "uH", 0, {}},
        {"no AL before bad turns", CorePowderedIron, LengthInches, "12", "26", SolveInductance, "-1", "", "uH", 1, {}},
        {"no AL before bad inductance", CorePowderedIron, LengthInches, "12", "26", SolveTurns, "", "0", "pF", 1, {}},
        {"unknown size before bad unit", CoreFerrite, LengthInches, "50", "2", SolveTurns, "", "70000", "", 0, {}},
        {"empty turns", CorePowderedIron, LengthInches, "50", "2", SolveInductance, "", "7", "uH", 2,
         with(Iron50x2Inches, with(untouched, {{ID_INDUCTANCE_EDIT, "7"}}))},
        {"0.5 turns", CorePowderedIron, LengthInches, "50", "2", SolveInductance, "0.5", "", "uH", 2, untouched},
        {"1 turn", CorePowderedIron, LengthInches, "50", "2", SolveInductance, "1", "", "uH", -1,
         {{ID_WIRE_SIZE_LABEL, "Max. wire size:   8  AWG"}}},
        // 49 uH * 655.35^2 = 21044.7 mH; 2 * 65535 * 0.39 * 1.05 - 0.19 = 53673 inches.
        {"65535 turns", CorePowderedIron, LengthInches, "50", "2", SolveInductance, "65535", "", "uH", -1,
         {{ID_INDUCTANCE_EDIT, " 2.1E+4"}, {ID_UNITS_COMBO, "mH"},
          {ID_WIRE_SIZE_LABEL, "Max. wire size:   87  AWG"},
          {ID_WIRE_LENGTH_LABEL, LengthCaption + " 53673  inches"}}},
        {"65536 turns", CorePowderedIron, LengthInches, "50", "2", SolveInductance, "65536", "", "uH", 6, untouched},
        {"negative turns", CorePowderedIron, LengthInches, "50", "2", SolveInductance, "-20", "", "uH", 2, {}},
        {"empty inductance", CorePowderedIron, LengthInches, "50", "2", SolveTurns, "33", "", "uH", 3,
         with(Iron50x2Inches, with(untouched, {{ID_TURNS_EDIT, "33"}}))},
        // 100 * sqrt(0.000001 / 49) = 0.0143 turns: d = 0.1497 in, g = 6.50.
        {"0.001 nH", CorePowderedIron, LengthInches, "50", "2", SolveTurns, "", "0.001", "nH", -1,
         {{ID_TURNS_EDIT, " 0"}, {ID_WIRE_SIZE_LABEL, "Max. wire size:   7  AWG"},
          {ID_WIRE_LENGTH_LABEL, LengthCaption + " 0  inches"}}},
        // 14.29 turns: 2 * 14.286 * 0.39 * 1.05 - 0.19 = 11.51 inches.
        {"0.001 mH", CorePowderedIron, LengthInches, "50", "2", SolveTurns, "", "0.001", "mH", -1,
         {{ID_TURNS_EDIT, " 14"}, {ID_WIRE_SIZE_LABEL, "Max. wire size:   17  AWG"},
          {ID_WIRE_LENGTH_LABEL, LengthCaption + " 11.51  inches"}}},
        {"0.0009", CorePowderedIron, LengthInches, "50", "2", SolveTurns, "", "0.0009", "uH", 3, untouched},
        // 100 * sqrt(65.536 / 49) = 115.65 turns.
        {"65536", CorePowderedIron, LengthInches, "50", "2", SolveTurns, "", "65536", "nH", -1,
         {{ID_TURNS_EDIT, " 116"}, {ID_WIRE_SIZE_LABEL, "Max. wire size:   32  AWG"},
          {ID_WIRE_LENGTH_LABEL, LengthCaption + " 94.526  inches"}}},
        {"65537", CorePowderedIron, LengthInches, "50", "2", SolveTurns, "", "65537", "uH", 5, untouched},
        {"too large beats no unit", CorePowderedIron, LengthInches, "50", "2", SolveTurns, "", "70000", "pF", 5, {}},
        {"too small beats no unit", CorePowderedIron, LengthInches, "50", "2", SolveTurns, "", "0", "", 3, {}},
        {"UH", CorePowderedIron, LengthInches, "50", "2", SolveTurns, "", "10", "UH", 4, untouched},
        {"uH and a blank", CorePowderedIron, LengthInches, "50", "2", SolveTurns, "", "10", "uH ", 4, {}},
        {"blank and uH", CorePowderedIron, LengthInches, "50", "2", SolveTurns, "", "10", " uH", 4, {}},
        {"empty unit", CorePowderedIron, LengthInches, "50", "2", SolveTurns, "", "10", "", 4, {}},
        {"mh", CorePowderedIron, LengthInches, "50", "2", SolveTurns, "", "10", "mh", 4, {}},
        {"the unit box is not read for inductance", CorePowderedIron, LengthInches, "50", "2",
         SolveInductance, "20", "", "garbage", -1, {{ID_UNITS_COMBO, "uH"}}},
    };
    for (const SolveCase &c : cases)
        check(c);
}

// A failed check after an earlier solve: the core lines show the new core,
// the wire lines and input boxes the old results.
TEST_F(Solve, RefusalKeepsEarlierResults)
{
    form.setCombos("50", "2");
    form.texts[ID_TURNS_EDIT] = "20";
    solveMode = SolveInductance;
    solve();
    ASSERT_TRUE(form.messages.empty());
    const std::string size = form.text(ID_WIRE_SIZE_LABEL), length = form.text(ID_WIRE_LENGTH_LABEL);

    form.setCombos("200", "26");
    form.texts[ID_TURNS_EDIT] = "";
    form.clearLog();
    solve();
    ASSERT_EQ(form.messages.size(), 1u);
    EXPECT_EQ(form.messages[0].text, InvalidDataMessages[2]);
    EXPECT_EQ(form.text(ID_OD_LABEL), "Outside Diameter:   2 inches");
    EXPECT_EQ(form.text(ID_COLOR_LABEL), colorLine("Yel/Wht"));
    EXPECT_EQ(form.text(ID_WIRE_SIZE_LABEL), size);
    EXPECT_EQ(form.text(ID_WIRE_LENGTH_LABEL), length);
    EXPECT_EQ(form.text(ID_INDUCTANCE_EDIT), " 1.96");
    EXPECT_EQ(form.text(ID_UNITS_COMBO), "uH");
}

// Writes happen in the stated order: core lines, then the result, units last.
TEST_F(Solve, WriteOrder)
{
    form.setCombos("50", "2");
    form.texts[ID_TURNS_EDIT] = "10";
    solveMode = SolveInductance;
    solve();
    std::vector<int> ids;
    for (const FormWrite &w : form.writes)
        ids.push_back(w.id);
    const std::vector<int> expected = {ID_OD_LABEL, ID_ID_LABEL, ID_THICKNESS_LABEL, ID_COLOR_LABEL,
                                       ID_WIDEBAND_LABEL, ID_TUNED_LABEL, ID_INDUCTANCE_EDIT,
                                       ID_UNITS_COMBO, ID_WIRE_SIZE_LABEL, ID_WIRE_LENGTH_LABEL};
    EXPECT_EQ(ids, expected);
}

// What one solve writes is the input of the next, leading blank and all.
TEST_F(Solve, SolveAfterSolveReadsBack)
{
    form.setCombos("50", "2");
    form.texts[ID_TURNS_EDIT] = "20";
    solveMode = SolveInductance;
    solve();
    EXPECT_EQ(form.text(ID_INDUCTANCE_EDIT), " 1.96");
    form.texts[ID_TURNS_EDIT] = "";
    solveMode = SolveTurns;
    solve();
    EXPECT_EQ(form.text(ID_TURNS_EDIT), " 20");
    EXPECT_TRUE(form.messages.empty());

    // The exponent form reads back too: " 1E+3" nH is 1 uH.
    form.setCombos("50", "1");
    form.texts[ID_TURNS_EDIT] = "9.998";
    solveMode = SolveInductance;
    solve();
    ASSERT_EQ(form.text(ID_INDUCTANCE_EDIT), " 1E+3");
    solveMode = SolveTurns;
    solve();
    EXPECT_EQ(form.text(ID_TURNS_EDIT), " 10");
    EXPECT_TRUE(form.messages.empty());
}

// A unit switch between solves: clearResults, then the next solve in mm.
TEST_F(Solve, UnitSwitchBetweenSolves)
{
    form.setCombos("50", "2");
    form.texts[ID_TURNS_EDIT] = "20";
    solveMode = SolveInductance;
    solve();
    setLengthUnit(LengthMillimetres);
    clearResults();
    EXPECT_EQ(form.text(ID_OD_LABEL), "Outside Diameter:");
    EXPECT_EQ(form.text(ID_WIRE_LENGTH_LABEL), LengthCaption);
    EXPECT_EQ(form.text(ID_WIRE_SIZE_LABEL), "Max. wire size:   19  AWG");
    solve();
    EXPECT_EQ(form.text(ID_OD_LABEL), "Outside Diameter:   12.7 mm");
    EXPECT_EQ(form.text(ID_WIRE_LENGTH_LABEL), LengthCaption + " 411.22  mm");
}

// A megabyte typed into a box reads as a number like any other text.
TEST_F(Solve, HugeInputs)
{
    const std::string mega(1 << 20, '7'), junk(1 << 20, '#');
    const std::string tinyMega = "0." + std::string(1 << 20, '0') + "1";
    const struct {
        SolveMode mode;
        std::string turns, inductance, units;
        int message;
    } cases[] = {
        {SolveInductance, mega, "", "", 6},
        {SolveInductance, junk, "", "", 2},
        {SolveInductance, "20" + junk, "", "", -1},
        {SolveTurns, "", mega, "uH", 5},
        {SolveTurns, "", tinyMega, "uH", 3},
        {SolveTurns, "", "10", junk, 4},
        {SolveTurns, "", "10" + mega.substr(0, 3) + junk, "nH", -1},
    };
    for (const auto &c : cases) {
        form.reset();
        form.setCombos("50", "2");
        form.texts[ID_TURNS_EDIT] = c.turns;
        form.texts[ID_INDUCTANCE_EDIT] = c.inductance;
        form.texts[ID_UNITS_COMBO] = c.units;
        solveMode = c.mode;
        solve();
        if (c.message < 0) {
            EXPECT_TRUE(form.messages.empty());
        } else {
            ASSERT_EQ(form.messages.size(), 1u);
            EXPECT_EQ(form.messages[0].text, InvalidDataMessages[c.message]);
        }
    }
}

// The handlers act on their own click only and always return 0.
TEST_F(Solve, HandlersActOnTheirOwnClickOnly)
{
    const struct {
        Handler handler;
        uint32_t message;
        uintptr_t wParam;
        bool acts;
        SolveMode mode;
    } cases[] = {
        {solveTurnsHandler, 0x111, ID_SOLVE_TURNS_BUTTON, true, SolveTurns},
        {solveInductanceHandler, 0x111, ID_SOLVE_INDUCTANCE_BUTTON, true, SolveInductance},
        {solveTurnsHandler, 0x111, ID_SOLVE_INDUCTANCE_BUTTON, false, SolveTurns},
        {solveInductanceHandler, 0x111, ID_SOLVE_TURNS_BUTTON, false, SolveTurns},
        {solveTurnsHandler, 0x111, (5u << 16) | ID_SOLVE_TURNS_BUTTON, false, SolveTurns}, // BN_DOUBLECLICKED
        {solveTurnsHandler, 0x110, ID_SOLVE_TURNS_BUTTON, false, SolveTurns},
        {solveInductanceHandler, 0x053, ID_SOLVE_INDUCTANCE_BUTTON, false, SolveTurns},
    };
    for (const auto &c : cases) {
        form.reset();
        solveMode = SolveTurns;
        EXPECT_EQ(c.handler(nullptr, c.message, c.wParam, 0), 0);
        // With no boxes yet, a solve that runs says so (message 0).
        ASSERT_EQ(form.messages.size(), c.acts ? 1u : 0u) << c.wParam;
        if (c.acts) {
            EXPECT_EQ(form.messages[0].text, InvalidDataMessages[0]) << c.wParam;
        }
        EXPECT_EQ(solveMode, c.mode);
    }
}

} // namespace
