// mirvelta-cli's command line: the commands, their options and help, and the
// rule that nothing reaches standard output unless the whole command works.
//
// Every window result comes from the calculator's own solve, run over the
// in-memory form exactly as the window runs it: the twin never computes a
// number the window shows on its own.
#include "cli/cli.h"

#include <algorithm>

#include "calc/results.h"
#include "cli/common.h"

#ifndef MIRVELTA_VERSION
#error "MIRVELTA_VERSION must be defined by the build"
#endif

using namespace cli;

static const char ProgramDescription[] =
    "The toroid winding calculator without its window: the same catalogue, the same solve and the\n"
    "same digits, and a designer's view of the cores.";

// CLI11 says what went wrong in a sentence; make sure it is one line.
static std::string oneLine(std::string s)
{
    std::replace(s.begin(), s.end(), '\n', ' ');
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

int runCli(const std::vector<std::string> &args, std::string &out, std::string &err)
{
    out.clear();
    err.clear();
    CLI::App program(ProgramDescription, "mirvelta-cli");
    program.set_version_flag("--version", "mirvelta-cli " MIRVELTA_VERSION);
    program.require_subcommand(1);
    const Command commands[] = {
        addSolveCommand(program), addListCommand(program),  addTableCommand(program),
        addFindCommand(program),  addCoreCommand(program),  addFluxCommand(program),
        addIdentifyCommand(program), addImpedanceCommand(program), addLossCommand(program),
    };
    program.footer("'mirvelta-cli COMMAND --help' describes a command.");
    if (args.empty())
        return err = program.help(), CliError;
    if (args[0].compare(0, 1, "-") != 0) {
        bool known = false;
        std::string names;
        for (const Command &c : commands) {
            known = known || args[0] == c.app->get_name();
            names += (names.empty() ? "" : ", ") + c.app->get_name();
        }
        if (!known)
            return err = "mirvelta-cli: unknown command '" + args[0] + "' (" + names + "; --help)\n", CliError;
    }

    try {
        std::vector<const char *> argv = {"mirvelta-cli"};
        for (const std::string &a : args)
            argv.push_back(a.c_str());
        program.parse((int)argv.size(), argv.data());
    } catch (const CLI::CallForHelp &) {
        return out = program.help(), CliOk;
    } catch (const CLI::CallForAllHelp &) {
        return out = program.help("", CLI::AppFormatMode::All), CliOk;
    } catch (const CLI::CallForVersion &v) {
        return out = std::string(v.what()) + "\n", CliOk;
    } catch (const CLI::ParseError &e) {
        return err = "mirvelta-cli: " + oneLine(e.what()) + "\n", CliError;
    }

    for (const Command &c : commands) {
        if (!c.app->parsed())
            continue;
        Failure failure;
        std::string text;
        int code = c.run(text, &failure);
        if (code == CliOk) {
            out = text;
        } else if (!failure.text.empty()) {
            // The window's messages keep their own words; the twin's own
            // errors say who is speaking.
            bool windowMessage = false;
            for (const char *m : InvalidDataMessages)
                windowMessage = windowMessage || failure.text == m;
            err = windowMessage ? asLines(failure.text) : "mirvelta-cli: " + failure.text + "\n";
        }
        return code;
    }
    return err = "mirvelta-cli: no command given\n", CliError;
}
