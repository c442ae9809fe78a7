#pragma once

// offsetcalc: the calculators on the command line, a face on the core alone.
// It collects the texts of its options, hands them to the core's steps and
// writes what comes back; it checks nothing the core checks.

#include <ostream>
#include <span>
#include <string_view>

namespace offsetcalc {

// Whether messages are written in Dutch.
enum class Language { English, Dutch };

// The exit statuses: answered, or refused (a problem or a usage error, told
// in one line on the error stream, with nothing on the output).
inline constexpr int answered = 0;
inline constexpr int refused = 2;

// Runs the command line after the program's name.
int run(std::span<const std::string_view> arguments, std::ostream& out, std::ostream& err,
        Language language);

} // namespace offsetcalc
