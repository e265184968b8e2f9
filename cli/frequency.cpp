// impedance and loss: a winding at frequency. Ferrite from the maker's
// complex permeability; powdered iron as a lossless AL, for the reactance.
#include <cmath>
#include <cstdlib>

#include "cli/common.h"
#include "design/ferrite.h"

namespace cli {
namespace {

const char DataNote[] = "the maker's typical curve (Fair-Rite); a real core may differ by +/- 20-25 %";

// The core a frequency command names, with its name: a ferrite size with
// any material that has a curve, or a catalogue iron core with its AL.
struct NamedCore : FrequencyCore {
    std::string name;
};

bool readFrequencyCore(const CoreOptions &o, NamedCore *c, Failure *failure)
{
    CoreType family;
    if (!readFamily(o.family, &family, failure))
        return false;
    if (family == CorePowderedIron) {
        Core core;
        if (!readCoreWithAl(o, &core, failure))
            return false;
        c->name = core.name();
    }
    switch (frequencyCore(family, o.size, o.material, c)) {
    case NoSuchSize:
        return failure->text = "unknown ferrite size '" + o.size + "' (" + codeList(FerriteCatalogue, true) + ")",
               false;
    case NoCurve:
        return failure->text = "no permeability data for ferrite material '" + o.material + "' (data for " +
                               curveMaterials() + ")", false;
    case NoAl: // readCoreWithAl has refused it already
    case CoreFound:
        break;
    }
    if (family == CoreFerrite)
        c->name = std::string(familyPrefix(CoreFerrite)) + o.size + "-" + o.material;
    return true;
}

bool finitePositive(double v)
{
    return v > 0 && std::isfinite(v);
}

// A frequency in MHz, or a range A:B.
bool readFrequencies(const std::string &text, double *low, double *high, Failure *failure)
{
    size_t colon = text.find(':');
    std::string a = text.substr(0, colon), b = colon == std::string::npos ? a : text.substr(colon + 1);
    if (!plainNumber(a) || !plainNumber(b))
        return failure->text = "--mhz takes a frequency F or a range A:B in MHz, not '" + text + "'", false;
    *low = std::strtod(a.c_str(), nullptr);
    *high = std::strtod(b.c_str(), nullptr);
    if (!finitePositive(*low) || !finitePositive(*high))
        return failure->text = "--mhz takes frequencies above 0", false;
    if (*high < *low)
        return failure->text = "range '" + text + "' needs its start below its end", false;
    return true;
}

bool withinData(const FrequencyCore &c, double lowMhz, double highMhz, Failure *failure)
{
    if (withinCurve(c, lowMhz * 1e6, highMhz * 1e6))
        return true;
    return failure->text = "material " + std::string(c.data->code) + " has published data from " +
                           significant(c.data->lowHz() / 1e6) + " to " + significant(c.data->highHz() / 1e6) +
                           " MHz only", false;
}

std::string coreLine(const NamedCore &c)
{
    return c.name + ": le " + significant(c.effective.lengthMm) + " mm, Ae " + significant(c.effective.areaMm2) +
           " mm^2";
}

// ---- impedance ---------------------------------------------------------------

struct ImpedanceOptions {
    CoreOptions core;
    double turns = 0, pf = 0;
    std::string mhz;
    int points = 25;
    bool json = false, csv = false, pfGiven = false, pointsGiven = false;
};

Json pointJson(const FrequencyCore &c, const FrequencyPoint &p)
{
    ImpedanceFigures f = figuresOf(p.z, p.hz);
    bool lossless = !c.data; // iron: R not modelled
    return {{"frequencyMHz", p.hz / 1e6},
            {"muReal", p.mu.real},
            {"muImag", lossless ? Json(nullptr) : Json(p.mu.imag)},
            {"resistanceOhms", lossless ? Json(nullptr) : Json(f.resistance)},
            {"reactanceOhms", f.reactance},
            {"impedanceOhms", f.magnitude},
            {"phaseDegrees", f.phaseDegrees},
            {"inductanceMicrohenry", f.inductanceMicrohenry},
            {"q", lossless ? Json(nullptr) : Json(f.q)}};
}

std::vector<std::string> pointRow(const FrequencyCore &c, const FrequencyPoint &p)
{
    ImpedanceFigures f = figuresOf(p.z, p.hz);
    const std::string none = "-";
    return {significant(p.hz / 1e6), significant(p.mu.real), c.data ? significant(p.mu.imag) : none,
            c.data ? significant(f.resistance) : none, significant(f.reactance), significant(f.magnitude),
            significant(f.phaseDegrees), significant(f.inductanceMicrohenry), c.data ? significant(f.q) : none};
}

int runImpedance(const ImpedanceOptions &o, std::string &out, Failure *failure)
{
    NamedCore c;
    if (!readFrequencyCore(o.core, &c, failure))
        return CliError;
    if (!(o.turns >= 1 && std::isfinite(o.turns)))
        return failure->text = "--turns takes a number of turns of 1 or more", CliError;
    double low = 0, high = 0;
    if (!readFrequencies(o.mhz, &low, &high, failure) || !withinData(c, low, high, failure))
        return CliError;
    if (o.pfGiven && !finitePositive(o.pf))
        return failure->text = "--pf takes a capacitance above 0", CliError;
    bool sweep = o.mhz.find(':') != std::string::npos;
    if (!sweep && o.pointsGiven)
        return failure->text = "--points goes with a range --mhz A:B", CliError;
    if (o.points < 2 || o.points > 10000)
        return failure->text = "--points takes 2 to 10000", CliError;
    if (o.json && o.csv)
        return failure->text = "--json excludes --csv", CliError;

    std::vector<FrequencyPoint> points;
    std::vector<double> hz = sweep ? logSweep(low * 1e6, high * 1e6, o.points) : std::vector<double>{low * 1e6};
    std::vector<std::complex<double>> z;
    for (double f : hz) {
        points.push_back(frequencyPoint(c, o.turns, f, o.pf));
        z.push_back(points.back().z);
    }
    double resonance = o.pfGiven ? selfResonance(hz, z) : 0;

    Table table;
    table.rows.push_back(o.csv ? std::vector<std::string>{"frequency_mhz", "mu_real", "mu_imag", "resistance_ohms",
                                                         "reactance_ohms", "impedance_ohms", "phase_degrees",
                                                         "inductance_uh", "q"}
                               : std::vector<std::string>{"MHz", "mu'", "mu''", "R ohms", "X ohms", "|Z| ohms",
                                                         "phase deg", "L uH", "Q"});
    for (const FrequencyPoint &p : points)
        table.rows.push_back(pointRow(c, p));
    if (o.csv)
        return out = table.render(true), CliOk;

    if (o.json) {
        Json j = {{"core", c.name}, {"turns", o.turns}};
        if (o.pfGiven)
            j["capacitancePf"] = o.pf;
        if (sweep) {
            j["points"] = Json::array();
            for (const FrequencyPoint &p : points)
                j["points"].push_back(pointJson(c, p));
            if (o.pfGiven)
                j["selfResonantFrequencyMHz"] = resonance > 0 ? Json(resonance / 1e6) : Json(nullptr);
        } else {
            j.update(pointJson(c, points[0]));
        }
        return out = jsonText(j), CliOk;
    }

    std::vector<std::pair<std::string, std::string>> lines = {{"Core", coreLine(c)},
                                                              {"Turns", significant(o.turns, 6)}};
    if (o.pfGiven)
        lines.push_back({"Winding capacitance", significant(o.pf, 6) + " pF in parallel"});
    std::string after;
    if (sweep) {
        if (o.pfGiven)
            after = captioned({{"Self-resonance", resonance > 0 ? "near " + significant(resonance / 1e6) +
                                                                      " MHz, where X crosses zero"
                                                                : "not within the sweep"}});
    } else {
        const FrequencyPoint &p = points[0];
        ImpedanceFigures f = figuresOf(p.z, p.hz);
        lines.push_back({"Frequency", significant(low, 6) + " MHz"});
        if (c.data) {
            lines.push_back({"Permeability", "mu' " + significant(p.mu.real) + ", mu'' " + significant(p.mu.imag)});
            lines.push_back({"Resistance (R)", significant(f.resistance) + " ohms"});
        } else {
            lines.push_back({"Permeability", "mu_e " + significant(p.mu.real) + " from AL"});
            lines.push_back({"Resistance (R)", "not modelled: no loss data for powdered iron"});
        }
        lines.push_back({"Reactance (X)", significant(f.reactance) + " ohms"});
        lines.push_back({"Impedance |Z|", significant(f.magnitude) + " ohms at " + significant(f.phaseDegrees) +
                                             " degrees"});
        lines.push_back({"Series inductance", significant(f.inductanceMicrohenry) + " uH"});
        if (c.data)
            lines.push_back({"Q (X/R)", significant(f.q)});
    }
    lines.push_back({"Data", c.data ? DataNote : "catalogue AL; the resistance is not modelled"});
    out = captioned(lines) + (sweep ? "\n" + table.render(false) + (after.empty() ? "" : "\n" + after) : "");
    return CliOk;
}

// ---- loss --------------------------------------------------------------------

struct LossOptions {
    CoreOptions core;
    double turns = 0, mhz = 0, vrms = 0, watts = 0, ohms = 50, amps = 0;
    bool json = false, vrmsGiven = false, wattsGiven = false, ampsGiven = false;
};

int runLoss(const LossOptions &o, std::string &out, Failure *failure)
{
    NamedCore c;
    if (!readFrequencyCore(o.core, &c, failure))
        return CliError;
    if (!c.data)
        return failure->text = "no loss data for powdered iron: loss takes a ferrite core", CliError;
    if (!(o.turns >= 1 && std::isfinite(o.turns)))
        return failure->text = "--turns takes a number of turns of 1 or more", CliError;
    if (!finitePositive(o.mhz))
        return failure->text = "--mhz takes a frequency above 0", CliError;
    if (!withinData(c, o.mhz, o.mhz, failure))
        return CliError;
    if (o.vrmsGiven + o.wattsGiven + o.ampsGiven != 1)
        return failure->text = "give one of --vrms, --watts or --amps", CliError;
    if ((o.vrmsGiven && !finitePositive(o.vrms)) || (o.wattsGiven && !finitePositive(o.watts)) ||
        !finitePositive(o.ohms) || (o.ampsGiven && !finitePositive(o.amps)))
        return failure->text = "--vrms, --watts, --ohms and --amps take values above 0", CliError;

    CoreLoss l = coreLoss(c, o.turns, o.mhz, o.ampsGiven ? 0 : o.wattsGiven ? std::sqrt(o.watts * o.ohms) : o.vrms,
                          o.amps);
    ImpedanceFigures f = figuresOf(l.point.z, l.point.hz);
    const double vrms = l.vrms, loss = l.watts, surface = l.surfaceCm2, rise = l.riseKelvin, tesla = l.peakTesla;

    Json j = {{"core", c.name}, {"turns", o.turns}, {"frequencyMHz", o.mhz}};
    std::string drive;
    if (o.ampsGiven) {
        j["amps"] = o.amps;
        drive = significant(o.amps, 6) + " A rms through the winding";
    } else {
        if (o.wattsGiven) {
            j["watts"] = o.watts;
            j["ohms"] = o.ohms;
        }
        j["vrms"] = vrms;
        drive = (o.wattsGiven ? significant(o.watts, 6) + " W into " + significant(o.ohms, 6) + " ohms: " : "") +
                significant(vrms) + " V rms across the winding";
    }
    j["resistanceOhms"] = f.resistance;
    j["reactanceOhms"] = f.reactance;
    j["coreLossWatts"] = loss;
    j["surfaceAreaCm2"] = surface;
    j["temperatureRiseKelvin"] = rise;
    j["peakFluxDensityMilliTesla"] = tesla * 1e3;

    std::vector<std::pair<std::string, std::string>> lines = {
        {"Core", coreLine(c)},
        {"Turns", significant(o.turns, 6)},
        {"Drive", drive + " at " + significant(o.mhz, 6) + " MHz"},
        {"Impedance", significant(f.resistance) + " + j" + significant(f.reactance) + " ohms (|Z| " +
                          significant(f.magnitude) + ")"},
        {"Core loss", significant(loss) + " W"},
        {"Surface", significant(surface) + " cm^2 (both faces, outer and inner wall)"},
        {"Temperature rise", significant(rise, 2) + " K (bare core in still air)"},
        {"Peak flux density (B)", significant(tesla * 1e3) + " mT = " + significant(tesla * 1e4) + " gauss"},
    };
    if (rise > HotRiseKelvin)
        lines.push_back({"Warning", "the core will run hot: more turns (a higher |Z|) or a larger core lower the rise"});
    lines.push_back({"Data", DataNote});
    out = o.json ? jsonText(j) : captioned(lines);
    return CliOk;
}

} // namespace

Command addImpedanceCommand(CLI::App &program)
{
    auto o = std::make_shared<ImpedanceOptions>();
    CLI::App *c = program.add_subcommand("impedance", "a winding's impedance at a frequency, or over a sweep");
    c->footer("A winding's impedance at --mhz F, or at --points frequencies from A to B (--mhz A:B, log-spaced,\n"
        "both ends included). Ferrite: Z = j 2 pi f N^2 mu0 (Ae/le) (mu' - j mu''), with mu' and mu''\n"
        "the maker's published curve (Fair-Rite), linear in log f between its rows; any ferrite size\n"
        "takes a material with data (31 43 46 51 61 73 75 77). The curve is the material's typical one:\n"
        "a real core may differ by +/- 20-25 %. Powdered iron: X = 2 pi f N^2 AL from the catalogue;\n"
        "its resistance is not modelled. --pf puts the winding's own capacitance in parallel; a sweep\n"
        "then names the self-resonant frequency, where X crosses zero.");
    addCoreOptions(c, &o->core);
    c->add_option("--turns", o->turns, "turns of the winding")->required();
    c->add_option("--mhz", o->mhz, "frequency F, or a range A:B, in MHz")->required();
    auto *points = c->add_option("--points", o->points, "frequencies in a range (default 25)");
    auto *pf = c->add_option("--pf", o->pf, "the winding's capacitance in parallel, in pF");
    c->add_flag("--json", o->json, "one JSON object");
    c->add_flag("--csv", o->csv, "the table as CSV");
    return {c, [=](std::string &out, Failure *failure) {
                o->pfGiven = pf->count() > 0;
                o->pointsGiven = points->count() > 0;
                return runImpedance(*o, out, failure);
            }};
}

Command addLossCommand(CLI::App &program)
{
    auto o = std::make_shared<LossOptions>();
    CLI::App *c = program.add_subcommand("loss", "a ferrite winding's core loss and temperature rise");
    c->footer("The power a ferrite core takes at --mhz, and how warm it runs. A voltage across the winding,\n"
        "as a transformer or voltage balun sees it (--vrms, or --watts into --ohms, 50 by default,\n"
        "V = sqrt(P R)): loss = V^2 Re(1/Z). A current through it, as a common-mode choke carries\n"
        "(--amps, RF rms): loss = I^2 R. The rise of a bare core in still air follows the makers'\n"
        "rule, (loss in mW / surface in cm^2)^0.833 K. Z is impedance's, from the material's typical\n"
        "curve: a real core may differ by +/- 20-25 %.");
    addCoreOptions(c, &o->core);
    c->add_option("--turns", o->turns, "turns of the winding")->required();
    c->add_option("--mhz", o->mhz, "frequency, in MHz")->required();
    auto *vrms = c->add_option("--vrms", o->vrms, "sine voltage across the winding, V rms");
    auto *watts = c->add_option("--watts", o->watts, "power into --ohms, in W");
    c->add_option("--ohms", o->ohms, "the resistance the power goes into (default 50)")->needs(watts);
    auto *amps = c->add_option("--amps", o->amps, "RF current through the winding, A rms");
    c->add_flag("--json", o->json, "one JSON object");
    return {c, [=](std::string &out, Failure *failure) {
                o->vrmsGiven = vrms->count() > 0;
                o->wattsGiven = watts->count() > 0;
                o->ampsGiven = amps->count() > 0;
                return runLoss(*o, out, failure);
            }};
}

} // namespace cli
