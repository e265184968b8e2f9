// Every refusal of the twin and the page, one line each, in one list: its
// name, the option it speaks of and its text. A "{}" in a text takes the
// next argument; an option "{N}" is the N-th argument (the caller names it),
// "" none in particular.
#pragma once

#include <initializer_list>
#include <string>

namespace cli {

struct Failure;

// X(name, option, text)
#define MIRVELTA_REFUSALS(X) \
    X(UnknownFamily,          "--family",          "unknown family '{}' (iron or ferrite)") \
    X(UnknownSize,            "--size",            "unknown {} size '{}' ({})") \
    X(UnknownMaterial,        "--material",        "unknown {} material '{}' ({})") \
    X(NoAlForCore,            "--material",        "the catalogue has no AL for {}") \
    X(MalformedNumber,        "{2}",               "malformed number '{}' for {}") \
    X(TurnsOrInductance,      "--turns",           "give either --turns or --inductance") \
    X(WireAboveZero,          "--wire-mm",         "a wire diameter must be above 0") \
    X(AlTolerancePercent,     "--al-tolerance",    "--al-tolerance takes a percentage from 0 to below 100") \
    X(MalformedRange,         "",                  "malformed range '{}' (FROM:TO{})") \
    X(RangeDigits,            "",                  "range '{}' needs numbers of at most 30 digits and decimals") \
    X(RangeOrder,             "",                  "range '{}' needs FROM <= TO and a STEP above 0") \
    X(RangeRows,              "",                  "range '{}' has more than {} rows") \
    X(RowRefused,             "",                  "the row for {} is refused: {}") \
    X(TableTurnsOrInductance, "--turns",           "give either --turns FROM:TO[:STEP] or --inductance " \
                                                   "FROM:TO:STEP") \
    X(FrequencyAboveZero,     "--mhz",             "--mhz takes a frequency above 0") \
    X(FluxTurnsAboveZero,     "--turns",           "--turns takes a number of turns above 0") \
    X(FluxDriveOne,           "--vrms",            "give one of --vrms or --watts (each with --mhz), or --amps") \
    X(FrequencyWithDc,        "--mhz",             "--mhz goes with --vrms or --watts, not with a DC current") \
    X(SineNeedsFrequency,     "--mhz",             "a sine voltage needs its frequency: --mhz") \
    X(DriveAboveZero,         "",                  "--vrms, --watts, --ohms and --amps take values above 0") \
    X(MeasuredAboveZero,      "",                  "--od, --id, --height and --inductance take values above 0") \
    X(InsideBelowOutside,     "--id",              "the inside diameter must be below the outside diameter") \
    X(TestWindingTurn,        "--turns",           "the test winding needs at least one turn") \
    X(TestWindingWhole,       "--turns",           "a test winding has whole turns, not {}") \
    X(NoCurveData,            "--material",        "no permeability data for ferrite material '{}' (data for {})") \
    X(NoIronLoss,             "--material",        "no loss fit for powdered-iron mix '{}'") \
    X(TurnsOneOrMore,         "--turns",           "--turns takes a number of turns of 1 or more") \
    X(FrequencyForm,          "--mhz",             "--mhz takes a frequency F or a range A:B in MHz, not '{}'") \
    X(FrequenciesAboveZero,   "--mhz",             "--mhz takes frequencies above 0") \
    X(RangeStartEnd,          "--mhz",             "range '{}' needs its start below its end") \
    X(OutsideCurve,           "--mhz",             "material {} has published data from {} to {} MHz only") \
    X(CapacitanceNotNegative, "{1}",               "{} takes a capacitance of 0 or more, in pF") \
    X(PointsNeedRange,        "--points",          "--points goes with a range --mhz A:B") \
    X(PointsCount,            "--points",          "--points takes {} to {}") \
    X(JsonOrCsv,              "--csv",             "--json excludes --csv") \
    X(LossDriveOne,           "--vrms",            "give one of --vrms, --watts or --amps") \
    X(GaugeRange,             "--awg",             "--awg takes a whole gauge from {} to {}") \
    X(MeasureCore,            "--size",            "give the core as --family and --size, or as --od, --id and " \
                                                   "--height") \
    X(MeasureFile,            "",                  "cannot read '{}'") \
    X(MeasureFileTooLarge,    "",                  "'{}' is over 10 MB: not a measurement of a winding") \
    X(TouchstoneLine,         "",                  "line {}: {}") \
    X(TouchstoneEmpty,        "",                  "the file has no data lines") \
    X(MethodNeedsTwoPort,     "--method",          "a one-port file is a reflection measurement: --method {} needs " \
                                                   "a two-port file") \
    X(MethodUnknown,          "--method",          "--method takes reflection, series or shunt, not '{}'") \
    X(TwoPortImpedance,       "",                  "a two-port file of {} parameters does not say how the winding " \
                                                   "was connected: export S parameters") \
    X(NoCurveInRange,         "",                  "fewer than {} points of the sweep lie within any material's " \
                                                   "published curve") \
    X(CurveOrMaterial,        "--curve",           "give either --material or --curve") \
    X(CurveLine,              "--curve",           "the curve's line {}: {}") \
    X(DcAmpsAboveZero,        "--dc-amps",         "--dc-amps takes a current above 0") \
    X(DcAmpsIron,             "--dc-amps",         "--dc-amps takes a powdered-iron core: the DC-bias fits are the " \
                                                   "iron mixes'") \
    X(OutsideIronFit,         "",                  "the loss fit of mix {} takes a flux density and a frequency " \
                                                   "above 0") \
    X(CurveTooShort,          "--curve",           "the curve needs two rows or more of " \
                                                   "frequency_hz,mu_real,mu_imag") \
    X(BandForm,               "--mhz",             "--mhz takes a band A:B in MHz, not '{}'") \
    X(StackRange,             "--stack",           "--stack takes whole cores from {} to {}") \
    X(MaxStackRange,          "--max-stack",       "--max-stack takes whole cores from {} to {}") \
    X(DutyPercent,            "--duty",            "--duty takes a percentage above 0 and at most 100") \
    X(ChokeTargetNone,        "--min-impedance",   "give a target: --min-impedance Z, --min-resistance R or both") \
    X(ChokeTargetAboveZero,   "",                  "--min-impedance and --min-resistance take ohms above 0") \
    X(TolerancePercent,       "--tolerance",       "--tolerance takes a percentage from 0 to below 100") \
    X(MaxRiseAboveZero,       "--max-rise",        "--max-rise takes kelvin above 0") \
    X(CodeList,               "{1}",               "{} takes codes separated by commas, not '{}'") \
    X(NoCurveOverBand,        "--mhz",             "no material's curve covers {} to {} MHz") \
    X(ScaleAboveZero,         "--scale",           "--scale takes a factor above 0") \
    X(BandTooFewPoints,       "--mhz",             "fewer than {} points of the sweep lie from {} to {} MHz, where " \
                                                   "it is fitted (--mhz A:B)") \
    X(RatioOrTurns,           "--ratio",           "give the impedance ratio --ratio R or the turns --turns P:S") \
    X(RatioOneOrMore,         "--ratio",           "--ratio takes an impedance ratio of 1 or more") \
    X(TransformerTurns,       "--turns",           "--turns takes whole turns P:S, the secondary's at least the " \
                                                   "primary's, not '{}'") \
    X(PrimaryTurnsNeeded,     "--primary-turns",   "a build on --size needs its primary turns: --primary-turns P, " \
                                                   "or --turns P:S") \
    X(TransformerIron,        "--family",          "transformers on powdered iron are not modelled yet: their loss " \
                                                   "follows the flux density, which the ferrite curves do not give") \
    X(WattsAboveZero,         "",                  "--watts and --ohms take values above 0") \
    X(MaxLossPercent,         "--max-loss-percent", "--max-loss-percent takes a percentage above 0 and below 100") \
    X(TurnsPrimaryRange,      "--primary-turns",   "--primary-turns takes whole turns from {} to {}") \
    X(SearchOptions,          "",                  "{} takes no {}: those are a search's") \
    X(BuildOptions,           "",                  "a search takes no {}: those are one build's") \
    X(LeakageNotNegative,     "--leakage-nh",      "--leakage-nh takes an inductance of 0 or more, in nH") \
    X(MaxSwrAboveOne,         "--max-swr",         "--max-swr takes an SWR above 1") \
    X(BalunRatio,             "--ratio",           "a {} has no {}:1 connection (guanella: 1, 4 or 9; ruthroff: 4)") \
    X(BalunUnun,              "--unun",            "a {} 1:1 has no unun connection: it is a balun or a choke") \
    X(LineOhmsRange,          "--z0",              "--z0 takes ohms from {} to {}") \
    X(VelocityFactorRange,    "--vf",              "--vf takes a velocity factor above 0 and at most 1") \
    X(LineNeeded,             "--z0",              "give the line: --z0 Z with --vf V as measured, or the pair's " \
                                                   "--overall-mm D and --twists-per-cm T") \
    X(OverallAboveBare,       "--overall-mm",      "--overall-mm takes the wire's diameter over its insulation, " \
                                                   "above the bare {} mm") \
    X(PairOhmsRange,          "--overall-mm",      "the pair's Z0 by Lefferson's formula is {} ohms, outside {} to " \
                                                   "{}: give the line as measured, --z0 and --vf") \
    X(TwistsNotNegative,      "--twists-per-cm",   "--twists-per-cm takes 0 or more twists per cm") \
    X(PermittivityRange,      "--er",              "--er takes a relative permittivity from 1 to 10") \
    X(LeadsNotNegative,       "--leads-cm",        "--leads-cm takes a length of 0 or more, in cm") \
    X(LoadForm,               "{1}",               "{} takes R+jX in ohms (R above 0, X optional), not '{}'") \
    X(CmLoadForm,             "--cm-load",         "--cm-load takes three impedances z1,z2,z3, each R+jX in ohms " \
                                                   "(R 0 or more), not '{}'") \
    X(TurnsWholeRange,        "--turns",           "--turns takes whole turns from {} to {}") \
    X(BalunTurnsNeeded,       "--turns",           "a build on --size needs its turns: --turns N, each line's") \
    X(MaxLossDbAboveZero,     "--max-loss-db",     "--max-loss-db takes decibels above 0") \
    X(QTurnsOrUh,             "--turns",           "give either --turns N or --uh L") \
    X(UhAboveZero,            "--uh",              "--uh takes an inductance above 0, in uH") \
    X(InductanceBelowOneTurn, "--uh",              "{} uH is less than one turn gives on {} ({} uH)") \
    X(InductanceTooManyTurns, "--uh",              "{} uH takes {} turns on {}, more than one layer holds") \
    X(TurnsNoWire,            "--turns",           "{} turns do not fit in one layer on {} with any wire") \
    X(WireDoesNotFit,         "{1}",               "{} gives a wire of {} mm, and {} turns of it do not fit in one layer " \
                                                   "on {}") \
    X(QSearchNeedsUh,         "--uh",              "a search for the core needs the inductance: --uh L") \
    X(UnknownBuild,           "--insulation",      "unknown insulation '{}' ({})") \
    X(UnknownCable,           "--cable",           "unknown cable '{}' ({})") \
    X(NoBuildRow,             "--insulation",      "the data hold no {} diameter for {}{}") \
    X(HookupNeedsOverall,     "--overall-mm",      "the data hold no outside diameter for {} hook-up wire: give it, " \
                                                   "--overall-mm D") \
    X(InsulationNeedsSize,    "{1}",               "{} needs the wire's size: --awg G or --wire-mm D")

enum Refusal {
#define MIRVELTA_REFUSAL_NAME(name, option, text) name,
    MIRVELTA_REFUSALS(MIRVELTA_REFUSAL_NAME)
#undef MIRVELTA_REFUSAL_NAME
    RefusalCount
};

struct RefusalRow {
    const char *name, *option, *text;
};
// The list as data, in the enum's order: the tests read every text from it.
extern const RefusalRow Refusals[RefusalCount];

// How many "{}" a text takes.
constexpr int placeholders(const char *text)
{
    int n = 0;
    for (; *text; ++text)
        if (text[0] == '{' && text[1] == '}')
            ++n;
    return n;
}

constexpr const char *RefusalTexts[] = {
#define MIRVELTA_REFUSAL_TEXT(name, option, text) text,
    MIRVELTA_REFUSALS(MIRVELTA_REFUSAL_TEXT)
#undef MIRVELTA_REFUSAL_TEXT
};

// Fills the failure with the refusal's text, its "{}" replaced by args in
// order, and its option, and returns false. Where the refusal is not known
// until run time (a range's, a drive's), args must match its text.
bool refuseWith(Failure *failure, Refusal refusal, std::initializer_list<std::string> args = {});

// The same for a refusal known where it is written: its arguments are
// counted against the text's "{}" as the code compiles.
template <Refusal R, class... Args>
bool refuse(Failure *failure, const Args &...args)
{
    static_assert(placeholders(RefusalTexts[R]) == sizeof...(Args), "one argument for every {} of the text");
    return refuseWith(failure, R, {std::string(args)...});
}

// A refusal about another option than the list says (the one of two given
// together that conflicts): as refuse, naming `option`.
bool refuseAt(Failure *failure, const char *option, Refusal refusal, std::initializer_list<std::string> args = {});

} // namespace cli
