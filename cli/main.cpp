// mirvelta-cli's entry point: the floating-point environment, then the command.
#include <cstdio>
#include <string>
#include <vector>

#include "calc/fpenv.h"
#include "cli/cli.h"

int main(int argc, char **argv)
{
    setFloatingPointEnvironment();
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string out, err;
    int code = runCli(args, out, err);
    fwrite(out.data(), 1, out.size(), stdout);
    fwrite(err.data(), 1, err.size(), stderr);
    return code;
}
