// The solve request behind the two solve buttons.
#pragma once

#include "calc/handler.h"

// One unit the units box may name, and its worth in microhenries.
struct InductanceUnit {
    const char *text;
    float inductanceFactor;
};
enum { InductanceUnitCount = 3 };
extern const InductanceUnit InductanceUnits[InductanceUnitCount];

// The numbers behind a solve's lines, for a caller that goes on from them:
// the turns the wire lines used (the number entered, or the unrounded
// result), the gauge and the wire length as shown, the core's AL (uH per
// 100 turns) and inside diameter (in the current unit of length).
struct SolveReport {
    float turns;
    uint16_t gauge;
    float wireLength;
    float al;
    float insideDiameter;
};

// Looks up the selected core, writes its lines, reads and checks the input
// of the current SolveMode, computes and writes the results. Every failure
// shows its message and ends the request. A solve that writes every line
// fills *report when one is given.
void solve(SolveReport *report = nullptr);

// The handlers of "Solve for # of turns" and "Solve for Inductance".
int32_t solveTurnsHandler(WindowHandle window, uint32_t message, uintptr_t wParam,
                          intptr_t lParam);
int32_t solveInductanceHandler(WindowHandle window, uint32_t message, uintptr_t wParam,
                               intptr_t lParam);
