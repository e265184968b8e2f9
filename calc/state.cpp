// Process-wide values and their start state.
#include "calc/state.h"

#include "calc/core.h"

CoreType coreType;
float lengthFactor;
const char *lengthUnitWord = "";
SolveMode solveMode;

void setLengthUnit(LengthUnit unit)
{
    if (unit == LengthMillimetres) {
        lengthFactor = 25.4f; // held as 25.3999996
        lengthUnitWord = "mm";
    } else {
        lengthFactor = 1.0f;
        lengthUnitWord = "inches";
    }
}

void resetState()
{
    setLengthUnit(LengthInches);
    coreType = CorePowderedIron;
    solveMode = SolveTurns;
    coreSpec = CoreSpec(); // as the start-up code zeroes it
}
