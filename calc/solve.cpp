// The solve request: from the form's texts to the result texts.
#include "calc/solve.h"

#include <cstring>

#include "calc/controlids.h"
#include "calc/extended.h"
#include "calc/form.h"
#include "calc/formulas.h"
#include "calc/numtext.h"
#include "calc/results.h"
#include "calc/state.h"
#include "calc/core.h"

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

// One line of the window, built in place: no line is longer than a caption,
// a 20-character colour code or two number texts and a few words.
class LineText {
public:
    LineText() { text_[0] = '\0'; }
    LineText &add(const char *s)
    {
        size_t n = strlen(s);
        if (n > sizeof text_ - 1 - length_)
            n = sizeof text_ - 1 - length_;
        memcpy(text_ + length_, s, n);
        length_ += n;
        text_[length_] = '\0';
        return *this;
    }
    LineText &number(float value, int digits = 7)
    {
        char buf[NumberTextMax];
        numberToText(value, digits, buf);
        return add(buf);
    }
    const char *c_str() const { return text_; }

private:
    char text_[160];
    size_t length_ = 0;
};

static void writeLine(int id, const LineText &line)
{
    setFormText(id, line.c_str());
}

static LineText rangeText(const char *caption, float low, float high)
{
    LineText line;
    line.add(caption).number(low).add("  to  ").number(high).add("  MHz");
    return line;
}

static void writeCoreLines(const CoreSpec &core)
{
    writeLine(ID_OD_LABEL, LineText().add("Outside Diameter:  ").number(core.outsideDiameter)
                               .add(" ").add(lengthUnitWord));
    writeLine(ID_ID_LABEL, LineText().add("Inside Diameter:  ").number(core.insideDiameter)
                               .add(" ").add(lengthUnitWord));
    writeLine(ID_THICKNESS_LABEL, LineText().add("Core Thickness:  ").number(core.thickness)
                                      .add(" ").add(lengthUnitWord));
    writeLine(ID_COLOR_LABEL, LineText().add("Color Code:      ").add(core.colorCode));
    if (coreType == CoreFerrite) {
        writeLine(ID_WIDEBAND_LABEL, rangeText("Wide Band:  ", core.rangeLowMHz, core.rangeHighMHz));
        writeLine(ID_TUNED_LABEL, rangeText("Tuned circuit:  ", core.tunedLowMHz, core.tunedHighMHz));
    } else {
        // No caption: the line begins with the blank of the first number.
        writeLine(ID_WIDEBAND_LABEL, rangeText("", core.rangeLowMHz, core.rangeHighMHz));
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
    writeLine(ID_INDUCTANCE_EDIT, LineText().number(shown, 3));
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

    float L = (float)((Extended)unit->inductanceFactor * value);
    *turns = turnsFromInductance(core.al, L);
    // The box shows the nearest whole number; the wire lines use the exact N.
    uint32_t whole = (uint32_t)roundToInteger(*turns);
    writeLine(ID_TURNS_EDIT, LineText().number((float)whole, 5));
    return true;
}

void solve(SolveReport *report)
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
    writeLine(ID_WIRE_SIZE_LABEL, LineText().add("Max. wire size:  ").number(gauge).add("  AWG"));
    float length = wireLength(turns, core.thickness, core.outsideDiameter, core.insideDiameter);
    writeLine(ID_WIRE_LENGTH_LABEL, LineText().add("Total length of wire\r\n   (Not including leads):   ")
                                        .number(length, 5).add("  ").add(lengthUnitWord));
    if (report)
        *report = {turns, gauge, length, core.al, core.insideDiameter};
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
