// mirvelta-cli's commands as CLI11 subcommands over the request layer.
#pragma once

#include <CLI/CLI.hpp>

#include <functional>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/solve.h"
#include "cli/list.h"
#include "cli/table.h"
#include "cli/find.h"
#include "cli/core.h"
#include "cli/flux.h"
#include "cli/identify.h"
#include "cli/impedance.h"
#include "cli/loss.h"
#include "cli/measure.h"
#include "cli/choke.h"
#include "cli/transformer.h"
#include "cli/balun.h"
#include "cli/q.h"

namespace cli {

// One subcommand: its options are bound when it is added; run prints into
// out only when the whole command succeeds.
struct Command {
    CLI::App *app;
    std::function<int(std::string &out, Failure *failure)> run;
};

// The commands' names, in the order the help lists them.
std::vector<std::string> commandNames();
// Every command, or only the one named `only`: a command line that names
// its command reads its options alone, without building the others.
std::vector<Command> addCommands(CLI::App &program, const std::string &only = "");

} // namespace cli
