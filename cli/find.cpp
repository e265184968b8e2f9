// find: every catalogue core that reaches an inductance, shortest wire first.
#include "cli/find.h"

#include <algorithm>

#include "calc/memform.h"
#include "calc/numtext.h"
#include "calc/solve.h"
#include "cli/layout.h"
#include "cli/refusals.h"

namespace cli {

using namespace design;

bool find(const FindRequest &r, FindResult *result, Failure *failure)
{
    double mhz = 0;
    int awg = 0;
    if ((r.awg.given && !readWhole(r.awg.text, "--awg", 1, 65535, GaugeRange, &awg, failure)) ||
        (r.mhz.given && !readNumber(r.mhz.text, "--mhz", &mhz, failure)))
        return false;
    // The value itself is the window's to read and bound.
    if (!plainNumber(r.inductance))
        return refuse<MalformedNumber>(failure, r.inductance, "--inductance");
    if (r.mhz.given && !(mhz > 0 && std::isfinite(mhz)))
        return refuse<FrequencyAboveZero>(failure);
    std::vector<CoreType> families;
    if (!readFamilies(r.family, &families, failure))
        return false;

    for (CoreType f : families) {
        const CoreFamilyTable &t = catalogueOf(f);
        for (int s = 0; s < t.sizeCount; s++) {
            for (int m = 0; m < t.materialCount; m++) {
                if (!(t.alOf(s, m) > 1.0f))
                    continue;
                if (r.mhz.given && !meantFor(f, t.materials[m], mhz))
                    continue;
                SolveReport report;
                // The value's bounds are the window's: its message ends the search.
                if (!solveAsUser(readUnit(r.unit), f, t.sizes[s].code, t.materials[m].code, SolveTurns, "",
                                 r.inductance, r.units, &failure->text, &report))
                    return failure->windowMessage = true, false;
                const std::string turns = form.text(ResultLines[9].id);
                float shownTurns = textToNumber(turns);
                if (!(shownTurns >= 1 && shownTurns < TurnsLimit) || (awg > 0 && awg < report.gauge))
                    continue;
                result->cores.push_back({std::string(familyPrefix(f)) + t.sizes[s].code, t.materials[m].code,
                                         plain(t.alOf(s, m)), trim(turns), plain(report.gauge),
                                         plain(report.wireLength, 5), lengthUnitWord,
                                         // by the length as shown: equals keep the catalogue's order
                                         textToNumber(plain(report.wireLength, 5))});
            }
        }
    }
    std::stable_sort(result->cores.begin(), result->cores.end(),
                     [](const FoundCore &a, const FoundCore &b) { return a.wireLength < b.wireLength; });
    return true;
}

Json findJson(const FindResult &r)
{
    Json cores = Json::array();
    for (const FoundCore &c : r.cores)
        cores.push_back({{"core", c.core},
                         {"material", c.material},
                         {"al", c.al},
                         {"turns", c.turns},
                         {"wireSize", c.gauge},
                         {"wireLength", c.length},
                         {"lengthUnit", c.lengthUnit}});
    return {{"cores", cores}};
}

std::string findText(const FindResult &r, bool csv)
{
    Table table;
    table.rows.push_back({"core", "material", "AL", "turns", "AWG", "wire length", "unit"});
    for (const FoundCore &c : r.cores)
        table.rows.push_back({c.core, c.material, c.al, c.turns, c.gauge, c.length, c.lengthUnit});
    return table.render(csv);
}

} // namespace cli
