// find: every catalogue core that reaches an inductance, shortest wire first.
#include <algorithm>
#include <cmath>

#include "calc/controlids.h"
#include "calc/memform.h"
#include "calc/numtext.h"
#include "cli/common.h"

namespace cli {
namespace {

struct FindOptions {
    std::string inductance, units = "uH", family, unit = "inches";
    int awg = 0;
    double mhz = 0;
    bool csv = false, mhzGiven = false;
};

struct Found {
    std::vector<std::string> cells;
    float length;
};

bool covers(float low, float high, double mhz)
{
    return decimal(low) <= mhz && mhz <= decimal(high);
}

// Is the material meant for f? Powdered iron: its usable range covers f;
// ferrite: its wide-band or its tuned-circuit range does.
bool meantFor(CoreType family, const CoreMaterial &m, double mhz)
{
    if (covers(m.rangeLowMHz, m.rangeHighMHz, mhz))
        return true;
    return family == CoreFerrite && covers(m.tunedLowMHz, m.tunedHighMHz, mhz);
}

int runFind(const FindOptions &o, std::string &out, Failure *failure)
{
    float target;
    if (!readNumber(o.inductance, "--inductance", &target, failure))
        return CliError;
    if (o.mhzGiven && !(o.mhz > 0 && std::isfinite(o.mhz)))
        return failure->text = "--mhz takes a frequency above 0", CliError;
    std::vector<CoreType> families;
    if (!readFamilies(o.family, &families, failure))
        return CliError;

    std::vector<Found> found;
    for (CoreType f : families) {
        const CoreFamilyTable &t = catalogueOf(f);
        for (int s = 0; s < t.sizeCount; s++) {
            for (int m = 0; m < t.materialCount; m++) {
                if (!(t.alOf(s, m) > 1.0f))
                    continue;
                if (o.mhzGiven && !meantFor(f, t.materials[m], o.mhz))
                    continue;
                Core core;
                core.family = f;
                core.unit = readUnit(o.unit);
                core.size = t.sizes[s].code;
                core.material = t.materials[m].code;
                Failure refused;
                // The value's bounds are the window's: its message ends the search.
                if (!windowSolve(core, SolveTurns, "", o.inductance, o.units, &refused))
                    return failure->text = refused.text, CliError;
                float turns = textToNumber(form.text(ID_TURNS_EDIT));
                float gauge = textToNumber(shownGauge());
                if (!(turns >= 1 && turns <= 65535) || (o.awg > 0 && o.awg < gauge))
                    continue;
                found.push_back({{std::string(familyPrefix(f)) + core.size, core.material,
                                  plain(t.alOf(s, m)), trim(form.text(ID_TURNS_EDIT)), shownGauge(),
                                  shownLength(), lengthUnitWord},
                                 textToNumber(shownLength())});
            }
        }
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const Found &a, const Found &b) { return a.length < b.length; });

    Table table;
    table.rows.push_back({"core", "material", "AL", "turns", "AWG", "wire length", "unit"});
    for (const Found &f : found)
        table.rows.push_back(f.cells);
    out = table.render(o.csv);
    return CliOk;
}

} // namespace

Command addFindCommand(CLI::App &program)
{
    auto o = std::make_shared<FindOptions>();
    CLI::App *c = program.add_subcommand("find", "every core that reaches an inductance, shortest wire first");
    c->footer("Every catalogue core on which V can be wound (1 to 65535 turns, rounded as the window rounds\n"
        "them), with its turns, the largest AWG that fits and the wire length, shortest wire first.");
    c->add_option("--inductance", o->inductance, "V, the inductance to wind")->required();
    c->add_option("--units", o->units, "nH, uH (default) or mH")->check(CLI::IsMember({"nH", "uH", "mH"}));
    c->add_option("--family", o->family, "iron or ferrite (default: both)");
    addUnitOption(c, &o->unit);
    c->add_option("--awg", o->awg, "only the cores on which wire of this gauge still fits in one layer")
        ->check(CLI::Range(1, 65535));
    auto *mhz = c->add_option("--mhz", o->mhz,
                              "only materials meant for this frequency: iron by its usable range, ferrite by "
                              "its wide-band or tuned-circuit range");
    c->add_flag("--csv", o->csv, "comma-separated values");
    return {c, [=](std::string &out, Failure *failure) {
                o->mhzGiven = mhz->count() > 0;
                return runFind(*o, out, failure);
            }};
}

} // namespace cli
