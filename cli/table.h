// table: one solve per value of a range of turns or inductances.
// The request as typed, read and answered by table(), written by tableJson() and
// tableText().
#pragma once

#include <string>
#include <vector>

#include "cli/values.h"

namespace cli {

struct TableRequest {
    CoreOptions core;
    Given turns, inductance;
    std::string units = "uH";
};
struct TableRow {
    std::string turns, inductance, units, gauge, length, lengthUnit;
};
struct TableResult {
    std::vector<TableRow> rows;
};
bool table(const TableRequest &r, TableResult *result, Failure *failure);
Json tableJson(const TableResult &r);
std::string tableText(const TableResult &r, bool csv);

} // namespace cli
