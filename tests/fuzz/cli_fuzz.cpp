// libFuzzer target: arbitrary argument vectors into mirvelta-cli's entry
// point. The bytes are the arguments, each ended by a line feed. Nothing may
// crash, every exit code is 0 or 2, and a failure prints nothing to standard
// output.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "calc/fpenv.h"
#include "cli/cli.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    setFloatingPointEnvironment();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::vector<std::string> args(1);
    for (size_t i = 0; i < size && args.size() <= 24; i++) {
        if (data[i] == '\n')
            args.emplace_back();
        else
            args.back() += (char)data[i];
    }
    if (args.back().empty())
        args.pop_back();
    std::string out, err;
    int code = runCli(args, out, err);
    if (code != CliOk && code != CliError)
        abort();
    if (code != CliOk && !out.empty())
        abort();
    return 0;
}
