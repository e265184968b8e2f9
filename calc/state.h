// Process-wide values shared by the calculator, the catalogue and the window.
#pragma once

#include <cstdint>

#include "catalogue/catalogue.h" // CoreType

// The unit of every length the window shows.
enum LengthUnit {
    LengthInches,
    LengthMillimetres,
};

// Which quantity a solve computes.
enum SolveMode : uint16_t {
    SolveTurns = 0,      // turns from inductance
    SolveInductance = 1, // inductance from turns
};

extern CoreType coreType;           // read by lookupCore and solve
extern float lengthFactor;          // a length in the current unit / lengthFactor = inches
extern const char *lengthUnitWord;  // "inches" or "mm", written after every length
extern SolveMode solveMode;         // set by a solve button just before solve runs

// Sets lengthFactor and lengthUnitWord together.
void setLengthUnit(LengthUnit unit);

// The start-up state: inches, powdered iron, SolveMode 0, no core looked up.
void resetState();
