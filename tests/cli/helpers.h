// What the twin's tests share: a command line's answer, its JSON, its lines,
// and the window's lines after the same solve done by hand over the form.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <map>
#include <cmath>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "calc/controlids.h"
#include "calc/memform.h"
#include "calc/results.h"
#include "calc/solve.h"
#include "calc/state.h"
#include "calc/core.h"
#include "cli/cli.h"
#include "catalogue/catalogue.h"
#include "design/capacitance.h"
#include "design/ferrite.h"
#include "design/identify.h"
#include "design/magnetics.h"

#include <nlohmann/json.hpp>

// Inline: each test file takes what it uses.
namespace {

struct CliRun {
    int code;
    std::string out, err;
};

// One command line's words, then another's.
inline std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string> &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline CliRun cli(const std::vector<std::string> &args)
{
    CliRun r;
    r.code = runCli(args, r.out, r.err);
    return r;
}

inline nlohmann::json cli_json(const std::vector<std::string> &args)
{
    CliRun r = cli(args);
    EXPECT_EQ(r.code, 0) << r.err;
    return nlohmann::json::parse(r.code == 0 ? r.out : "{}");
}

inline std::vector<std::string> lines(const std::string &text)
{
    std::vector<std::string> v;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);)
        v.push_back(l);
    return v;
}

// The same solve, done by hand over the form: what the window would hold.
inline std::vector<std::string> byHand(CoreType family, LengthUnit unit, const std::string &size,
                                const std::string &material, SolveMode mode, const std::string &input,
                                const std::string &units)
{
    form.reset();
    setLengthUnit(unit);
    coreType = family;
    clearResults();
    form.setCombos(size, material);
    form.texts[mode == SolveInductance ? ID_TURNS_EDIT : ID_INDUCTANCE_EDIT] = input;
    form.texts[ID_UNITS_COMBO] = units;
    solveMode = mode;
    solve();
    std::vector<std::string> out;
    for (int id : {ID_OD_LABEL, ID_ID_LABEL, ID_THICKNESS_LABEL, ID_COLOR_LABEL, ID_FREQ_LABEL,
                   ID_WIDEBAND_LABEL, ID_TUNED_LABEL, ID_WIRE_SIZE_LABEL, ID_WIRE_LENGTH_LABEL,
                   ID_TURNS_EDIT, ID_INDUCTANCE_EDIT, ID_UNITS_COMBO}) {
        std::string t = form.text(id);
        size_t p = t.find("\r\n");
        if (p != std::string::npos) {
            out.push_back(t.substr(0, p));
            t = t.substr(p + 2);
        }
        out.push_back(t);
    }
    return out;
}

} // namespace
