#include "offsetcore/numbertext.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fmt/compile.h>

#ifdef __EMSCRIPTEN__
#include <cstdlib>
#else
#include <fast_float/fast_float.h>
#endif

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

// Reads "digits.digits", the one form parseNumber rewrites every text into,
// as the nearest double; no value unless all of it is read.
std::optional<double> readPlain(const std::string& text) {
    const char* const end = text.data() + text.size();
#ifdef __EMSCRIPTEN__
    // The WebAssembly C library (musl) reads correctly rounded as well, with
    // '.' in every locale, at a fraction of fast_float's size: its table of
    // powers of five alone is 10 KB, downloaded with every first visit.
    char* stop = nullptr;
    const double value = std::strtod(text.c_str(), &stop);
    if (stop != end) {
        return std::nullopt;
    }
#else
    double value = 0;
    const auto [stop, error] =
        fast_float::from_chars(text.data(), end, value, fast_float::chars_format::fixed);
    if (error != std::errc{} || stop != end) {
        return std::nullopt;
    }
#endif
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
    // At least two digits of exponent, at most three (a double's lie within
    // e-324 and e+308).
    const int power = leading < 0 ? -leading : leading;
    scientific += leading < 0 ? "e-" : "e+";
    if (power >= 100) {
        scientific += static_cast<char>('0' + power / 100);
    }
    scientific += static_cast<char>('0' + power / 10 % 10);
    scientific += static_cast<char>('0' + power % 10);

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

// Every digit of a whole number of any size (positive and finite): its
// significand times its power of two, worked out exactly in limbs of nine
// decimal digits, the lowest first. The largest double has 309 digits, so 35
// limbs hold every one.
std::string wholeDigits(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    constexpr std::uint64_t hiddenBit = std::uint64_t{1} << 52;
    // A whole number is at least 1, so normal: the hidden bit is there.
    std::uint64_t significand = (bits & (hiddenBit - 1)) | hiddenBit;
    int power = static_cast<int>(bits >> 52) - 1075;
    if (power < 0) {
        significand >>= -power; // whole, so only zero bits go
        power = 0;
    }

    constexpr std::uint32_t limbBase = 1'000'000'000;
    std::array<std::uint32_t, 35> limbs{};
    limbs[0] = static_cast<std::uint32_t>(significand % limbBase);
    limbs[1] = static_cast<std::uint32_t>(significand / limbBase); // below 2^53, so two limbs
    std::size_t used = 2;
    while (power > 0) {
        // A limb (below 10^9) shifted by at most 29 bits plus a carry of at
        // most 2^29 is at most 10^9 * 2^29: the next carry is again at most
        // 2^29, one limb.
        const int shift = power < 29 ? power : 29;
        std::uint64_t carry = 0;
        for (std::size_t i = 0; i < used; ++i) {
            const std::uint64_t shifted = (std::uint64_t{limbs[i]} << shift) + carry;
            limbs[i] = static_cast<std::uint32_t>(shifted % limbBase);
            carry = shifted / limbBase;
        }
        if (carry != 0) {
            limbs[used++] = static_cast<std::uint32_t>(carry);
        }
        power -= shift;
    }

    std::string text;
    text.reserve(9 * used);
    for (std::size_t i = used; i-- > 0;) {
        char digits[9];
        std::uint32_t limb = limbs[i];
        for (int d = 8; d >= 0; --d) {
            digits[d] = static_cast<char>('0' + limb % 10);
            limb /= 10;
        }
        text.append(digits, sizeof digits);
    }
    text.erase(0, text.find_first_not_of('0'));
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

    // Read correctly rounded: beyond the largest double that gives infinity,
    // far below a micrometre zero (nothing a window could show).
    const std::optional<double> value = readPlain(plain);
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
    std::string text =
        std::trunc(value) == value ? wholeDigits(std::fabs(value)) : shortestText(std::fabs(value));
    if (value < 0) {
        text.insert(text.begin(), '-');
    }
    return text;
}

} // namespace offsetcore
