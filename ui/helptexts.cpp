// The help texts, one per row of controls, and the About text.
#include "ui/helptexts.h"

#include "calc/controlids.h"

static const char SizeHelp[] =
    "Select toroid core size from the drop-down menu.\r\n"
    "\r\n"
    "Size codes are industry standards and represent\r\n"
    "outside diameter of the core in hundredths of an inch.";

static const char MaterialHelp[] =
    "Select toroid core material (sometimes called \"mix\")\r\n"
    "from the drop-down menu.\r\n"
    "\r\n"
    "Material codes are industry standard and identify\r\n"
    "the magnetic properties of the metal used in the core.";

static const char InductanceHelp[] =
    "Enter the desired inductance here. Use the drop down\r\n"
    "menu to select units (nanohenries, microhenries\r\n"
    "or millihenries).\r\n"
    "\r\n"
    "Click the button labeled \"Solve for # of turns\" \r\n"
    "and the result will be displayed in the text box.";

static const char TurnsHelp[] =
    "Enter the number of turns here.\r\n"
    "Must be more than two and less than 65536.\r\n"
    "\r\n"
    "Click the \"Solve for Inductance\" button and the\r\n"
    "result will be displayed in the text box.";

static const char WireSizeHelp[] =
    "Maximum wire size (AWG), assuming a 30-degree separation\r\n"
    "between the ends of the winding. See the sketch below.\r\n"
    "The gap's purpose is to help reduce winding capacitance.";

static const char WireLengthHelp[] =
    "This is the approximate total length of wire required to\r\n"
    "wind the inductor, assuming a gap of 30 degrees between the\r\n"
    "ends of the winding, as shown in the sketch below.";

static const char FrequencyHelp[] =
    "Optimal frequency range for the core material selected.\r\n"
    "\r\n"
    "For ferrite cores, two ranges are given. One is for tuned\r\n"
    "circuit (narrow-band) application. The other applies when\r\n"
    "the toroid is used in wide-band circuits such as\r\n"
    "filters or RF chokes.";

static const char ColorCodeHelp[] =
    "Color code applied to iron powder cores manufactured by\r\n"
    "Micrometals, Inc. and generally available in the USA.\r\n"
    "Iron powder cores from other manufacturers may use\r\n"
    "different color identification codes, or none at all.\r\n"
    "\r\n"
    "Ferrite cores are usually not color coded and so are\r\n"
    "more difficult to identify.";

// The first row that lists an identifier gives its text.
static const struct {
    int ids[3];
    const char *text;
} HelpTable[] = {
    {{ID_SIZE_COMBO, ID_SIZE_CAPTION}, SizeHelp},
    {{ID_MATERIAL_COMBO, ID_MATERIAL_CAPTION}, MaterialHelp},
    {{ID_INDUCTANCE_PROMPT, ID_INDUCTANCE_EDIT, ID_UNITS_COMBO}, InductanceHelp},
    {{ID_TURNS_PROMPT, ID_TURNS_EDIT}, TurnsHelp},
    {{ID_WIRE_SIZE_LABEL}, WireSizeHelp},
    {{ID_WIRE_LENGTH_LABEL}, WireLengthHelp},
    {{ID_FREQ_LABEL}, FrequencyHelp},
    {{ID_COLOR_LABEL}, ColorCodeHelp},
};

const char AboutText[] =
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

const char *helpTextFor(int id)
{
    for (const auto &row : HelpTable)
        for (int listed : row.ids)
            if (listed != 0 && listed == id)
                return row.text;
    return nullptr;
}

