// parseNumber with either decimal separator: what it accepts must have the
// plain form of a decimal number, and a whole value must read back the same
// through formatWholeNumber.

#include "fuzzcheck.h"

#include "offsetcore/numbertext.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The grammar parseNumber promises, written out on its own: blanks, a sign,
// digits with at most one separator, blanks. Returns whether the text has
// that form, and counts the significant digits before the separator.
bool hasNumberForm(std::string_view text, std::string_view separator, std::size_t& wholeDigits) {
    auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        text.remove_prefix(1);
    }
    bool separatorSeen = false;
    bool digitSeen = false;
    wholeDigits = 0;
    while (!text.empty()) {
        if (isDigit(text.front())) {
            digitSeen = true;
            if (!separatorSeen && (wholeDigits > 0 || text.front() != '0')) {
                ++wholeDigits;
            }
            text.remove_prefix(1);
        } else if (!separatorSeen && text.starts_with(separator)) {
            separatorSeen = true;
            text.remove_prefix(separator.size());
        } else {
            return false;
        }
    }
    return digitSeen;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    // The first byte picks the separator: a Dutch comma, a point, or the
    // two-byte Arabic decimal separator.
    static constexpr std::string_view separators[] = {",", ".", "\xd9\xab"};
    const std::string_view separator = separators[data[0] % 3];
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    std::size_t wholeDigits = 0;
    const bool form = hasNumberForm(text, separator, wholeDigits);
    const auto value = offsetcore::parseNumber(text, separator);

    if (value) {
        // Never a grouping, an exponent, a second separator or a letter:
        // all of these fall outside the plain form.
        FUZZ_CHECK(form);
        FUZZ_CHECK(std::isfinite(*value));
        if (fuzzcheck::isWhole(*value)) {
            const std::string written = offsetcore::formatWholeNumber(*value);
            FUZZ_CHECK(fuzzcheck::isPlainWholeNumber(written));
            const auto reread = offsetcore::parseNumber(written, separator);
            FUZZ_CHECK(reread && *reread == *value);
        }
    } else if (form) {
        // Only a whole part beyond the largest double may be refused.
        FUZZ_CHECK(wholeDigits >= 309);
    }
    return 0;
}
