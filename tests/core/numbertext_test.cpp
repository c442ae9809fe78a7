#include "offsetcore/numbertext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

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

} // namespace
