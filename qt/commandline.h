#pragma once

// The two options a program answers on the command line, before any window
// or display is touched: --help (also -h) and --version. Every other
// argument is left to Qt (-platform, -style, ...) or ignored, as without them.

#include <optional>

namespace qtface {

// The version of the project, as the package carries it.
extern const char* const version;

struct ProgramInfo {
    const char* name;
    const char* summaryEnglish;
    const char* summaryDutch;
};

// The exit status when an option was answered, else nothing. The texts are
// Dutch where the locale is, English elsewhere.
std::optional<int> answerCommandLine(int argc, const char* const* argv, const ProgramInfo& program);

} // namespace qtface
