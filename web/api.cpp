// The web page's engine: the twin's request layer as one C function the
// page's script calls. A request is a command and its options as the texts
// a user would type, {"command": "impedance", "options": {"turns": "10",
// ...}}; it is read as the command line `mirvelta-cli impedance --turns 10
// ... --json` is, by the same options and the same rules, so the page's
// answers and refusals are the twin's.
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/cli.h"

#ifdef __EMSCRIPTEN__
#include <emscripten/emscripten.h>
#define EXPORT extern "C" EMSCRIPTEN_KEEPALIVE
#else
#define EXPORT extern "C"
#endif

using Json = nlohmann::ordered_json; // the options in the order the page gave them

namespace {

// The request's options as arguments: {k: v} is --k v, {k: true} the flag
// --k, {k: false} or null nothing.
bool arguments(const Json &request, std::vector<std::string> *args, std::string *why)
{
    if (!request.is_object() || !request.contains("command") || !request["command"].is_string())
        return *why = "a request names its command", false;
    args->push_back(request["command"].get<std::string>());
    if (request.contains("options")) {
        const Json &options = request["options"];
        if (!options.is_object())
            return *why = "a request's options are an object", false;
        for (const auto &o : options.items()) {
            const Json &v = o.value();
            if (v.is_null() || (v.is_boolean() && !v.get<bool>()))
                continue;
            args->push_back("--" + o.key());
            if (v.is_string())
                args->push_back(v.get<std::string>()); // UTF-8, as a command line has it
            else if (v.is_number())
                args->push_back(v.dump());
            else if (!v.is_boolean())
                return *why = "option " + o.key() + " takes a text, a number or true", false;
        }
    }
    if (request.value("json", true))
        args->push_back("--json");
    return true;
}

} // namespace

// One request, answered as {"code", "out", "refusal", "windowMessage"}: the
// exit code, what the twin prints on standard output, and its refusal's one
// line (a window message as the window has it), with "option" where the
// refusal speaks of one. The text lives until the next call.
EXPORT const char *mirvelta_run(const char *requestText)
{
    static std::string answer;
    Json a;
    std::vector<std::string> args;
    std::string why;
    Json request = Json::parse(requestText, nullptr, false);
    if (request.is_discarded() || !arguments(request, &args, &why)) {
        a = {{"code", CliError}, {"out", ""}, {"refusal", why.empty() ? "the request is not JSON" : why},
             {"windowMessage", false}};
    } else {
        CliAnswer r = answerCli(args);
        // The twin's text is Latin-1 where it shows the window's own bytes.
        a = {{"code", r.code}, {"out", r.out}, {"refusal", r.refusal}, {"windowMessage", r.windowMessage}};
        if (!r.option.empty())
            a["option"] = r.option;
    }
    answer = a.dump(-1, ' ', false, Json::error_handler_t::replace);
    return answer.c_str();
}
