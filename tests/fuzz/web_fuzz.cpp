// libFuzzer target: arbitrary bytes as the web page's request into its
// engine. Nothing may crash, and every answer is one JSON object with the
// exit code 0 or 2.
#include <cstdint>
#include <cstdlib>
#include <string>

#include <nlohmann/json.hpp>

#include "calc/fpenv.h"

extern "C" const char *mirvelta_run(const char *request);

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    setFloatingPointEnvironment();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::string request((const char *)data, size);
    nlohmann::json answer = nlohmann::json::parse(mirvelta_run(request.c_str()));
    int code = answer.at("code").get<int>();
    if (code != 0 && code != 2)
        abort();
    if (code != 0 && !answer.at("out").get<std::string>().empty())
        abort();
    return 0;
}
