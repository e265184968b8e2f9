// flux: the flux density in a core, from a sine voltage (or the power into a
// resistance) at a frequency, or from a DC current.
#include "cli/flux.h"

#include <cmath>

#include "cli/layout.h"
#include "cli/refusals.h"

namespace cli {

using namespace design;

bool flux(const FluxRequest &r, FluxResult *result, Failure *failure)
{
    FluxResult &f = *result;
    f.mhz = 0;
    if (!readNumber(r.turns, "--turns", &f.turns, failure) ||
        (r.mhz.given && !readNumber(r.mhz.text, "--mhz", &f.mhz, failure)) ||
        !readDriveNumbers(r.drive, &f.drive, failure) || !readStack(r.stack, "--stack", &f.stack, failure))
        return false;
    if (!readCoreWithAl(r.core, &f.core, failure))
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

    // A stack has K times the area; its permeability is one core's.
    f.permeability = permeability(nanohenryPerTurnSquared(f.core.al()), effectiveParameters(f.core.dimensions()));
    f.effective = effectiveParameters(outlineOf(f.core.dimensions(), f.stack));
    if (f.drive.byCurrent) {
        f.fieldStrength = fieldStrength(f.drive.amps, f.turns, f.effective);
        f.tesla = dcFluxDensity(f.drive.amps, f.turns, f.effective, f.permeability);
        const IronFit *fit = f.core.family == CorePowderedIron ? ironFit(f.core.material) : nullptr;
        if (fit && ironBiasPercent(*fit, f.fieldStrength, &f.biasPercent)) {
            f.biased = true;
            f.biasMicrohenry =
                decimal(f.core.al()) * f.stack * (f.turns / 100) * (f.turns / 100) * f.biasPercent / 100;
        }
    } else {
        f.tesla = sineFluxDensity(f.drive.vrms, f.mhz, f.turns, f.effective);
    }
    return true;
}

static Lines fluxLines(const FluxResult &f);

Json fluxJson(const FluxResult &f)
{
    Json j = {{"core", f.core.name()},
              {"stack", f.stack},
              {"turns", f.turns},
              {"effectiveLengthMm", f.effective.lengthMm},
              {"effectiveAreaMm2", f.effective.areaMm2},
              {"permeability", f.permeability}};
    if (f.drive.byCurrent) {
        j["amps"] = f.drive.amps;
        j["fieldStrengthAmperePerMetre"] = f.fieldStrength;
    } else {
        j["frequencyMHz"] = f.mhz;
        if (f.drive.byPower) {
            j["watts"] = f.drive.watts;
            j["ohms"] = f.drive.ohms;
        }
        j["vrms"] = f.drive.vrms;
    }
    j["peakFluxDensityMilliTesla"] = f.tesla * 1e3;
    j["peakFluxDensityGauss"] = f.tesla * 1e4;
    if (f.biased) {
        j["permeabilityPercent"] = f.biasPercent;
        j["inductanceMicrohenry"] = f.biasMicrohenry;
    }
    j["summary"] = linesJson(fluxLines(f));
    return j;
}

// The answer's lines, as its text and its JSON's summary give them.
static Lines fluxLines(const FluxResult &f)
{
    const Effective &e = f.effective;
    Lines lines = {
        {"Core", coreLine(f.core.name(), f.stack, e).second + ", mu_e " + significant(f.permeability)},
        {"Turns", significant(f.turns, 6)},
    };
    if (f.drive.byCurrent) {
        lines.push_back({"DC current", significant(f.drive.amps, 6) + " A"});
        lines.push_back({"Field strength (H)", significant(f.fieldStrength) + " A/m"});
    } else {
        if (f.drive.byPower)
            lines.push_back({"Power", significant(f.drive.watts, 6) + " W into " + significant(f.drive.ohms, 6) +
                                          " ohms"});
        lines.push_back({"Sine voltage", significant(f.drive.vrms) + " V rms at " + significant(f.mhz, 6) + " MHz"});
    }
    std::string b = significant(f.tesla * 1e3) + " mT = " + significant(f.tesla * 1e4) + " gauss";
    if (f.drive.byCurrent) {
        lines.push_back({"Flux density (B)", b});
        lines.push_back({"Note", "valid only below saturation, where mu_e holds"});
        if (f.biased) {
            lines.push_back({"Permeability left", significant(f.biasPercent) + " % of the initial (the maker's "
                                                  "DC-bias fit for mix " + f.core.material + ")"});
            lines.push_back({"Inductance left", significant(f.biasMicrohenry) + " uH at " + significant(f.turns, 6) +
                                                    " turns"});
        }
    } else {
        lines.push_back({"Peak flux density (B)", b});
    }
    return lines;
}

std::string fluxText(const FluxResult &f)
{
    return captioned(fluxLines(f));
}

} // namespace cli
