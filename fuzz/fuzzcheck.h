#pragma once

// What every fuzz target checks besides the sanitizers: a broken rule ends
// the run with a message, which libFuzzer keeps as a crash with its input.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: broken: %s\n", __FILE__, __LINE__, #condition);           \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace fuzzcheck {

// What a window shows for a result: digits with a minus sign at most, never
// a fraction, an exponent or a grouping.
inline bool isPlainWholeNumber(std::string_view text) {
    if (text.starts_with('-')) {
        text.remove_prefix(1);
    }
    if (text.empty() || (text.size() > 1 && text.front() == '0')) {
        return false;
    }
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

inline bool isWhole(double value) {
    return std::isfinite(value) && std::trunc(value) == value;
}

} // namespace fuzzcheck
