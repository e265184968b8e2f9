// mirvelta-cli over many command lines in one process, for the web page's
// differential test: each input line is a JSON array of arguments, each
// output line {"code": ..., "out": ..., "err": ...}.
#include <iostream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "calc/fpenv.h"
#include "cli/cli.h"

int main()
{
    setFloatingPointEnvironment();
    std::string line;
    while (std::getline(std::cin, line)) {
        std::vector<std::string> args = nlohmann::json::parse(line).get<std::vector<std::string>>();
        std::string out, err;
        int code = runCli(args, out, err);
        std::cout << nlohmann::json{{"code", code}, {"out", out}, {"err", err}}.dump() << "\n";
    }
    return 0;
}
