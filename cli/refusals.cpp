// The refusals' list as data, and the texts filled in.
#include "cli/refusals.h"

#include "cli/values.h"

namespace cli {

using namespace design;

const RefusalRow Refusals[RefusalCount] = {
#define MIRVELTA_REFUSAL_ROW(name, option, text) {#name, option, text},
    MIRVELTA_REFUSALS(MIRVELTA_REFUSAL_ROW)
#undef MIRVELTA_REFUSAL_ROW
};

bool refuseWith(Failure *failure, Refusal refusal, std::initializer_list<std::string> args)
{
    std::string text = Refusals[refusal].text;
    auto arg = args.begin();
    for (size_t p = 0; (p = text.find("{}", p)) != std::string::npos && arg != args.end(); ++arg) {
        text.replace(p, 2, *arg);
        p += arg->size();
    }
    failure->text = text;
    failure->windowMessage = false;
    // "{N}": the option is the N-th argument, where that is an option.
    const std::string option = Refusals[refusal].option;
    if (option.size() == 3 && option[0] == '{' && option[2] == '}') {
        size_t n = (size_t)(option[1] - '1');
        failure->option = n < args.size() && (args.begin() + n)->compare(0, 2, "--") == 0 ? *(args.begin() + n) : "";
    } else {
        failure->option = option;
    }
    return false;
}

bool refuseAt(Failure *failure, const char *option, Refusal refusal, std::initializer_list<std::string> args)
{
    refuseWith(failure, refusal, args);
    failure->option = option;
    return false;
}

} // namespace cli
