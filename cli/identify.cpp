// identify: a core from its measured dimensions and a test winding: its AL,
// its permeability, and the catalogue cores it may be, best first.
#include <algorithm>
#include <cmath>

#include "cli/common.h"
#include "cli/magnetics.h"

namespace cli {
namespace {

// A measured dimension matches a catalogue size's when it is within this
// share of it: calipers, paint and makers' tolerances all fit inside.
const double SizeTolerancePercent = 5;

struct IdentifyOptions {
    double od = 0, id = 0, height = 0, turns = 0, inductance = 0;
    std::string unit = "inches", units = "uH", family;
    bool json = false;
};

struct Candidate {
    CoreType family;
    int material;
    int size;        // -1: no catalogue size matched
    double catalogue; // AL in nH/N^2 with a size, else the material's permeability
    double ratio;    // measured over catalogue
};

// The permeability of a material: the median over the catalogue's cores of
// that material.
double materialPermeability(CoreType family, int material)
{
    const CoreFamilyTable &t = catalogueOf(family);
    std::vector<double> mu;
    for (int s = 0; s < t.sizeCount; s++) {
        float al = t.alOf(s, material);
        if (al > 1.0f)
            mu.push_back(permeability(nanohenryPerTurnSquared(al), effectiveParameters(t.sizes[s])));
    }
    if (mu.empty())
        return 0;
    std::sort(mu.begin(), mu.end());
    size_t n = mu.size();
    return n % 2 ? mu[n / 2] : (mu[n / 2 - 1] + mu[n / 2]) / 2;
}

// The catalogue size of the family whose three dimensions all lie within
// the tolerance of the measured ones, the closest if several do; -1 if none.
int matchingSize(CoreType family, double odMm, double idMm, double heightMm)
{
    const CoreFamilyTable &t = catalogueOf(family);
    int best = -1;
    double bestOff = SizeTolerancePercent / 100;
    for (int s = 0; s < t.sizeCount; s++) {
        const CoreSize &c = t.sizes[s];
        double off = 0;
        for (auto pair : {std::make_pair(odMm, c.outsideDiameter), std::make_pair(idMm, c.insideDiameter),
                          std::make_pair(heightMm, c.thickness)}) {
            double nominal = decimal(pair.second) * MillimetresPerInch;
            off = std::max(off, std::fabs(pair.first / nominal - 1));
        }
        if (off <= bestOff) {
            best = s;
            bestOff = off;
        }
    }
    return best;
}

int runIdentify(const IdentifyOptions &o, std::string &out, Failure *failure)
{
    for (double v : {o.od, o.id, o.height, o.inductance})
        if (!(v > 0 && std::isfinite(v)))
            return failure->text = "--od, --id, --height and --inductance take values above 0", CliError;
    if (!(o.id < o.od))
        return failure->text = "the inside diameter must be below the outside diameter", CliError;
    if (!(o.turns >= 1 && std::isfinite(o.turns)))
        return failure->text = "the test winding needs at least one turn", CliError;
    std::vector<CoreType> families;
    if (!readFamilies(o.family, &families, failure))
        return CliError;

    double toMm = o.unit == "mm" ? 1 : MillimetresPerInch;
    double odMm = o.od * toMm, idMm = o.id * toMm, heightMm = o.height * toMm;
    Effective e = effectiveParameters(odMm, idMm, heightMm);
    double nanohenry = o.inductance * (o.units == "nH" ? 1 : o.units == "uH" ? 1e3 : 1e6);
    double al = nanohenry / (o.turns * o.turns);
    double mu = permeability(al, e);

    std::vector<Candidate> candidates;
    int sizeOf[2] = {-1, -1};
    for (CoreType f : families) {
        const CoreFamilyTable &t = catalogueOf(f);
        int size = sizeOf[f] = matchingSize(f, odMm, idMm, heightMm);
        for (int m = 0; m < t.materialCount; m++) {
            if (size >= 0 && t.alOf(size, m) > 1.0f) {
                double catalogueAl = nanohenryPerTurnSquared(t.alOf(size, m));
                candidates.push_back({f, m, size, catalogueAl, al / catalogueAl});
            } else if (double materialMu = materialPermeability(f, m)) {
                candidates.push_back({f, m, -1, materialMu, mu / materialMu});
            }
        }
    }
    // Best first: the smallest factor off, whichever way.
    std::stable_sort(candidates.begin(), candidates.end(), [](const Candidate &a, const Candidate &b) {
        return std::fabs(std::log(a.ratio)) < std::fabs(std::log(b.ratio));
    });

    Json j = {{"alNanohenryPerTurnSquared", al},
              {"alMicrohenryPer100Turns", al * 10},
              {"permeability", mu},
              {"effectiveLengthMm", e.lengthMm},
              {"effectiveAreaMm2", e.areaMm2},
              {"sizeTolerancePercent", SizeTolerancePercent},
              {"candidates", Json::array()}};
    Table table;
    table.rows.push_back({"core", "colour", "judged by", "catalogue", "measured/catalogue"});
    // AL in the catalogue's unit, uH per 100 turns, as the colour-coded tables give it.
    for (const Candidate &c : candidates) {
        const CoreFamilyTable &t = catalogueOf(c.family);
        const CoreMaterial &m = t.materials[c.material];
        std::string name = c.size >= 0 ? std::string(familyPrefix(c.family)) + t.sizes[c.size].code + "-" + m.code
                                       : std::string(familyName(c.family)) + " " + m.code;
        table.rows.push_back({name, m.colorCode, c.size >= 0 ? "AL uH/100 t" : "mu_e (median)",
                              significant(c.size >= 0 ? c.catalogue * 10 : c.catalogue), significant(c.ratio, 3)});
        j["candidates"].push_back({{"family", familyName(c.family)},
                                   {"material", m.code},
                                   {"size", c.size >= 0 ? Json(t.sizes[c.size].code) : Json(nullptr)},
                                   {"colorCode", m.colorCode},
                                   {"ratio", c.ratio}});
    }

    std::vector<std::pair<std::string, std::string>> lines = {
        {"Measured AL", significant(al * 10) + " uH per 100 turns = " + significant(al) + " nH/N^2"},
        {"Effective permeability", significant(mu) + " (le " + significant(e.lengthMm) + " mm, Ae " +
                                       significant(e.areaMm2) + " mm^2)"},
    };
    std::string sizes;
    for (CoreType f : families)
        if (sizeOf[f] >= 0)
            sizes += std::string(sizes.empty() ? "" : ", ") + familyPrefix(f) + catalogueOf(f).sizes[sizeOf[f]].code;
    lines.push_back({"Catalogue size", (sizes.empty() ? "none" : sizes) + " (every dimension within " +
                                           significant(SizeTolerancePercent) + " %)"});
    if (!candidates.empty()) {
        const Candidate &best = candidates[0];
        const CoreFamilyTable &t = catalogueOf(best.family);
        const CoreMaterial &m = t.materials[best.material];
        std::string mix = std::string(familyPrefix(best.family));
        std::string verdict;
        if (best.size >= 0) {
            std::string size = mix + t.sizes[best.size].code;
            verdict = size + ", and AL " + significant(al * 10) + " is closest to " + size + "-" + m.code + " (" +
                      significant(best.catalogue * 10) + ")";
        } else {
            verdict = "mix " + std::string(m.code) + " (" + familyName(best.family) + "), whose mu_e is near " +
                      significant(best.catalogue, 3);
        }
        lines.push_back({"Best match", verdict + ", colour " + trim(m.colorCode)});
    }
    out = o.json ? jsonText(j) : captioned(lines) + "\n" + table.render(false);
    return CliOk;
}

} // namespace

Command addIdentifyCommand(CLI::App &program)
{
    auto o = std::make_shared<IdentifyOptions>();
    CLI::App *c = program.add_subcommand("identify", "a core from measured dimensions and a test winding");
    c->footer("A core from its measured dimensions and a test winding: its AL, its effective permeability,\n"
        "and the catalogue cores it may be, best first. Where every measured dimension is within 5 %\n"
        "of a catalogue size, the materials are judged by that size's AL; otherwise by permeability,\n"
        "each material's being the median over the catalogue's cores of that material.");
    c->add_option("--od", o->od, "measured outside diameter")->required();
    c->add_option("--id", o->id, "measured inside diameter")->required();
    c->add_option("--height", o->height, "measured height (thickness)")->required();
    c->add_option("--unit", o->unit, "unit of the three: inches (default) or mm")
        ->check(CLI::IsMember({"inches", "mm"}));
    c->add_option("--turns", o->turns, "turns of the test winding")->required();
    c->add_option("--inductance", o->inductance, "measured inductance of the test winding")->required();
    c->add_option("--units", o->units, "nH, uH (default) or mH")->check(CLI::IsMember({"nH", "uH", "mH"}));
    c->add_option("--family", o->family, "iron or ferrite (default: both)");
    c->add_flag("--json", o->json, "one JSON object");
    return {c, [o](std::string &out, Failure *failure) { return runIdentify(*o, out, failure); }};
}

} // namespace cli
