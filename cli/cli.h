// mirvelta-cli: the calculator from a command line, over the in-memory form,
// so its lines are the window's lines byte for byte.
#pragma once

#include <string>
#include <vector>

enum { CliOk = 0, CliError = 2 };

// Runs one command line (without the program name). What the program would
// print goes to out and err; the result is the exit code. Nothing reaches out
// unless the whole command succeeds.
int runCli(const std::vector<std::string> &args, std::string &out, std::string &err);
