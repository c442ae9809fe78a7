#include "offsetcore/numbertext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#if OFFSET_HAVE_FLOAT_TO_CHARS || OFFSET_HAVE_FLOAT_FROM_CHARS
#include <charconv>
#endif

namespace {

using offsetcore::formatWholeNumber;
using offsetcore::parseNumber;

// ---- reading ----------------------------------------------------------------

struct AcceptCase {
    std::string name;
    std::string text;
    std::string separator;
    double expected;
};

class ParseNumberAccepts : public testing::TestWithParam<AcceptCase> {};

TEST_P(ParseNumberAccepts, ReadsTheValue) {
    const AcceptCase& c = GetParam();
    const auto value = parseNumber(c.text, c.separator);
    ASSERT_TRUE(value.has_value()) << '"' << c.text << '"';
    EXPECT_EQ(*value, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseNumberAccepts,
    testing::Values(
        AcceptCase{"Plain", "500", ",", 500}, AcceptCase{"SurroundingSpaces", "  500 ", ",", 500},
        AcceptCase{"SurroundingTabs", "\t12,5\t", ",", 12.5}, AcceptCase{"PlusSign", "+3", ",", 3},
        AcceptCase{"MinusSign", "-3", ",", -3}, AcceptCase{"LeadingComma", ",5", ",", 0.5},
        AcceptCase{"TrailingComma", "5,", ",", 5}, AcceptCase{"TrailingZeros", "500,00", ",", 500},
        AcceptCase{"LeadingZeros", "007", ",", 7}, AcceptCase{"PointSeparator", "12.5", ".", 12.5},
        AcceptCase{"LeadingPoint", ".5", ".", 0.5},
        AcceptCase{"NearlyLargestDouble", "1" + std::string(308, '0'), ",", 1e308},
        AcceptCase{"ClosestDoubleToTenth", "0,1", ",", 0.1},
        AcceptCase{"MultiByteSeparator",
                   "1\xd9\xab"
                   "5",
                   "\xd9\xab", 1.5},
        AcceptCase{"UnderflowReadsAsZero", "0," + std::string(400, '0') + "1", ",", 0}),
    [](const auto& row) { return row.param.name; });

TEST(ParseNumber, MinusZeroKeepsItsSign) {
    const auto value = parseNumber("-0", ",");
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(*value, 0);
    EXPECT_TRUE(std::signbit(*value));
}

struct RefuseCase {
    std::string name;
    std::string text;
    std::string separator;
};

class ParseNumberRefuses : public testing::TestWithParam<RefuseCase> {};

TEST_P(ParseNumberRefuses, GivesNoValue) {
    const RefuseCase& c = GetParam();
    EXPECT_FALSE(parseNumber(c.text, c.separator).has_value()) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseNumberRefuses,
    testing::Values(
        RefuseCase{"Empty", "", ","}, RefuseCase{"SpacesOnly", "   ", ","},
        RefuseCase{"TabOnly", "\t", ","},
        // A Dutch "1.500" is neither read as 1500 nor as 1.5.
        RefuseCase{"GroupSeparator", "1.500", ","}, RefuseCase{"GroupedDecimal", "1.000,5", ","},
        RefuseCase{"CommaWhenPointExpected", "1,5", "."},
        RefuseCase{"CommaGroupWhenPointExpected", "1,500", "."},
        RefuseCase{"TwoSeparators", "1,2,3", ","}, RefuseCase{"Exponent", "1e3", ","},
        RefuseCase{"UpperExponent", "1E3", ","}, RefuseCase{"Infinity", "inf", ","},
        RefuseCase{"NotANumber", "nan", ","}, RefuseCase{"Letters", "abc", ","},
        RefuseCase{"TrailingLetter", "12a", ","}, RefuseCase{"InnerSpace", "1 000", ","},
        RefuseCase{"SpaceAfterSign", "- 5", ","}, RefuseCase{"TwoSigns", "+-5", ","},
        RefuseCase{"SeparatorOnly", ",", ","}, RefuseCase{"SignOnly", "-", ","},
        RefuseCase{"SignAndSeparator", "+,", ","}, RefuseCase{"Hexadecimal", "0x10", ","},
        RefuseCase{"NonBreakingSpace",
                   "\xc2\xa0"
                   "5",
                   ","},
        RefuseCase{"ArabicIndicDigits", "\xd9\xa1\xd9\xa2", ","},
        RefuseCase{"Overflow", "1" + std::string(400, '0'), ","},
        RefuseCase{"OverflowWithFraction", "9" + std::string(309, '9') + ",5", ","},
        RefuseCase{"NoSeparatorGiven", "5", ""}),
    [](const auto& row) { return row.param.name; });

#if OFFSET_HAVE_FLOAT_FROM_CHARS
// Where the C++ library reads doubles itself, parseNumber gives the very same
// double for seeded random decimals: short and long, tiny and near the
// halfway points between doubles.
TEST(ParseNumber, ReadsWhatTheLibraryReads) {
    std::mt19937_64 random(20261207);
    const auto digits = [&](std::size_t count) {
        std::string text;
        for (std::size_t i = 0; i < count; ++i) {
            text += static_cast<char>('0' + random() % 10);
        }
        return text;
    };
    for (int i = 0; i < 20000; ++i) {
        const std::string whole = i % 7 == 0 ? "0" : digits(1 + random() % 25);
        const std::string fraction = (i % 7 == 0 ? std::string(random() % 330, '0') : "") +
                                     digits(random() % 40);
        const std::string plain = whole + "." + fraction;
        double expected = 0;
        const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(),
                                                  expected, std::chars_format::fixed);
        ASSERT_EQ(end, plain.data() + plain.size());
        if (error == std::errc::result_out_of_range) {
            expected = 0; // below the smallest double
        }
        const auto value = parseNumber(whole + "," + fraction, ",");
        ASSERT_TRUE(value.has_value()) << plain;
        EXPECT_EQ(*value, expected) << plain;
    }
}
#endif

// ---- writing ----------------------------------------------------------------

struct FormatCase {
    std::string name;
    double value;
    std::string expected;
};

class FormatWholeNumber : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatWholeNumber, WritesPlainDigits) {
    const FormatCase& c = GetParam();
    EXPECT_EQ(formatWholeNumber(c.value), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatWholeNumber,
    testing::Values(FormatCase{"Zero", 0, "0"}, FormatCase{"MinusZero", -0.0, "0"},
                    FormatCase{"Positive", 883, "883"}, FormatCase{"Negative", -1, "-1"},
                    FormatCase{"NoGrouping", 1234567, "1234567"},
                    FormatCase{"NoExponentAt1e15", 1e15, "1000000000000000"},
                    FormatCase{"NoExponentAt1e20", 1e20, "100000000000000000000"},
                    FormatCase{"LargestDoubleInFull", 1.7976931348623157e308,
                               "1797693134862315708145274237317043567980705675258449965989174768031"
                               "572607800285387605895586327668781"
                               "7154045895351438246423432132688946418276846754670353751698604991057"
                               "655128207624549009038932894407586"
                               "8508455133942304583236903222948165808559332123348274797826204144723"
                               "168738177180919299881250404026184124858368"}),
    [](const auto& row) { return row.param.name; });

// What is not whole, written alike on every toolchain, also where the C++
// library has no writer to compare with (WebAssembly): the shortest text that
// reads back, plain or with an exponent of at least two digits, plain when
// both are as long.
class FormatNotWhole : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatNotWhole, WritesTheShortestText) {
    const FormatCase& c = GetParam();
    EXPECT_EQ(formatWholeNumber(c.value), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatNotWhole,
    testing::Values(FormatCase{"Half", 0.5, "0.5"}, FormatCase{"NegativeFraction", -2.5, "-2.5"},
                    FormatCase{"ClosestDoubleToTenth", 0.1, "0.1"},
                    FormatCase{"SmallPlainFraction", 0.0123, "0.0123"},
                    FormatCase{"PlainOnATie", 0.001, "0.001"},
                    FormatCase{"ExponentWhenShorter", 0.0001, "1e-04"},
                    FormatCase{"NegativeWithExponent", -1e-5, "-1e-05"},
                    FormatCase{"ThreeDigitExponent", 5e-324, "5e-324"},
                    FormatCase{"FractionBeyond1e15", 1e15 + 0.5, "1000000000000000.5"},
                    // Rounded half to even, ...062 would read back as the
                    // double below: the lower neighbour of a power of two
                    // lies closer than the upper one.
                    FormatCase{"PowerOfTwoTakesTheUpperDecimal", 0x1p-24, "5.960464477539063e-08"},
                    FormatCase{"Infinity", HUGE_VAL, "inf"},
                    FormatCase{"MinusInfinity", -HUGE_VAL, "-inf"},
                    FormatCase{"NotANumber", std::numeric_limits<double>::quiet_NaN(), "nan"}),
    [](const auto& row) { return row.param.name; });

TEST(FormatWholeNumber, WholeNumbersBelow1e15SurviveTextAndBack) {
    for (double value : {0.0, 1.0, -1.0, 1013.0, -317.0, 999999999999999.0, -999999999999999.0,
                         123456789012345.0, 4503599627.0}) {
        const std::string text = formatWholeNumber(value);
        const auto back = parseNumber(text, ",");
        ASSERT_TRUE(back.has_value()) << text;
        EXPECT_EQ(*back, value) << text;
        EXPECT_EQ(text.find_first_not_of("-0123456789"), std::string::npos) << text;
    }
}

#if OFFSET_HAVE_FLOAT_TO_CHARS
// Where the C++ library writes doubles itself, it is the reference: whole
// numbers in full, anything else in its shortest form. The sweep covers every
// binary exponent, the edges of the exact 64-bit range and random bit
// patterns.
TEST(FormatWholeNumber, WritesWhatTheLibraryWrites) {
    const auto reference = [](double value) {
        char buffer[400];
        const bool whole = std::isfinite(value) && std::trunc(value) == value;
        const auto result =
            whole ? std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 0)
                  : std::to_chars(buffer, buffer + sizeof buffer, value);
        return std::string(buffer, result.ptr);
    };
    std::vector<double> values{0.5,
                               -0.25,
                               0.1,
                               1e-5,
                               0.0001,
                               123.456,
                               1e15 + 0.5,
                               4503599627370495.5,
                               9007199254740991.0,
                               9007199254740992.0,
                               9007199254740994.0,
                               -18014398509481988.0,
                               5e-324,
                               2.2250738585072014e-308,
                               HUGE_VAL,
                               -HUGE_VAL};
    for (int exponent = -1074; exponent <= 1023; ++exponent) {
        values.push_back(std::ldexp(1.0, exponent));
        values.push_back(std::nextafter(std::ldexp(1.0, exponent), 0.0));
        values.push_back(-std::ldexp(3.0, exponent - 1));
    }
    std::mt19937_64 random(20261207);
    for (int i = 0; i < 10000; ++i) {
        const std::uint64_t bits = random();
        double value = 0;
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isnan(value)) {
            values.push_back(value);
        }
        values.push_back(std::ldexp(static_cast<double>(random() >> 11), -52 + i % 60));
    }
    for (const double value : values) {
        if (value != 0) {
            EXPECT_EQ(formatWholeNumber(value), reference(value)) << std::hexfloat << value;
        }
    }
}
#endif

} // namespace
