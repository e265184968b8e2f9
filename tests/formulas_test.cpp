// The winding formulas against their worked examples.
#include <gtest/gtest.h>

#include <cmath>

#include "calc/formulas.h"
#include "calc/numtext.h"
#include "calc/state.h"

namespace {

class Formulas : public testing::Test {
protected:
    void SetUp() override { resetState(); }
};

TEST_F(Formulas, InductanceAndTurns)
{
    EXPECT_EQ(inductanceFromTurns(49, 100), 49.0f);
    EXPECT_EQ(inductanceFromTurns(49, 50), 12.25f);
    EXPECT_EQ(inductanceFromTurns(49, 20), 1.96f);
    EXPECT_EQ(inductanceFromTurns(49, 10), 0.49f);
    EXPECT_EQ(inductanceFromTurns(49, 12.5f), 0.765625f); // fractional turns, not rounded
    EXPECT_EQ(turnsFromInductance(49, 49), 100.0f);
    EXPECT_EQ(turnsFromInductance(49, 12.25f), 50.0f);
    EXPECT_EQ(numberToText(turnsFromInductance(49, 10), 5), " 45.175");
}

struct GaugeCase {
    LengthUnit unit;
    float insideDiameter, turns;
    unsigned gauge;
};

TEST_F(Formulas, MaxWireGauge)
{
    const GaugeCase cases[] = {
        {LengthInches, 0.3f, 20, 19},
        {LengthMillimetres, 0.3f * 25.4f, 20, 19},
        {LengthInches, 0.3f, 1, 8},
        {LengthInches, 0.3f, 100, 31},
        {LengthInches, 0.3f, 10, 15},
        {LengthMillimetres, 0.3f * 25.4f, 10, 15},
        {LengthInches, 0.3f, turnsFromInductance(49, 10), 25},
        {LengthInches, 0.3f, 12.5f, 16},
        {LengthInches, 1.0f, 1, 1},   // 0.4363 in, capped at 0.3
        {LengthInches, 10.0f, 0, 1},  // no turns: the cap again
        {LengthInches, 0.3f, 65535, 87},
    };
    for (const GaugeCase &c : cases) {
        setLengthUnit(c.unit);
        EXPECT_EQ(maxWireGauge(c.insideDiameter, c.turns), c.gauge)
            << c.insideDiameter << " with " << c.turns << " turns";
    }
}

// A wire of exactly the cap is not changed and gives gauge 1 (g = 0.4576).
TEST_F(Formulas, CapGivesGaugeOne)
{
    // divisor 2 (no turns): id 0.6 gives exactly the cap, 0.60000002 a bit more.
    EXPECT_EQ(maxWireGauge(0.6f, 0), 1u);
    EXPECT_EQ(maxWireGauge(0.60000002f, 0), 1u);
    EXPECT_EQ(maxWireGauge(0.5f, 0), 3u); // 0.25 in: g = 2.04
}

struct LengthCase {
    float turns, thickness, od, id;
    const char *text; // 5 digits, as the window shows it
};

TEST_F(Formulas, WireLength)
{
    const float mm = 25.4f;
    const LengthCase cases[] = {
        {20, 0.19f, 0.5f, 0.3f, " 16.19"},
        {20, 0.19f * mm, 0.5f * mm, 0.3f * mm, " 411.22"},
        {10, 0.19f * mm, 0.5f * mm, 0.3f * mm, " 203.2"},
        {turnsFromInductance(49, 10), 0.19f, 0.5f, 0.3f, " 36.809"}, // N = 45.175...
        {45, 0.19f, 0.5f, 0.3f, " 36.665"},
        {0.01f, 0.19f, 0.5f, 0.3f, " 0"},   // would be negative
        {0, 0.19f, 0.5f, 0.3f, " 0"},
    };
    for (const LengthCase &c : cases)
        EXPECT_EQ(numberToText(wireLength(c.turns, c.thickness, c.od, c.id), 5), c.text)
            << c.turns << " turns";
    EXPECT_EQ(wireLength(0.01f, 0.19f, 0.5f, 0.3f), 0.0f);
    EXPECT_FALSE(std::signbit(wireLength(0.01f, 0.19f, 0.5f, 0.3f)));
    // 411.2259... before the display rounds it on the next digit only.
    EXPECT_EQ(numberToText(wireLength(20, 0.19f * mm, 0.5f * mm, 0.3f * mm), 18).substr(0, 9), " 411.2259");
}

} // namespace
