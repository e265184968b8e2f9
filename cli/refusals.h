// Every refusal of the twin and the page, one line each, in one table. A
// "{}" in a text takes the next argument.
#pragma once

#include <initializer_list>
#include <string>

namespace cli {

struct Failure;

enum Refusal {
    UnknownFamily,
    UnknownSize,
    UnknownMaterial,
    NoAlForCore,
    MalformedNumber,
    TurnsOrInductance,
    WireAboveZero,
    AlTolerancePercent,
    MalformedRange,
    RangeDigits,
    RangeOrder,
    RangeRows,
    RowRefused,
    TableTurnsOrInductance,
    FrequencyAboveZero,
    FluxTurnsAboveZero,
    FluxDriveOne,
    FrequencyWithDc,
    SineNeedsFrequency,
    DriveAboveZero,
    MeasuredAboveZero,
    InsideBelowOutside,
    TestWindingTurn,
    TestWindingWhole,
    NoCurveData,
    NoIronLoss,
    TurnsOneOrMore,
    FrequencyForm,
    FrequenciesAboveZero,
    RangeStartEnd,
    OutsideCurve,
    CapacitanceNotNegative,
    PointsNeedRange,
    PointsCount,
    JsonOrCsv,
    LossDriveOne,
    GaugeRange,
    MeasureCore,
    MeasureFile,
    MeasureFileTooLarge,
    TouchstoneLine,
    TouchstoneEmpty,
    MethodNeedsTwoPort,
    MethodUnknown,
    TwoPortImpedance,
    NoCurveInRange,
    CurveOrMaterial,
    CurveLine,
    DcAmpsAboveZero,
    DcAmpsIron,
    OutsideIronFit,
    CurveTooShort,
    BandForm,
    StackRange,
    MaxStackRange,
    DutyPercent,
    ChokeTargetNone,
    ChokeTargetAboveZero,
    TolerancePercent,
    MaxRiseAboveZero,
    CodeList,
    NoCurveOverBand,
    ScaleAboveZero,
    BandTooFewPoints,
    MeasureIron,
    RatioOrTurns,
    RatioOneOrMore,
    TransformerTurns,
    PrimaryTurnsNeeded,
    TransformerIron,
    WattsAboveZero,
    MaxLossPercent,
    TurnsPrimaryRange,
    SearchOptions,
    RefusalCount
};

// Fills the failure with the refusal's text, its "{}" replaced by args in
// order, and returns false.
bool refuse(Failure *failure, Refusal refusal, std::initializer_list<std::string> args = {});

} // namespace cli
