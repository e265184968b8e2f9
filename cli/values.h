// What every command of the request layer reads alike: a refusal, an
// option's text, numbers, cores, drives, the winding's capacitance and wire.
// Each command (cli/solve.h ... cli/transformer.h) goes from a typed request
// (the texts and flags a user gave) to a typed result or a refusal, and from
// the result to its JSON and its text. The twin reaches it through CLI11
// (options.cpp), the page through the same options.
//
// A request holds what the user typed; the rules that read and refuse it
// are here and in the command's file, once. The figures come from design/
// and from the window's solve.
#pragma once

#include <nlohmann/json.hpp>

#include <memory>
#include <string>
#include <vector>
#include <utility>

#include "calc/state.h"
#include "catalogue/catalogue.h"
#include "cli/defaults.h"
#include "cli/refusals.h"
#include "design/decimal.h"
#include "design/capacitance.h"
#include "design/ferrite.h"
#include "design/insulation.h"
#include "design/magnetics.h"
#include "design/touchstone.h"

namespace cli {

using Json = nlohmann::ordered_json;

// Why a command refused: one line. The window's own messages keep their
// words (and say so); the twin's are said after "mirvelta-cli: ".
struct Failure {
    std::string text;
    bool windowMessage = false;
    std::string option; // the option it speaks of ("--watts"), or none
};

// An option's text, and whether it was given at all.
struct Given {
    std::string text;
    bool given = false;
};

// ---- Reading what the user typed (values.cpp) ----------------------------------

// Every number a user types into the twin or the page, outside the window's
// own boxes, is a plain decimal (design/decimal.h).
// A plain number as a double (correctly rounded), or the refusal naming
// the option.
bool readNumber(const std::string &text, const char *option, double *value, Failure *failure);
// A plain number that is whole, as an int; what is not whole or beyond int
// is refused as out of [least, most] with refusal `range`.
bool readWhole(const std::string &text, const char *option, int least, int most, Refusal range, int *value,
               Failure *failure);

bool readFamily(const std::string &text, CoreType *family, Failure *failure);
// The family an optional --family names, or both when it is empty.
bool readFamilies(const std::string &text, std::vector<CoreType> *families, Failure *failure);
LengthUnit readUnit(const std::string &text); // checked by the option already
// "nH", "uH", "mH": the factor to nanohenries (checked by the option).
double nanohenriesPer(const std::string &units);

// A catalogue core the user names.
struct CoreOptions {
    std::string family, size, material, unit = "inches";
};

struct Core {
    CoreType family = CorePowderedIron;
    LengthUnit unit = LengthInches;
    int sizeIndex = 0, materialIndex = 0;
    std::string size, material;

    const CoreSize &dimensions() const; // inches
    const CoreMaterial &mix() const;
    float al() const;                   // uH per 100 turns; 1 or less: none
    std::string name() const;           // T-50-2, FT-240-61
};

// The core from its options: the codes must be the family's.
bool readCore(const CoreOptions &options, Core *core, Failure *failure);
// Like readCore, and the catalogue must have an AL for the pair.
bool readCoreWithAl(const CoreOptions &options, Core *core, Failure *failure);

// A core at frequency with its name: a ferrite size with any material that
// has a curve, or a catalogue iron core with its AL.
struct NamedCore : design::FrequencyCore {
    std::string name;
    std::shared_ptr<const design::FerriteData> curve; // a curve of the user's, where data points to it
    std::shared_ptr<const std::vector<design::PermeabilityPoint>> curvePoints;
};
bool readFrequencyCore(const CoreOptions &options, NamedCore *core, Failure *failure);
// A ferrite size with the user's own curve (the CSV text of --curve) in
// place of a material's.
bool readCurveCore(const CoreOptions &options, const std::string &curveText, NamedCore *core, Failure *failure);
// The core of --material, or of --curve FILE.
bool readFrequencyCoreOrCurve(const CoreOptions &options, const Given &curve, NamedCore *core, Failure *failure);
// A file's text, refused when it cannot be read or is over 10 MB.
bool readFileText(const std::string &path, std::string *text, Failure *failure);
// What is wrong on a line of a measurement's or a curve's file.
std::string lineFault(const design::TouchstoneError &e);
// The frequencies within the core's curve, or the refusal that says its range.
bool withinData(const design::FrequencyCore &c, double lowMhz, double highMhz, Failure *failure);

// The drive of a winding: a sine voltage, a power into a resistance (V =
// sqrt(P R)), or a current.
struct DriveOptions {
    Given vrms, watts, amps, ohms;
};
struct Drive {
    bool byCurrent = false, byPower = false;
    double vrms = 0, watts = 0, ohms = DefaultOhms, amps = 0;
};
// The drive's numbers, each read where given.
bool readDriveNumbers(const DriveOptions &o, Drive *drive, Failure *failure);
// The drive as an answer gives it: amps, or watts and ohms with the vrms they
// make, or vrms.
void addDriveJson(const Drive &drive, Json *j);
// After readDriveNumbers: exactly one of the three, each above 0; `which`
// is the refusal for "not one of them".
bool readDrive(const DriveOptions &o, Refusal which, Drive *drive, Failure *failure);

// A frequency F or a band A:B in MHz (F alone: both ends F), each above 0,
// the start not above the end.
bool readFrequencies(const std::string &text, double *low, double *high, Failure *failure);
// A band A:B, its start below its end.
bool readBand(const std::string &text, double *low, double *high, Failure *failure);

// --stack K and --max-stack K: whole cores from 1 to 4 (one where not given).
bool readStack(const Given &stack, const char *option, int *cores, Failure *failure);
// "2 x FT-240-43" for a stack, the core's own name for one core.
std::string stackName(const std::string &name, int stack);
// A core's name, as every answer gives it: "T-50-2", "FT-240-43", or with a
// curve of the user's in place of a material (`material` empty) "FT-240
// (measured curve)". A stack's is stackName's.
std::string coreName(CoreType family, const std::string &size, const std::string &material);

// The winding's own capacitance: the self-capacitance model of the core's
// outline (design/capacitance.h), with the user's strays (leads, board,
// fixture) added; or a capacitance the user gives in place of both, 0
// leaving it out.
struct CapacitanceOptions {
    Given pf, strayPf;
};
struct CapacitanceRule {
    bool given = false; // --pf
    double pf = 0, strayPf = 0;
};
bool readCapacitanceRule(const CapacitanceOptions &o, CapacitanceRule *rule, Failure *failure);
// Where the capacitance comes from; its JSON word is capacitanceFromName's.
enum CapacitanceFrom { CapacitanceModel, CapacitanceModelAndStray, CapacitanceGiven };
const char *capacitanceFromName(CapacitanceFrom from); // "model", "model + stray", "given"
struct Capacitance {
    double pf = 0, modelPf = 0, strayPf = 0;
    CapacitanceFrom from = CapacitanceModel;
};
Capacitance capacitanceFor(const CapacitanceRule &rule, const design::Outline &outline);
// capacitancePf and capacitanceFrom.
void addCapacitanceJson(const Capacitance &c, Json *j);
// "2.125 pF across the winding (the self-capacitance model of the core's outline)"
std::string capacitanceText(const Capacitance &c);
// Where the model is weaker for this winding (turns; 0 where not known).
std::vector<std::string> capacitanceWarnings(const Capacitance &c, double turns);

// The wire of a winding: --awg G (by the window's own gauge rule) or
// --wire-mm D (for a feed-line choke the cable's outside diameter); 1 mm
// where neither is given. Over it, the insulation: a build of enamel or PTFE
// (--insulation), a diameter over the insulation (--overall-mm), or in place
// of both a cable by name (--cable: its outside diameter).
struct WireOptions {
    Given awg, wireMm, insulation, overallMm, cable;
};
// JSON: "default", "--awg", "--wire-mm", "thickest that fits" (a gauge a
// command chose: the thickest whole gauge that fits its winding in one layer).
enum WireFrom { WireDefault, WireByGauge, WireByDiameter, WireThickest, WireByCable };
// JSON overallFrom: none (the bare wire is what fits), "table", "estimate",
// "given", "cable".
enum OverallFrom { OverallNone, OverallTable, OverallEstimate, OverallGiven, OverallCable };
struct Wire {
    double mm = 0, inches = 0; // the copper's: its resistance and Q (a cable's: its outside)
    WireFrom from = WireDefault;
    int awg = 0;
    int build = -1;                     // a design::Build, or none
    const char *tableSize = nullptr;    // the build's row in the data
    const design::CableRow *cable = nullptr;
    double overallMm = 0;               // over the insulation; 0: not known
    OverallFrom overallFrom = OverallNone;
    double ratingVolts = 0;             // 0: none in the data
    design::RatingFrom ratingFrom = design::RatingNone;

    // What the fit counts turns by: the overall diameter where known.
    double fitInches() const;
};
bool readWire(const WireOptions &o, Wire *wire, Failure *failure);
// Whether the request names any insulation or cable.
bool insulationGiven(const WireOptions &o);
Json wireJson(const Wire &w);
// The thickest whole gauge (AWG 1 to 50) whose N turns fit one layer on a
// core of that inside diameter; false where none does.
bool thickestWire(float insideInches, long turns, Wire *w);
std::string wireText(const Wire &w);

// A command's one winding and the wire the request names, where it names
// one (core, flux, impedance, loss): the most turns of it in one layer.
struct WindingWire {
    bool given = false;
    Wire wire;
    long mostTurns = 0;
};
bool readWindingWire(const WireOptions &o, float insideInches, WindingWire *w, Failure *failure);
// "wire" with mostTurns and, for N turns (0: none), whether they fit.
void addWindingWireJson(const WindingWire &w, double turns, Json *j);
// "Wire: ..., N turns in one layer"; where the turns do not fit, a warning.
std::pair<std::string, std::string> windingWireLine(const WindingWire &w);
std::vector<std::string> windingWireWarnings(const WindingWire &w, double turns);
// The voltages a drive puts on a winding ("" names a command's one winding;
// a transformer's or a balun's are named), against the wire's rating.
struct WindingVolts {
    std::string name;
    design::WindingVoltage v;
};
// "voltages": the one winding's figures, or each winding's under its name;
// with the rating and where it comes from (null: none in the data).
Json voltagesJson(const Wire &w, const std::vector<WindingVolts> &windings);
// A line a winding ("Voltages", "Voltages, secondary") and the rating's.
std::vector<std::pair<std::string, std::string>> voltageLines(const Wire &w, const std::vector<WindingVolts> &windings);
// Where a winding's ends pass 75 % of the rating: what to do.
std::vector<std::string> voltageWarnings(const Wire &w, const std::vector<WindingVolts> &windings);
// A search's one warning where any of the designs offered is over the
// rating (each design's voltages are in its JSON); `parts` names what
// each has ("windings", "lines").
std::vector<std::string> designsOverRating(const Wire &w, const std::vector<std::vector<WindingVolts>> &designs,
                                           const std::string &parts);
// The one winding's volts at vrms across its N turns (0: the turns differ
// from design to design, and the lines leave a turn's out).
std::vector<WindingVolts> oneWinding(double vrms, double turns);

// --scale K: the permeability times K (1 where not given), above 0.
bool readScale(const Given &scale, double *k, Failure *failure);

// The catalogue's ferrite sizes and the materials with a curve a search
// runs over: all of them, or the ones --sizes and --materials name
// (comma-separated codes).
bool readSearchCores(const Given &sizeCodes, const Given &materialCodes, std::vector<int> *sizes,
                     std::vector<const design::FerriteData *> *materials, Failure *failure);
// A search's candidates (design::searchCores) over the band lowMhz to
// highMhz, in stacks of leastStack to mostStack; refused where no
// material's curve covers the band.
bool readSearchCandidates(const Given &sizeCodes, const Given &materialCodes, int leastStack, int mostStack,
                          double lowMhz, double highMhz, std::vector<design::FrequencyCore> *cores, Failure *failure);

// --duty D: the per cent of the time at full power, above 0 and at most 100
// (100 where not given). The heat follows the power times D/100; the flux
// density the full power.
bool readDuty(const Given &duty, double *percent, Failure *failure);

} // namespace cli
