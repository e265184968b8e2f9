// The refusals' texts.
#include "cli/refusals.h"

#include "cli/request.h"

namespace cli {

static const struct {
    Refusal refusal;
    const char *text;
} Refusals[] = {
    {UnknownFamily,          "unknown family '{}' (iron or ferrite)"},
    {UnknownSize,            "unknown {} size '{}' ({})"},
    {UnknownMaterial,        "unknown {} material '{}' ({})"},
    {NoAlForCore,            "the catalogue has no AL for {}"},
    {MalformedNumber,        "malformed number '{}' for {}"},
    {TurnsOrInductance,      "give either --turns or --inductance"},
    {WireAboveZero,          "a wire diameter must be above 0"},
    {AlTolerancePercent,     "--al-tolerance takes a percentage from 0 to below 100"},
    {MalformedRange,         "malformed range '{}' (FROM:TO{})"},
    {RangeDigits,            "range '{}' needs numbers of at most 30 digits and decimals"},
    {RangeOrder,             "range '{}' needs FROM <= TO and a STEP above 0"},
    {RangeRows,              "range '{}' has more than {} rows"},
    {RowRefused,             "the row for {} is refused: {}"},
    {TableTurnsOrInductance, "give either --turns FROM:TO[:STEP] or --inductance FROM:TO:STEP"},
    {FrequencyAboveZero,     "--mhz takes a frequency above 0"},
    {FluxTurnsAboveZero,     "--turns takes a number of turns above 0"},
    {FluxDriveOne,           "give one of --vrms or --watts (each with --mhz), or --amps"},
    {FrequencyWithDc,        "--mhz goes with --vrms or --watts, not with a DC current"},
    {SineNeedsFrequency,     "a sine voltage needs its frequency: --mhz"},
    {DriveAboveZero,         "--vrms, --watts, --ohms and --amps take values above 0"},
    {MeasuredAboveZero,      "--od, --id, --height and --inductance take values above 0"},
    {InsideBelowOutside,     "the inside diameter must be below the outside diameter"},
    {TestWindingTurn,        "the test winding needs at least one turn"},
    {TestWindingWhole,       "a test winding has whole turns, not {}"},
    {NoCurveData,                "no permeability data for ferrite material '{}' (data for {})"},
    {NoIronLoss,             "no loss fit for powdered-iron mix '{}'"},
    {TurnsOneOrMore,         "--turns takes a number of turns of 1 or more"},
    {FrequencyForm,          "--mhz takes a frequency F or a range A:B in MHz, not '{}'"},
    {FrequenciesAboveZero,   "--mhz takes frequencies above 0"},
    {RangeStartEnd,          "range '{}' needs its start below its end"},
    {OutsideCurve,           "material {} has published data from {} to {} MHz only"},
    {CapacitanceNotNegative, "{} takes a capacitance of 0 or more, in pF"},
    {PointsNeedRange,        "--points goes with a range --mhz A:B"},
    {PointsCount,            "--points takes {} to {}"},
    {JsonOrCsv,              "--json excludes --csv"},
    {LossDriveOne,           "give one of --vrms, --watts or --amps"},
    {GaugeRange,             "--awg takes a whole gauge from {} to {}"},
    {MeasureCore,            "give the core as --family and --size, or as --od, --id and --height"},
    {MeasureFile,            "cannot read '{}'"},
    {MeasureFileTooLarge,    "'{}' is over 10 MB: not a measurement of a winding"},
    {TouchstoneLine,         "line {}: {}"},
    {TouchstoneEmpty,        "the file has no data lines"},
    {MethodNeedsTwoPort,     "a one-port file is a reflection measurement: --method {} needs a two-port file"},
    {MethodUnknown,          "--method takes reflection, series or shunt, not '{}'"},
    {TwoPortImpedance,       "a two-port file of {} parameters does not say how the winding was connected: export S parameters"},
    {NoCurveInRange,         "fewer than {} points of the sweep lie within any material's published curve"},
    {CurveOrMaterial,        "give either --material or --curve"},
    {CurveLine,              "the curve's line {}: {}"},
    {DcAmpsAboveZero,        "--dc-amps takes a current above 0"},
    {DcAmpsIron,             "--dc-amps takes a powdered-iron core: the DC-bias fits are the iron mixes'"},
    {OutsideIronFit,         "the loss fit of mix {} takes a flux density and a frequency above 0"},
    {CurveTooShort,          "the curve needs two rows or more of frequency_hz,mu_real,mu_imag"},
    {BandForm,               "--mhz takes a band A:B in MHz, not '{}'"},
    {StackRange,             "--stack takes whole cores from {} to {}"},
    {MaxStackRange,          "--max-stack takes whole cores from {} to {}"},
    {DutyPercent,            "--duty takes a percentage above 0 and at most 100"},
    {ChokeTargetNone,        "give a target: --min-impedance Z, --min-resistance R or both"},
    {ChokeTargetAboveZero,   "--min-impedance and --min-resistance take ohms above 0"},
    {TolerancePercent,       "--tolerance takes a percentage from 0 to below 100"},
    {MaxRiseAboveZero,       "--max-rise takes kelvin above 0"},
    {CodeList,               "{} takes codes separated by commas, not '{}'"},
    {NoCurveOverBand,        "no material's curve covers {} to {} MHz"},
    {ScaleAboveZero,         "--scale takes a factor above 0"},
    {BandTooFewPoints,       "fewer than {} points of the sweep lie from {} to {} MHz, where it is fitted (--mhz A:B)"},
    {RatioOrTurns,           "give the impedance ratio --ratio R or the turns --turns P:S"},
    {RatioOneOrMore,         "--ratio takes an impedance ratio of 1 or more"},
    {TransformerTurns,       "--turns takes whole turns P:S, the secondary's at least the primary's, not '{}'"},
    {PrimaryTurnsNeeded,     "a build on --size needs its primary turns: --primary-turns P, or --turns P:S"},
    {TransformerIron,        "transformers on powdered iron are not modelled yet: their loss follows the flux density, which the ferrite curves do not give"},
    {WattsAboveZero,         "--watts and --ohms take values above 0"},
    {MaxLossPercent,         "--max-loss-percent takes a percentage above 0 and below 100"},
    {TurnsPrimaryRange,      "--primary-turns takes whole turns from {} to {}"},
    {SearchOptions,          "{} takes no {}: those are a search's"},
    {MeasureIron,            "measure fits the ferrite materials' curves; for a powdered-iron core, identify names the mix from its dimensions and a test winding's inductance"},
};
static_assert(sizeof Refusals / sizeof Refusals[0] == RefusalCount, "one text for every refusal");

bool refuse(Failure *failure, Refusal refusal, std::initializer_list<std::string> args)
{
    std::string text;
    for (const auto &r : Refusals) // by its name, whatever the table's order
        if (r.refusal == refusal)
            text = r.text;
    auto arg = args.begin();
    for (size_t p = 0; (p = text.find("{}", p)) != std::string::npos && arg != args.end(); ++arg) {
        text.replace(p, 2, *arg);
        p += arg->size();
    }
    failure->text = text;
    failure->windowMessage = false;
    return false;
}

} // namespace cli
