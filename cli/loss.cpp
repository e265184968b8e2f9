// loss: a ferrite winding's core loss and temperature rise under a drive.
#include "cli/loss.h"

#include <cmath>

#include "cli/layout.h"
#include "cli/refusals.h"

namespace cli {

using namespace design;

bool loss(const LossRequest &r, LossResult *result, Failure *failure)
{
    LossResult &l = *result;
    int stack = 1;
    double scale = 1;
    CapacitanceRule rule;
    if (!readNumber(r.turns, "--turns", &l.turns, failure) || !readNumber(r.mhz, "--mhz", &l.mhz, failure) ||
        !readDriveNumbers(r.drive, &l.drive, failure) || !readCapacitanceRule(r.capacitance, &rule, failure) ||
        !readStack(r.stack, "--stack", &stack, failure) || !readScale(r.scale, &scale, failure) ||
        !readDuty(r.duty, &l.dutyPercent, failure))
        return false;
    if (!readFrequencyCoreOrCurve(r.core, r.curve, &l.core, failure) ||
        !readWindingWire(r.wire, l.core.size->insideDiameter, &l.wire, failure))
        return false;
    if (!l.core.data && !l.core.iron)
        return refuse<NoIronLoss>(failure, r.core.material);
    if (!(l.turns >= LeastTurns && std::isfinite(l.turns)))
        return refuse<TurnsOneOrMore>(failure);
    if (!(l.mhz > 0 && std::isfinite(l.mhz)))
        return refuse<FrequencyAboveZero>(failure);
    if (!withinData(l.core, l.mhz, l.mhz, failure) || !readDrive(r.drive, LossDriveOne, &l.drive, failure))
        return false;
    l.material = r.core.material;
    stackCores(&l.core, stack);
    l.core.scale = scale;
    l.capacitance = capacitanceFor(rule, l.core.outline);
    l.warnings = capacitanceWarnings(l.capacitance, l.turns);
    l.loss = coreLoss(l.core, l.turns, l.mhz, l.drive.byCurrent ? 0 : l.drive.vrms, l.drive.amps, l.capacitance.pf,
                      l.dutyPercent / 100);
    if (!l.loss.withinFit)
        return refuse<OutsideIronFit>(failure, r.core.material);
    l.volts = oneWinding(l.loss.vrms, l.turns);
    for (const auto &w : {windingWireWarnings(l.wire, l.turns), voltageWarnings(l.wire.wire, l.volts)})
        l.warnings.insert(l.warnings.end(), w.begin(), w.end());
    return true;
}

static Lines lossLines(const LossResult &r);

Json lossJson(const LossResult &r)
{
    const CoreLoss &l = r.loss;
    ImpedanceFigures f = figuresOf(l.point.z, l.point.hz);
    Json j = {{"core", r.core.name}, {"stack", r.core.stack},  {"scale", r.core.scale},
              {"turns", r.turns},   {"frequencyMHz", r.mhz}};
    addCapacitanceJson(r.capacitance, &j);
    addDriveJson(r.drive, &j);
    const bool iron = !r.core.data;
    j["resistanceOhms"] = iron ? Json(nullptr) : Json(f.resistance); // iron: not modelled at small signal
    j["reactanceOhms"] = f.reactance;
    j["dutyPercent"] = r.dutyPercent;
    j["coreLossWatts"] = l.averageWatts; // what heats the core
    j["fullPowerLossWatts"] = l.watts;
    j["surfaceAreaCm2"] = l.surfaceCm2;
    j["temperatureRiseKelvin"] = l.riseKelvin;
    j["peakFluxDensityMilliTesla"] = l.peakTesla * 1e3;
    j["impedanceOhms"] = f.magnitude;
    j["runsHot"] = l.riseKelvin > HotRiseKelvin;
    if (iron) {
        j["seriesResistanceOhms"] = l.seriesOhms;
        j["q"] = l.q;
    }
    addWindingWireJson(r.wire, r.turns, &j);
    j["voltages"] = voltagesJson(r.wire.wire, r.volts);
    j["warnings"] = r.warnings;
    j["summary"] = linesJson(lossLines(r));
    return j;
}

// The loss at full power, and on average at a duty.
static std::string coreLossText(const LossResult &r)
{
    const CoreLoss &l = r.loss;
    return significant(l.watts) + " W" +
           (r.dutyPercent < 100 ? " at full power, " + significant(l.averageWatts) + " W at " +
                                      significant(r.dutyPercent, 6) + " % of the time"
                                : "");
}

// The answer's lines, as its text and its JSON's summary give them.
static Lines lossLines(const LossResult &r)
{
    const CoreLoss &l = r.loss;
    ImpedanceFigures f = figuresOf(l.point.z, l.point.hz);
    std::string drive;
    if (r.drive.byCurrent)
        drive = significant(r.drive.amps, 6) + " A rms through the winding";
    else
        drive = (r.drive.byPower ? significant(r.drive.watts, 6) + " W into " + significant(r.drive.ohms, 6) +
                                       " ohms: "
                                 : "") +
                significant(l.vrms) + " V rms across the winding";
    const NamedCore &c = r.core;
    Lines lines = {
        coreLine(c),
        {"Turns", significant(r.turns, 6)},
        {"Winding capacitance", capacitanceText(r.capacitance)},
    };
    if (r.wire.given)
        lines.push_back(windingWireLine(r.wire));
    if (c.scale != 1)
        lines.push_back({"Permeability", "the curve's times " + significant(c.scale, 6)});
    lines.insert(lines.end(), {
        {"Drive", drive + " at " + significant(r.mhz, 6) + " MHz"},
    });
    if (c.data) {
        lines.push_back({"Impedance", significant(f.resistance) + " + j" + significant(f.reactance) + " ohms (|Z| " +
                                          significant(f.magnitude) + ")"});
        lines.push_back({"Core loss", coreLossText(r)});
    } else {
        if (!r.drive.byCurrent)
            lines.push_back({"Current", significant(l.amps) + " A rms through the winding"});
        lines.push_back({"Reactance (X)", significant(f.reactance) + " ohms (mu " + significant(l.point.mu.real) +
                                              " at this frequency)"});
        lines.push_back({"Core loss", coreLossText(r)});
        lines.push_back({"Series resistance", significant(l.seriesOhms) + " ohms at this drive (loss / I^2)"});
        lines.push_back({"Q (X/R)", significant(l.q)});
    }
    lines.insert(lines.end(), {
        {"Surface", significant(l.surfaceCm2) + " cm^2 (both faces, outer and inner wall)"},
        {"Temperature rise", significant(l.riseKelvin, 2) + " K (bare core in still air)"},
        {"Peak flux density (B)", significant(l.peakTesla * 1e3) + " mT = " + significant(l.peakTesla * 1e4) + " gauss"},
    });
    for (const auto &v : voltageLines(r.wire.wire, r.volts))
        lines.push_back(v);
    if (l.riseKelvin > HotRiseKelvin)
        lines.push_back({"Warning", "the core will run hot: more turns (a higher |Z|) or a larger core lower the rise"});
    for (const std::string &w : r.warnings)
        lines.push_back({"Warning", w});
    lines.push_back({"Data", c.curve ? MeasuredCurveNote : c.data ? FerriteDataNote : ironNote(r.material)});
    return lines;
}

std::string lossText(const LossResult &r)
{
    return captioned(lossLines(r));
}

} // namespace cli
