// flux: the flux density in a core, from a sine voltage (or the power into a
// resistance) at a frequency, or from a DC current.
#include "cli/flux.h"

#include <cmath>

#include "cli/layout.h"
#include "cli/refusals.h"

namespace cli {

using namespace design;

bool readFlux(const FluxRequest &r, FluxPlan *plan, Failure *failure)
{
    FluxPlan &f = *plan;
    f.mhz = 0;
    if (!readNumber(r.turns, "--turns", &f.turns, failure) ||
        (r.mhz.given && !readNumber(r.mhz.text, "--mhz", &f.mhz, failure)) ||
        !readDriveNumbers(r.drive, &f.drive, failure) || !readStack(r.stack, "--stack", &f.stack, failure))
        return false;
    if (!readCoreWithAl(r.core, &f.core, failure) ||
        !readWindingWire(r.wire, f.core.dimensions().insideDiameter, &f.wire, failure))
        return false;
    if (!finitePositive(f.turns))
        return refuse<FluxTurnsAboveZero>(failure);
    const DriveOptions &d = r.drive;
    if (d.vrms.given + d.watts.given + d.amps.given != 1)
        return refuse<FluxDriveOne>(failure);
    if (d.amps.given && r.mhz.given)
        return refuse<FrequencyWithDc>(failure);
    if (!d.amps.given && !r.mhz.given)
        return refuse<SineNeedsFrequency>(failure);
    if (r.mhz.given && !finitePositive(f.mhz))
        return refuse<FrequencyAboveZero>(failure);
    if (!readDrive(d, FluxDriveOne, &f.drive, failure))
        return false;
    return true;
}

FluxResult runFlux(const FluxPlan &s)
{
    FluxResult f;
    // A stack has K times the area; its permeability is one core's.
    f.permeability = permeability(nanohenryPerTurnSquared(s.core.al()), effectiveParameters(s.core.dimensions()));
    f.effective = effectiveParameters(outlineOf(s.core.dimensions(), s.stack));
    if (s.drive.byCurrent) {
        f.fieldStrength = fieldStrength(s.drive.amps, s.turns, f.effective);
        f.tesla = dcFluxDensity(s.drive.amps, s.turns, f.effective, f.permeability);
        const IronFit *fit = s.core.family == CorePowderedIron ? ironFit(s.core.material) : nullptr;
        if (fit && ironBiasPercent(*fit, f.fieldStrength, &f.biasPercent)) {
            f.biased = true;
            f.biasMicrohenry =
                decimal(s.core.al()) * s.stack * (s.turns / 100) * (s.turns / 100) * f.biasPercent / 100;
        }
    } else {
        f.tesla = sineFluxDensity(s.drive.vrms, s.mhz, s.turns, f.effective);
        f.volts = oneWinding(s.drive.vrms, s.turns);
    }
    f.warnings = windingWireWarnings(s.wire, s.turns);
    for (const std::string &w : voltageWarnings(s.wire.wire, f.volts))
        f.warnings.push_back(w);
    return f;
}

static Lines fluxLines(const FluxPlan &s, const FluxResult &f);

Json fluxJson(const FluxPlan &s, const FluxResult &f)
{
    Json j = {{"core", s.core.name()},
              {"stack", s.stack},
              {"turns", s.turns},
              {"effectiveLengthMm", f.effective.lengthMm},
              {"effectiveAreaMm2", f.effective.areaMm2},
              {"permeability", f.permeability}};
    if (s.drive.byCurrent) {
        j["amps"] = s.drive.amps;
        j["fieldStrengthAmperePerMetre"] = f.fieldStrength;
    } else {
        j["frequencyMHz"] = s.mhz;
        if (s.drive.byPower) {
            j["watts"] = s.drive.watts;
            j["ohms"] = s.drive.ohms;
        }
        j["vrms"] = s.drive.vrms;
    }
    j["peakFluxDensityMilliTesla"] = f.tesla * 1e3;
    j["peakFluxDensityGauss"] = f.tesla * 1e4;
    if (f.biased) {
        j["permeabilityPercent"] = f.biasPercent;
        j["inductanceMicrohenry"] = f.biasMicrohenry;
    }
    addWindingWireJson(s.wire, s.turns, &j);
    if (!f.volts.empty())
        j["voltages"] = voltagesJson(s.wire.wire, f.volts);
    j["warnings"] = f.warnings;
    j["summary"] = linesJson(fluxLines(s, f));
    return j;
}

// The answer's lines, as its text and its JSON's summary give them.
static Lines fluxLines(const FluxPlan &s, const FluxResult &f)
{
    const Effective &e = f.effective;
    Lines lines = {
        {"Core", coreLine(s.core.name(), s.stack, e).second + ", mu_e " + significant(f.permeability)},
        {"Turns", significant(s.turns, 6)},
    };
    if (s.drive.byCurrent) {
        lines.push_back({"DC current", significant(s.drive.amps, 6) + " A"});
        lines.push_back({"Field strength (H)", significant(f.fieldStrength) + " A/m"});
    } else {
        if (s.drive.byPower)
            lines.push_back({"Power", significant(s.drive.watts, 6) + " W into " + significant(s.drive.ohms, 6) +
                                          " ohms"});
        lines.push_back({"Sine voltage", significant(s.drive.vrms) + " V rms at " + significant(s.mhz, 6) + " MHz"});
    }
    std::string b = significant(f.tesla * 1e3) + " mT = " + significant(f.tesla * 1e4) + " gauss";
    if (s.drive.byCurrent) {
        lines.push_back({"Flux density (B)", b});
        lines.push_back({"Note", "valid only below saturation, where mu_e holds"});
        if (f.biased) {
            lines.push_back({"Permeability left", significant(f.biasPercent) + " % of the initial (the maker's "
                                                  "DC-bias fit for mix " + s.core.material + ")"});
            lines.push_back({"Inductance left", significant(f.biasMicrohenry) + " uH at " + significant(s.turns, 6) +
                                                    " turns"});
        }
    } else {
        lines.push_back({"Peak flux density (B)", b});
    }
    if (s.wire.given)
        lines.push_back(windingWireLine(s.wire));
    for (const auto &l : voltageLines(s.wire.wire, f.volts))
        lines.push_back(l);
    for (const std::string &w : f.warnings)
        lines.push_back({"Warning", w});
    return lines;
}

std::string fluxText(const FluxPlan &s, const FluxResult &f)
{
    return captioned(fluxLines(s, f));
}

} // namespace cli
