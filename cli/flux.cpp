// flux: the flux density in a core, from a sine voltage (or the power into a
// resistance) at a frequency, or from a DC current.
#include <cmath>

#include "cli/common.h"
#include "design/magnetics.h"

namespace cli {
namespace {

struct FluxOptions {
    CoreOptions core;
    double turns = 0, mhz = 0, vrms = 0, watts = 0, ohms = 50, amps = 0;
    bool json = false;
    bool mhzGiven = false, vrmsGiven = false, wattsGiven = false, ampsGiven = false;
};

bool positive(double v)
{
    return v > 0 && std::isfinite(v);
}

int runFlux(const FluxOptions &o, std::string &out, Failure *failure)
{
    Core core;
    if (!readCoreWithAl(o.core, &core, failure))
        return CliError;
    if (!positive(o.turns))
        return failure->text = "--turns takes a number of turns above 0", CliError;
    if (o.vrmsGiven + o.wattsGiven + o.ampsGiven != 1)
        return failure->text = "give one of --vrms or --watts (each with --mhz), or --amps", CliError;
    if (o.ampsGiven && o.mhzGiven)
        return failure->text = "--mhz goes with --vrms or --watts, not with a DC current", CliError;
    if (!o.ampsGiven && !o.mhzGiven)
        return failure->text = "a sine voltage needs its frequency: --mhz", CliError;
    if (o.mhzGiven && !positive(o.mhz))
        return failure->text = "--mhz takes a frequency above 0", CliError;
    if ((o.vrmsGiven && !positive(o.vrms)) || (o.wattsGiven && !positive(o.watts)) ||
        !positive(o.ohms) || (o.ampsGiven && !positive(o.amps)))
        return failure->text = "--vrms, --watts, --ohms and --amps take values above 0", CliError;

    Effective e = effectiveParameters(core.dimensions());
    double mu = permeability(nanohenryPerTurnSquared(core.al()), e);
    Json j = {{"core", core.name()},
              {"turns", o.turns},
              {"effectiveLengthMm", e.lengthMm},
              {"effectiveAreaMm2", e.areaMm2},
              {"permeability", mu}};
    std::vector<std::pair<std::string, std::string>> lines = {
        {"Core", core.name() + ": le " + significant(e.lengthMm) + " mm, Ae " + significant(e.areaMm2) +
                     " mm^2, mu_e " + significant(mu)},
        {"Turns", significant(o.turns, 6)},
    };
    double tesla;
    if (o.ampsGiven) {
        double h = fieldStrength(o.amps, o.turns, e);
        tesla = Mu0 * mu * h;
        j["amps"] = o.amps;
        j["fieldStrengthAmperePerMetre"] = h;
        lines.push_back({"DC current", significant(o.amps, 6) + " A"});
        lines.push_back({"Field strength (H)", significant(h) + " A/m"});
    } else {
        double v = o.wattsGiven ? std::sqrt(o.watts * o.ohms) : o.vrms;
        tesla = sineFluxDensity(v, o.mhz, o.turns, e);
        j["frequencyMHz"] = o.mhz;
        if (o.wattsGiven) {
            j["watts"] = o.watts;
            j["ohms"] = o.ohms;
            lines.push_back({"Power", significant(o.watts, 6) + " W into " + significant(o.ohms, 6) + " ohms"});
        }
        j["vrms"] = v;
        lines.push_back({"Sine voltage", significant(v) + " V rms at " + significant(o.mhz, 6) + " MHz"});
    }
    j["peakFluxDensityMilliTesla"] = tesla * 1e3;
    j["peakFluxDensityGauss"] = tesla * 1e4;
    std::string b = significant(tesla * 1e3) + " mT = " + significant(tesla * 1e4) + " gauss";
    if (o.ampsGiven) {
        lines.push_back({"Flux density (B)", b});
        lines.push_back({"Note", "valid only below saturation, where mu_e holds"});
    } else {
        lines.push_back({"Peak flux density (B)", b});
    }
    out = o.json ? jsonText(j) : captioned(lines);
    return CliOk;
}

} // namespace

Command addFluxCommand(CLI::App &program)
{
    auto o = std::make_shared<FluxOptions>();
    CLI::App *c = program.add_subcommand("flux", "flux density from a sine voltage, a power or a DC current");
    c->footer("The flux density in a catalogue core. A sine voltage at --mhz (--vrms, or --watts into --ohms,\n"
        "50 by default, V = sqrt(P R)) gives the peak B = sqrt(2) V / (2 pi f N Ae). A DC current\n"
        "(--amps) gives H = N I / le and B = mu0 mu_e H, valid below saturation.");
    addCoreOptions(c, &o->core);
    c->add_option("--turns", o->turns, "turns of the winding")->required();
    auto *mhz = c->add_option("--mhz", o->mhz, "frequency of the sine voltage, in MHz");
    auto *vrms = c->add_option("--vrms", o->vrms, "sine voltage across the winding, V rms");
    auto *watts = c->add_option("--watts", o->watts, "power into --ohms, in W");
    c->add_option("--ohms", o->ohms, "the resistance the power goes into (default 50)")->needs(watts);
    auto *amps = c->add_option("--amps", o->amps, "DC current through the winding, in A");
    c->add_flag("--json", o->json, "one JSON object");
    return {c, [=](std::string &out, Failure *failure) {
                o->mhzGiven = mhz->count() > 0;
                o->vrmsGiven = vrms->count() > 0;
                o->wattsGiven = watts->count() > 0;
                o->ampsGiven = amps->count() > 0;
                return runFlux(*o, out, failure);
            }};
}

} // namespace cli
