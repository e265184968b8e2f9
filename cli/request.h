// The request layer: each command of mirvelta-cli and of the web page, from
// a typed request (the texts and flags a user gave) to a typed result or a
// refusal, and from the result to its JSON and its text. The twin reaches it
// through CLI11 (options.cpp), the page through the same options.
//
// A request holds what the user typed; the rules that read and refuse it
// are here, once. The figures come from design/ and from the window's solve.
#pragma once

#include <nlohmann/json.hpp>

#include <memory>
#include <string>
#include <vector>

#include "calc/state.h"
#include "catalogue/catalogue.h"
#include "cli/defaults.h"
#include "cli/refusals.h"
#include "design/decimal.h"
#include "design/capacitance.h"
#include "design/choke.h"
#include "design/ferrite.h"
#include "design/transformer.h"
#include "design/identify.h"
#include "design/magnetics.h"
#include "design/measure.h"
#include "design/touchstone.h"

namespace cli {

using namespace design;

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
struct NamedCore : FrequencyCore {
    std::string name;
    std::shared_ptr<const FerriteData> curve; // a curve of the user's, where data points to it
    std::shared_ptr<const std::vector<PermeabilityPoint>> curvePoints;
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
std::string lineFault(const TouchstoneError &e);
// The frequencies within the core's curve, or the refusal that says its range.
bool withinData(const FrequencyCore &c, double lowMhz, double highMhz, Failure *failure);

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
struct Capacitance {
    double pf = 0, modelPf = 0, strayPf = 0;
    const char *from = "model"; // "model", "model + stray" or "given"
};
Capacitance capacitanceFor(const CapacitanceRule &rule, const Outline &outline);
// capacitancePf and capacitanceFrom.
void addCapacitanceJson(const Capacitance &c, Json *j);
// "2.125 pF across the winding (the self-capacitance model of the core's outline)"
std::string capacitanceText(const Capacitance &c);
// Where the model is weaker for this winding (turns; 0 where not known).
std::vector<std::string> capacitanceWarnings(const Capacitance &c, double turns);

// The wire of a winding: --awg G (by the window's own gauge rule) or
// --wire-mm D (for a feed-line choke the cable's outside diameter); 1 mm
// where neither is given.
struct WireOptions {
    Given awg, wireMm;
};
struct Wire {
    double mm, inches;
    const char *from; // "--awg", "--wire-mm" or "default"
    int awg;
};
bool readWire(const WireOptions &o, Wire *wire, Failure *failure);
Json wireJson(const Wire &w);
std::string wireText(const Wire &w);

// --scale K: the permeability times K (1 where not given), above 0.
bool readScale(const Given &scale, double *k, Failure *failure);

// The catalogue's ferrite sizes and the materials with a curve a search
// runs over: all of them, or the ones --sizes and --materials name
// (comma-separated codes).
bool readSearchCores(const Given &sizeCodes, const Given &materialCodes, std::vector<int> *sizes,
                     std::vector<const FerriteData *> *materials, Failure *failure);

// --duty D: the per cent of the time at full power, above 0 and at most 100
// (100 where not given). The heat follows the power times D/100; the flux
// density the full power.
bool readDuty(const Given &duty, double *percent, Failure *failure);

// ---- The commands ---------------------------------------------------------------

struct SolveRequest {
    CoreOptions core;
    Given turns, inductance, wireMm, wireIn, tolerance, dcAmps;
    std::string units = "uH";
};
struct WireAnswer {
    bool givenInMm;
    double inches, largestInches;
    bool fits;
    long mostTurns;
};
// A winding on powdered iron with a DC current through it, by the mix's
// DC-bias fit: the field, the permeability left, the inductance it leaves
// at the solved turns, and for a solve of turns the fewest whole turns that
// reach the asked inductance with the current flowing (0: none up to the
// limit).
struct DcBias {
    double amps, field, percent, microhenry;
    long turnsWithCurrent, limit;
    double target; // uH, for a solve of turns
};
struct SolveResult {
    SolveMode mode;
    bool dcGiven = false;
    DcBias dc{};
    std::string mix;
    std::vector<std::pair<const char *, std::string>> lines; // the window's lines by name
    std::vector<WireAnswer> wires;
    bool toleranceGiven = false;
    double percent = 0;
    float al = 0;
    ToleranceBand band{};
    std::string unit; // the units box after the solve
};
bool solve(const SolveRequest &r, SolveResult *result, Failure *failure);
Json solveJson(const SolveResult &r);
std::string solveText(const SolveResult &r);

struct ListRequest {
    std::string family, unit = "inches";
};
struct ListResult {
    std::vector<CoreType> families;
    LengthUnit unit;
};
bool list(const ListRequest &r, ListResult *result, Failure *failure);
// A material's frequency ranges by name: iron's usable range, ferrite's
// wide-band and tuned-circuit ones.
Json rangesJson(CoreType family, const CoreMaterial &m);
Json listJson(const ListResult &r);
std::string listText(const ListResult &r, bool csv);

struct TableRequest {
    CoreOptions core;
    Given turns, inductance;
    std::string units = "uH";
};
struct TableRow {
    std::string turns, inductance, units, gauge, length, lengthUnit;
};
struct TableResult {
    std::vector<TableRow> rows;
};
bool table(const TableRequest &r, TableResult *result, Failure *failure);
Json tableJson(const TableResult &r);
std::string tableText(const TableResult &r, bool csv);

struct FindRequest {
    std::string inductance, units = "uH", family, unit = "inches";
    Given awg, mhz;
};
struct FoundCore {
    std::string core, material, al, turns, gauge, length, lengthUnit;
    float wireLength;
};
struct FindResult {
    std::vector<FoundCore> cores;
};
bool find(const FindRequest &r, FindResult *result, Failure *failure);
Json findJson(const FindResult &r);
std::string findText(const FindResult &r, bool csv);

struct CoreRequest {
    CoreOptions core;
    Given mhz; // the frequency the user works at
    Given stack;
};
struct CoreResult {
    Core core;
    int stack = 1;
    bool atFrequency = false;
    FrequencyPoint point{}; // one turn at that frequency: its permeability
};
bool core(const CoreRequest &r, CoreResult *result, Failure *failure);
Json coreJson(const CoreResult &r);
std::string coreText(const CoreResult &r);

struct FluxRequest {
    CoreOptions core;
    std::string turns;
    Given mhz, stack;
    DriveOptions drive;
};
struct FluxResult {
    Core core;
    int stack = 1;
    Effective effective;
    double permeability, turns, mhz, fieldStrength, tesla;
    Drive drive;
    bool biased = false;  // iron with a DC current: the mix's DC-bias fit
    double biasPercent = 0, biasMicrohenry = 0;
};
bool flux(const FluxRequest &r, FluxResult *result, Failure *failure);
Json fluxJson(const FluxResult &r);
std::string fluxText(const FluxResult &r);

struct IdentifyRequest {
    std::string od, id, height, turns, inductance, unit = "inches", units = "uH", family;
};
struct IdentifyResult {
    Identification identification;
    std::vector<CoreType> families;
    std::vector<std::string> warnings;
};
bool identify(const IdentifyRequest &r, IdentifyResult *result, Failure *failure);
Json identifyJson(const IdentifyResult &r);
std::string identifyText(const IdentifyResult &r);

struct ImpedanceRequest {
    CoreOptions core;
    Given curve; // a file of frequency_hz,mu_real,mu_imag in place of the material
    std::string turns, mhz;
    Given points, stack, scale;
    CapacitanceOptions capacitance;
};
struct ImpedanceResult {
    NamedCore core;
    std::string material;
    double turns, low;
    Capacitance capacitance;
    bool sweep;
    std::vector<FrequencyPoint> points;
    double resonanceHz;
    std::vector<std::string> warnings;
};
bool impedance(const ImpedanceRequest &r, ImpedanceResult *result, Failure *failure);
Json impedanceJson(const ImpedanceResult &r);
std::string impedanceText(const ImpedanceResult &r, bool csv);

struct LossRequest {
    CoreOptions core;
    Given curve;
    std::string turns, mhz;
    DriveOptions drive;
    Given stack, duty, scale;
    CapacitanceOptions capacitance;
};
struct LossResult {
    NamedCore core;
    std::string material;
    double turns, mhz;
    Drive drive;
    double dutyPercent;
    Capacitance capacitance;
    CoreLoss loss;
    std::vector<std::string> warnings;
};
bool loss(const LossRequest &r, LossResult *result, Failure *failure);
Json lossJson(const LossResult &r);
std::string lossText(const LossResult &r);

struct MeasureRequest {
    Given file, text; // the Touchstone file, or its text (the page)
    std::string family, size, unit = "inches", material, method;
    Given od, id, height, stack, mhz;
    std::string turns;
};
struct MeasurePoint {
    double hz;
    std::complex<double> z;
    ComplexPermeability mu;
    bool onCurve;            // within the best material's curve
    std::complex<double> fitted; // the best fit's impedance there
    bool inFit;              // within the fitted band, and passive
};
struct MeasureResult {
    std::string core;
    int stack = 1;
    Outline outline;
    Effective effective;
    double modelPf; // the self-capacitance model's, beside the fitted C
    double turns;
    MeasureMethod method;
    Touchstone file;
    double lowHz, highHz; // the fitted band
    bool bandGiven;
    std::vector<MaterialFit> fits; // best first
    bool explained;
    std::vector<const MaterialFit *> alike; // the materials it cannot tell apart, best first
    bool soldAsConsistent = false;          // --material among them
    CurveRatio ratio;                       // the core against the best fit's curve
    std::vector<MeasurePoint> points;
    double crossoverHz, curveCrossoverHz, resonanceHz;
    std::vector<std::string> warnings;
};
bool measure(const MeasureRequest &r, MeasureResult *result, Failure *failure);
Json measureJson(const MeasureResult &r);
std::string measureText(const MeasureResult &r, bool csv);

struct ChokeRequest {
    Given mhz, minImpedance, minResistance, tolerance, maxRise, duty, points, sizes, materials, stack, maxStack;
    Given curve;               // the user's own curve, on --size
    std::string family, size;  // with --curve
    DriveOptions drive;
    WireOptions wire;
    CapacitanceOptions capacitance;
    bool all = false;
};
struct ChokeDesign {
    FrequencyCore core; // the stack
    std::string name;   // FT-240-43
    long turns;
    Capacitance capacitance;
    ChokeFigures figures;
    double resonanceHz, resonanceLowHz, resonanceHighHz; // 0: none within the curve
};
struct ChokeResult {
    double lowMhz, highMhz, tolerancePercent, maxRiseKelvin, dutyPercent;
    int points;
    ChokeTarget target;
    bool driven;
    Drive given;
    ChokeDrive drive;
    Wire wire;
    CapacitanceRule capacitance;
    std::shared_ptr<const FerriteData> curve; // --curve
    std::shared_ptr<const std::vector<PermeabilityPoint>> curvePoints;
    int searched;
    bool all;
    std::vector<ChokeDesign> designs; // every one found, best first
    // Where none is found: the winding that came nearest, and what it misses.
    bool anyFits;
    ChokeDesign nearest;
    std::vector<std::string> warnings;
};
bool choke(const ChokeRequest &r, ChokeResult *result, Failure *failure);
Json chokeJson(const ChokeResult &r);
std::string chokeText(const ChokeResult &r);

struct TransformerRequest {
    Given ratio, turns, mhz, watts, ohms, duty, primaryTurns, maxLoss, maxRise, points, sizes, materials, stack, maxStack;
    CoreOptions core; // with --size: one build
    WireOptions wire;
    CapacitanceOptions capacitance;
    bool autotransformer = false, all = false;
};
struct TransformerDesign {
    FrequencyCore core;
    std::string name;
    long primary, secondary;
    Capacitance capacitance;
    TransformerFigures figures;
    bool fit;
};
struct TransformerResult {
    double ratio;         // asked, or (S/P)^2 of --turns
    bool ratioFromTurns;
    double lowMhz, highMhz, watts, ohms, dutyPercent, maxLossPercent, maxRiseKelvin;
    int points;
    bool autotransformer, oneBuild, all;
    Wire wire;
    CapacitanceRule capacitance;
    std::vector<TransformerDesign> designs; // one build, or every one the search found, best first
    int searched;
    std::string nearest; // none found: what failed nearest
    std::vector<std::string> warnings;
};
bool transformer(const TransformerRequest &r, TransformerResult *result, Failure *failure);
Json transformerJson(const TransformerResult &r);
std::string transformerText(const TransformerResult &r);

} // namespace cli
