// mirvelta-cli's commands as CLI11 subcommands over the request layer.
#pragma once

#include <CLI/CLI.hpp>

#include <functional>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/request.h"

namespace cli {

// One subcommand: its options are bound when it is added; run prints into
// out only when the whole command succeeds.
struct Command {
    CLI::App *app;
    std::function<int(std::string &out, Failure *failure)> run;
};

// Every command, in the order the help lists them.
std::vector<Command> addCommands(CLI::App &program);

} // namespace cli
