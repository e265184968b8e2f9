// mirvelta-cli's command line: the commands, their options and help, and the
// rule that nothing reaches standard output unless the whole command works.
//
// Every window result comes from the calculator's own solve, run over the
// in-memory form exactly as the window runs it: the twin never computes a
// number the window shows on its own.
#include "cli/cli.h"

#include <algorithm>
#include <cctype>

#include "cli/layout.h"
#include "cli/options.h"

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

// The option a CLI11 refusal speaks of: the first it names ("--turns
// excludes --ratio").
static std::string optionNamed(const std::string &s)
{
    for (size_t p = s.find("--"); p != std::string::npos; p = s.find("--", p + 2)) {
        size_t end = p + 2;
        while (end < s.size() && (std::islower((unsigned char)s[end]) || s[end] == '-'))
            ++end;
        if (end > p + 2 && (p == 0 || s[p - 1] == ' '))
            return s.substr(p, end - p);
    }
    return "";
}

// The program's help, then each command's: "COMMAND [OPTIONS]:", its
// options and what its help says below them. help2man makes the manual
// page of it, a section a command.
static std::string everyHelp(CLI::App &program, const std::vector<Command> &commands)
{
    std::string text = program.help();
    for (const Command &c : commands) {
        const std::string help = c.app->help();
        size_t options = help.find("\nOptions:\n");
        size_t end = help.find("\n\n", options + 1);
        std::string block = help.substr(options + 10, end == std::string::npos ? std::string::npos : end - options - 9);
        // Without the help flag every command has.
        size_t flag = block.find("  -h,--help");
        if (flag != std::string::npos)
            block.erase(flag, block.find('\n', flag) + 1 - flag);
        text += "\n" + c.app->get_name() + " [OPTIONS]:\n" + block + "\n" + c.app->get_footer() + "\n";
    }
    return text;
}

CliAnswer answerCli(const std::vector<std::string> &args)
{
    CliAnswer a;
    auto refused = [&](const std::string &line, const std::string &option = "") {
        a.refusal = line;
        a.option = option;
        a.err = "mirvelta-cli: " + line + "\n";
        a.code = CliError;
        return a;
    };
    CLI::App program(ProgramDescription, "mirvelta-cli");
    program.set_version_flag("--version", "mirvelta-cli " MIRVELTA_VERSION);
    program.require_subcommand(1);
    // The twins read their options alike: no "/name" options on Windows,
    // where a file's path may begin with a slash too.
    program.allow_windows_style_options(false);
    // A command line that names its command builds that command alone: the
    // page asks one a keystroke.
    const std::vector<std::string> names = commandNames();
    const bool named = !args.empty() && std::find(names.begin(), names.end(), args[0]) != names.end();
    const std::vector<Command> commands = addCommands(program, named ? args[0] : "");
    // After the commands, which would each take it too.
    program.set_help_all_flag("--help-all", "Print every command's help and exit (the manual page's text)");
    program.footer("'mirvelta-cli COMMAND --help' describes a command.");
    if (args.empty())
        return a.err = program.help(), a.code = CliError, a;
    if (args[0].compare(0, 1, "-") != 0 && !named) {
        std::string list;
        for (const std::string &n : names)
            list += (list.empty() ? "" : ", ") + n;
        return refused("unknown command '" + args[0] + "' (" + list + "; --help)");
    }

    try {
        std::vector<const char *> argv = {"mirvelta-cli"};
        for (const std::string &arg : args)
            argv.push_back(arg.c_str());
        program.parse((int)argv.size(), argv.data());
    } catch (const CLI::CallForHelp &) {
        return a.out = program.help(), a;
    } catch (const CLI::CallForAllHelp &) {
        return a.out = everyHelp(program, commands), a;
    } catch (const CLI::CallForVersion &v) {
        return a.out = std::string(v.what()) + "\n", a;
    } catch (const CLI::ParseError &e) {
        return refused(oneLine(e.what()), optionNamed(e.what()));
    }

    for (const Command &c : commands) {
        if (!c.app->parsed())
            continue;
        Failure failure;
        std::string text;
        a.code = c.run(text, &failure);
        if (a.code == CliOk)
            return a.out = text, a;
        if (!failure.windowMessage)
            return refused(failure.text, failure.option);
        // The window's messages keep their own words.
        a.refusal = failure.text;
        a.windowMessage = true;
        a.err = asLines(failure.text);
        return a;
    }
    return refused("no command given");
}

int runCli(const std::vector<std::string> &args, std::string &out, std::string &err)
{
    CliAnswer a = answerCli(args);
    out = a.out;
    err = a.err;
    return a.code;
}
