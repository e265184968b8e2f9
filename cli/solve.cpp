// solve: one solve, printed as the window's result lines; on request, whether
// a wire of a given diameter fits, and the range an AL tolerance allows.
#include <cmath>

#include "calc/controlids.h"
#include "calc/formulas.h"
#include "calc/memform.h"
#include "calc/numtext.h"
#include "cli/common.h"
#include "design/magnetics.h"

namespace cli {
namespace {

struct SolveOptions {
    CoreOptions core;
    std::string turns, inductance, units = "uH";
    double wireMm = 0, wireIn = 0, tolerance = 0;
    bool json = false;
    // Which of them were given.
    bool byTurns = false, byInductance = false, wireMmGiven = false, wireInGiven = false,
         toleranceGiven = false;
};

void wireAnswer(float insideDiameter, float turns, bool givenInMm, double inches, std::string *text, Json *json)
{
    float largest = fittingWireDiameter(insideDiameter, turns);
    bool fits = inches <= largest;
    std::string mm = significant(inches * MillimetresPerInch) + " mm", in = significant(inches) + " in";
    std::string wire = givenInMm ? mm + " (" + in + ")" : in + " (" + mm + ")";
    std::vector<std::pair<std::string, std::string>> lines = {
        {"Wire", wire},
        {"Fits in one layer", fits ? "yes" : "no"},
        {"Largest wire that fits", significant(largest * MillimetresPerInch) + " mm (" + significant(largest) + " in)"},
    };
    Json w = {{"diameterMm", inches * MillimetresPerInch},
              {"diameterInches", inches},
              {"fits", fits},
              {"largestDiameterMm", largest * MillimetresPerInch},
              {"largestDiameterInches", (double)largest}};
    if (!fits) {
        long most = mostTurns(insideDiameter, inches);
        lines.push_back({"Most turns with this wire", std::to_string(most)});
        w["mostTurns"] = most;
    }
    *text += captioned(lines);
    (*json)["wire"] = w;
}

// The other quantity when AL is anywhere within +/- percent.
void toleranceAnswer(SolveMode mode, float turns, double percent, std::string *text, Json *json)
{
    ToleranceBand b = toleranceBand(coreSpec.al, mode, turns, percent);
    Json t = {{"percent", percent}, {"alLow", b.alLow}, {"alHigh", b.alHigh}};
    std::string range;
    if (mode == SolveTurns) {
        range = significant(b.low) + " to " + significant(b.high) + " turns";
        t["turnsLow"] = b.low;
        t["turnsHigh"] = b.high;
    } else {
        // In the unit the window chose for the result.
        std::string unit = form.text(ID_UNITS_COMBO);
        double scale = unit == "nH" ? 1000 : unit == "mH" ? 0.001 : 1;
        range = significant(b.low * scale) + " to " + significant(b.high * scale) + " " + unit;
        t["inductanceLow"] = b.low * scale;
        t["inductanceHigh"] = b.high * scale;
        t["inductanceUnit"] = unit;
    }
    *text += captioned({{"AL " + significant(decimal(coreSpec.al), 6) + " +/- " + significant(percent, 4) + " %",
                         significant(b.alLow, 5) + " to " + significant(b.alHigh, 5) + " uH per 100 turns"},
                        {"Within that", range}});
    (*json)["alTolerance"] = t;
}

int runSolve(const SolveOptions &o, std::string &out, Failure *failure)
{
    Core core;
    if (!readCore(o.core, &core, failure))
        return CliError;
    bool byTurns = o.byTurns;
    if (o.byTurns == o.byInductance)
        return failure->text = "give either --turns or --inductance", CliError;
    if ((o.wireMmGiven && !(o.wireMm > 0 && std::isfinite(o.wireMm))) ||
        (o.wireInGiven && !(o.wireIn > 0 && std::isfinite(o.wireIn))))
        return failure->text = "a wire diameter must be above 0", CliError;
    if (o.toleranceGiven && !(o.tolerance >= 0 && o.tolerance < 100))
        return failure->text = "--al-tolerance takes a percentage from 0 to below 100", CliError;
    SolveMode mode = byTurns ? SolveInductance : SolveTurns;
    std::string units = byTurns ? "uH" : o.units;
    if (!windowSolve(core, mode, o.turns, o.inductance, units, failure))
        return CliError;
    float turns = solvedTurns(mode, o.turns, o.inductance, units);

    std::string text;
    Json json = Json::object();
    for (const ResultLine &line : ResultLines) {
        text += asLines(form.text(line.id));
        json[line.name] = latin1(form.text(line.id));
    }
    if (o.wireMmGiven)
        wireAnswer(coreSpec.insideDiameter, turns, true, o.wireMm / MillimetresPerInch, &text, &json);
    if (o.wireInGiven)
        wireAnswer(coreSpec.insideDiameter, turns, false, o.wireIn, &text, &json);
    if (o.toleranceGiven)
        toleranceAnswer(mode, turns, o.tolerance, &text, &json);
    out = o.json ? jsonText(json) : text;
    return CliOk;
}

} // namespace

Command addSolveCommand(CLI::App &program)
{
    auto o = std::make_shared<SolveOptions>();
    CLI::App *c = program.add_subcommand("solve", "one solve, printed as the window's result lines");
    c->footer("One solve, printed as the window's lines in window order: the core parameters, the winding\n"
        "information (the wire length as two lines), then the turns box, the inductance box and the\n"
        "units box. TEXT is read as the window reads a text box; an input the window refuses prints\n"
        "the window's message on stderr (exit 2).");
    addCoreOptions(c, &o->core);
    auto *turns = c->add_option("--turns", o->turns, "solve for the inductance from TEXT turns");
    auto *inductance = c->add_option("--inductance", o->inductance, "solve for the turns from TEXT");
    turns->excludes(inductance);
    c->add_option("--units", o->units, "unit of --inductance as the units box holds it: nH, uH (default), mH")
        ->needs(inductance);
    auto *mm = c->add_option("--wire-mm", o->wireMm, "does a bare wire of this diameter (mm) fit in one layer?");
    auto *in = c->add_option("--wire-in", o->wireIn, "the same with the diameter in inches")->excludes(mm);
    auto *tolerance = c->add_option("--al-tolerance", o->tolerance,
                                    "percent: the range of the result when AL is anywhere within +/- this");
    c->add_flag("--json", o->json, "one JSON object: the lines by name, and the answers above as numbers");
    return {c, [=](std::string &out, Failure *failure) {
                o->byTurns = turns->count() > 0;
                o->byInductance = inductance->count() > 0;
                o->wireMmGiven = mm->count() > 0;
                o->wireInGiven = in->count() > 0;
                o->toleranceGiven = tolerance->count() > 0;
                return runSolve(*o, out, failure);
            }};
}

} // namespace cli
