// identify: a core from its measured dimensions and a test winding: its AL,
// its permeability, and the catalogue cores it may be, best first.
#include <cmath>

#include "cli/common.h"
#include "design/identify.h"

namespace cli {
namespace {

struct IdentifyOptions {
    double od = 0, id = 0, height = 0, turns = 0, inductance = 0;
    std::string unit = "inches", units = "uH", family;
    bool json = false;
};

// What the measurement itself puts in doubt, one sentence each.
std::vector<std::string> warningsOf(const Identification &r, const std::vector<CoreType> &families)
{
    std::vector<std::string> w;
    if (r.impossiblePermeability)
        w.push_back(ImpossiblePermeabilityWarning);
    for (CoreType f : families)
        if (r.millimetreSizeOf[f] >= 0) {
            w.push_back("these dimensions look like millimetres (" + std::string(familyPrefix(f)) +
                        catalogueOf(f).sizes[r.millimetreSizeOf[f]].code + " in mm): did you mean --unit mm?");
            break;
        }
    return w;
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
    if (o.turns != std::floor(o.turns))
        return failure->text = "a test winding has whole turns, not " + significant(o.turns, 6), CliError;
    std::vector<CoreType> families;
    if (!readFamilies(o.family, &families, failure))
        return CliError;

    bool inches = o.unit != "mm";
    double toMm = inches ? MillimetresPerInch : 1;
    double nanohenry = o.inductance * (o.units == "nH" ? 1 : o.units == "uH" ? 1e3 : 1e6);
    Identification r = identify({o.od * toMm, o.id * toMm, o.height * toMm, o.turns, nanohenry, inches}, families);
    const double al = r.alNanohenry, mu = r.permeability;
    std::vector<std::string> warnings = warningsOf(r, families);

    Json j = {{"alNanohenryPerTurnSquared", al},
              {"alMicrohenryPer100Turns", al * 10},
              {"permeability", mu},
              {"effectiveLengthMm", r.effective.lengthMm},
              {"effectiveAreaMm2", r.effective.areaMm2},
              {"sizeTolerancePercent", SizeTolerancePercent},
              {"warnings", warnings},
              {"candidates", Json::array()}};
    Table table;
    table.rows.push_back({"core", "colour", "judged by", "catalogue", "measured/catalogue"});
    // AL in the catalogue's unit, uH per 100 turns, as the colour-coded tables give it.
    for (const Candidate &c : r.candidates) {
        const CoreFamilyTable &t = catalogueOf(c.family);
        const CoreMaterial &m = t.materials[c.material];
        table.rows.push_back({candidateName(c), m.colorCode, c.size >= 0 ? "AL uH/100 t" : "mu_e (median)",
                              significant(c.size >= 0 ? c.catalogue * 10 : c.catalogue), significant(c.ratio, 3)});
        j["candidates"].push_back({{"family", familyName(c.family)},
                                   {"material", m.code},
                                   {"size", c.size >= 0 ? Json(t.sizes[c.size].code) : Json(nullptr)},
                                   {"colorCode", m.colorCode},
                                   {"ratio", c.ratio}});
    }

    std::vector<std::pair<std::string, std::string>> lines = {
        {"Measured AL", significant(al * 10) + " uH per 100 turns = " + significant(al) + " nH/N^2"},
        {"Effective permeability", significant(mu) + " (le " + significant(r.effective.lengthMm) + " mm, Ae " +
                                       significant(r.effective.areaMm2) + " mm^2)"},
    };
    std::string sizes;
    for (CoreType f : families)
        if (r.sizeOf[f] >= 0)
            sizes += std::string(sizes.empty() ? "" : ", ") + familyPrefix(f) + catalogueOf(f).sizes[r.sizeOf[f]].code;
    std::string tolerance = significant(SizeTolerancePercent) + " %";
    lines.push_back({"Catalogue size", sizes.empty() ? "none within " + tolerance + " in every dimension"
                                                     : sizes + " (every dimension within " + tolerance + ")"});
    if (!r.candidates.empty()) {
        const Candidate &best = r.candidates[0];
        const CoreFamilyTable &t = catalogueOf(best.family);
        const CoreMaterial &m = t.materials[best.material];
        std::string verdict;
        if (best.size >= 0) {
            std::string size = familyPrefix(best.family) + std::string(t.sizes[best.size].code);
            verdict = size + ", and AL " + significant(al * 10) + " is closest to " + candidateName(best) + " (" +
                      significant(best.catalogue * 10) + ")";
        } else {
            verdict = "mix " + std::string(m.code) + " (" + familyName(best.family) + "), whose mu_e is near " +
                      significant(best.catalogue, 3);
        }
        lines.push_back({"Best match", verdict + ", colour " + trim(m.colorCode)});
    }
    for (const std::string &w : warnings)
        lines.push_back({"Warning", w});
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
        "each material's being the median over the catalogue's cores of that material. A warning\n"
        "line questions a permeability below 1, and inches that look like millimetres.");
    c->add_option("--od", o->od, "measured outside diameter")->required();
    c->add_option("--id", o->id, "measured inside diameter")->required();
    c->add_option("--height", o->height, "measured height (thickness)")->required();
    c->add_option("--unit", o->unit, "unit of the three: inches (default) or mm")
        ->check(CLI::IsMember({"inches", "mm"}));
    c->add_option("--turns", o->turns, "whole turns of the test winding")->required();
    c->add_option("--inductance", o->inductance, "measured inductance of the test winding")->required();
    c->add_option("--units", o->units, "nH, uH (default) or mH")->check(CLI::IsMember({"nH", "uH", "mH"}));
    c->add_option("--family", o->family, "iron or ferrite (default: both)");
    c->add_flag("--json", o->json, "one JSON object");
    return {c, [o](std::string &out, Failure *failure) { return runIdentify(*o, out, failure); }};
}

} // namespace cli
