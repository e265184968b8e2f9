// The in-memory form: the window seam without a window.
#include "calc/memform.h"

#include "calc/controlids.h"
#include "calc/form.h"
#include "calc/results.h"
#include "calc/solve.h"
#include "calc/state.h"

MemoryForm form;

static const struct {
    int id;
    const char *text;
} StartTexts[] = {
    {ID_QUIT_BUTTON, "Quit!"},
    {ID_SOLVE_TURNS_BUTTON, "Solve for # of turns"},
    {ID_SOLVE_INDUCTANCE_BUTTON, "Solve for Inductance"},
    {ID_ABOUT_BUTTON, "About this program"},
    {ID_MM_OPTION, "mm"},
    {ID_INCHES_OPTION, "inches"},
    {ID_IRON_OPTION, "Powdered Iron"},
    {ID_FERRITE_OPTION, "Ferrite"},
    {ID_TURNS_PROMPT, "Enter # of turns:"},
    {ID_INDUCTANCE_PROMPT, "Enter inductance:"},
    {ID_TURNS_EDIT, ""},
    {ID_TURNS_UNIT_CAPTION, "turns"},
    {ID_INDUCTANCE_EDIT, ""},
    {ID_UNITS_COMBO, "uH"},
    {ID_SIZE_CAPTION, "Toroid Size:"},
    {ID_MATERIAL_CAPTION, "Toroid Material"},
    {ID_OD_LABEL, "Outside Diameter:"},
    {ID_ID_LABEL, "Inside Diameter:"},
    {ID_THICKNESS_LABEL, "Core Thickness:"},
    {ID_COLOR_LABEL, "Color Code:"},
    {ID_FREQ_LABEL, "Usable frequency range:"},
    {ID_WIDEBAND_LABEL, ""},
    {ID_TUNED_LABEL, ""},
    {ID_WIRE_SIZE_LABEL, "Max wire size:"},
    {ID_WIRE_LENGTH_LABEL, "Total length of wire:"},
    {ID_LENGTH_UNIT_FRAME, "Unit of length"},
    {ID_CORE_TYPE_FRAME, "Toroid type"},
    {ID_CORE_PARAMS_FRAME, "Core Parameters"},
    {ID_WINDING_FRAME, "Winding Information"},
    {ID_CALCULATE_FRAME, "Calculate"},
    {ID_SKETCH_IMAGE, ""},
};

void MemoryForm::reset()
{
    texts.clear();
    for (const auto &c : StartTexts)
        texts[c.id] = c.text;
    clearLog();
    recording = true;
    resetState();
}

void MemoryForm::setCombos(const std::string &size, const std::string &material)
{
    texts[ID_SIZE_COMBO] = size;
    texts[ID_MATERIAL_COMBO] = material;
}

void MemoryForm::clearLog()
{
    writes.clear();
    messages.clear();
}

std::string MemoryForm::text(int id) const
{
    auto it = texts.find(id);
    return it == texts.end() ? std::string() : it->second;
}

bool solveAsUser(LengthUnit unit, CoreType family, const std::string &size, const std::string &material,
                 SolveMode mode, const std::string &turns, const std::string &inductance,
                 const std::string &units, std::string *message, SolveReport *report)
{
    form.reset();
    form.recording = false;
    setLengthUnit(unit);
    clearResults();
    coreType = family;
    clearResults();
    form.setCombos(size, material);
    form.texts[ID_SIZE_CAPTION] = family == CorePowderedIron ? "Toroid Size:        T-" : "Toroid Size:       FT-";
    form.texts[ID_TURNS_EDIT] = turns;
    form.texts[ID_INDUCTANCE_EDIT] = inductance;
    form.texts[ID_UNITS_COMBO] = units;
    solveMode = mode;
    solve(report);
    if (form.messages.empty())
        return true;
    *message = form.messages[0].text;
    return false;
}

const ResultLine ResultLines[12] = {
    {ID_OD_LABEL, "outsideDiameter"},
    {ID_ID_LABEL, "insideDiameter"},
    {ID_THICKNESS_LABEL, "thickness"},
    {ID_COLOR_LABEL, "colorCode"},
    {ID_FREQ_LABEL, "frequencyRange"},
    {ID_WIDEBAND_LABEL, "wideBand"},
    {ID_TUNED_LABEL, "tunedCircuit"},
    {ID_WIRE_SIZE_LABEL, "wireSize"},
    {ID_WIRE_LENGTH_LABEL, "wireLength"},
    {ID_TURNS_EDIT, "turns"},
    {ID_INDUCTANCE_EDIT, "inductance"},
    {ID_UNITS_COMBO, "units"},
};

// ---- The seam ------------------------------------------------------------

std::string formText(int id)
{
    return form.text(id);
}

void setFormText(int id, const char *text)
{
    if (form.recording)
        form.writes.push_back({id, text});
    auto it = form.texts.find(id);
    if (it != form.texts.end())
        it->second = text;
}

void showMessageBox(const char *text, const char *caption, unsigned style)
{
    form.messages.push_back({text, caption, style});
}
