// clearResults and showInvalidData: the exact writes, texts and box.
#include <gtest/gtest.h>

#include "calc/controlids.h"
#include "calc/form.h"
#include "calc/results.h"
#include "calc/memform.h"

namespace {

class Results : public testing::Test {
protected:
    void SetUp() override { form.reset(); }
};

TEST_F(Results, ClearResultsWritesEightLinesInOrder)
{
    clearResults();
    const FormWrite expected[] = {
        {ID_OD_LABEL, "Outside Diameter:"},
        {ID_ID_LABEL, "Inside Diameter:"},
        {ID_THICKNESS_LABEL, "Core Thickness:"},
        {ID_COLOR_LABEL, "Color Code:"},
        {ID_FREQ_LABEL, "Usable frequency range:"},
        {ID_WIRE_LENGTH_LABEL, "Total length of wire\r\n   (Not including leads):   "},
        {ID_WIDEBAND_LABEL, ""},
        {ID_TUNED_LABEL, ""},
    };
    ASSERT_EQ(form.writes.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); i++) {
        EXPECT_EQ(form.writes[i].id, expected[i].id) << "write " << i;
        EXPECT_EQ(form.writes[i].text, expected[i].text) << "write " << i;
    }
    EXPECT_TRUE(form.messages.empty());
}

TEST_F(Results, ClearResultsLeavesWireSizeAndInputs)
{
    form.texts[ID_WIRE_SIZE_LABEL] = "Max. wire size:   19  AWG";
    form.texts[ID_TURNS_EDIT] = "20";
    form.texts[ID_INDUCTANCE_EDIT] = " 1.96";
    form.texts[ID_UNITS_COMBO] = "mH";
    form.texts[ID_WIDEBAND_LABEL] = " 2  to   30  MHz";
    clearResults();
    EXPECT_EQ(form.text(ID_WIRE_SIZE_LABEL), "Max. wire size:   19  AWG");
    EXPECT_EQ(form.text(ID_TURNS_EDIT), "20");
    EXPECT_EQ(form.text(ID_INDUCTANCE_EDIT), " 1.96");
    EXPECT_EQ(form.text(ID_UNITS_COMBO), "mH");
    EXPECT_EQ(form.text(ID_WIDEBAND_LABEL), "");
    // The start-up single line becomes the two-line form.
    EXPECT_EQ(form.text(ID_WIRE_LENGTH_LABEL), "Total length of wire\r\n   (Not including leads):   ");
}

TEST_F(Results, InvalidDataMessages)
{
    const char *const expected[] = {
        "You must select toroid size and material.",
        "Sorry, no information available\r\n on this toroid.",
        "Number of turns must be one or more.",
        "Inductance value too small",
        "Please select units of inductance\r\nfrom the drop-down menu",
        "Value of inductance too large",
        "Number of turns must be less than 65536",
    };
    for (int n = 0; n < InvalidDataMessageCount; n++) {
        form.clearLog();
        showInvalidData(n);
        ASSERT_EQ(form.messages.size(), 1u);
        EXPECT_EQ(form.messages[0].text, expected[n]) << "message " << n;
        EXPECT_EQ(form.messages[0].caption, "Invalid Data");
        EXPECT_EQ(form.messages[0].style, 0x2010u);
        EXPECT_TRUE(form.writes.empty());
    }
    form.clearLog();
    showInvalidData(7); // no such message: nothing at all
    showInvalidData(-1);
    EXPECT_TRUE(form.messages.empty());
}

} // namespace

namespace {

// The identifiers are part of the window's interface: pinned to their numbers
// here, written out by hand.
TEST(ControlIds, AreTheirNumbers)
{
    const struct {
        int id, number;
    } ids[] = {
        {ID_SIZE_COMBO, 2001}, {ID_MATERIAL_COMBO, 2002}, {ID_CALCULATE_FRAME, 2003},
        {ID_OD_LABEL, 2004}, {ID_ID_LABEL, 2005}, {ID_THICKNESS_LABEL, 2006},
        {ID_COLOR_LABEL, 2007}, {ID_FREQ_LABEL, 2008}, {ID_WIRE_SIZE_LABEL, 2009},
        {ID_WIRE_LENGTH_LABEL, 2010}, {ID_WINDING_FRAME, 2011}, {ID_TURNS_EDIT, 2012},
        {ID_INDUCTANCE_EDIT, 2013}, {ID_UNITS_COMBO, 2014}, {ID_SKETCH_IMAGE, 2015},
        {ID_LENGTH_UNIT_FRAME, 2016}, {ID_CORE_TYPE_FRAME, 2017}, {ID_WIDEBAND_LABEL, 2018},
        {ID_TUNED_LABEL, 2019}, {ID_CORE_PARAMS_FRAME, 2020},
        {ID_SIZE_CAPTION, 2050}, {ID_MATERIAL_CAPTION, 2051}, {ID_TURNS_UNIT_CAPTION, 2052},
        {ID_TURNS_PROMPT, 2053}, {ID_INDUCTANCE_PROMPT, 2054},
        {ID_QUIT_BUTTON, 2100}, {ID_MM_OPTION, 2101}, {ID_INCHES_OPTION, 2102},
        {ID_IRON_OPTION, 2103}, {ID_FERRITE_OPTION, 2104}, {ID_SOLVE_TURNS_BUTTON, 2105},
        {ID_SOLVE_INDUCTANCE_BUTTON, 2106}, {ID_ABOUT_BUTTON, 2107},
    };
    for (const auto &i : ids)
        EXPECT_EQ(i.id, i.number);
}

} // namespace
