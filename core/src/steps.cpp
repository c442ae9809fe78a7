#include "offsetcore/steps.h"

#include "offsetcore/numbertext.h"
#include "offsetcore/tables.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace offsetcore {

namespace {

const ProblemRow& rowOf(Problem problem) {
    return problems[static_cast<std::size_t>(problem)];
}

} // namespace

Message messageFor(Problem problem) {
    return rowOf(problem).message;
}

std::string_view problemName(Problem problem) {
    return rowOf(problem).name;
}

std::optional<Problem> problemNamed(std::string_view name) {
    for (const ProblemRow& row : problems) {
        if (row.name == name) {
            return row.code;
        }
    }
    return std::nullopt;
}

namespace {

// The counts in the order of their boxes; nothing when one is no number.
std::optional<SectionCounts> readCounts(const CountTexts& texts, std::string_view separator) {
    SectionCounts counts;
    for (auto [text, count] :
         {std::pair{texts.n1000, &counts.n1000}, std::pair{texts.n500, &counts.n500},
          std::pair{texts.n250, &counts.n250}}) {
        const auto value = parseNumber(text, separator);
        if (!value) {
            return std::nullopt;
        }
        *count = *value;
    }
    return counts;
}

Outcome<LengthTexts> lengthTexts(const SystemProfile& profile, double angle, double offset,
                                 BendDimensions row, LengthInputs inputs) {
    const auto lengths = lengthsFromOffset(profile, angle, offset, row);
    if (!lengths) {
        return Problem::ResultTooLarge;
    }
    const std::string marker(negativeMarker);
    return LengthTexts{
        lengths->negative ? marker : formatWholeNumber(lengths->length),
        lengths->negative ? marker : formatWholeNumber(lengths->vertical),
        formatWholeNumber(row.a),
        formatWholeNumber(row.b),
        row,
        std::move(inputs),
        lengths->negative,
    };
}

Outcome<OffsetTexts> offsetTexts(const SystemProfile& profile, double angle,
                                 const SectionCounts& counts, BendDimensions row) {
    const auto offsets = offsetsFromSections(profile, angle, counts, row);
    if (!offsets) {
        return Problem::ResultTooLarge;
    }
    return OffsetTexts{formatWholeNumber(offsets->horizontal), formatWholeNumber(offsets->vertical),
                       row};
}

} // namespace

Input inputOf(Problem problem) {
    return rowOf(problem).input;
}

Input inputOf(Problem problem, const CountTexts& counts, std::string_view separator) {
    constexpr Input boxes[] = {Input::Count1000, Input::Count500, Input::Count250};
    const std::string_view texts[] = {counts.n1000, counts.n500, counts.n250};
    if (problem == Problem::CountNotANumber) {
        for (int box = 0; box < 3; ++box) {
            if (!parseNumber(texts[box], separator)) {
                return boxes[box];
            }
        }
    }
    if (problem == Problem::ResultTooLarge) {
        int largest = 0;
        double size = -1;
        for (int box = 0; box < 3; ++box) {
            const double value = std::fabs(parseNumber(texts[box], separator).value_or(0));
            if (value > size) {
                largest = box;
                size = value;
            }
        }
        return boxes[largest];
    }
    return inputOf(problem);
}

std::string_view inputName(Input input) {
    switch (input) {
    case Input::Angle:
        return "angle";
    case Input::Diameter:
        return "diameter";
    case Input::Offset:
        return "offset";
    case Input::Count1000:
        return "n1000";
    case Input::Count500:
        return "n500";
    case Input::Count250:
        return "n250";
    case Input::Total:
        return "total";
    case Input::Print:
        return "print";
    }
    return "";
}

Outcome<std::string> steppedCount(std::string_view text, int direction,
                                  std::string_view separator) {
    double count = 0;
    if (!text.empty()) {
        const auto value = parseNumber(text, separator);
        if (!value) {
            return Problem::CountNotANumber;
        }
        count = *value;
    }
    const double next = direction < 0 ? std::ceil(count) - 1 : std::floor(count) + 1;
    return formatWholeNumber(std::max(next, 0.0));
}

Outcome<LengthTexts> concentricLengths(const ConcentricLengthsClick& click,
                                       std::string_view separator) {
    if (click.angle.empty()) {
        return Problem::EnterAngle;
    }
    if (click.offset.empty()) {
        return Problem::EnterOffset;
    }
    const auto angle = parseNumber(click.angle, separator);
    if (!angle) {
        return Problem::AngleNotANumber;
    }
    const auto offset = parseNumber(click.offset, separator);
    if (!offset) {
        return Problem::OffsetNotANumber;
    }
    const auto row = lookupConcentricBend(*angle);
    if (!row) {
        return Problem::NoBendForAngle;
    }
    return lengthTexts(concentric, *angle, *offset, *row,
                       {std::string(click.angle), std::string(click.offset)});
}

Outcome<OffsetTexts> concentricOffsets(const ConcentricOffsetsClick& click,
                                       std::string_view separator) {
    if (click.angle.empty()) {
        return Problem::EnterAngle;
    }
    const auto counts = readCounts(click.counts, separator);
    if (!counts) {
        return Problem::CountNotANumber;
    }
    const auto angle = parseNumber(click.angle, separator);
    if (!angle) {
        return Problem::AngleNotANumber;
    }
    // Mode 2 never runs with a pair that belongs to another angle.
    const auto row = lookupConcentricBend(*angle);
    if (!row) {
        return Problem::NoBendForAngle;
    }
    return offsetTexts(concentric, *angle, *counts, *row);
}

Outcome<LengthTexts> singleWallLengths(const SingleWallLengthsClick& click,
                                       std::string_view separator) {
    if (click.angle.empty()) {
        return Problem::EnterAngle;
    }
    if (click.diameter.empty()) {
        return Problem::EnterDiameter;
    }
    if (click.offset.empty()) {
        return Problem::EnterOffset;
    }
    const auto diameter = parseNumber(click.diameter, separator);
    if (!diameter) {
        return Problem::DiameterNotANumber;
    }
    const auto shownAngle = parseNumber(click.angle, separator);
    if (!shownAngle) {
        return Problem::AngleNotANumber;
    }
    const auto angle = parseNumber(click.pickedAngle, separator);
    if (!angle || *shownAngle != *angle) {
        return Problem::ChooseAngleFromList;
    }
    const auto offset = parseNumber(click.offset, separator);
    if (!offset) {
        return Problem::OffsetNotANumber;
    }
    const auto row = lookupSingleWallBend(*diameter, *angle);
    if (!row) {
        return Problem::NoBendForAngleAndDiameter;
    }
    return lengthTexts(singleWall, *angle, *offset, *row,
                       {std::string(click.angle), std::string(click.offset)});
}

Outcome<OffsetTexts> singleWallOffsets(const SingleWallOffsetsClick& click,
                                       std::string_view separator) {
    if (click.angle.empty()) {
        return Problem::EnterAngle;
    }
    if (click.diameter.empty()) {
        return Problem::EnterDiameter;
    }
    const auto counts = readCounts(click.counts, separator);
    if (!counts) {
        return Problem::CountNotANumber;
    }
    const auto diameter = parseNumber(click.diameter, separator);
    if (!diameter) {
        return Problem::DiameterNotANumber;
    }
    const auto angle = parseNumber(click.angle, separator);
    if (!angle) {
        return Problem::AngleNotANumber;
    }
    // Mode 2 never runs with a pair that belongs to another diameter or angle.
    const auto row = lookupSingleWallBend(*diameter, *angle);
    if (!row) {
        return Problem::NoBendForAngleAndDiameter;
    }
    return offsetTexts(singleWall, *angle, *counts, *row);
}

Outcome<std::string> testReport(const ReportFields& shown,
                                const std::optional<LengthInputs>& resultsFrom) {
    if (resultsFrom &&
        (shown.angle.value != resultsFrom->angle || shown.offset.value != resultsFrom->offset)) {
        return Problem::CalculateFirst;
    }
    return composeReport(shown);
}

std::optional<Problem> checkWindowPrint(std::string_view length, std::string_view vertical,
                                        std::string_view horizontal,
                                        std::string_view sectionVertical) {
    const bool lengthsShown = !length.empty() && !vertical.empty();
    const bool offsetsShown = !horizontal.empty() && !sectionVertical.empty();
    if (!lengthsShown && !offsetsShown) {
        return Problem::EnterValues;
    }
    return std::nullopt;
}

} // namespace offsetcore
