// list: the catalogue as the window has it, and the materials with a published curve.
// The request as typed, read and answered by list(), written by listJson() and
// listText().
#pragma once

#include <string>
#include <vector>

#include "cli/values.h"

namespace cli {

struct ListRequest {
    std::string family, unit = "inches";
};
struct ListResult {
    std::vector<CoreType> families;
    LengthUnit unit;
};
bool list(const ListRequest &r, ListResult *result, Failure *failure);
// A material's frequency ranges by name: iron's usable range, ferrite's
// wide-band and tuned-circuit ones.
Json rangesJson(CoreType family, const CoreMaterial &m);
Json listJson(const ListResult &r);
std::string listText(const ListResult &r, bool csv);

} // namespace cli
