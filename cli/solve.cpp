// solve: one solve, as the window's result lines; on request, whether a wire
// of a given diameter fits, and the range an AL tolerance allows.
#include "cli/solve.h"

#include <algorithm>
#include <cmath>

#include "calc/memform.h"
#include "calc/solve.h"
#include "cli/layout.h"
#include "cli/refusals.h"

namespace cli {

using namespace design;

static WireAnswer wireAnswer(float insideInches, float turns, bool givenInMm, double inches)
{
    WireAnswer w;
    w.givenInMm = givenInMm;
    w.inches = inches;
    w.largestInches = largestWire(insideInches, turns);
    w.fits = inches <= w.largestInches;
    w.mostTurns = w.fits ? 0 : mostTurns(insideInches, inches);
    return w;
}

// L = AL (N/100)^2 p(H)/100 in uH, H = N I / le.
static double biasedMicrohenry(const IronFit &fit, double al, double turns, double amps, const Effective &e,
                               double *field, double *percent)
{
    *field = fieldStrength(amps, turns, e);
    if (!ironBiasPercent(fit, *field, percent))
        *percent = 100; // no field, no loss of permeability
    return al * (turns / 100) * (turns / 100) * *percent / 100;
}

static DcBias dcBias(const IronFit &fit, const Core &core, SolveMode mode, const SolveReport &report, double amps,
                     long limit)
{
    DcBias b{};
    Effective e = effectiveParameters(core.dimensions());
    const double al = decimal(report.al);
    b.amps = amps;
    b.limit = limit;
    b.microhenry = biasedMicrohenry(fit, al, report.turns, amps, e, &b.field, &b.percent);
    if (mode == SolveTurns) {
        // The asked inductance, as the window solved for it; H grows with the
        // turns, so count up from the turns it needs without the current.
        b.target = al * (report.turns / 100.0) * (report.turns / 100.0);
        double field, percent;
        for (long n = std::max(1L, (long)std::ceil(report.turns)); n <= limit && !b.turnsWithCurrent; n++)
            if (biasedMicrohenry(fit, al, (double)n, amps, e, &field, &percent) >= b.target)
                b.turnsWithCurrent = n;
    }
    return b;
}

bool solve(const SolveRequest &r, SolveResult *result, Failure *failure)
{
    double wireMm = 0, wireIn = 0, percent = 0, dcAmps = 0;
    if ((r.wireMm.given && !readNumber(r.wireMm.text, "--wire-mm", &wireMm, failure)) ||
        (r.wireIn.given && !readNumber(r.wireIn.text, "--wire-in", &wireIn, failure)) ||
        (r.tolerance.given && !readNumber(r.tolerance.text, "--al-tolerance", &percent, failure)) ||
        (r.dcAmps.given && !readNumber(r.dcAmps.text, "--dc-amps", &dcAmps, failure)))
        return false;
    Core core;
    if (!readCore(r.core, &core, failure))
        return false;
    if (r.turns.given == r.inductance.given)
        return refuse<TurnsOrInductance>(failure);
    if ((r.wireMm.given && !(wireMm > 0 && std::isfinite(wireMm))) ||
        (r.wireIn.given && !(wireIn > 0 && std::isfinite(wireIn))))
        return refuse<WireAboveZero>(failure);
    if (r.tolerance.given && !(percent >= 0 && percent < 100))
        return refuse<AlTolerancePercent>(failure);
    const IronFit *fit = core.family == CorePowderedIron ? ironFit(core.material) : nullptr;
    if (r.dcAmps.given && !fit)
        return refuse<DcAmpsIron>(failure);
    if (r.dcAmps.given && !finitePositive(dcAmps))
        return refuse<DcAmpsAboveZero>(failure);

    SolveMode mode = r.turns.given ? SolveInductance : SolveTurns;
    SolveReport report;
    if (!solveAsUser(core.unit, core.family, core.size, core.material, mode, r.turns.text, r.inductance.text,
                     r.turns.given ? "uH" : r.units, &failure->text, &report))
        return failure->windowMessage = true, false;

    result->mode = mode;
    result->mix = core.material;
    for (const ResultLine &line : ResultLines)
        result->lines.push_back({line.name, form.text(line.id)});
    result->unit = form.text(ResultLines[11].id);
    const float insideInches = core.dimensions().insideDiameter;
    if (r.wireMm.given)
        result->wires.push_back(wireAnswer(insideInches, report.turns, true, wireMm / MillimetresPerInch));
    if (r.wireIn.given)
        result->wires.push_back(wireAnswer(insideInches, report.turns, false, wireIn));
    result->toleranceGiven = r.tolerance.given;
    result->percent = percent;
    result->al = report.al;
    if (r.tolerance.given)
        result->band = toleranceBand(report.al, mode, report.turns, percent);
    if (r.dcAmps.given) {
        // Up to what fits in one layer: with the wire asked about, its most
        // turns; else the window's limit.
        long limit = TurnsLimit - 1;
        for (const WireAnswer &w : result->wires)
            limit = std::min(limit, mostTurns(insideInches, w.inches));
        result->dcGiven = true;
        result->dc = dcBias(*fit, core, mode, report, dcAmps, limit);
    }
    return true;
}

// A tolerance band's inductances in the unit the window chose for the result.
static double unitScale(const std::string &unit)
{
    return 1e3 / nanohenriesPer(unit);
}

Json solveJson(const SolveResult &r)
{
    Json json = Json::object();
    for (const auto &line : r.lines)
        json[line.first] = latin1(line.second);
    for (const WireAnswer &w : r.wires) {
        Json j = {{"diameterMm", w.inches * MillimetresPerInch},
                  {"diameterInches", w.inches},
                  {"fits", w.fits},
                  {"largestDiameterMm", w.largestInches * MillimetresPerInch},
                  {"largestDiameterInches", w.largestInches}};
        if (!w.fits)
            j["mostTurns"] = w.mostTurns;
        json["wire"] = j;
    }
    if (r.toleranceGiven) {
        const ToleranceBand &b = r.band;
        Json t = {{"percent", r.percent}, {"alLow", b.alLow}, {"alHigh", b.alHigh}};
        if (r.mode == SolveTurns) {
            t["turnsLow"] = b.low;
            t["turnsHigh"] = b.high;
        } else {
            t["inductanceLow"] = b.low * unitScale(r.unit);
            t["inductanceHigh"] = b.high * unitScale(r.unit);
            t["inductanceUnit"] = r.unit;
        }
        json["alTolerance"] = t;
    }
    if (r.dcGiven) {
        const DcBias &b = r.dc;
        json["dcBias"] = {{"amps", b.amps},
                          {"fieldAmpsPerMetre", b.field},
                          {"permeabilityPercent", b.percent},
                          {"inductanceMicrohenry", b.microhenry},
                          {"turnsWithCurrent", r.mode == SolveTurns && b.turnsWithCurrent ? Json(b.turnsWithCurrent)
                                                                                          : Json(nullptr)}};
    }
    return json;
}

std::string solveText(const SolveResult &r)
{
    std::string text;
    for (const auto &line : r.lines)
        text += asLines(line.second);
    for (const WireAnswer &w : r.wires) {
        std::string mm = significant(w.inches * MillimetresPerInch) + " mm", in = significant(w.inches) + " in";
        Lines lines = {
            {"Wire", w.givenInMm ? mm + " (" + in + ")" : in + " (" + mm + ")"},
            {"Fits in one layer", w.fits ? "yes" : "no"},
            {"Largest wire that fits", significant(w.largestInches * MillimetresPerInch) + " mm (" +
                                           significant(w.largestInches) + " in)"},
        };
        if (!w.fits)
            lines.push_back({"Most turns with this wire", std::to_string(w.mostTurns)});
        text += captioned(lines);
    }
    if (r.toleranceGiven) {
        const ToleranceBand &b = r.band;
        std::string range = r.mode == SolveTurns
                                ? significant(b.low) + " to " + significant(b.high) + " turns"
                                : significant(b.low * unitScale(r.unit)) + " to " +
                                      significant(b.high * unitScale(r.unit)) + " " + r.unit;
        text += captioned({{"AL " + significant(decimal(r.al), 6) + " +/- " + significant(r.percent, 4) + " %",
                            significant(b.alLow, 5) + " to " + significant(b.alHigh, 5) + " uH per 100 turns"},
                           {"Within that", range}});
    }
    if (r.dcGiven) {
        const DcBias &b = r.dc;
        Lines lines = {{"DC current", significant(b.amps, 6) + " A: H " + significant(b.field) + " A/m, permeability " +
                                          significant(b.percent) + " % of the initial"},
                       {"Inductance with it", significant(b.microhenry) + " uH"}};
        if (r.mode == SolveTurns)
            lines.push_back({"Turns with the current",
                             b.turnsWithCurrent ? std::to_string(b.turnsWithCurrent) + " reach " +
                                                      significant(b.target) + " uH"
                                                : "none up to " + std::to_string(b.limit) + " reach " +
                                                      significant(b.target) + " uH"});
        lines.push_back({"Data", "the maker's DC-bias fit for mix " + r.mix + " (Micrometals), for its typical material"});
        text += captioned(lines);
    }
    return text;
}

} // namespace cli
