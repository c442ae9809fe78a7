#include "offsetcore/numbertext.h"

#include <fast_float/fast_float.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

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

// ---- writing: exact decimal expansion ----------------------------------------
//
// A finite double is mantissa * 2^exponent with a whole mantissa below 2^53.
// A whole double of 2^53 or more has exponent >= 0 and is the whole number
// mantissa * 2^exponent; a double with a fraction has exponent < 0 and is
// mantissa * 5^-exponent / 10^-exponent. Both expansions below use whole
// numbers only, so every digit they give is exact.

struct BinaryParts {
    std::uint64_t mantissa = 0;
    int exponent = 0;
};

// For finite, non-zero values; the sign is dropped.
BinaryParts binaryParts(double value) {
    int exponent = 0;
    const double fraction = std::frexp(std::fabs(value), &exponent); // in [0.5, 1)
    BinaryParts parts{static_cast<std::uint64_t>(std::ldexp(fraction, 53)), exponent - 53};
    while (parts.mantissa % 2 == 0) {
        parts.mantissa /= 2;
        ++parts.exponent;
    }
    return parts;
}

// The decimal digits of mantissa * base^power (base 2 or 5, power >= 0), most
// significant first, computed in limbs of nine decimal digits.
std::string exactDigits(std::uint64_t mantissa, std::uint32_t base, int power) {
    constexpr std::uint32_t limbSize = 1000000000;
    std::vector<std::uint32_t> limbs; // least significant first
    for (; mantissa != 0; mantissa /= limbSize) {
        limbs.push_back(static_cast<std::uint32_t>(mantissa % limbSize));
    }
    // Multiply by at most 2^29 or 5^13 at a time: a limb times that plus the
    // carry stays far below 2^64.
    const int step = base == 2 ? 29 : 13;
    while (power > 0) {
        const int now = std::min(power, step);
        std::uint64_t factor = 1;
        for (int i = 0; i < now; ++i) {
            factor *= base;
        }
        std::uint64_t carry = 0;
        for (std::uint32_t& limb : limbs) {
            const std::uint64_t product = limb * factor + carry;
            limb = static_cast<std::uint32_t>(product % limbSize);
            carry = product / limbSize;
        }
        for (; carry != 0; carry /= limbSize) {
            limbs.push_back(static_cast<std::uint32_t>(carry % limbSize));
        }
        power -= now;
    }
    std::string digits = std::to_string(limbs.back());
    for (auto limb = limbs.rbegin() + 1; limb != limbs.rend(); ++limb) {
        const std::string part = std::to_string(*limb);
        digits.append(9 - part.size(), '0');
        digits += part;
    }
    return digits;
}

// The digits of a whole number given as text, plus one in the last place.
std::string incremented(std::string digits) {
    auto digit = digits.rbegin();
    for (; digit != digits.rend() && *digit == '9'; ++digit) {
        *digit = '0';
    }
    if (digit == digits.rend()) {
        digits.insert(digits.begin(), '1');
    } else {
        ++*digit;
    }
    return digits;
}

// The digits of a whole number above zero given as text, minus one in the
// last place (without a leading zero).
std::string decremented(std::string digits) {
    auto digit = digits.rbegin();
    for (; *digit == '0'; ++digit) {
        *digit = '9';
    }
    --*digit;
    if (digits.size() > 1 && digits.front() == '0') {
        digits.erase(digits.begin());
    }
    return digits;
}

// A decimal significand and the power of ten that scales it.
struct Decimal {
    std::string digits;
    int exponent = 0;
};

bool readsBackAs(const Decimal& decimal, double value) {
    if (decimal.digits == "0") {
        return false;
    }
    const std::string text = decimal.digits + 'e' + std::to_string(decimal.exponent);
    const auto back = readPlain(text, fast_float::chars_format::scientific);
    return back && *back == value;
}

// The fewest significant digits that read back as the (positive, finite)
// value, and of those the nearest to it: its exact digits rounded half to
// even, or else the decimal next to that on the other side of the value.
Decimal shortestDecimal(double value) {
    const BinaryParts parts = binaryParts(value);
    const Decimal exact = parts.exponent >= 0
                              ? Decimal{exactDigits(parts.mantissa, 2, parts.exponent), 0}
                              : Decimal{exactDigits(parts.mantissa, 5, -parts.exponent),
                                        parts.exponent};
    const int length = static_cast<int>(exact.digits.size());
    for (int kept = 1; kept < length; ++kept) {
        const std::string_view dropped = std::string_view(exact.digits).substr(kept);
        Decimal nearest{exact.digits.substr(0, kept), exact.exponent + length - kept};
        const bool pastHalf = dropped.front() > '5' ||
                              (dropped.front() == '5' &&
                               dropped.find_first_not_of('0', 1) != std::string_view::npos);
        const bool half = dropped.front() == '5' && !pastHalf;
        const bool roundedUp = pastHalf || (half && (nearest.digits.back() - '0') % 2 == 1);
        if (roundedUp) {
            nearest.digits = incremented(nearest.digits);
        }
        if (readsBackAs(nearest, value)) {
            return nearest;
        }
        // Near a power of two the values that read back reach further on one
        // side than on the other.
        const Decimal other{roundedUp ? decremented(nearest.digits) : incremented(nearest.digits),
                            nearest.exponent};
        if (readsBackAs(other, value)) {
            return other;
        }
    }
    return exact;
}

// The shortest text that reads back as the value: plain or with an exponent,
// whichever is shorter, plain when both are equally long.
std::string shortestText(double value) {
    Decimal decimal = shortestDecimal(value);
    while (decimal.digits.size() > 1 && decimal.digits.back() == '0') {
        decimal.digits.pop_back();
        ++decimal.exponent;
    }
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
    const std::string sign = value < 0 ? "-" : "";
    if (std::isinf(value)) {
        return sign + "inf";
    }
    if (std::trunc(value) != value) {
        return sign + shortestText(std::fabs(value));
    }
    // Every whole double below 2^53 converts to a 64-bit integer exactly.
    constexpr double exactIntegerLimit = 9007199254740992.0; // 2^53
    if (std::fabs(value) < exactIntegerLimit) {
        return std::to_string(static_cast<std::int64_t>(value));
    }
    const BinaryParts parts = binaryParts(value);
    return sign + exactDigits(parts.mantissa, 2, parts.exponent);
}

} // namespace offsetcore
