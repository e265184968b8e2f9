// mirvelta-cli: the calculator from a command line, over the in-memory form,
// so its lines are the window's lines byte for byte.
#pragma once

#include <string>
#include <vector>

enum { CliOk = 0, CliError = 2 };

// What one command line gives: the exit code, what the program prints on
// standard output and on standard error, and a refusal as its one line
// without the program's name (a window message as the window has it), with
// the option it speaks of ("--watts"; empty where none).
struct CliAnswer {
    int code = CliOk;
    std::string out, err;
    std::string refusal, option;
    bool windowMessage = false;
};
CliAnswer answerCli(const std::vector<std::string> &args);

// Runs one command line (without the program name). What the program would
// print goes to out and err; the result is the exit code. Nothing reaches out
// unless the whole command succeeds.
int runCli(const std::vector<std::string> &args, std::string &out, std::string &err);
