// Reading mirvelta-cli's options with CLI11 into the request layer's
// requests, for every command; and the command's answer as JSON or text.
// The web page's requests go through here too, as argument vectors.
#include "cli/options.h"

#include <memory>

#include "cli/defaults.h"
#include "cli/layout.h"
#include "cli/refusals.h"

namespace cli {

using namespace design;
namespace {

// What a command's --help says below its options. The page asks for no
// help: its engine leaves these long texts out, which would only make it
// larger and slower to start.
#ifdef __EMSCRIPTEN__
#define FOOTER(command, text) ((void)0)
#else
#define FOOTER(command, text) (command)->footer(text)
#endif

// An option's description, which the page's engine leaves out too.
#ifdef __EMSCRIPTEN__
#define HELP(text) std::string()
#else
#define HELP(text) std::string(text)
#endif

// A default as --help shows it.
std::string shown(double value)
{
    return significant(value, 6);
}

// An option read as its text, with whether it was given.
CLI::Option *addGiven(CLI::App *c, const char *name, Given *g, const std::string &help)
{
    return c->add_option(name, g->text, help)->each([g](const std::string &) { g->given = true; });
}

void addUnitOption(CLI::App *command, std::string *unit)
{
    command->add_option("--unit", *unit, HELP("unit of length: inches or mm"))
        ->check(CLI::IsMember({"inches", "mm"}))->default_str(*unit);
}

// --family, --size, --material (required unless a command says so) and --unit.
void addCoreOptions(CLI::App *command, CoreOptions *options, bool materialRequired = true)
{
    command->add_option("--family", options->family, HELP("iron or ferrite"))->required();
    command->add_option("--size", options->size, HELP("size code, as in the size box (50, 240, 50A)"))->required();
    command->add_option("--material", options->material, HELP("material code, as in the material box (2, 61, J)"))
        ->required(materialRequired);
    addUnitOption(command, &options->unit);
}

// A winding at frequency: the core (a material, or --curve FILE) and --turns.
void addFrequencyCoreOptions(CLI::App *c, CoreOptions *core, Given *curve, std::string *turns)
{
    addCoreOptions(c, core, false);
    addGiven(c, "--curve", curve, HELP("FILE: a curve of frequency_hz,mu_real,mu_imag (measure --csv) in place of "
                                  "--material"))->type_name("FILE");
    c->add_option("--turns", *turns, HELP("turns of the winding"))->type_name("FLOAT")->required();
}

CLI::Option *addUnitsOption(CLI::App *c, std::string *units)
{
    return c->add_option("--units", *units, HELP("nH, uH or mH"))->check(CLI::IsMember({"nH", "uH", "mH"}))
        ->default_str(*units);
}

// --vrms, --watts with --ohms, --amps.
void addDriveOptions(CLI::App *c, DriveOptions *d, const char *amps)
{
    addGiven(c, "--vrms", &d->vrms, HELP("sine voltage across the winding, V rms"))->type_name("FLOAT");
    auto *watts = addGiven(c, "--watts", &d->watts, HELP("power into --ohms, in W"))->type_name("FLOAT");
    addGiven(c, "--ohms", &d->ohms, HELP("the resistance the power goes into"))->type_name("FLOAT")->needs(watts)
        ->default_str(shown(DefaultOhms));
    addGiven(c, "--amps", &d->amps, amps)->type_name("FLOAT");
}

// --stack K: cores side by side.
CLI::Option *addStackOption(CLI::App *c, Given *stack)
{
    return addGiven(c, "--stack", stack, HELP("cores side by side, " + std::to_string(design::StackLeast) + " to " +
                                             std::to_string(design::StackMost) + ": Ae, the volume and the height K "
                                             "times one core's, le one core's"))->type_name("K")
        ->default_str(std::to_string(DefaultStack));
}

// --scale K: a real core off the typical curve.
void addScaleOption(CLI::App *c, Given *scale)
{
    addGiven(c, "--scale", scale, HELP("the permeability times K: a real core off the typical curve (measure fits K; "
                                  "a +/- 25 % tolerance's ends are 0.75 and 1.25)"))->type_name("K")
        ->default_str(shown(DefaultScale));
}

// The winding's own capacitance: the model, strays added, or given.
void addCapacitanceOptions(CLI::App *c, CapacitanceOptions *o)
{
    auto *stray = addGiven(c, "--stray-pf", &o->strayPf, HELP("the leads', board's or fixture's capacitance, added to "
                                                         "the model's (pF)"))->type_name("S")->default_str("0");
    addGiven(c, "--pf", &o->pf, HELP("the whole capacitance across the winding in pF, in place of the model's; 0 "
                                "leaves it out"))->type_name("C")->excludes(stray);
}

// Which wire a command takes: bare, or insulated too, or a cable as well.
enum WireKinds { BareWire, InsulatedWire, InsulatedWireOrCable };

// --awg or --wire-mm; where neither is given 1 mm, or what `none` says the
// command takes instead. Over it --insulation or --overall-mm, and in place
// of all of them --cable.
void addWireOptions(CLI::App *c, WireOptions *w, [[maybe_unused]] const char *none = nullptr,
                    WireKinds kinds = InsulatedWireOrCable)
{
    auto *awg = addGiven(c, "--awg", &w->awg, HELP("the wire's gauge (the window's rule, d = 10^(-(G + 10)/20) in)"))
                    ->type_name("G");
    auto *mm = addGiven(c, "--wire-mm", &w->wireMm,
                        HELP(none ? std::string("the wire's bare diameter in mm; with neither, ") + none
                                  : std::string("the wire's bare diameter in mm (a feed-line choke: the cable's "
                                                "outside diameter), where no --awg is given")))
                   ->type_name("D")->excludes(awg);
    if (!none)
        mm->default_str(shown(DefaultWireMm));
    if (kinds == BareWire)
        return;
    auto *insulation = addGiven(c, "--insulation", &w->insulation,
                                HELP("the wire's insulation: single or heavy (NEMA MW 1000, by AWG), grade1, grade2, "
                                     "grade3 (IEC 60317, by size), ptfe-et, ptfe-e, ptfe-ee (NEMA HP3 hook-up wire, "
                                     "with --overall-mm): the fit counts turns over it, its rating holds the volts"))
                           ->type_name("BUILD");
    auto *overall = addGiven(c, "--overall-mm", &w->overallMm,
                             HELP("the wire's diameter over its insulation, mm: the fit counts turns by it"))
                        ->type_name("D");
    if (kinds == InsulatedWireOrCable)
        addGiven(c, "--cable", &w->cable, HELP("a coax by name (RG-58, RG-174, RG-213, LMR-400, ...): its outside "
                                               "diameter fits, its working voltage rates"))
            ->type_name("NAME")->excludes(awg)->excludes(mm)->excludes(insulation)->excludes(overall);
}

// Insulated wire and the voltages, as the commands' help states them.
[[maybe_unused]] const char InsulationHelp[] = // (unused in the page's engine)
    "Insulated wire: the fit counts turns by the diameter over the insulation, the copper's figures\n"
    "keep the bare one. --insulation single, heavy: NEMA MW 1000's maximum overall diameter by AWG\n"
    "(CENTELSA's magnet wire catalogue); heavy AWG 10-40 has none in the data, so the bare wire plus\n"
    "NEMA's least increase stands in (said \"estimate\"). grade1, grade2, grade3: IEC 60317-0-1's\n"
    "maximum by size (0.063-0.170 mm and SWG 11-42) and, where given, its minimum breakdown voltage.\n"
    "ptfe-et, ptfe-e, ptfe-ee: NEMA HP3's 250, 600 and 1000 V, the outside diameter --overall-mm.\n"
    "--cable NAME: a coax's outside diameter (its widest variant in the data) and, for RG-58 and\n"
    "RG-213, MIL-C-17's working voltage. At a drive: the volts across each winding (its first and\n"
    "last turns lie side by side), per turn, rms and peak; a warning where the peak passes 75 % of\n"
    "the rating (W8JI's margin), and what to do.";

// --duty D: the heat follows the power times D/100.
void addDutyOption(CLI::App *c, Given *duty, [[maybe_unused]] const char *follows)
{
    addGiven(c, "--duty", duty, HELP(std::string("per cent of the time at full power (speech 20-30, CW about 40, digital "
                                            "modes 100)") + follows))->type_name("D")
        ->default_str(shown(DefaultDutyPercent));
}

// One build's --stack, and a search's --sizes, --materials and --max-stack.
void addSearchCoreOptions(CLI::App *c, Given *stack, Given *sizes, Given *materials, Given *maxStack)
{
    auto *one = addStackOption(c, stack);
    addGiven(c, "--sizes", sizes, HELP("a search: only these ferrite sizes, comma-separated"));
    addGiven(c, "--materials", materials, HELP("a search: only these materials, comma-separated"));
    addGiven(c, "--max-stack", maxStack, HELP("a search: stacks of 1 to K cores (at most " +
                                              std::to_string(design::StackMost) + ")"))
        ->type_name("K")->excludes(one)->default_str(std::to_string(DefaultStack));
}

// A search's --points.
void addSearchPointsOption(CLI::App *c, Given *points)
{
    addGiven(c, "--points", points, HELP("frequencies over the band, " + std::to_string(design::SearchPointsLeast) + " to " +
                                        std::to_string(design::SearchPointsMost)))->type_name("N")
        ->default_str(std::to_string(DefaultSearchPoints));
}

// The self-capacitance model, as the commands' help states it.
[[maybe_unused]] const char CapacitanceHelp[] = // (unused in the page's engine)
    "The winding's own capacitance C_s across it is the self-capacitance model of the core's outline,\n"
    "C_s = eps0 C1 lp^2 / pi^2, C1 = 2 pi / (h ln(OD/ID)), lp = OD - ID + 2h (G3RBJ, \"Self-Resonance\n"
    "in Toroidal Inductors\", 2015; its large-N term): it depends on the outline alone, not on the\n"
    "turns, the wire or the material (FT-240: 2.125 pF). Published measurements lie within C_s/3.5\n"
    "to 2 C_s. --stray-pf adds leads, a board or a fixture; --pf replaces the whole, --pf 0 leaves\n"
    "it out. The output says which it used (capacitanceFrom: model, model + stray, given).";

struct Output {
    bool json = false, csv = false;
};

// One command: its request bound to the options, and how its result reads.
// Where `exclusive` is given, its --json and --csv are refused together,
// once the request itself has been answered.
template <class Request, class Result>
Command command(CLI::App *c, std::shared_ptr<Request> request, bool (*run)(const Request &, Result *, Failure *),
                std::function<std::string(const Result &)> print, std::shared_ptr<const Output> exclusive = nullptr)
{
    return {c, [=](std::string &out, Failure *failure) {
                Result result;
                if (!run(*request, &result, failure))
                    return (int)CliError;
                if (exclusive && exclusive->json && exclusive->csv)
                    return refuse<JsonOrCsv>(failure), (int)CliError;
                out = print(result);
                return (int)CliOk;
            }};
}

// A command in three steps: read the request into a plan (every default,
// every refusal), run it, and write the answer as JSON or as text (CSV with
// --csv, which --json excludes, where the command has it).
template <class Request, class Plan, class Result>
Command command(CLI::App *c, std::shared_ptr<Request> request, bool (*read)(const Request &, Plan *, Failure *),
                Result (*run)(const Plan &), Json (*toJson)(const Plan &, const Result &),
                std::string (*toText)(const Plan &, const Result &, bool csv), std::shared_ptr<const Output> o)
{
    return {c, [=](std::string &out, Failure *failure) {
                Plan plan;
                if (!read(*request, &plan, failure))
                    return (int)CliError;
                if (o->json && o->csv)
                    return refuse<JsonOrCsv>(failure), (int)CliError;
                const Result result = run(plan);
                out = o->json ? jsonText(toJson(plan, result)) : toText(plan, result, o->csv);
                return (int)CliOk;
            }};
}

// The same for a command without --csv.
template <class Plan, class Result, std::string (*toText)(const Plan &, const Result &)>
std::string withoutCsv(const Plan &plan, const Result &result, bool)
{
    return toText(plan, result);
}

// --json, or the text (with --csv where the command has it).
template <class Result>
std::function<std::string(const Result &)> printer(std::shared_ptr<const Output> o, Json (*toJson)(const Result &),
                                                   std::function<std::string(const Result &)> text)
{
    return [=](const Result &r) { return o->json ? jsonText(toJson(r)) : text(r); };
}

void addJson(CLI::App *c, Output *o, const char *help = "one JSON object")
{
    c->add_flag("--json", o->json, help);
}

void addCsv(CLI::App *c, Output *o, const char *help = "comma-separated values")
{
    c->add_flag("--csv", o->csv, help);
}

Command solveCommand(CLI::App &program)
{
    auto r = std::make_shared<SolveRequest>();
    auto o = std::make_shared<Output>();
    CLI::App *c = program.add_subcommand("solve", "one solve, printed as the window's result lines");
    FOOTER(c, "One solve, printed as the window's lines in window order: the core parameters, the winding\n"
        "information (the wire length as two lines), then the turns box, the inductance box and the\n"
        "units box. TEXT is read as the window reads a text box; an input the window refuses prints\n"
        "the window's message on stderr (exit 2).");
    addCoreOptions(c, &r->core);
    auto *turns = addGiven(c, "--turns", &r->turns, HELP("solve for the inductance from TEXT turns"));
    auto *inductance = addGiven(c, "--inductance", &r->inductance, HELP("solve for the turns from TEXT"));
    turns->excludes(inductance);
    c->add_option("--units", r->units, HELP("unit of --inductance as the units box holds it: nH, uH, mH"))
        ->needs(inductance)->default_str(r->units);
    auto *mm = addGiven(c, "--wire-mm", &r->wireMm, HELP("does a bare wire of this diameter (mm) fit in one layer?"))->type_name("FLOAT");
    addGiven(c, "--wire-in", &r->wireIn, HELP("the same with the diameter in inches"))->type_name("FLOAT")->excludes(mm);
    addGiven(c, "--al-tolerance", &r->tolerance,
             HELP("percent: the range of the result when AL is anywhere within +/- this"))->type_name("FLOAT");
    addGiven(c, "--dc-amps", &r->dcAmps, HELP("powdered iron: the inductance with this DC current flowing, and the "
                                         "turns that reach it"))->type_name("FLOAT");
    addJson(c, o.get(), "one JSON object: the lines by name, and the answers above as numbers");
    return command(c, r, solve, printer<SolveResult>(o, solveJson, solveText));
}

Command listCommand(CLI::App &program)
{
    auto r = std::make_shared<ListRequest>();
    auto o = std::make_shared<Output>();
    CLI::App *c = program.add_subcommand("list", "the catalogue: sizes, materials and AL values");
    FOOTER(c, "The catalogue: each family's sizes with their dimensions, its materials with colour code and\n"
        "frequency ranges, and its AL matrix in uH per 100 turns (the catalogue's unit) and in nH per\n"
        "turn squared (1 uH per 100 turns is 0.1 nH/N^2). A '-' marks a core the catalogue has no\n"
        "information on.");
    c->add_option("--family", r->family, HELP("iron or ferrite (default: both)"));
    addUnitOption(c, &r->unit);
    addCsv(c, o.get());
    addJson(c, o.get(), "one JSON object: the catalogue as data, the materials with a published curve, and the wire insulations and cables");
    return command(c, r, list,
                   printer<ListResult>(o, listJson, [o](const ListResult &l) { return listText(l, o->csv); }));
}

Command tableCommand(CLI::App &program)
{
    auto r = std::make_shared<TableRequest>();
    auto o = std::make_shared<Output>();
    CLI::App *c = program.add_subcommand("table", "one solve per value of a range of turns or inductances");
    FOOTER(c, "One solve per value from FROM to TO, one row each: turns, inductance and its unit, AWG, wire\n"
        "length and its unit. The values are FROM, FROM + STEP, ... counted in decimal, so TO is a row\n"
        "whenever the steps reach it. Every row is solved before anything is printed; at most 10000 rows.");
    addCoreOptions(c, &r->core);
    auto *turns = addGiven(c, "--turns", &r->turns, HELP("FROM:TO[:STEP] turns (STEP 1 by default)"));
    auto *inductance = addGiven(c, "--inductance", &r->inductance, HELP("FROM:TO:STEP in --units"));
    turns->excludes(inductance);
    c->add_option("--units", r->units, HELP("nH, uH or mH"))->needs(inductance)->default_str(r->units);
    addCsv(c, o.get());
    addJson(c, o.get(), "one JSON object: the rows, their cells as the window shows them");
    return command(c, r, table, printer<TableResult>(o, tableJson, [o](const TableResult &t) {
                       return tableText(t, o->csv);
                   }));
}

Command findCommand(CLI::App &program)
{
    auto r = std::make_shared<FindRequest>();
    auto o = std::make_shared<Output>();
    CLI::App *c = program.add_subcommand("find", "every core that reaches an inductance, shortest wire first");
    FOOTER(c, "Every catalogue core on which V can be wound (1 to 65535 turns, rounded as the window rounds\n"
        "them), with its turns, the largest AWG that fits and the wire length, shortest wire first.");
    c->add_option("--inductance", r->inductance, HELP("V, the inductance to wind"))->required();
    addUnitsOption(c, &r->units);
    c->add_option("--family", r->family, HELP("iron or ferrite (default: both)"));
    addUnitOption(c, &r->unit);
    addGiven(c, "--awg", &r->awg, HELP("only the cores on which wire of this gauge still fits in one layer"))->type_name("INT:INT in [1 - 65535]");
    addGiven(c, "--mhz", &r->mhz,
             HELP("only materials meant for this frequency: iron by its usable range, ferrite by its wide-band or "
             "tuned-circuit range"))->type_name("FLOAT");
    addCsv(c, o.get());
    addJson(c, o.get(), "one JSON object: the cores, their cells as the table shows them");
    return command(c, r, find,
                   printer<FindResult>(o, findJson, [o](const FindResult &f) { return findText(f, o->csv); }));
}

Command coreCommand(CLI::App &program)
{
    auto r = std::make_shared<CoreRequest>();
    auto o = std::make_shared<Output>();
    CLI::App *c = program.add_subcommand("core", "one core with its effective parameters and permeability");
    FOOTER(c, std::string("One core as list shows it, with its effective magnetic length, area and volume (IEC 60205,\n"
        "rectangular cross-section), its AL in nH/N^2 and its effective permeability mu_e = AL le /\n"
        "(mu0 Ae), and the self-capacitance model's C_s of a winding on it. With --json the numbers\n"
        "are numbers, effective ones in mm whatever --unit says. --stack K: K cores side by side.") + "\n" + InsulationHelp);
    addCoreOptions(c, &r->core);
    addGiven(c, "--mhz", &r->mhz, HELP("the frequency you work at: the permeability there"))->type_name("FLOAT");
    addWireOptions(c, &r->wire, "none: a wire given, the turns of it one layer holds");
    addStackOption(c, &r->stack);
    addJson(c, o.get());
    return command(c, r, readCore, runCore, coreJson, withoutCsv<CorePlan, CoreResult, coreText>, o);
}

Command fluxCommand(CLI::App &program)
{
    auto r = std::make_shared<FluxRequest>();
    auto o = std::make_shared<Output>();
    CLI::App *c = program.add_subcommand("flux", "flux density from a sine voltage, a power or a DC current");
    FOOTER(c, std::string("The flux density in a catalogue core. A sine voltage at --mhz (--vrms, or --watts into --ohms,\n" +
        shown(DefaultOhms) + " by default, V = sqrt(P R)) gives the peak B = sqrt(2) V / (2 pi f N Ae). A DC current\n"
        "(--amps) gives H = N I / le and B = mu0 mu_e H, valid below saturation.") + "\n" + InsulationHelp);
    addCoreOptions(c, &r->core);
    c->add_option("--turns", r->turns, HELP("turns of the winding"))->type_name("FLOAT")->required();
    addGiven(c, "--mhz", &r->mhz, HELP("frequency of the sine voltage, in MHz"))->type_name("FLOAT");
    addDriveOptions(c, &r->drive, "DC current through the winding, in A");
    addWireOptions(c, &r->wire, "none: a wire given, whether the turns fit one layer");
    addStackOption(c, &r->stack);
    addJson(c, o.get());
    return command(c, r, readFlux, runFlux, fluxJson, withoutCsv<FluxPlan, FluxResult, fluxText>, o);
}

Command identifyCommand(CLI::App &program)
{
    auto r = std::make_shared<IdentifyRequest>();
    auto o = std::make_shared<Output>();
    CLI::App *c = program.add_subcommand("identify", "a core from measured dimensions and a test winding");
    FOOTER(c, "A core from its measured dimensions and a test winding: its AL, its effective permeability,\n"
        "and the catalogue cores it may be, best first. Where every measured dimension is within 5 %\n"
        "of a catalogue size, the materials are judged by that size's AL; otherwise by permeability,\n"
        "each material's being the median over the catalogue's cores of that material. A warning\n"
        "line questions a permeability below 1, and inches that look like millimetres.");
    c->add_option("--od", r->od, HELP("measured outside diameter"))->type_name("FLOAT")->required();
    c->add_option("--id", r->id, HELP("measured inside diameter"))->type_name("FLOAT")->required();
    c->add_option("--height", r->height, HELP("measured height (thickness)"))->type_name("FLOAT")->required();
    c->add_option("--unit", r->unit, HELP("unit of the three: inches or mm"))
        ->check(CLI::IsMember({"inches", "mm"}))->default_str(r->unit);
    c->add_option("--turns", r->turns, HELP("whole turns of the test winding"))->type_name("FLOAT")->required();
    c->add_option("--inductance", r->inductance, HELP("measured inductance of the test winding"))->type_name("FLOAT")->required();
    addUnitsOption(c, &r->units);
    c->add_option("--family", r->family, HELP("iron or ferrite (default: both)"));
    addJson(c, o.get());
    return command(c, r, readIdentify, runIdentify, identifyJson, withoutCsv<IdentifyPlan, IdentifyResult, identifyText>, o);
}

Command impedanceCommand(CLI::App &program)
{
    auto r = std::make_shared<ImpedanceRequest>();
    auto o = std::make_shared<Output>();
    CLI::App *c = program.add_subcommand("impedance", "a winding's impedance at a frequency, or over a sweep");
    FOOTER(c, std::string("A winding's impedance at --mhz F, or at --points frequencies from A to B (--mhz A:B, log-spaced,\n"
        "both ends included). Ferrite: Z = j 2 pi f N^2 mu0 (Ae/le) (mu' - j mu''), with mu' and mu''\n"
        "the maker's published curve (Fair-Rite), linear in log f between its rows; any ferrite size\n"
        "takes a material with data (31 43 46 51 61 73 75 77). The curve is the material's typical one:\n"
        "a real core may differ by +/- 20-25 %. Powdered iron: X = 2 pi f N^2 AL mu(f)/mu(0), the\n"
        "catalogue's AL by the maker's curve fit for the mix; its resistance at small signal is not\n"
        "modelled. A sweep names the self-resonant frequency, where X crosses zero. --curve takes a\n"
        "measured curve instead.\n" + std::string(CapacitanceHelp)) + "\n" + InsulationHelp);
    addFrequencyCoreOptions(c, &r->core, &r->curve, &r->turns);
    c->add_option("--mhz", r->mhz, HELP("frequency F, or a range A:B, in MHz"))->required();
    addGiven(c, "--points", &r->points, HELP("frequencies in a range"))->type_name("INT")
        ->default_str(std::to_string(DefaultSweepPoints));
    addStackOption(c, &r->stack);
    addScaleOption(c, &r->scale);
    addCapacitanceOptions(c, &r->capacitance);
    addWireOptions(c, &r->wire, "none: a wire given, whether the turns fit one layer");
    addJson(c, o.get());
    addCsv(c, o.get(), "the table as CSV");
    return command(c, r, readImpedance, runImpedance, impedanceJson, impedanceText, o);
}

Command lossCommand(CLI::App &program)
{
    auto r = std::make_shared<LossRequest>();
    auto o = std::make_shared<Output>();
    CLI::App *c = program.add_subcommand("loss", "a winding's core loss and temperature rise");
    FOOTER(c, std::string("The power a core takes at --mhz, and how warm it runs. A voltage across the winding, as a\n"
        "transformer or voltage balun sees it (--vrms, or --watts into --ohms, " + shown(DefaultOhms) + " by default,\n"
        "V = sqrt(P R)), or a current through it, as a common-mode choke or a filter's coil carries\n"
        "(--amps, RF rms). Ferrite: loss = V^2 Re(1/Z) or I^2 R, Z from the material's typical curve.\n"
        "Powdered iron: the peak flux density of the drive (a current: B = sqrt(2) I X / (2 pi f N Ae)),\n"
        "and loss = P(B, f) Ve from the maker's curve fit for the mix, with the series resistance it\n"
        "makes and the Q left. The rise of a bare core in still air follows the makers' rule, (loss\n"
        "in mW / surface in cm^2)^0.833 K. A real core may differ from the typical curves by +/- 20-25 %.\n"
        "A current divides between the winding and its capacitance.\n" + std::string(CapacitanceHelp)) + "\n" + InsulationHelp);
    addFrequencyCoreOptions(c, &r->core, &r->curve, &r->turns);
    c->add_option("--mhz", r->mhz, HELP("frequency, in MHz"))->type_name("FLOAT")->required();
    addDriveOptions(c, &r->drive, "RF current through the winding, A rms");
    addDutyOption(c, &r->duty, ": the heat follows it, the flux density the full power");
    addStackOption(c, &r->stack);
    addScaleOption(c, &r->scale);
    addCapacitanceOptions(c, &r->capacitance);
    addWireOptions(c, &r->wire, "none: a wire given, whether the turns fit one layer");
    addJson(c, o.get());
    return command(c, r, loss, printer<LossResult>(o, lossJson, lossText));
}

Command measureCommand(CLI::App &program)
{
    auto r = std::make_shared<MeasureRequest>();
    auto o = std::make_shared<Output>();
    CLI::App *c = program.add_subcommand("measure", "a VNA sweep of a test winding against the makers' materials");
    FOOTER(c, "A Touchstone file (.s1p: a reflection, Z = R0 (1 + S11)/(1 - S11); .s2p: S21 of the winding in\n"
        "series between the ports, Z = 2 R0 (1 - S21)/S21, or --method shunt, Z = R0 S21 / (2 (1 - S21)))\n"
        "of --turns on a core, given as --family and --size or as --od, --id and --height. For each\n"
        "material with a published curve, the factor k on its permeability and the winding's own\n"
        "capacitance C that best explain the measured coefficient; best first. Then the core's mu' and\n"
        "mu'' at every point with C taken out (--csv: frequency_hz,mu_real,mu_imag, then R and X, a curve\n"
        "that impedance and loss take with --curve). Measure with one to a few turns, short leads, the\n"
        "analyser calibrated at the fixture; a real core may differ from the makers' curve by +/- 25 %.\n"
        "The fit runs over --mhz (" + shown(design::BandLowHz / 1e6) + " to " + shown(design::BandHighHz / 1e6) +
        " MHz by default; a sweep with fewer than " + std::to_string(design::FitLeastPoints) + " points\n"
        "there: its points up to 30 MHz, or all of them): the HF bands, where a test winding behaves as\n"
        "one winding with one capacitance; above them the leads, the fixture and the core's own\n"
        "resonance take over. Points no passive winding gives (|S11| > 1) are left out; a frequency\n"
        "given twice (a segmented sweep) is read once. \"Behaves like\" names the materials the sweep\n"
        "cannot tell apart, best first, at most three: those whose residual is within 1.25 times the\n"
        "best one's, with a factor k between 0.5 and 2 on their curve. Where the best residual is over\n"
        "0.15 (explained: false) no single winding on any material explains the sweep and none is\n"
        "named. A self-resonance is where X falls from clearly inductive to clearly capacitive, beyond\n"
        "the sweep's noise. The text shows about 25 points of the fitted band; --csv and --json all.\n"
        "Beside the fitted C: the self-capacitance model's C_s of the outline (see impedance --help).\n"
        "A powdered-iron core (--family iron --size S): the core's mu' from X and its Q_core from R, the\n"
        "copper taken out by q's model (the wire --awg or --wire-mm, or the thickest gauge that fits) and the\n"
        "self-capacitance model's C, against every mix's mu(f) and small-signal Q_core: the mixes it cannot\n"
        "tell apart (within 1.5 in a genuine core's spread, mu 10 %, loss 25 %), or, where the core's mu is\n"
        "30 % or its loss 3 times from every mix's, \"not powdered iron as sold\" (notAsSold).");
    addGiven(c, "file", &r->file, HELP("the Touchstone file"))->type_name("FILE");
    addGiven(c, "--text", &r->text, HELP("the file's text in place of FILE (the web page)"))->group("");
    c->add_option("--family", r->family, HELP("iron or ferrite: the family of --size"));
    c->add_option("--size", r->size, HELP("a catalogue size, for the core's dimensions"));
    addGiven(c, "--od", &r->od, HELP("measured outside diameter"))->type_name("FLOAT");
    addGiven(c, "--id", &r->id, HELP("measured inside diameter"))->type_name("FLOAT");
    addGiven(c, "--height", &r->height, HELP("measured height (thickness)"))->type_name("FLOAT");
    addUnitOption(c, &r->unit);
    c->add_option("--turns", r->turns, HELP("turns of the test winding"))->type_name("FLOAT")->required();
    c->add_option("--material", r->material, HELP("the material the core is sold or marked as"));
    c->add_option("--method", r->method, HELP("reflection, series (two-port default) or shunt"));
    addWireOptions(c, &r->wire, "the thickest gauge that fits (powdered iron: the fit takes the test winding's copper out)",
                   BareWire);
    addGiven(c, "--mhz", &r->mhz, HELP("the band to fit, A:B in MHz"))->type_name("A:B")
        ->default_str(shown(design::BandLowHz / 1e6) + ":" + shown(design::BandHighHz / 1e6));
    addStackOption(c, &r->stack);
    addJson(c, o.get());
    addCsv(c, o.get(), "the core's permeability per point as CSV");
    return command(c, r, measure, printer<MeasureResult>(o, measureJson, [o](const MeasureResult &m) {
                       return measureText(m, o->csv);
                   }), o);
}

Command chokeCommand(CLI::App &program)
{
    auto r = std::make_shared<ChokeRequest>();
    auto o = std::make_shared<Output>();
    CLI::App *c = program.add_subcommand("choke", "the cores, stacks and turns that hold a choke's target over a band");
    FOOTER(c, std::string("A choke for a band: every ferrite size with every material whose curve covers --mhz A:B, in\n"
        "stacks of one to --max-stack cores, and on each the fewest turns whose impedance holds the\n"
        "target at every one of --points log-spaced frequencies (both ends included): |Z| >=\n"
        "--min-impedance and/or R >= --min-resistance, with the permeability anywhere within\n"
        "+/- --tolerance per cent of the typical curve (both |Z| and R rise with the permeability\n"
        "only to a single peak, so its ends and the typical curve bound it). The turns fit in one layer\n"
        "of the wire (the rule of solve --wire-mm). Under a drive as loss takes it (--vrms across,\n"
        "--watts into --ohms, or --amps through the choke) a core whose rise at the band's worst\n"
        "frequency exceeds --max-rise is not offered; the heat follows the power times --duty/100.\n"
        "The designs come smallest stack volume first, then fewest turns; the best " +
        std::to_string(design::DesignsOffered) + "\n"
        "(--all: every one). Each gives the least |Z| and R over the band and where, the\n"
        "self-resonance and its range for C_s/3.5 to 2 C_s, and with a drive the loss and rise.\n"
        "Published practice: at least 500 ohms resistive, many say 1000 ohms |Z|, across the bands.\n" +
        std::string(CapacitanceHelp)) + "\n" + InsulationHelp);
    addGiven(c, "--mhz", &r->mhz, HELP("the band A:B in MHz"))->type_name("A:B")->required();
    addGiven(c, "--min-impedance", &r->minImpedance, HELP("|Z| at least Z ohms at every frequency"))->type_name("Z");
    addGiven(c, "--min-resistance", &r->minResistance, HELP("R at least R ohms at every frequency"))->type_name("R");
    addGiven(c, "--tolerance", &r->tolerance, HELP("per cent the permeability may stray from the typical curve"))
        ->type_name("P")->default_str(shown(DefaultTolerancePercent));
    addDriveOptions(c, &r->drive, "RF current through the choke, A rms");
    addGiven(c, "--max-rise", &r->maxRise, HELP("the temperature rise a core may take under the drive, K"))
        ->type_name("K")->default_str(shown(DefaultMaxRiseKelvin));
    addDutyOption(c, &r->duty, ": the heat follows it");
    addWireOptions(c, &r->wire);
    addGiven(c, "--sizes", &r->sizes, HELP("only these ferrite sizes, comma-separated (240,140)"));
    addGiven(c, "--materials", &r->materials, HELP("only these materials, comma-separated (31,43)"));
    auto *stack = addStackOption(c, &r->stack);
    addGiven(c, "--max-stack", &r->maxStack, HELP("stacks of 1 to K cores (at most " + std::to_string(design::StackMost) + ")"))
        ->type_name("K")->excludes(stack)->default_str(std::to_string(DefaultStack));
    auto *size = c->add_option("--size", r->size, HELP("with --curve: the size of the user's own core"));
    c->add_option("--family", r->family, HELP("with --curve: ferrite"))->needs(size);
    auto *curve = addGiven(c, "--curve", &r->curve, HELP("FILE: the user's own curve (frequency_hz,mu_real,mu_imag, as "
                                                    "measure --csv writes) on --size, in place of the catalogue's"))
                      ->type_name("FILE")->needs(size);
    size->needs(curve);
    addSearchPointsOption(c, &r->points);
    addCapacitanceOptions(c, &r->capacitance);
    c->add_flag("--all", r->all, HELP("every design found, not the best " + std::to_string(design::DesignsOffered)));
    addJson(c, o.get());
    return command(c, r, readChoke, runChoke, chokeJson, withoutCsv<ChokePlan, ChokeResult, chokeText>, o);
}

Command transformerCommand(CLI::App &program)
{
    auto r = std::make_shared<TransformerRequest>();
    auto o = std::make_shared<Output>();
    CLI::App *c = program.add_subcommand("transformer", "an impedance transformer at power over a band: one build, or "
                                                        "the cores and turns that hold a loss limit");
    FOOTER(c, std::string("An impedance transformer (end-fed 49:1 or 64:1, a 9:1 or 4:1 unun) on a ferrite core. The model:\n"
        "flux-coupled, P primary and S secondary turns (an autotransformer's S counts all its turns), the\n"
        "low side at --ohms Z, matched. The magnetizing branch Zm is the primary winding on its core\n"
        "(the complex permeability, the stack, the winding's capacitance) across the port: at --watts W\n"
        "the primary has V = sqrt(W Z), the core takes the fraction Z Re(1/Zm) of the power, and the peak\n"
        "flux density is sqrt(2) V / (2 pi f P Ae). The match at the port, primary-referred (O. Duffy's model):\n"
        "a shunt capacitor --shunt-pf across the primary, Zm, then the leakage --leakage-nh in series with\n"
        "the load R Z/n^2 and the secondary's own capacitance referred, C_sec (S/P)^2 (the model's C_s, or\n"
        "--secondary-pf): why such transformers fade at the top of the HF bands. Measure the leakage at the\n"
        "primary with the secondary shorted (published: about 190 nH for a 3:21 and 285 nH for a 2:14 on an\n"
        "FT-240); without it the match leaves it out. --best-shunt finds the capacitor that makes the worst\n"
        "SWR least (trust it to +/- 30 pF: the secondary's capacitance moves it). Windings apart on the core\n"
        "(the primary on one side, the secondary on the other) are not this model: they lose more. --duty D is the per cent of the\n"
        "time at full power (speech about 20-30, CW about 40, digital modes 100): the heat follows W D/100,\n"
        "the flux density W. S = P sqrt(R) to the nearest turn.\n"
        "One build: --family ferrite --size S --material M [--stack K] --primary-turns P (or --turns P:S):\n"
        "per frequency (--points, log-spaced over --mhz A:B) Zm, X/Z, the loss in per cent and dB and\n"
        "the core's watts, Zin, the SWR and the total loss; the worst frequency, the rise there (the makers' rule), B at A, whether the\n"
        "windings fit in one layer of the wire (--awg or --wire-mm), the referred capacitance.\n"
        "A search, without --size: every ferrite size and material with a curve over the band, stacks up\n"
        "to --max-stack, the fewest primary turns whose loss stays under --max-loss-percent at every\n"
        "frequency, whose rise stays under --max-rise and whose SWR stays under --max-swr (the leakage left\n"
        "out), the windings in one layer; smallest stack\n"
        "volume first, then primary turns; the best " + std::to_string(design::DesignsOffered) +
        " (--all: every one). Powdered iron is not modelled.\n" +
        std::string(CapacitanceHelp)) + "\n" + InsulationHelp);
    auto *ratio = addGiven(c, "--ratio", &r->ratio, HELP("the impedance ratio R (49, 64, 9, 4)"))->type_name("R");
    addGiven(c, "--turns", &r->turns, HELP("the turns P:S in place of --ratio"))->type_name("P:S")->excludes(ratio);
    addGiven(c, "--mhz", &r->mhz, HELP("the band A:B in MHz"))->type_name("A:B")->required();
    addGiven(c, "--watts", &r->watts, HELP("the power W"))->type_name("W")->required();
    addGiven(c, "--ohms", &r->ohms, HELP("the low side's impedance Z"))->type_name("Z")->default_str(shown(DefaultOhms));
    addDutyOption(c, &r->duty, "");
    c->add_flag("--auto", r->autotransformer, HELP("an autotransformer: S counts all its turns, which alone must fit"));
    auto *size = c->add_option("--size", r->core.size, HELP("one build: the ferrite size"));
    c->add_option("--family", r->core.family, HELP("one build: ferrite"))->needs(size);
    c->add_option("--material", r->core.material, HELP("one build: the material"))->needs(size);
    addUnitOption(c, &r->core.unit);
    auto *primary = addGiven(c, "--primary-turns", &r->primaryTurns, HELP("one build: the primary turns P"))
                        ->type_name("P")->needs(size);
    c->get_option("--turns")->excludes(primary);
    // (The search's own options are refused with --size by the request, in one line.)
    addSearchCoreOptions(c, &r->stack, &r->sizes, &r->materials, &r->maxStack);
    addGiven(c, "--max-loss-percent", &r->maxLoss, HELP("a search: the loss at every frequency under L per cent"))
        ->type_name("L")->default_str(shown(DefaultMaxLossPercent));
    addGiven(c, "--max-rise", &r->maxRise, HELP("a search: the rise under K kelvin"))->type_name("K")
        ->default_str(shown(DefaultMaxRiseKelvin));
    addWireOptions(c, &r->wire);
    addSearchPointsOption(c, &r->points);
    addCapacitanceOptions(c, &r->capacitance);
    c->add_flag("--all", r->all, HELP("a search: every design found, not the best " + std::to_string(design::DesignsOffered)));
    addGiven(c, "--leakage-nh", &r->leakageNh, HELP("one build: the leakage inductance in nH, primary-referred: measured "
                                                "at the primary with the secondary shorted"))->type_name("L")
        ->default_str("0");
    addGiven(c, "--secondary-pf", &r->secondaryPf, HELP("one build: the secondary's own capacitance in pF, in place of "
                                                    "the model's"))->type_name("C");
    auto *shunt = addGiven(c, "--shunt-pf", &r->shuntPf, HELP("one build: a compensating capacitor across the primary, "
                                                         "in pF"))->type_name("C")->default_str("0");
    c->add_flag("--best-shunt", r->bestShunt, HELP("one build: the shunt capacitor that makes the worst SWR over the band "
                                              "least, and its range"))->excludes(shunt);
    addGiven(c, "--max-swr", &r->maxSwr, HELP("a search: the SWR at every frequency, from what is modelled, at most S"))
        ->type_name("S")->default_str(shown(DefaultMaxSwr));
    addJson(c, o.get());
    return command(c, r, readTransformer, runTransformer, transformerJson, withoutCsv<TransformerPlan, TransformerResult, transformerText>, o);
}

Command balunCommand(CLI::App &program)
{
    auto r = std::make_shared<BalunRequest>();
    auto o = std::make_shared<Output>();
    CLI::App *c = program.add_subcommand("balun", "a transmission-line balun or unun over a band (Guanella, Ruthroff): "
                                                  "one build, or the cores and turns that hold an SWR and a loss");
    FOOTER(c, std::string("A transmission-line transformer: Guanella's 1:1, 4:1 and 9:1 (n lines, inputs in parallel, outputs\n"
        "in series; --cores n puts each line on a core of its own, --cores 1 all on one) and Ruthroff's 4:1\n"
        "(the bootstrap), as a balun or, with --unun, to ground. The model (Guanella 1944; O. Duffy, \"A model\n"
        "of a practical Guanella 1:1 balun\", 2008): each line a lossless transmission line of Z0 and VF for\n"
        "the differential current, and for the common-mode current the N-turn winding it makes on its core\n"
        "(the complex permeability, the stack, the winding's capacitance; lines on one core share its flux),\n"
        "solved as a nodal circuit from a source of --ohms R_s into the load (--load-ohms R+jX, default\n"
        "the ratio times R_s). The line is --z0 and --vf as measured (Z0 = sqrt(Zopen Zshort) of the\n"
        "line), or a twisted pair of the wire (--awg or --wire-mm) by Lefferson's formula (IEEE Trans.\n"
        "PHP-7(4), 1971): Z0 = (120/sqrt(e_eff)) acosh(D/d), e_eff = 1 + q (e_r - 1), q = 0.25 +\n"
        "0.0004 theta^2, theta = atan(T pi D) in degrees (as fitted; in radians the twist would vanish),\n"
        "D --overall-mm, T --twists-per-cm, e_r --er (film enamel about 3.5): an estimate, Z0 within\n"
        "about 10 %, the velocity factor worse. Its length is N turns of OD - ID + 2h and --leads-cm.\n"
        "Per frequency: Zin, the SWR and return loss at the source, the insertion loss (the load's power\n"
        "against the source's available), one line's common-mode impedance |Zcm|, the line's degrees, and\n"
        "at --watts (available from the source, --duty) the cores' loss, the hottest one's rise and the peak\n"
        "flux density (the common-mode current's; a Ruthroff's winding carries the input voltage). The best\n"
        "Z0 is sqrt(R_s R_L): a Guanella n^2:1 n R_s, a Ruthroff R_L/2. --cm-load z1,z2,z3 (a three-terminal\n"
        "antenna: its terminals through z1 and z2 to a star point, that through z3 to ground) gives the\n"
        "common-mode current over the differential one in dB: a figure of that load, not of the balun.\n"
        "Left out: the line's own loss, the windings' copper, the common mode's own line to ground.\n"
        "One build: --family --size --material (or --curve) [--stack] --turns N. A search, without --size:\n"
        "every ferrite size and material with a curve over the band, stacks to --max-stack, the fewest turns\n"
        "that hold --max-swr, --max-loss-db and (at --watts) --max-rise at every frequency, the line in one\n"
        "layer (a pair takes two conductors a turn); smallest stack volume first, then turns; the best " +
        std::to_string(design::DesignsOffered) + " (--all: every one).\n" + std::string(CapacitanceHelp)) + "\n" + InsulationHelp);
    c->add_option("--kind", r->kind, HELP("guanella or ruthroff"))->check(CLI::IsMember({"guanella", "ruthroff"}))
        ->required();
    addGiven(c, "--ratio", &r->ratio, HELP("the impedance ratio: 1, 4 or 9 (ruthroff: 4)"))->type_name("R")
        ->default_str("1");
    c->add_flag("--unun", r->unun, HELP("the unbalanced connection, the output's low side to ground"));
    addGiven(c, "--cores", &r->cores, HELP("a Guanella's lines each on a core of its own (n) or all on one (1)"))
        ->check(CLI::IsMember({"1", "n"}))->default_str("n");
    auto *z0 = addGiven(c, "--z0", &r->z0, HELP("the line's Z0 as measured, ohms"))->type_name("Z");
    auto *vf = addGiven(c, "--vf", &r->vf, HELP("the line's velocity factor as measured"))->type_name("V");
    z0->needs(vf);
    vf->needs(z0);
    addWireOptions(c, &r->wire);
    addGiven(c, "--twists-per-cm", &r->twists, HELP("the pair's twists per cm"))->type_name("T")->excludes(z0);
    addGiven(c, "--er", &r->permittivity, HELP("the insulation's relative permittivity"))->type_name("E")
        ->excludes(z0)->default_str(shown(DefaultPermittivity));
    addGiven(c, "--leads-cm", &r->leadsCm, HELP("the line's leads beyond the core, cm"))->type_name("L")
        ->default_str(shown(DefaultLeadsCm));
    addGiven(c, "--ohms", &r->ohms, HELP("the source's resistance R_s"))->type_name("R")->default_str(shown(DefaultOhms));
    auto *load = addGiven(c, "--load-ohms", &r->loadOhms, HELP("the load, R or R+jX (default: the ratio times R_s)"))
                     ->type_name("Z");
    addGiven(c, "--cm-load", &r->cmLoad, HELP("a three-terminal load z1,z2,z3, each R+jX: the common-mode ratio"))
        ->type_name("Z1,Z2,Z3")->excludes(load);
    addGiven(c, "--mhz", &r->mhz, HELP("the band A:B in MHz"))->type_name("A:B")->required();
    addSearchPointsOption(c, &r->points);
    addGiven(c, "--watts", &r->watts, HELP("the power the source has available, W"))->type_name("W");
    addDutyOption(c, &r->duty, ": the heat follows it");
    auto *size = c->add_option("--size", r->core.size, HELP("one build: the size"));
    c->add_option("--family", r->core.family, HELP("one build: ferrite or iron"))->needs(size);
    c->add_option("--material", r->core.material, HELP("one build: the material"))->needs(size);
    addGiven(c, "--curve", &r->curve, HELP("one build: FILE, the user's own curve in place of --material"))
        ->type_name("FILE")->needs(size);
    addUnitOption(c, &r->core.unit);
    addGiven(c, "--turns", &r->turns, HELP("one build: the turns of each line"))->type_name("N")->needs(size);
    addSearchCoreOptions(c, &r->stack, &r->sizes, &r->materials, &r->maxStack);
    addGiven(c, "--max-swr", &r->maxSwr, HELP("a search: the SWR at every frequency at most S"))->type_name("S")
        ->default_str(shown(DefaultMaxSwr));
    addGiven(c, "--max-loss-db", &r->maxLossDb, HELP("a search: the insertion loss at every frequency at most L dB"))
        ->type_name("L")->default_str(shown(DefaultMaxLossDb));
    addGiven(c, "--max-rise", &r->maxRise, HELP("a search, at --watts: the rise under K kelvin"))->type_name("K")
        ->default_str(shown(DefaultMaxRiseKelvin));
    addCapacitanceOptions(c, &r->capacitance);
    c->add_flag("--all", r->all, HELP("a search: every design found, not the best " + std::to_string(design::DesignsOffered)));
    addJson(c, o.get());
    return command(c, r, readBalun, runBalun, balunJson, withoutCsv<BalunPlan, BalunResult, balunText>, o);
}

Command qCommand(CLI::App &program)
{
    auto r = std::make_shared<QRequest>();
    auto o = std::make_shared<Output>();
    CLI::App *c = program.add_subcommand("q", "the Q of a tuned winding, copper and core, over a frequency or a band; "
                                              "or which core and mix for an inductance");
    FOOTER(c, std::string("Q = X / (R_copper + R_core), below the self-resonance. The copper: R_dc = rho N l_turn / (pi d^2/4),\n"
        "rho 1.724e-8 ohm m (20 C), l_turn = OD - ID + 2h + pi d; at frequency the round wire's skin effect,\n"
        "exact (R/R_dc = Re[(ka/2) J0(ka)/J1(ka)], k = (1 - j)/delta), and the neighbouring turns' proximity\n"
        "by Dowell's one-layer factor (Proc. IEE 113(8), 1966) at the turns' local pitch 2 pi r / N along the\n"
        "turn, which holds the skin effect too and is never taken below it. The core: powdered iron by the\n"
        "maker's loss fit (Micrometals): at small signal its d B^2 f^2 term alone, Q_core = pi / (mu0 mu(f)\n"
        "d f), the same for every size, turns and wire (an extrapolation of fits made at power); at --vrms\n"
        "the hysteresis terms add. Ferrite: R_core = X mu''/mu', Q_core = mu'/mu''. Near the self-resonance f_r\n"
        "(the self-capacitance model's) a meter reads Q (1 - (f/f_r)^2) (G3RZP): qMeasured, whose peak and\n"
        "least over the band the answer gives. Q with the copper by skin alone is an upper bound. An\n"
        "estimate: about +/- 25 % at HF for a genuine core (K8ZOA's 29 t of #22 on a T-50-2 at 7.9 MHz: Q 212\n"
        "measured). Left out: the leads' loss and the core's temperature.\n"
        "One winding: --family --size --material (or --curve) [--stack] with --turns N or --uh L (the\n"
        "nearest whole turns for L at the band's middle); the wire --awg or --wire-mm, or where none is\n"
        "given the thickest gauge that fits one layer. A search, without --size: --uh L over every iron size\n"
        "and mix and every ferrite with a curve over the band, each with its turns for L and its thickest\n"
        "wire, ranked by the least measured Q over the band; cores within 25 % of the best are marked\n"
        "\"about equal\": the model cannot tell them apart. The best " +
        std::to_string(design::DesignsOffered) + " (--all: every one).\n" + std::string(CapacitanceHelp)) + "\n" + InsulationHelp);
    auto *size = c->add_option("--size", r->core.size, HELP("one winding: the size"));
    c->add_option("--family", r->core.family, HELP("one winding: iron or ferrite"))->needs(size);
    c->add_option("--material", r->core.material, HELP("one winding: the material or mix"))->needs(size);
    addGiven(c, "--curve", &r->curve, HELP("one winding: FILE, the user's own curve in place of --material"))
        ->type_name("FILE")->needs(size);
    addUnitOption(c, &r->core.unit);
    addStackOption(c, &r->stack);
    addGiven(c, "--turns", &r->turns, HELP("one winding: its turns N"))->type_name("N");
    addGiven(c, "--uh", &r->uh, HELP("the inductance L in uH: the turns for it"))->type_name("L");
    addWireOptions(c, &r->wire, "the thickest gauge that fits one layer", InsulatedWire);
    addGiven(c, "--mhz", &r->mhz, HELP("a frequency F or a band A:B in MHz"))->type_name("F|A:B")->required();
    addGiven(c, "--points", &r->points, HELP("frequencies over a band, " + std::to_string(design::SweepPointsLeast) +
                                        " to " + std::to_string(design::SearchPointsMost)))
        ->type_name("N")->default_str(std::to_string(DefaultSearchPoints));
    addGiven(c, "--vrms", &r->vrms, HELP("the sine voltage across the winding, V rms (default: small signal)"))
        ->type_name("V");
    addCapacitanceOptions(c, &r->capacitance);
    c->add_flag("--all", r->all, HELP("a search: every core found, not the best " + std::to_string(design::DesignsOffered)));
    addJson(c, o.get());
    return command(c, r, readQ, runQ, qJson, withoutCsv<QPlan, QResult, qText>, o);
}

} // namespace

// Every command, in the order the help lists them.
static const struct {
    const char *name;
    Command (*add)(CLI::App &program);
} Commands[] = {
    {"solve", solveCommand},         {"list", listCommand},       {"table", tableCommand},
    {"find", findCommand},           {"core", coreCommand},       {"flux", fluxCommand},
    {"identify", identifyCommand},   {"impedance", impedanceCommand}, {"loss", lossCommand},
    {"measure", measureCommand},     {"choke", chokeCommand},     {"transformer", transformerCommand},
    {"balun", balunCommand},         {"q", qCommand},
};

std::vector<std::string> commandNames()
{
    std::vector<std::string> names;
    for (const auto &c : Commands)
        names.push_back(c.name);
    return names;
}

std::vector<Command> addCommands(CLI::App &program, const std::string &only)
{
    std::vector<Command> added;
    for (const auto &c : Commands)
        if (only.empty() || only == c.name)
            added.push_back(c.add(program));
    return added;
}

} // namespace cli
