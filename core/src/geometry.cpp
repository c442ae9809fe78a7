#include "offsetcore/geometry.h"

#include <cmath>

namespace offsetcore {

namespace {

bool allFinite(std::initializer_list<double> values) {
    for (double v : values) {
        if (!std::isfinite(v)) {
            return false;
        }
    }
    return true;
}

// Adds the profile's vertical terms to start, strictly left to right.
double addVerticalTerms(double start, const SystemProfile& profile, BendDimensions bend) {
    double sum = start;
    for (const VerticalTerm& term : profile.verticalTerms) {
        switch (term.kind) {
        case VerticalTerm::Kind::A:
            sum = sum + bend.a;
            break;
        case VerticalTerm::Kind::B:
            sum = sum + bend.b;
            break;
        case VerticalTerm::Kind::Constant:
            sum = sum + term.constant;
            break;
        }
    }
    return sum;
}

// A count of zero or below adds nothing; it is never turned into a negative
// amount. Both products are formed before the difference.
double sectionContribution(double count, SectionRule rule) {
    if (!(count > 0)) {
        return 0;
    }
    const double gross = count * rule.calculationLength;
    const double lost = count * rule.deduction;
    return gross - lost;
}

} // namespace

double roundHalfEven(double value) {
    // In the default rounding mode, which every division above also relies
    // on, nearbyint rounds to nearest with ties to even, and it judges the
    // tie on the double itself: 283.4999997 is no tie.
    return std::nearbyint(value);
}

std::optional<OffsetLengths> lengthsFromOffset(const SystemProfile& profile, double angleDegrees,
                                               double horizontalOffset, BendDimensions bend) {
    const double r = angleDegrees * degreeFactor;
    const double roundedLength = roundHalfEven(horizontalOffset / std::sin(r));
    // The vertical comes from the offset and the tangent, not from the length.
    const double roundedVertical = roundHalfEven(horizontalOffset / std::tan(r));

    OffsetLengths result;
    result.length = (roundedLength - bend.a) - bend.b;
    result.vertical = addVerticalTerms(roundedVertical, profile, bend);
    // An infinite or NaN input reaches both results, so they alone decide.
    if (!allFinite({result.length, result.vertical})) {
        return std::nullopt;
    }
    result.negative = result.length < 0;
    return result;
}

std::optional<SectionOffsets> offsetsFromSections(const SystemProfile& profile, double angleDegrees,
                                                  SectionCounts counts, BendDimensions bend) {
    // A count that is not finite would otherwise pass for "nothing" below;
    // the angle and the bend reach the results and are judged there.
    if (!allFinite({counts.n1000, counts.n500, counts.n250})) {
        return std::nullopt;
    }
    const double c1000 = sectionContribution(counts.n1000, profile.sections[0]);
    const double c500 = sectionContribution(counts.n500, profile.sections[1]);
    const double c250 = sectionContribution(counts.n250, profile.sections[2]);
    const double sloped = (((c1000 + c500) + c250) + bend.a) + bend.b;

    const double r = angleDegrees * degreeFactor;
    // Taken side by side so that the compiler may share one argument
    // reduction between them; each value is the same as on its own.
    const double cosR = std::cos(r);
    const double sinR = std::sin(r);
    // Here the bend terms enter before the rounding, unlike mode 1.
    SectionOffsets result;
    result.vertical = roundHalfEven(addVerticalTerms(sloped * cosR, profile, bend));
    result.horizontal = roundHalfEven(sloped * sinR);
    if (!allFinite({result.horizontal, result.vertical})) {
        return std::nullopt;
    }
    return result;
}

} // namespace offsetcore
