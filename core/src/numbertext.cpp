#include "offsetcore/numbertext.h"

#include <cmath>
#include <fast_float/fast_float.h>
#include <fmt/compile.h>

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

// Reads text that fast_float accepts in the given format; no value unless all
// of it is read.
std::optional<double> readPlain(const std::string& text, fast_float::chars_format format) {
    double value = 0;
    const char* const end = text.data() + text.size();
    const auto [stop, error] = fast_float::from_chars(text.data(), end, value, format);
    if (error != std::errc{} || stop != end) {
        return std::nullopt;
    }
    return value;
}

// ---- writing ------------------------------------------------------------------

// A decimal significand and the power of ten that scales it.
struct Decimal {
    std::string digits;
    int exponent = 0;
};

// The fewest significant digits that read back as the (positive, finite)
// value, the nearest of them to it. {fmt} finds them, but picks between plain
// and exponent by its own rule, so its text is taken apart into digits and
// a power of ten here; either form it writes gives the same decimal.
Decimal shortestDecimal(double value) {
    const std::string text = fmt::format(FMT_COMPILE("{}"), value);
    Decimal decimal;
    int fractionDigits = 0;
    bool inFraction = false;
    std::size_t at = 0;
    for (; at < text.size() && text[at] != 'e'; ++at) {
        if (text[at] == '.') {
            inFraction = true;
        } else {
            decimal.digits += text[at];
            fractionDigits += inFraction ? 1 : 0;
        }
    }
    int power = 0;
    if (at < text.size()) { // "e+XX" or "e-XX"
        const bool negative = text[at + 1] == '-';
        for (at += 2; at < text.size(); ++at) {
            power = power * 10 + (text[at] - '0');
        }
        power = negative ? -power : power;
    }
    decimal.exponent = power - fractionDigits;
    // "0.001" gives "0001": the leading zeros carry nothing.
    decimal.digits.erase(0, decimal.digits.find_first_not_of('0'));
    while (decimal.digits.size() > 1 && decimal.digits.back() == '0') {
        decimal.digits.pop_back();
        ++decimal.exponent;
    }
    return decimal;
}

// The shortest text that reads back as the value: plain or with an exponent,
// whichever is shorter, plain when both are equally long.
std::string shortestText(double value) {
    const Decimal decimal = shortestDecimal(value);
    const std::string& digits = decimal.digits;
    const int count = static_cast<int>(digits.size());
    const int leading = decimal.exponent + count - 1; // power of ten of the first digit

    std::string scientific = digits.substr(0, 1);
    if (count > 1) {
        scientific += '.';
        scientific += digits.substr(1);
    }
    const std::string power = std::to_string(leading < 0 ? -leading : leading);
    scientific += leading < 0 ? "e-" : "e+";
    scientific += std::string(power.size() < 2 ? 2 - power.size() : 0, '0') + power;

    std::string plain;
    if (decimal.exponent >= 0) {
        plain = digits + std::string(static_cast<std::size_t>(decimal.exponent), '0');
    } else if (leading >= 0) {
        plain = digits.substr(0, static_cast<std::size_t>(leading) + 1) + '.' +
                digits.substr(static_cast<std::size_t>(leading) + 1);
    } else {
        plain = "0." + std::string(static_cast<std::size_t>(-leading - 1), '0') + digits;
    }
    return plain.size() <= scientific.size() ? plain : scientific;
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

    // Rewrite into the one form the reader takes, whatever the locale:
    // digits, '.', digits.
    std::string plain = "0";
    bool seenSeparator = false;
    bool seenDigit = false;
    while (!text.empty()) {
        const char c = text.front();
        if (isDigit(c)) {
            plain += c;
            seenDigit = true;
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

    // fast_float rounds correctly: beyond the largest double it gives
    // infinity, far below a micrometre it gives zero (nothing a window could
    // show).
    const std::optional<double> value = readPlain(plain, fast_float::chars_format::fixed);
    if (!value || std::isinf(*value)) {
        return std::nullopt;
    }
    return negative ? -*value : *value;
}

std::string formatWholeNumber(double value) {
    if (value == 0) {
        return "0"; // also for -0
    }
    if (std::isnan(value)) {
        return std::signbit(value) ? "-nan" : "nan";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-inf" : "inf";
    }
    if (std::trunc(value) == value) {
        return fmt::format(FMT_COMPILE("{:.0f}"), value); // every digit, exact at any size
    }
    std::string text = shortestText(std::fabs(value));
    if (value < 0) {
        text.insert(text.begin(), '-');
    }
    return text;
}

} // namespace offsetcore
