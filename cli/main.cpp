#include "cli/commands.h"

#include <cstdlib>
#include <iostream>
#include <string_view>
#include <vector>

namespace {

// The language of messages, as the POSIX locale variables choose it: the
// first of them that is set decides. Elsewhere none is set, and it is
// English.
offsetcalc::Language language() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return std::string_view(value).starts_with("nl") ? offsetcalc::Language::Dutch
                                                             : offsetcalc::Language::English;
        }
    }
    return offsetcalc::Language::English;
}

} // namespace

int main(int argc, char* argv[]) {
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    return offsetcalc::run(arguments, std::cout, std::cerr, language());
}
