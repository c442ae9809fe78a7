#pragma once

// The arithmetic of a two-bend offset: a flue run leaves its line through one
// bend, runs as a straight sloped stretch and resumes its direction through a
// second, equal bend. Every double operation here happens in a fixed order and
// the library is built without floating-point contraction: the rounding of
// halves depends on the last bit of each quotient and product.

#include <array>
#include <optional>
#include <span>
#include <string_view>

namespace offsetcore {

// Pi is deliberately taken to eight decimals, and the quotient is formed
// before any angle is multiplied by it. With this factor sin 30 degrees lies
// just below one half, which decides several roundings.
inline constexpr double degreeFactor = 3.14159265 / 180;

// The text shown in place of both mode 1 results when the length between the
// bends comes out negative.
inline constexpr std::string_view negativeMarker = "e";

// The two fixed lengths that a bend brings with it, in millimetres.
struct BendDimensions {
    double a = 0;
    double b = 0;
    friend bool operator==(const BendDimensions&, const BendDimensions&) = default;
};

// How many 1000, 500 and 250 mm sections sit between the bends. Counts are
// whatever the user entered: fractional, zero and negative counts occur.
struct SectionCounts {
    double n1000 = 0;
    double n500 = 0;
    double n250 = 0;
};

// A section of count n adds n * calculationLength - n * deduction to the
// sloped length.
struct SectionRule {
    double calculationLength = 0;
    double deduction = 0;
};

// One term added to the vertical result: bend dimension A, B, or a constant.
struct VerticalTerm {
    enum class Kind { A, B, Constant };
    Kind kind = Kind::Constant;
    double constant = 0;
};

// The constants of one flue system. The sections are in the order 1000, 500,
// 250; the vertical terms are added left to right.
struct SystemProfile {
    std::array<SectionRule, 3> sections;
    std::span<const VerticalTerm> verticalTerms;
};

namespace detail {
inline constexpr VerticalTerm concentricVertical[] = {
    {VerticalTerm::Kind::B, 0}, {VerticalTerm::Kind::A, 0}, {VerticalTerm::Kind::Constant, 30}};
inline constexpr VerticalTerm singleWallVertical[] = {{VerticalTerm::Kind::A, 0},
                                                      {VerticalTerm::Kind::A, 0}};
} // namespace detail

// The concentric 100/150 system. Its calculation lengths are the effective
// lengths of the sections (978, 480, 231), not their nominal ones.
inline constexpr SystemProfile concentric{
    {{{978, 30}, {480, 30}, {231, 30}}},
    detail::concentricVertical,
};

// The single-wall system. The 250 section loses 52 mm, the others 53, and the
// vertical adds A twice and never B.
inline constexpr SystemProfile singleWall{
    {{{1000, 53}, {500, 53}, {250, 52}}},
    detail::singleWallVertical,
};

// Result of mode 1.
struct OffsetLengths {
    double length = 0;     // straight length between the bends
    double vertical = 0;   // vertical offset used
    bool negative = false; // length below zero: show negativeMarker instead
};

// Result of mode 2.
struct SectionOffsets {
    double horizontal = 0;
    double vertical = 0;
};

// Mode 1: from the horizontal offset to be bridged, the length between the
// bends and the vertical offset. No value when an input or a result is not
// finite (an angle whose sine or tangent is zero, an overflowing quotient).
std::optional<OffsetLengths> lengthsFromOffset(const SystemProfile& profile, double angleDegrees,
                                               double horizontalOffset, BendDimensions bend);

// Mode 2: from the numbers of sections, the horizontal and vertical offset
// they give. No value when an input or a result is not finite.
std::optional<SectionOffsets> offsetsFromSections(const SystemProfile& profile, double angleDegrees,
                                                  SectionCounts counts, BendDimensions bend);

// Nearest whole number; a value exactly halfway, judged on the double itself,
// goes to the even neighbour.
double roundHalfEven(double value);

} // namespace offsetcore
