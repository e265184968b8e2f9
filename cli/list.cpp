// list: the catalogue, family by family: sizes, materials and AL values;
// and in JSON, the ferrite materials that have a published curve, and the
// insulations and cables a winding's wire may have.
#include "cli/list.h"

#include "cli/layout.h"
#include "design/insulation.h"

namespace cli {

using namespace design;

bool list(const ListRequest &r, ListResult *result, Failure *failure)
{
    if (!readFamilies(r.family, &result->families, failure))
        return false;
    result->unit = readUnit(r.unit);
    return true;
}

Json rangesJson(CoreType family, const CoreMaterial &m)
{
    if (family == CorePowderedIron)
        return {{"rangeLowMHz", decimal(m.rangeLowMHz)}, {"rangeHighMHz", decimal(m.rangeHighMHz)}};
    return {{"wideBandLowMHz", decimal(m.rangeLowMHz)},
            {"wideBandHighMHz", decimal(m.rangeHighMHz)},
            {"tunedCircuitLowMHz", decimal(m.tunedLowMHz)},
            {"tunedCircuitHighMHz", decimal(m.tunedHighMHz)}};
}

Json listJson(const ListResult &r)
{
    const double factor = r.unit == LengthMillimetres ? MillimetresPerInch : 1;
    Json families = Json::array();
    for (CoreType f : r.families) {
        const CoreFamilyTable &t = catalogueOf(f);
        Json sizes = Json::array(), materials = Json::array(), al = Json::array();
        for (int i = 0; i < t.sizeCount; i++) {
            const CoreSize &s = t.sizes[i];
            sizes.push_back({{"size", s.code},
                             {"outsideDiameter", decimal(s.outsideDiameter) * factor},
                             {"insideDiameter", decimal(s.insideDiameter) * factor},
                             {"thickness", decimal(s.thickness) * factor}});
            Json row = Json::array();
            for (int m = 0; m < t.materialCount; m++)
                row.push_back(t.alOf(i, m) > 1.0f ? Json(decimal(t.alOf(i, m))) : Json(nullptr));
            al.push_back(row);
        }
        for (int m = 0; m < t.materialCount; m++) {
            const CoreMaterial &mix = t.materials[m];
            Json j = {{"material", mix.code}, {"colorCode", mix.colorCode}};
            j.update(rangesJson(f, mix));
            materials.push_back(j);
        }
        families.push_back({{"family", familyName(f)},
                            {"prefix", familyPrefix(f)},
                            {"sizes", sizes},
                            {"materials", materials},
                            {"alMicrohenryPer100Turns", al}});
    }
    Json curves = Json::array();
    for (int i = 0; i < FerriteMaterialDataCount; i++) {
        const FerriteData &d = FerriteMaterialData[i];
        curves.push_back({{"material", d.code}, {"lowMHz", d.lowHz() / 1e6}, {"highMHz", d.highHz() / 1e6}});
    }
    // What --insulation and --cable take, as a page's choices.
    Json insulations = Json::array(), cables = Json::array();
    for (int b = 0; b < BuildCount; b++)
        insulations.push_back({{"insulation", buildName((Build)b)}, {"hookup", buildIsHookup((Build)b)}});
    for (int i = 0; i < CableRowCount; i++) {
        Cable c;
        if ((i && std::string(CableRows[i].cable) == CableRows[i - 1].cable) || !cableNamed(CableRows[i].cable, &c))
            continue;
        cables.push_back({{"cable", c.widest->cable},
                          {"outsideMm", c.widest->outsideMm},
                          {"ohms", c.widest->ohms},
                          {"velocityFactor", c.widest->velocityFactor},
                          {"workingVolts", c.workingVolts > 0 ? Json(c.workingVolts) : Json(nullptr)}});
    }
    return {{"unit", r.unit == LengthMillimetres ? "mm" : "inches"},
            {"families", families},
            {"curves", curves},
            {"insulations", insulations},
            {"cables", cables}};
}

static std::string listFamily(CoreType family, LengthUnit unit, bool csv)
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

std::string listText(const ListResult &r, bool csv)
{
    std::string s;
    for (CoreType f : r.families)
        s += listFamily(f, r.unit, csv);
    return s;
}

} // namespace cli
