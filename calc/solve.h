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

// Looks up the selected core, writes its lines, reads and checks the input
// of the current SolveMode, computes and writes the results. Every failure
// shows its message and ends the request.
void solve();

// The handlers of "Solve for # of turns" and "Solve for Inductance".
int32_t solveTurnsHandler(WindowHandle window, uint32_t message, uintptr_t wParam,
                          intptr_t lParam);
int32_t solveInductanceHandler(WindowHandle window, uint32_t message, uintptr_t wParam,
                               intptr_t lParam);
