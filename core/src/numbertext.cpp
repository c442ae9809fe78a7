#include "offsetcore/numbertext.h"

#include <charconv>
#include <cmath>

namespace offsetcore {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace

std::optional<double> parseNumber(std::string_view text, std::string_view decimalSeparator) {
    if (decimalSeparator.empty()) {
        return std::nullopt;
    }
    text = trimBlanks(text);

    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }

    // Rewrite into the one form std::from_chars reads, whatever the locale:
    // digits, '.', digits.
    std::string plain = "0";
    bool seenSeparator = false;
    bool seenDigit = false;
    bool wholePartNonZero = false;
    while (!text.empty()) {
        const char c = text.front();
        if (isDigit(c)) {
            plain += c;
            seenDigit = true;
            wholePartNonZero = wholePartNonZero || (!seenSeparator && c != '0');
            text.remove_prefix(1);
        } else if (!seenSeparator && text.starts_with(decimalSeparator)) {
            plain += '.';
            seenSeparator = true;
            text.remove_prefix(decimalSeparator.size());
        } else {
            return std::nullopt;
        }
    }
    if (!seenDigit) {
        return std::nullopt;
    }
    if (seenSeparator) {
        plain += '0';
    }

    double value = 0;
    const char* const end = plain.data() + plain.size();
    const auto [stop, error] = std::from_chars(plain.data(), end, value, std::chars_format::fixed);
    if (error == std::errc::result_out_of_range) {
        if (wholePartNonZero) {
            return std::nullopt; // beyond the largest double
        }
        value = 0; // far below a micrometre: nothing a window could show
    } else if (error != std::errc{} || stop != end) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

std::string formatWholeNumber(double value) {
    if (value == 0) {
        return "0"; // also for -0
    }
    // Large enough for every finite double written out in full (309 digits).
    char buffer[400];
    const bool whole = std::isfinite(value) && std::trunc(value) == value;
    const auto result =
        whole ? std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 0)
              : std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

} // namespace offsetcore
