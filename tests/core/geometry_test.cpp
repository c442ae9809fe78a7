#include "offsetcore/geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

using namespace offsetcore;

// ---- mode 1 -----------------------------------------------------------------

struct LengthsCase {
    std::string name;
    const SystemProfile* profile;
    double angle;
    double offset;
    BendDimensions bend;
    double length;
    double vertical;
    bool negative;
};

class LengthsFromOffset : public testing::TestWithParam<LengthsCase> {};

TEST_P(LengthsFromOffset, GivesLengthVerticalAndMarker) {
    const LengthsCase& c = GetParam();
    const auto result = lengthsFromOffset(*c.profile, c.angle, c.offset, c.bend);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->length, c.length);
    EXPECT_EQ(result->vertical, c.vertical);
    EXPECT_EQ(result->negative, c.negative);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, LengthsFromOffset,
    testing::Values(
        // 500 / sin 30 is 1000.000001 because pi is taken to eight decimals.
        LengthsCase{"Concentric30Offset500", &concentric, 30, 500, {76, 41}, 883, 1013, false},
        LengthsCase{"Concentric30Offset58IsNegative", &concentric, 30, 58, {76, 41}, -1, 247, true},
        LengthsCase{"Concentric30Offset59", &concentric, 30, 59, {76, 41}, 1, 249, false},
        LengthsCase{"Concentric87LengthExactlyZeroIsNotNegative",
                    &concentric,
                    87,
                    242,
                    {139, 103},
                    0,
                    285,
                    false},
        LengthsCase{
            "ConcentricOffsetZeroIsNegative", &concentric, 30, 0, {76, 41}, -117, 147, true},
        LengthsCase{"ConcentricNegativeOffset", &concentric, 30, -100, {76, 41}, -317, -26, true},
        // Single wall adds A twice and never B.
        LengthsCase{"SingleWall45Offset500", &singleWall, 45, 500, {146, 96}, 465, 792, false},
        // sin 90 is exactly 1; the vertical quotient rounds to 0.
        LengthsCase{"SingleWall90", &singleWall, 90, 1000, {178, 128}, 694, 356, false},
        LengthsCase{"FractionalOffset", &concentric, 43, 612.5, {75, 41}, 782, 803, false},
        // 408 / tan 43 is 437.53 and rounds to 438; the rounded length 598
        // times cos 43 is 437.35 and would give a vertical of 583.
        LengthsCase{"VerticalFromTheTangentNotTheRoundedLength",
                    &concentric,
                    43,
                    408,
                    {75, 41},
                    482,
                    584,
                    false}),
    [](const auto& row) { return row.param.name; });

// ---- mode 2 -----------------------------------------------------------------

struct SectionsCase {
    std::string name;
    const SystemProfile* profile;
    double angle;
    SectionCounts counts;
    BendDimensions bend;
    double horizontal;
    double vertical;
};

class OffsetsFromSections : public testing::TestWithParam<SectionsCase> {};

TEST_P(OffsetsFromSections, GivesHorizontalAndVertical) {
    const SectionsCase& c = GetParam();
    const auto result = offsetsFromSections(*c.profile, c.angle, c.counts, c.bend);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->horizontal, c.horizontal);
    EXPECT_EQ(result->vertical, c.vertical);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, OffsetsFromSections,
    testing::Values(
        SectionsCase{
            "Concentric43OneMetreOneQuarter", &concentric, 43, {1, 0, 1}, {75, 41}, 863, 1071},
        // 283.4999997 must not be taken for a tie; a fused multiply-add or a
        // full-precision pi would give 284.
        SectionsCase{"Concentric30JustBelowHalf", &concentric, 30, {0, 1, 0}, {76, 41}, 283, 638},
        // The sloped length is A + B as a sum, never the joined text "7640".
        SectionsCase{"Concentric15NoSections", &concentric, 15, {0, 0, 0}, {76, 40}, 30, 258},
        SectionsCase{
            "Concentric30FractionalCount", &concentric, 30, {1.5, 0, 0}, {76, 41}, 769, 1480},
        SectionsCase{"NegativeCountAddsNothing", &concentric, 30, {-1, 0, 1}, {76, 41}, 159, 422},
        SectionsCase{
            "SingleWall45OneMetreOneQuarter", &singleWall, 45, {1, 0, 1}, {146, 96}, 981, 1273},
        // The single-wall 250 section loses 52 mm, not 53: 198 gives 311, 197 would give 310.
        SectionsCase{
            "SingleWallQuarterSectionAlone", &singleWall, 45, {0, 0, 1}, {146, 96}, 311, 603},
        SectionsCase{"StraightRunAtZeroDegrees", &concentric, 0, {1, 0, 0}, {76, 40}, 0, 1210}),
    [](const auto& row) { return row.param.name; });

// ---- outside the domain -----------------------------------------------------

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

TEST(LengthsFromOffsetFailure, NoResultWhenNotFinite) {
    const BendDimensions bend{76, 41};
    EXPECT_FALSE(lengthsFromOffset(concentric, 0, 500, bend)) << "sine and tangent are zero";
    EXPECT_FALSE(lengthsFromOffset(concentric, 0, 0, bend)) << "0 / 0";
    EXPECT_FALSE(lengthsFromOffset(concentric, 1, 1e308, bend)) << "quotient overflows";
    EXPECT_FALSE(lengthsFromOffset(concentric, inf, 500, bend));
    EXPECT_FALSE(lengthsFromOffset(concentric, 30, nan, bend));
    EXPECT_FALSE(lengthsFromOffset(concentric, 30, 500, {inf, 41}));
}

TEST(OffsetsFromSectionsFailure, NoResultWhenNotFinite) {
    const BendDimensions bend{76, 41};
    EXPECT_FALSE(offsetsFromSections(concentric, 30, {1e308, 0, 0}, bend)) << "length overflows";
    EXPECT_FALSE(offsetsFromSections(concentric, 30, {nan, 0, 0}, bend))
        << "a NaN count must not pass for 'nothing'";
    EXPECT_FALSE(offsetsFromSections(concentric, 30, {0, -inf, 0}, bend));
    EXPECT_FALSE(offsetsFromSections(concentric, nan, {1, 0, 0}, bend));
}

TEST(DegreeFactor, UsesPiToEightDecimals) {
    EXPECT_EQ(degreeFactor, 3.14159265 / 180);
    EXPECT_LT(std::sin(30 * degreeFactor), 0.5);
    EXPECT_TRUE(std::isfinite(std::tan(90 * degreeFactor)));
}

// ---- rounding ---------------------------------------------------------------

struct RoundingCase {
    std::string name;
    double value;
    double expected;
};

class RoundHalfEven : public testing::TestWithParam<RoundingCase> {};

TEST_P(RoundHalfEven, RoundsToNearestTiesToEven) {
    const RoundingCase& c = GetParam();
    EXPECT_EQ(roundHalfEven(c.value), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RoundHalfEven,
    testing::Values(
        RoundingCase{"HalfGoesToZero", 0.5, 0}, RoundingCase{"OneAndHalfUp", 1.5, 2},
        RoundingCase{"TwoAndHalfDown", 2.5, 2}, RoundingCase{"NegativeOneAndHalf", -1.5, -2},
        RoundingCase{"NegativeHalf", -0.5, 0}, RoundingCase{"NegativeTwoAndHalf", -2.5, -2},
        RoundingCase{"JustBelowHalfGoesDown", 283.4999997, 283},
        RoundingCase{"LargestDoubleBelowHalf", 0.49999999999999994, 0},
        RoundingCase{"JustAboveHalfGoesUp", 769.5000001, 770},
        RoundingCase{"TieAtTwoToThe52", 4503599627370495.5, 4503599627370496},
        RoundingCase{"WholeStaysWhole", 1013, 1013}, RoundingCase{"HugeStaysHuge", 1e300, 1e300}),
    [](const auto& row) { return row.param.name; });

} // namespace
