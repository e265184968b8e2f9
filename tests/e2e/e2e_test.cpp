// End-to-end: the real program under Wine, one fresh process per test,
// driven by control identifier from this second process.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "calc/controlids.h"
#include "tests/e2e/driver.h"

namespace {

const std::string LengthCaption = "Total length of wire\r\n   (Not including leads):   ";

class Window : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(app.start()) << "the window did not appear"; }
    void TearDown() override
    {
        if (app.running()) {
            PostMessageW(app.window(), WM_SYSCOMMAND, SC_CLOSE, 0);
            EXPECT_EQ(app.waitForExit(), 0);
        }
    }

    // A click that must show no message box.
    void quietClick(int id)
    {
        Outcome o = app.click(id);
        ASSERT_TRUE(o.done) << "click on " << id;
        ASSERT_TRUE(o.boxes.empty()) << "click on " << id << ": " << o.message();
    }

    // Picks the item with that text, if the box lists one.
    void pickCode(int combo, const std::string &code)
    {
        std::vector<std::string> items = app.items(combo);
        for (size_t i = 0; i < items.size(); i++)
            if (items[i] == code)
                app.pick(combo, (int)i);
    }

    // The core-type click, then a size and a material picked by their codes.
    void chooseCore(int family, const std::string &size, const std::string &material)
    {
        quietClick(family);
        pickCode(ID_SIZE_COMBO, size);
        pickCode(ID_MATERIAL_COMBO, material);
        ASSERT_EQ(app.text(ID_SIZE_COMBO), size);
        ASSERT_EQ(app.text(ID_MATERIAL_COMBO), material);
    }

    App app;
};

TEST_F(Window, StartState)
{
    EXPECT_EQ(app.windowText(app.window()), "Mirvelta    v1.03a       by:  Quib");
    EXPECT_TRUE(app.checked(ID_INCHES_OPTION));
    EXPECT_FALSE(app.checked(ID_MM_OPTION));
    EXPECT_FALSE(app.checked(ID_IRON_OPTION));
    EXPECT_FALSE(app.checked(ID_FERRITE_OPTION));
    EXPECT_EQ(app.item(ID_SIZE_COMBO), (HWND)NULL);
    EXPECT_EQ(app.item(ID_MATERIAL_COMBO), (HWND)NULL);
    EXPECT_EQ(app.items(ID_UNITS_COMBO), (std::vector<std::string>{"nH", "uH", "mH"}));
    EXPECT_EQ(app.selection(ID_UNITS_COMBO), -1);
    const struct {
        int id;
        const char *text;
    } texts[] = {
        {ID_UNITS_COMBO, "uH"}, {ID_TURNS_EDIT, ""}, {ID_INDUCTANCE_EDIT, ""},
        {ID_SIZE_CAPTION, "Toroid Size:"}, {ID_MATERIAL_CAPTION, "Toroid Material"},
        {ID_OD_LABEL, "Outside Diameter:"}, {ID_ID_LABEL, "Inside Diameter:"},
        {ID_THICKNESS_LABEL, "Core Thickness:"}, {ID_COLOR_LABEL, "Color Code:"},
        {ID_FREQ_LABEL, "Usable frequency range:"}, {ID_WIDEBAND_LABEL, ""}, {ID_TUNED_LABEL, ""},
        {ID_WIRE_SIZE_LABEL, "Max wire size:"}, {ID_WIRE_LENGTH_LABEL, "Total length of wire:"},
        {ID_QUIT_BUTTON, "Quit!"}, {ID_SOLVE_TURNS_BUTTON, "Solve for # of turns"},
        {ID_SOLVE_INDUCTANCE_BUTTON, "Solve for Inductance"}, {ID_ABOUT_BUTTON, "About this program"},
        {ID_MM_OPTION, "mm"}, {ID_INCHES_OPTION, "inches"}, {ID_IRON_OPTION, "Powdered Iron"},
        {ID_FERRITE_OPTION, "Ferrite"}, {ID_TURNS_PROMPT, "Enter # of turns:"},
        {ID_INDUCTANCE_PROMPT, "Enter inductance:"}, {ID_TURNS_UNIT_CAPTION, "turns"},
        {ID_LENGTH_UNIT_FRAME, "Unit of length"}, {ID_CORE_TYPE_FRAME, "Toroid type"},
        {ID_CORE_PARAMS_FRAME, "Core Parameters"}, {ID_WINDING_FRAME, "Winding Information"},
        {ID_CALCULATE_FRAME, "Calculate"},
    };
    for (const auto &t : texts)
        EXPECT_EQ(app.text(t.id), t.text) << "control " << t.id;
}

struct Expected {
    int id;
    const char *cls;
    DWORD style, exStyle;
    int x, y, width, height;
};

const DWORD Child = WS_CHILD | WS_VISIBLE;
const Expected Layout[] = {
    {ID_QUIT_BUTTON, "Button", Child | WS_TABSTOP | BS_PUSHBUTTON, 0, 170, 255, 40, 12},
    {ID_SOLVE_TURNS_BUTTON, "Button", Child | WS_TABSTOP | BS_PUSHBUTTON, 0, 180, 209, 80, 15},
    {ID_SOLVE_INDUCTANCE_BUTTON, "Button", Child | WS_TABSTOP | BS_PUSHBUTTON, 0, 180, 226, 80, 15},
    {ID_ABOUT_BUTTON, "Button", Child | BS_PUSHBUTTON, 0, 240, 10, 100, 25},
    {ID_MM_OPTION, "Button", Child | WS_GROUP | BS_AUTORADIOBUTTON, 0, 90, 10, 30, 12},
    {ID_INCHES_OPTION, "Button", Child | WS_TABSTOP | BS_AUTORADIOBUTTON, 0, 160, 10, 40, 12},
    {ID_IRON_OPTION, "Button", Child | WS_GROUP | BS_AUTORADIOBUTTON, 0, 90, 30, 60, 12},
    {ID_FERRITE_OPTION, "Button", Child | WS_TABSTOP | BS_AUTORADIOBUTTON, 0, 160, 30, 40, 12},
    {ID_TURNS_PROMPT, "Static", Child | SS_LEFT, 0, 20, 210, 65, 12},
    {ID_INDUCTANCE_PROMPT, "Static", Child | SS_LEFT, 0, 20, 227, 65, 12},
    {ID_TURNS_EDIT, "Edit", Child | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 90, 210, 50, 13},
    {ID_TURNS_UNIT_CAPTION, "Static", Child | SS_LEFT, 0, 145, 212, 30, 12},
    {ID_INDUCTANCE_EDIT, "Edit", Child | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 90, 227, 50, 13},
    {ID_UNITS_COMBO, "ComboBox", Child | WS_VSCROLL | CBS_DROPDOWN, 0, 140, 227, 30, 70},
    {ID_SIZE_CAPTION, "Static", Child | SS_LEFT, 0, 20, 65, 70, 12},
    {ID_MATERIAL_CAPTION, "Static", Child | SS_LEFT, 0, 20, 80, 70, 12},
    {ID_OD_LABEL, "Edit", Child | ES_READONLY, 0, 35, 99, 110, 12},
    {ID_ID_LABEL, "Edit", Child | ES_READONLY, 0, 35, 111, 110, 12},
    {ID_THICKNESS_LABEL, "Edit", Child | ES_READONLY, 0, 35, 123, 110, 12},
    {ID_COLOR_LABEL, "Edit", Child | ES_READONLY, 0, 35, 135, 90, 12},
    {ID_FREQ_LABEL, "Edit", Child | ES_READONLY, 0, 35, 147, 140, 12},
    {ID_WIDEBAND_LABEL, "Edit", Child | ES_READONLY, 0, 50, 158, 135, 12},
    {ID_TUNED_LABEL, "Edit", Child | ES_READONLY, 0, 50, 169, 135, 11},
    {ID_WIRE_SIZE_LABEL, "Edit", Child | ES_READONLY, 0, 205, 70, 120, 12},
    {ID_WIRE_LENGTH_LABEL, "Edit", Child | ES_READONLY | ES_MULTILINE, 0, 205, 85, 150, 25},
    {ID_LENGTH_UNIT_FRAME, "Button", Child | BS_GROUPBOX, 0, 10, 5, 200, 19},
    {ID_CORE_TYPE_FRAME, "Button", Child | BS_GROUPBOX, 0, 10, 25, 200, 18},
    {ID_CORE_PARAMS_FRAME, "Button", Child | BS_GROUPBOX, 0, 10, 50, 180, 140},
    {ID_WINDING_FRAME, "Button", Child | BS_GROUPBOX, 0, 195, 50, 170, 140},
    {ID_CALCULATE_FRAME, "Button", Child | BS_GROUPBOX, 0, 10, 195, 350, 55},
    {ID_SKETCH_IMAGE, "Static", Child | SS_BITMAP, 0, 205, 110, 140, 70},
};

RECT clientRect(HWND parent, HWND child)
{
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(NULL, parent, (POINT *)&r, 2);
    return r;
}

TEST_F(Window, ControlsInCreationOrderWithStylesAndRectangles)
{
    HWND child = GetWindow(app.window(), GW_CHILD);
    for (const Expected &e : Layout) {
        SCOPED_TRACE(e.id);
        ASSERT_NE(child, (HWND)NULL);
        EXPECT_EQ(GetDlgCtrlID(child), e.id) << "creation order";
        char cls[32] = "";
        GetClassNameA(child, cls, sizeof cls);
        EXPECT_STRCASEEQ(cls, e.cls);
        // Edit controls may add ES_ flags of their own in the low word's
        // unused bits; compare what we set, and that nothing else is set.
        DWORD style = (DWORD)GetWindowLongW(child, GWL_STYLE);
        // A combo box hands WS_VSCROLL on to its drop-down list (Windows
        // does the same), whose scroll bar then shows only when needed.
        if (strcmp(e.cls, "ComboBox") == 0)
            style |= WS_VSCROLL;
        EXPECT_EQ(style, e.style);
        EXPECT_EQ((DWORD)GetWindowLongW(child, GWL_EXSTYLE) & ~WS_EX_NOPARENTNOTIFY, e.exStyle);
        RECT want = dialogRect(e.x, e.y, e.width, e.height), got = clientRect(app.window(), child);
        EXPECT_EQ(got.left, want.left);
        EXPECT_EQ(got.top, want.top);
        EXPECT_EQ(got.right - got.left, want.right - want.left);
        if (strcmp(e.cls, "ComboBox") != 0) { // a combo's window is its closed height
            EXPECT_EQ(got.bottom - got.top, want.bottom - want.top);
        }
        child = GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(child, (HWND)NULL) << "31 controls and no more";
}

TEST_F(Window, MainWindowStyle)
{
    DWORD style = (DWORD)GetWindowLongW(app.window(), GWL_STYLE);
    DWORD ex = (DWORD)GetWindowLongW(app.window(), GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & DS_MODALFRAME);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_TRUE(ex & WS_EX_CONTEXTHELP);
    EXPECT_EQ(GetWindow(app.window(), GW_OWNER), (HWND)NULL);
    RECT client;
    GetClientRect(app.window(), &client);
    RECT want = dialogRect(0, 0, 380, 280);
    EXPECT_EQ(client.right, want.right);
    EXPECT_EQ(client.bottom, want.bottom);
    // Centred on the screen.
    RECT frame;
    GetWindowRect(app.window(), &frame);
    int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_NEAR((frame.left + frame.right) / 2, screenWidth / 2, 2);
    EXPECT_NEAR((frame.top + frame.bottom) / 2, screenHeight / 2, 2);
}

struct FamilyLists {
    int option;
    const char *caption;
    std::vector<std::string> sizes, materials;
};

TEST_F(Window, CoreFamiliesRebuildTheLists)
{
    const FamilyLists families[] = {
        {ID_FERRITE_OPTION, "Toroid Size:       FT-",
         {"23", "37", "50", "50A", "50B", "82", "114", "140", "150", "150A", "193", "193A", "240"},
         {"43", "61", "63", "67", "68", "75", "77", "F", "J"}},
        {ID_IRON_OPTION, "Toroid Size:        T-",
         {"12", "16", "20", "25", "30", "37", "44", "50", "68", "80", "94", "106", "130", "157", "184", "200"},
         {"1", "2", "3", "6", "7", "10", "12", "15", "17", "26"}},
    };
    for (const FamilyLists &f : families) {
        SCOPED_TRACE(f.caption);
        quietClick(f.option);
        EXPECT_TRUE(app.checked(f.option));
        EXPECT_EQ(app.text(ID_SIZE_CAPTION), f.caption);
        EXPECT_EQ(app.text(ID_SIZE_CAPTION).size(), 22u);
        EXPECT_EQ(app.text(ID_MATERIAL_CAPTION), "Toroid Material");
        EXPECT_EQ(app.items(ID_SIZE_COMBO), f.sizes);
        EXPECT_EQ(app.items(ID_MATERIAL_COMBO), f.materials);
        EXPECT_EQ(app.selection(ID_SIZE_COMBO), -1);
        EXPECT_EQ(app.selection(ID_MATERIAL_COMBO), -1);
        for (int id : {ID_SIZE_COMBO, ID_MATERIAL_COMBO})
            EXPECT_EQ((DWORD)GetWindowLongW(app.item(id), GWL_STYLE) | WS_VSCROLL, // see above
                      Child | WS_VSCROLL | CBS_DROPDOWNLIST) << id;
        RECT want = dialogRect(85, 65, 40, 80), got = clientRect(app.window(), app.item(ID_SIZE_COMBO));
        EXPECT_EQ(got.left, want.left);
        EXPECT_EQ(got.top, want.top);
        want = dialogRect(85, 80, 40, 70), got = clientRect(app.window(), app.item(ID_MATERIAL_COMBO));
        EXPECT_EQ(got.left, want.left);
        EXPECT_EQ(got.top, want.top);
        // The new boxes come after every other control.
        HWND last = GetWindow(app.item(ID_QUIT_BUTTON), GW_HWNDLAST);
        EXPECT_EQ(GetDlgCtrlID(last), ID_MATERIAL_COMBO);
        EXPECT_EQ(GetDlgCtrlID(GetWindow(last, GW_HWNDPREV)), ID_SIZE_COMBO);
    }
}

TEST_F(Window, ClickingTheCheckedFamilyAgainEmptiesTheBoxes)
{
    chooseCore(ID_IRON_OPTION, "50", "2");
    app.setText(ID_TURNS_EDIT, "20");
    quietClick(ID_SOLVE_INDUCTANCE_BUTTON);
    ASSERT_EQ(app.text(ID_OD_LABEL), "Outside Diameter:   .5 inches");
    quietClick(ID_IRON_OPTION);
    EXPECT_EQ(app.selection(ID_SIZE_COMBO), -1);
    EXPECT_EQ(app.selection(ID_MATERIAL_COMBO), -1);
    EXPECT_EQ(app.text(ID_OD_LABEL), "Outside Diameter:");
    EXPECT_EQ(app.text(ID_WIRE_LENGTH_LABEL), LengthCaption);
    EXPECT_EQ(app.text(ID_WIRE_SIZE_LABEL), "Max. wire size:   19  AWG"); // not cleared
    EXPECT_EQ(app.text(ID_TURNS_EDIT), "20");
    EXPECT_EQ(app.text(ID_INDUCTANCE_EDIT), " 1.96");
}

struct WorkedSolve {
    const char *name;
    bool millimetres;
    int family;
    const char *size, *material;
    int button;
    const char *turns, *inductance, *units;
    std::vector<std::pair<int, std::string>> lines;
};

TEST_F(Window, WorkedSolves)
{
    const WorkedSolve cases[] = {
        {"inches, 20 turns", false, ID_IRON_OPTION, "50", "2", ID_SOLVE_INDUCTANCE_BUTTON, "20", "", "uH",
         {{ID_OD_LABEL, "Outside Diameter:   .5 inches"}, {ID_ID_LABEL, "Inside Diameter:   .3 inches"},
          {ID_THICKNESS_LABEL, "Core Thickness:   .19 inches"},
          {ID_COLOR_LABEL, "Color Code:      Red                 "},
          {ID_FREQ_LABEL, "Usable frequency range:"}, {ID_WIDEBAND_LABEL, " 2  to   30  MHz"},
          {ID_TUNED_LABEL, ""}, {ID_INDUCTANCE_EDIT, " 1.96"}, {ID_UNITS_COMBO, "uH"},
          {ID_WIRE_SIZE_LABEL, "Max. wire size:   19  AWG"},
          {ID_WIRE_LENGTH_LABEL, LengthCaption + " 16.19  inches"}}},
        {"mm, 10 turns", true, ID_IRON_OPTION, "50", "2", ID_SOLVE_INDUCTANCE_BUTTON, "10", "", "uH",
         {{ID_OD_LABEL, "Outside Diameter:   12.7 mm"}, {ID_ID_LABEL, "Inside Diameter:   7.62 mm"},
          {ID_THICKNESS_LABEL, "Core Thickness:   4.826 mm"}, {ID_INDUCTANCE_EDIT, " 490"},
          {ID_UNITS_COMBO, "nH"}, {ID_WIRE_SIZE_LABEL, "Max. wire size:   15  AWG"},
          {ID_WIRE_LENGTH_LABEL, LengthCaption + " 203.2  mm"}}},
        {"mm, 20 turns", true, ID_IRON_OPTION, "50", "2", ID_SOLVE_INDUCTANCE_BUTTON, "20", "", "uH",
         {{ID_WIRE_LENGTH_LABEL, LengthCaption + " 411.22  mm"}}},
        {"inches, 10 uH", false, ID_IRON_OPTION, "50", "2", ID_SOLVE_TURNS_BUTTON, "", "10", "uH",
         {{ID_TURNS_EDIT, " 45"}, {ID_WIRE_SIZE_LABEL, "Max. wire size:   25  AWG"},
          {ID_WIRE_LENGTH_LABEL, LengthCaption + " 36.809  inches"}}},
        {"ferrite 50B/43", false, ID_FERRITE_OPTION, "50B", "43", ID_SOLVE_INDUCTANCE_BUTTON, "10", "", "",
         {{ID_WIDEBAND_LABEL, "Wide Band:   1  to   50  MHz"},
          {ID_TUNED_LABEL, "Tuned circuit:   .01  to   1  MHz"},
          {ID_COLOR_LABEL, "Color Code:      None                "},
          {ID_INDUCTANCE_EDIT, " 114"}, {ID_UNITS_COMBO, "uH"}}},
    };
    for (const WorkedSolve &c : cases) {
        SCOPED_TRACE(c.name);
        quietClick(c.millimetres ? ID_MM_OPTION : ID_INCHES_OPTION);
        chooseCore(c.family, c.size, c.material);
        app.setText(ID_TURNS_EDIT, c.turns);
        app.setText(ID_INDUCTANCE_EDIT, c.inductance);
        app.setText(ID_UNITS_COMBO, c.units);
        quietClick(c.button);
        for (const auto &l : c.lines)
            EXPECT_EQ(app.text(l.first), l.second) << "control " << l.first;
    }
}

struct Refusal {
    const char *name;
    bool chooseCore;
    const char *size, *material;
    int button;
    const char *turns, *inductance, *units;
    const char *message;
};

TEST_F(Window, EveryErrorMessage)
{
    const Refusal cases[] = {
        {"no boxes", false, "", "", ID_SOLVE_TURNS_BUTTON, "", "10", "uH", "You must select toroid size and material."},
        {"no material", true, "50", "", ID_SOLVE_TURNS_BUTTON, "", "10", "uH", "You must select toroid size and material."},
        {"no AL", true, "12", "26", ID_SOLVE_TURNS_BUTTON, "", "10", "uH", "Sorry, no information available\r\n on this toroid."},
        {"turns", true, "50", "2", ID_SOLVE_INDUCTANCE_BUTTON, "0.5", "", "uH", "Number of turns must be one or more."},
        {"too small", true, "50", "2", ID_SOLVE_TURNS_BUTTON, "", "0.0009", "uH", "Inductance value too small"},
        {"no unit", true, "50", "2", ID_SOLVE_TURNS_BUTTON, "", "10", "UH", "Please select units of inductance\r\nfrom the drop-down menu"},
        {"too large", true, "50", "2", ID_SOLVE_TURNS_BUTTON, "", "65537", "uH", "Value of inductance too large"},
        {"too many turns", true, "50", "2", ID_SOLVE_INDUCTANCE_BUTTON, "65536", "", "uH", "Number of turns must be less than 65536"},
    };
    for (const Refusal &c : cases) {
        SCOPED_TRACE(c.name);
        if (c.chooseCore) {
            quietClick(ID_IRON_OPTION);
            pickCode(ID_SIZE_COMBO, c.size); // an empty code picks nothing
            pickCode(ID_MATERIAL_COMBO, c.material);
        }
        app.setText(ID_TURNS_EDIT, c.turns);
        app.setText(ID_INDUCTANCE_EDIT, c.inductance);
        app.setText(ID_UNITS_COMBO, c.units);
        Outcome o = app.click(c.button);
        ASSERT_TRUE(o.done);
        ASSERT_EQ(o.boxes.size(), 1u);
        EXPECT_EQ(o.boxes[0].caption, "Invalid Data");
        EXPECT_EQ(o.boxes[0].text, c.message);
        EXPECT_TRUE(o.boxes[0].ownerless);
        EXPECT_TRUE(o.boxes[0].mainDisabled);
        EXPECT_TRUE(IsWindowEnabled(app.window())); // enabled again once closed
    }
}

const char *const InductanceHelp =
    "Enter the desired inductance here. Use the drop down\r\n"
    "menu to select units (nanohenries, microhenries\r\n"
    "or millihenries).\r\n\r\n"
    "Click the button labeled \"Solve for # of turns\" \r\n"
    "and the result will be displayed in the text box.";
const char *const TurnsHelp =
    "Enter the number of turns here.\r\n"
    "Must be more than two and less than 65536.\r\n\r\n"
    "Click the \"Solve for Inductance\" button and the\r\n"
    "result will be displayed in the text box.";
const char *const SizeHelp =
    "Select toroid core size from the drop-down menu.\r\n\r\n"
    "Size codes are industry standards and represent\r\n"
    "outside diameter of the core in hundredths of an inch.";
const char *const MaterialHelp =
    "Select toroid core material (sometimes called \"mix\")\r\n"
    "from the drop-down menu.\r\n\r\n"
    "Material codes are industry standard and identify\r\n"
    "the magnetic properties of the metal used in the core.";

TEST_F(Window, HelpForTheThirteenControls)
{
    const struct {
        int id;
        const char *text;
    } cases[] = {
        {ID_SIZE_COMBO, SizeHelp},
        {ID_SIZE_CAPTION, SizeHelp},
        {ID_MATERIAL_COMBO, MaterialHelp},
        {ID_MATERIAL_CAPTION, MaterialHelp},
        {ID_INDUCTANCE_PROMPT, InductanceHelp},
        {ID_INDUCTANCE_EDIT, InductanceHelp},
        {ID_UNITS_COMBO, InductanceHelp},
        {ID_TURNS_PROMPT, TurnsHelp},
        {ID_TURNS_EDIT, TurnsHelp},
        {ID_WIRE_SIZE_LABEL,
         "Maximum wire size (AWG), assuming a 30-degree separation\r\n"
         "between the ends of the winding. See the sketch below.\r\n"
         "The gap's purpose is to help reduce winding capacitance."},
        {ID_WIRE_LENGTH_LABEL,
         "This is the approximate total length of wire required to\r\n"
         "wind the inductor, assuming a gap of 30 degrees between the\r\n"
         "ends of the winding, as shown in the sketch below."},
        {ID_FREQ_LABEL,
         "Optimal frequency range for the core material selected.\r\n\r\n"
         "For ferrite cores, two ranges are given. One is for tuned\r\n"
         "circuit (narrow-band) application. The other applies when\r\n"
         "the toroid is used in wide-band circuits such as\r\n"
         "filters or RF chokes."},
        {ID_COLOR_LABEL,
         "Color code applied to iron powder cores manufactured by\r\n"
         "Micrometals, Inc. and generally available in the USA.\r\n"
         "Iron powder cores from other manufacturers may use\r\n"
         "different color identification codes, or none at all.\r\n\r\n"
         "Ferrite cores are usually not color coded and so are\r\n"
         "more difficult to identify."},
    };
    for (const auto &c : cases) {
        Outcome o = app.help(c.id);
        ASSERT_TRUE(o.done) << c.id;
        ASSERT_EQ(o.boxes.size(), 1u) << c.id;
        EXPECT_EQ(o.boxes[0].caption, "What's this?");
        EXPECT_EQ(o.boxes[0].text, c.text) << c.id;
        EXPECT_TRUE(o.boxes[0].ownerless);
        EXPECT_TRUE(o.boxes[0].mainDisabled);
    }
}

TEST_F(Window, NoHelpForOtherControls)
{
    const int silent[] = {
        ID_QUIT_BUTTON, ID_SOLVE_TURNS_BUTTON, ID_SOLVE_INDUCTANCE_BUTTON, ID_ABOUT_BUTTON,
        ID_MM_OPTION, ID_INCHES_OPTION, ID_IRON_OPTION, ID_FERRITE_OPTION, ID_TURNS_UNIT_CAPTION,
        ID_OD_LABEL, ID_ID_LABEL, ID_THICKNESS_LABEL, ID_WIDEBAND_LABEL, ID_TUNED_LABEL,
        ID_SKETCH_IMAGE, ID_LENGTH_UNIT_FRAME, ID_CORE_TYPE_FRAME, ID_CORE_PARAMS_FRAME,
        ID_WINDING_FRAME, ID_CALCULATE_FRAME, 0, -1, 1, 2, 2021, 9999,
    };
    for (int id : silent) {
        Outcome o = app.help(id);
        ASSERT_TRUE(o.done) << id;
        EXPECT_TRUE(o.boxes.empty()) << id << ": " << o.message();
    }
    EXPECT_EQ(app.text(ID_OD_LABEL), "Outside Diameter:");
}

TEST_F(Window, AboutBox)
{
    const std::string about =
        "This program calculates inductance value and winding information \r\n"
        "for a single-layer inductor wound on either a powdered-iron or ferrite\r\n"
        "toroidal core. To use the program, follow these steps:\r\n"
        "\r\n"
        "   1) Select metric (mm) or English (inches) unit of length.\r\n"
        "   2) Select type of core material (powdered iron or ferrite).\r\n"
        "   3) Use the drop-down menus to select from industry-standard\r\n"
        "         designations for a specific core size and material\r\n"
        "   4) In the frame labeled \"Calculate\" enter a target inductance\r\n"
        "         value and/or number of turns.\r\n"
        "   5) Click on the \"Solve for ...\" button for the parameter you want.\r\n"
        "         The program will display the desired result in the appropriate\r\n"
        "         text box.\r\n"
        "\r\n"
        "The maximum size of wire that can be accommodated in the selected core\r\n"
        "is displayed, as well as the required total length of wire (not including\r\n"
        "any allowance for external leads).\r\n"
        "\r\n"
        "Core dimensions are also shown, along with color code information\r\n"
        "and suggested frequency range.\r\n"
        "\r\n"
        "NOTE: For more information on individual items, click on the question\r\n"
        "mark (?) in the title bar and then on an item in the dialog box.";
    for (int i = 0; i < 2; i++) { // twice: two identical boxes, one after the other
        Outcome o = app.click(ID_ABOUT_BUTTON);
        ASSERT_TRUE(o.done);
        ASSERT_EQ(o.boxes.size(), 1u);
        EXPECT_EQ(o.boxes[0].caption, "About this program");
        EXPECT_EQ(o.boxes[0].text, about);
        EXPECT_TRUE(o.boxes[0].ownerless);
        EXPECT_TRUE(o.boxes[0].mainDisabled);
    }
}

TEST_F(Window, UnitSwitchClearsButKeepsWireSizeAndInputs)
{
    chooseCore(ID_IRON_OPTION, "50", "2");
    app.setText(ID_TURNS_EDIT, "20");
    quietClick(ID_SOLVE_INDUCTANCE_BUTTON);
    quietClick(ID_MM_OPTION);
    EXPECT_TRUE(app.checked(ID_MM_OPTION));
    EXPECT_FALSE(app.checked(ID_INCHES_OPTION));
    EXPECT_EQ(app.text(ID_OD_LABEL), "Outside Diameter:");
    EXPECT_EQ(app.text(ID_WIDEBAND_LABEL), "");
    EXPECT_EQ(app.text(ID_WIRE_LENGTH_LABEL), LengthCaption);
    EXPECT_EQ(app.text(ID_WIRE_SIZE_LABEL), "Max. wire size:   19  AWG");
    EXPECT_EQ(app.text(ID_INDUCTANCE_EDIT), " 1.96");
    EXPECT_EQ(app.text(ID_SIZE_COMBO), "50"); // the boxes keep their picks
    quietClick(ID_SOLVE_INDUCTANCE_BUTTON);
    EXPECT_EQ(app.text(ID_OD_LABEL), "Outside Diameter:   12.7 mm");
}

TEST_F(Window, QuitEndsWithExitCodeZero)
{
    Outcome o = app.click(ID_QUIT_BUTTON);
    EXPECT_TRUE(o.boxes.empty());
    EXPECT_EQ(app.waitForExit(), 0);
}

TEST_F(Window, CloseCommandEndsWithExitCodeZero)
{
    PostMessageW(app.window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(app.waitForExit(), 0);
}

TEST_F(Window, EnterAndEscapeCommandsAreIgnored)
{
    // What the dialog keyboard handling makes of Enter and Escape.
    EXPECT_TRUE(app.sendToMain(WM_COMMAND, IDOK, 0).done);
    EXPECT_TRUE(app.sendToMain(WM_COMMAND, IDCANCEL, 0).done);
    EXPECT_TRUE(app.running());
    EXPECT_TRUE(IsWindowVisible(app.window()));
}

// ---- Real keys and pixels under the X server -----------------------------

class XWindow : public Window {
protected:
    void SetUp() override
    {
        if (!underWine())
            GTEST_SKIP() << "keys and screenshots go through the X server under Wine";
        Window::SetUp();
    }
};

std::string xWindowOf(const App &app)
{
    return std::to_string(app.xWindow());
}

void pressKeys(const App &app, const std::string &keys)
{
    ASSERT_NE(app.xWindow(), 0ul) << "no X window for the program's window";
    std::string command = "xdotool windowfocus --sync " + xWindowOf(app);
    if (!keys.empty())
        command += " key --delay 80 " + keys;
    runUnix(command);
    Sleep(200);
}

TEST_F(XWindow, TabWalksTheTabStopsInCreationOrder)
{
    const int order[] = {ID_SOLVE_TURNS_BUTTON, ID_SOLVE_INDUCTANCE_BUTTON, ID_INCHES_OPTION,
                         ID_FERRITE_OPTION, ID_TURNS_EDIT, ID_INDUCTANCE_EDIT, ID_QUIT_BUTTON};
    // Start from Quit!, the first tab stop.
    SendMessageW(app.window(), WM_NEXTDLGCTL, (WPARAM)app.item(ID_QUIT_BUTTON), TRUE);
    pressKeys(app, "");
    ASSERT_EQ(GetDlgCtrlID(app.focus()), ID_QUIT_BUTTON);
    for (int id : order) {
        pressKeys(app, "Tab");
        EXPECT_EQ(GetDlgCtrlID(app.focus()), id);
    }
}

TEST_F(XWindow, EnterAndEscapeKeysLeaveTheWindowOpen)
{
    SendMessageW(app.window(), WM_NEXTDLGCTL, (WPARAM)app.item(ID_TURNS_EDIT), TRUE);
    pressKeys(app, "Return Escape KP_Enter");
    EXPECT_TRUE(app.running());
    EXPECT_TRUE(IsWindowVisible(app.window()));
    EXPECT_EQ(app.text(ID_OD_LABEL), "Outside Diameter:");
}

TEST_F(XWindow, F1OnAFocusedTextBoxShowsItsHelp)
{
    SendMessageW(app.window(), WM_NEXTDLGCTL, (WPARAM)app.item(ID_TURNS_EDIT), TRUE);
    pressKeys(app, "");
    ASSERT_EQ(GetDlgCtrlID(app.focus()), ID_TURNS_EDIT);
    pressKeys(app, "F1");
    HWND box = NULL;
    for (int i = 0; i < 300 && !box; i++) {
        Sleep(10);
        box = app.box();
    }
    ASSERT_NE(box, (HWND)NULL);
    EXPECT_EQ(app.windowText(box), "What's this?");
    EXPECT_EQ(app.windowText(GetDlgItem(box, 0xFFFF)), TurnsHelp);
    PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    for (int i = 0; i < 300 && IsWindow(box); i++)
        Sleep(10);
}

TEST_F(XWindow, AltF4EndsWithExitCodeZero)
{
    SendMessageW(app.window(), WM_NEXTDLGCTL, (WPARAM)app.item(ID_TURNS_EDIT), TRUE);
    pressKeys(app, "alt+F4");
    EXPECT_EQ(app.waitForExit(), 0);
}

TEST_F(XWindow, WindowColourOnScreen)
{
    // A point of the client area that no control covers, right of the frames.
    RECT r = dialogRect(372, 150, 1, 1);
    POINT p = {r.left, r.top};
    ClientToScreen(app.window(), &p);
    std::string out = outputDirectory() + "/pixel.txt";
    DeleteFileA(windowsPath(out).c_str());
    runUnix("import -window root -crop 1x1+" + std::to_string(p.x) + "+" + std::to_string(p.y) +
            " -depth 8 txt:- > " + out);
    std::ifstream in(windowsPath(out));
    std::stringstream s;
    s << in.rdbuf();
    EXPECT_NE(s.str().find("#FFF5D2"), std::string::npos) << s.str();
}

TEST_F(XWindow, Screenshots)
{
    std::string dir = outputDirectory();
    runUnix("import -window root " + dir + "/window-start.png");
    chooseCore(ID_IRON_OPTION, "50", "2");
    app.setText(ID_TURNS_EDIT, "20");
    quietClick(ID_SOLVE_INDUCTANCE_BUTTON);
    runUnix("import -window root " + dir + "/window-solved.png");
    std::ifstream solved(windowsPath(dir + "/window-solved.png"), std::ios::binary);
    EXPECT_TRUE(solved.good());
}

} // namespace
