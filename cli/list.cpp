// list: the catalogue, family by family: sizes, materials and AL values.
#include "cli/common.h"

namespace cli {
namespace {

struct ListOptions {
    std::string family, unit = "inches";
    bool csv = false;
};

std::string listFamily(CoreType family, LengthUnit unit, bool csv)
{
    const CoreFamilyTable &t = catalogueOf(family);
    const char *unitWord = unit == LengthMillimetres ? "mm" : "inches";
    std::string s = std::string(family == CorePowderedIron ? "Powdered iron" : "Ferrite") +
                    " cores (" + familyPrefix(family) + "), dimensions in " + unitWord + "\n";

    Table sizes;
    sizes.rows.push_back(sizeHeader());
    for (int i = 0; i < t.sizeCount; i++)
        sizes.rows.push_back(sizeRow(t.sizes[i], unit));
    s += sizes.render(csv) + "\n";

    Table materials;
    materials.rows.push_back(materialHeader(family));
    for (int i = 0; i < t.materialCount; i++)
        materials.rows.push_back(materialRow(family, t.materials[i]));
    s += materials.render(csv) + "\n";

    for (bool perTurnSquared : {false, true}) {
        s += perTurnSquared ? "AL in nH per turn squared\n" : "AL in uH per 100 turns\n";
        Table al;
        std::vector<std::string> head = {"size"};
        for (int m = 0; m < t.materialCount; m++)
            head.push_back(t.materials[m].code);
        al.rows.push_back(head);
        for (int i = 0; i < t.sizeCount; i++) {
            std::vector<std::string> row = {t.sizes[i].code};
            for (int m = 0; m < t.materialCount; m++) {
                float v = t.alOf(i, m);
                if (!(v > 1.0f))
                    row.push_back("-");
                else
                    row.push_back(plain(perTurnSquared ? (float)(v / 10.0L) : v));
            }
            al.rows.push_back(row);
        }
        s += al.render(csv) + "\n";
    }
    return s;
}

int runList(const ListOptions &o, std::string &out, Failure *failure)
{
    std::vector<CoreType> families;
    if (!readFamilies(o.family, &families, failure))
        return CliError;
    for (CoreType f : families)
        out += listFamily(f, readUnit(o.unit), o.csv);
    return CliOk;
}

} // namespace

Command addListCommand(CLI::App &program)
{
    auto o = std::make_shared<ListOptions>();
    CLI::App *c = program.add_subcommand("list", "the catalogue: sizes, materials and AL values");
    c->footer("The catalogue: each family's sizes with their dimensions, its materials with colour code and\n"
        "frequency ranges, and its AL matrix in uH per 100 turns (the catalogue's unit) and in nH per\n"
        "turn squared (1 uH per 100 turns is 0.1 nH/N^2). A '-' marks a core the catalogue has no\n"
        "information on.");
    c->add_option("--family", o->family, "iron or ferrite (default: both)");
    addUnitOption(c, &o->unit);
    c->add_flag("--csv", o->csv, "comma-separated values");
    return {c, [o](std::string &out, Failure *failure) { return runList(*o, out, failure); }};
}

} // namespace cli
