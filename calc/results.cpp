// clearResults and showInvalidData.
#include "calc/results.h"

#include "calc/controlids.h"
#include "calc/form.h"

static const struct {
    int id;
    const char *text;
} BareCaptions[] = {
    {ID_OD_LABEL,          "Outside Diameter:"},
    {ID_ID_LABEL,          "Inside Diameter:"},
    {ID_THICKNESS_LABEL,   "Core Thickness:"},
    {ID_COLOR_LABEL,       "Color Code:"},
    {ID_FREQ_LABEL,        "Usable frequency range:"},
    {ID_WIRE_LENGTH_LABEL, "Total length of wire\r\n   (Not including leads):   "},
    {ID_WIDEBAND_LABEL,    ""},
    {ID_TUNED_LABEL,       ""},
};

void clearResults()
{
    for (const auto &line : BareCaptions)
        setFormText(line.id, line.text);
}

const char *const InvalidDataMessages[InvalidDataMessageCount] = {
    /* 0 */ "You must select toroid size and material.",
    /* 1 */ "Sorry, no information available\r\n on this toroid.",
    /* 2 */ "Number of turns must be one or more.",
    /* 3 */ "Inductance value too small",
    /* 4 */ "Please select units of inductance\r\nfrom the drop-down menu",
    /* 5 */ "Value of inductance too large",
    /* 6 */ "Number of turns must be less than 65536",
};

void showInvalidData(int message)
{
    if (message < 0 || message >= InvalidDataMessageCount)
        return;
    showMessageBox(InvalidDataMessages[message], "Invalid Data", MessageBoxStop);
}
