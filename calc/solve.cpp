// The solve request: from the form's texts to the result texts.
#include "calc/solve.h"

#include <cstring>

#include "calc/controlids.h"
#include "calc/form.h"
#include "calc/formulas.h"
#include "calc/numtext.h"
#include "calc/results.h"
#include "calc/state.h"
#include "catalogue/catalogue.h"

const InductanceUnit InductanceUnits[InductanceUnitCount] = {
    {"nH", 0.001f}, // held as 0.0010000000475
    {"uH", 1.0f},
    {"mH", 1000.0f},
};

static const float TurnsMinimum = 1;
static const float TurnsLimit = 65536;
static const float InductanceMinimum = 0.001f;
static const float InductanceMaximum = 65536;

static const InductanceUnit *findInductanceUnit(const std::string &text)
{
    for (const InductanceUnit &unit : InductanceUnits)
        if (text.size() == strlen(unit.text) && memcmp(text.data(), unit.text, text.size()) == 0)
            return &unit;
    return nullptr;
}

static std::string asText(float value, int digits = 7)
{
    return numberToText(value, digits);
}

static std::string rangeText(float low, float high)
{
    return asText(low) + "  to  " + asText(high) + "  MHz";
}

static void writeCoreLines(const CoreSpec &core)
{
    const std::string unit = lengthUnitWord;
    setFormText(ID_OD_LABEL, "Outside Diameter:  " + asText(core.outsideDiameter) + " " + unit);
    setFormText(ID_ID_LABEL, "Inside Diameter:  " + asText(core.insideDiameter) + " " + unit);
    setFormText(ID_THICKNESS_LABEL, "Core Thickness:  " + asText(core.thickness) + " " + unit);
    setFormText(ID_COLOR_LABEL, std::string("Color Code:      ") + core.colorCode);
    if (coreType == CoreFerrite) {
        setFormText(ID_WIDEBAND_LABEL, "Wide Band:  " + rangeText(core.rangeLowMHz, core.rangeHighMHz));
        setFormText(ID_TUNED_LABEL, "Tuned circuit:  " + rangeText(core.tunedLowMHz, core.tunedHighMHz));
    } else {
        setFormText(ID_WIDEBAND_LABEL, rangeText(core.rangeLowMHz, core.rangeHighMHz));
        setFormText(ID_TUNED_LABEL, "");
    }
}

// Inductance from the turns box. False when the input was refused.
static bool solveForInductance(const CoreSpec &core, float *turns)
{
    *turns = textToNumber(formText(ID_TURNS_EDIT));
    if (*turns < TurnsMinimum) {
        showInvalidData(2);
        return false;
    }
    if (*turns >= TurnsLimit) {
        showInvalidData(6);
        return false;
    }

    float L = inductanceFromTurns(core.al, *turns);
    float shown;
    const char *unit;
    if (L < 1) {
        shown = (float)(1000.0L * L);
        unit = "nH";
    } else if (L < 1000) {
        shown = L;
        unit = "uH";
    } else {
        shown = (float)(L / 1000.0L);
        unit = "mH";
    }
    setFormText(ID_INDUCTANCE_EDIT, asText(shown, 3));
    setFormText(ID_UNITS_COMBO, unit);
    return true;
}

// Turns from the inductance box and the units box. False when refused.
static bool solveForTurns(const CoreSpec &core, float *turns)
{
    float value = textToNumber(formText(ID_INDUCTANCE_EDIT));
    if (value < InductanceMinimum) {
        showInvalidData(3);
        return false;
    }
    if (value > InductanceMaximum) {
        showInvalidData(5);
        return false;
    }
    const InductanceUnit *unit = findInductanceUnit(formText(ID_UNITS_COMBO));
    if (!unit) {
        showInvalidData(4);
        return false;
    }

    float L = (float)((long double)unit->inductanceFactor * value);
    *turns = turnsFromInductance(core.al, L);
    // The box shows the nearest whole number; the wire lines use the exact N.
    uint32_t whole = (uint32_t)roundToInteger(*turns);
    setFormText(ID_TURNS_EDIT, asText((float)whole, 5));
    return true;
}

void solve()
{
    std::string sizeText = formText(ID_SIZE_COMBO);
    std::string materialText = formText(ID_MATERIAL_COMBO);
    if (!lookupCore(sizeText, materialText))
        return;
    const CoreSpec &core = coreSpec;
    writeCoreLines(core);

    float turns;
    bool ok = solveMode == SolveInductance ? solveForInductance(core, &turns)
                                           : solveForTurns(core, &turns);
    if (!ok)
        return;

    uint16_t gauge = maxWireGauge(core.insideDiameter, turns);
    setFormText(ID_WIRE_SIZE_LABEL, "Max. wire size:  " + asText(gauge) + "  AWG");
    float length = wireLength(turns, core.thickness, core.outsideDiameter, core.insideDiameter);
    setFormText(ID_WIRE_LENGTH_LABEL, "Total length of wire\r\n   (Not including leads):   " +
                                          asText(length, 5) + "  " + lengthUnitWord);
}

static int32_t solveButton(uint32_t message, uintptr_t wParam, unsigned button, SolveMode mode)
{
    if (isClick(message, wParam) && commandId(wParam) == button) {
        solveMode = mode;
        solve();
    }
    return 0;
}

int32_t solveTurnsHandler(WindowHandle, uint32_t message, uintptr_t wParam, intptr_t)
{
    return solveButton(message, wParam, ID_SOLVE_TURNS_BUTTON, SolveTurns);
}

int32_t solveInductanceHandler(WindowHandle, uint32_t message, uintptr_t wParam, intptr_t)
{
    return solveButton(message, wParam, ID_SOLVE_INDUCTANCE_BUTTON, SolveInductance);
}
