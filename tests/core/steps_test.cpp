#include "offsetcore/steps.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <tuple>

namespace {

using namespace offsetcore;

// ---- the four calculations, from box texts to what the face shows ------------

enum class Step { TwinLengths, TwinOffsets, SoloLengths, SoloOffsets };

struct StepCase {
    std::string name;
    Step step;
    std::string angle;
    std::string picked; // single wall, mode 1: the item last picked
    std::string diameter;
    std::string rest[3]; // the offset, or the three counts
    std::string separator;
    std::string expected; // the texts and the held pair, or the problem's prompt
};

// What a face would show: the texts in the order written and the pair held,
// or the prompt of the problem.
template <typename Texts> std::string shown(const Outcome<Texts>& outcome) {
    if (const auto* problem = std::get_if<Problem>(&outcome)) {
        return std::string(messageFor(*problem).prompt);
    }
    const Texts& texts = std::get<Texts>(outcome);
    std::string result;
    if constexpr (std::is_same_v<Texts, LengthTexts>) {
        result = texts.length + ' ' + texts.vertical + ' ' + texts.a + ' ' + texts.b;
    } else {
        result = texts.horizontal + ' ' + texts.vertical;
    }
    return result + " held " + std::to_string(int(texts.heldBend.a)) + '/' +
           std::to_string(int(texts.heldBend.b));
}

std::string run(const StepCase& c) {
    const CountTexts counts{c.rest[0], c.rest[1], c.rest[2]};
    switch (c.step) {
    case Step::TwinLengths:
        return shown(concentricLengths({c.angle, c.rest[0]}, c.separator));
    case Step::TwinOffsets:
        return shown(concentricOffsets({c.angle, counts}, c.separator));
    case Step::SoloLengths:
        return shown(singleWallLengths({c.angle, c.picked, c.diameter, c.rest[0]}, c.separator));
    case Step::SoloOffsets:
        return shown(singleWallOffsets({c.angle, c.diameter, counts}, c.separator));
    }
    return {};
}

class Click : public testing::TestWithParam<StepCase> {};

TEST_P(Click, ShowsTextsOrTheFirstProblem) {
    EXPECT_EQ(run(GetParam()), GetParam().expected);
}

// 10^308: a finite offset or count whose result is not.
const std::string huge = "1" + std::string(308, '0');

constexpr auto twin1 = Step::TwinLengths;
constexpr auto twin2 = Step::TwinOffsets;
constexpr auto solo1 = Step::SoloLengths;
constexpr auto solo2 = Step::SoloOffsets;

// One row per case, so that the order of the checks reads down the table.
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Steps, Click,
    testing::Values(
        // Concentric, mode 1: angle empty, offset empty, angle, offset, bend, result.
        StepCase{"Twin1Worked", twin1, "30", "", "", {"500"}, ",", "883 1013 76 41 held 76/41"},
        StepCase{"Twin1Marker", twin1, "30", "", "", {"58"}, ",", "e e 76 41 held 76/41"},
        StepCase{"Twin1ZeroIsNoMarker", twin1, "87", "", "", {"242"}, ",", "0 285 139 103 held 139/103"},
        StepCase{"Twin1CommaFraction", twin1, "43", "", "", {"612,5"}, ",", "782 803 75 41 held 75/41"},
        StepCase{"Twin1PointFraction", twin1, "43", "", "", {"612.5"}, ".", "782 803 75 41 held 75/41"},
        StepCase{"Twin1BlanksAndTrailingZeros", twin1, " 30,0 ", "", "", {"500"}, ",", "883 1013 76 41 held 76/41"},
        StepCase{"Twin1AllEmpty", twin1, "", "", "", {""}, ",", "Hoek invoeren"},
        StepCase{"Twin1OffsetEmpty", twin1, "30", "", "", {""}, ",", "Versleping invoeren"},
        StepCase{"Twin1BlanksAreNotEmpty", twin1, "  ", "", "", {"500"}, ",", "Hoek is geen geldig getal"},
        StepCase{"Twin1AngleBeforeOffset", twin1, "x", "", "", {"y"}, ",", "Hoek is geen geldig getal"},
        StepCase{"Twin1OffsetLetters", twin1, "30", "", "", {"abc"}, ",", "Versleping is geen geldig getal"},
        StepCase{"Twin1GroupSeparator", twin1, "30", "", "", {"1.500"}, ",", "Versleping is geen geldig getal"},
        StepCase{"Twin1CommaUnderPoint", twin1, "30", "", "", {"612,5"}, ".", "Versleping is geen geldig getal"},
        StepCase{"Twin1Exponent", twin1, "30", "", "", {"1e3"}, ",", "Versleping is geen geldig getal"},
        StepCase{"Twin1OtherScriptDigits", twin1, "30", "", "", {"\xd9\xa5\xd9\xa0\xd9\xa0"}, ",", "Versleping is geen geldig getal"},
        StepCase{"Twin1OffsetReadBeforeLookup", twin1, "45", "", "", {"x"}, ",", "Versleping is geen geldig getal"},
        StepCase{"Twin1NoRow", twin1, "45", "", "", {"600"}, ",", "Geen bochtmaten voor deze hoek"},
        StepCase{"Twin1BetweenRows", twin1, "44", "", "", {"500"}, ",", "Geen bochtmaten voor deze hoek"},
        StepCase{"Twin1TooLarge", twin1, "15", "", "", {huge}, ",", "Uitkomst te groot"},
        // Concentric, mode 2: angle empty, the counts, angle, bend, result.
        StepCase{"Twin2Worked", twin2, "43", "", "", {"1", "0", "1"}, ",", "863 1071 held 75/41"},
        StepCase{"Twin2NoSections", twin2, "15", "", "", {"0", "0", "0"}, ",", "30 258 held 76/40"},
        StepCase{"Twin2NotATie", twin2, "30", "", "", {"0", "1", "0"}, ",", "283 638 held 76/41"},
        StepCase{"Twin2FractionalCount", twin2, "30", "", "", {"1,5", "0", "0"}, ",", "769 1480 held 76/41"},
        StepCase{"Twin2NegativeCountAddsNothing", twin2, "30", "", "", {"-1", "0", "1"}, ",", "159 422 held 76/41"},
        StepCase{"Twin2AngleEmpty", twin2, "", "", "", {"x", "0", "0"}, ",", "Hoek invoeren"},
        StepCase{"Twin2CountEmptied", twin2, "30", "", "", {"1", "", "0"}, ",", "Aantal secties is geen geldig getal"},
        StepCase{"Twin2CountsBeforeAngle", twin2, "abc", "", "", {"x", "0", "0"}, ",", "Aantal secties is geen geldig getal"},
        StepCase{"Twin2AngleLetters", twin2, "abc", "", "", {"1", "0", "0"}, ",", "Hoek is geen geldig getal"},
        StepCase{"Twin2NoRow", twin2, "45", "", "", {"1", "0", "0"}, ",", "Geen bochtmaten voor deze hoek"},
        StepCase{"Twin2TooLarge", twin2, "30", "", "", {huge, "0", "0"}, ",", "Uitkomst te groot"},
        // Single wall, mode 1: angle empty, diameter empty, offset empty,
        // diameter, angle, picked angle, offset, bend, result.
        StepCase{"Solo1Worked", solo1, "45", "45", "125", {"500"}, ",", "465 792 146 96 held 146/96"},
        StepCase{"Solo1Row8", solo1, "45", "45", "450", {"500"}, ",", "365 892 196 146 held 196/146"},
        StepCase{"Solo1TypedDiameter", solo1, "90", "90", "100", {"1000"}, ",", "694 356 178 128 held 178/128"},
        StepCase{"Solo1PickInOtherNotation", solo1, "45,0", "45", "125", {"500"}, ",", "465 792 146 96 held 146/96"},
        StepCase{"Solo1Marker", solo1, "45", "45", "125", {"100"}, ",", "e e 146 96 held 146/96"},
        StepCase{"Solo1AllEmpty", solo1, "", "45", "", {""}, ",", "Hoek invoeren"},
        StepCase{"Solo1DiameterBeforeOffset", solo1, "45", "45", "", {""}, ",", "Diameter invoeren"},
        StepCase{"Solo1OffsetEmpty", solo1, "45", "45", "125", {""}, ",", "Versleping invoeren"},
        StepCase{"Solo1EmptyOffsetBeforePick", solo1, "45", "30", "125", {""}, ",", "Versleping invoeren"},
        StepCase{"Solo1DiameterLetters", solo1, "45", "45", "abc", {"500"}, ",", "Diameter is geen geldig getal"},
        StepCase{"Solo1DiameterBeforePick", solo1, "45", "30", "x", {"500"}, ",", "Diameter is geen geldig getal"},
        StepCase{"Solo1AngleOverThePick", solo1, "45", "30", "125", {"500"}, ",", "Kies de hoek uit de lijst"},
        StepCase{"Solo1AngleTypedWithoutPick", solo1, "45", "", "125", {"500"}, ",", "Kies de hoek uit de lijst"},
        StepCase{"Solo1PickBeforeOffset", solo1, "45", "30", "125", {"x"}, ",", "Kies de hoek uit de lijst"},
        StepCase{"Solo1AngleLettersOverThePick", solo1, "abc", "30", "125", {"x"}, ",", "Hoek is geen geldig getal"},
        StepCase{"Solo1PickUnderOtherSeparator", solo1, " 30,0 ", "30", "125", {"500"}, ".", "Hoek is geen geldig getal"},
        StepCase{"Solo1OffsetBlanks", solo1, "45", "45", "125", {" "}, ",", "Versleping is geen geldig getal"},
        StepCase{"Solo1PointUnderComma", solo1, "45", "45", "125", {"1.500"}, ",", "Versleping is geen geldig getal"},
        StepCase{"Solo1Typed275At90", solo1, "90", "90", "275", {"600"}, ",", "Geen bochtmaten voor deze hoek en diameter"},
        StepCase{"Solo1Typed300At15", solo1, "15", "15", "300", {"600"}, ",", "Geen bochtmaten voor deze hoek en diameter"},
        StepCase{"Solo1TooLarge", solo1, "30", "30", "125", {huge}, ",", "Uitkomst te groot"},
        // Single wall, mode 2: angle empty, diameter empty, the counts,
        // diameter, angle, bend, result.
        StepCase{"Solo2Worked", solo2, "45", "", "125", {"1", "0", "1"}, ",", "981 1273 held 146/96"},
        StepCase{"Solo2PointSeparator", solo2, "45", "", "125.0", {"1", "0", "1.0"}, ".", "981 1273 held 146/96"},
        StepCase{"Solo2AllEmpty", solo2, "", "", "", {"", "", ""}, ",", "Hoek invoeren"},
        StepCase{"Solo2DiameterEmpty", solo2, "45", "", "", {"", "", ""}, ",", "Diameter invoeren"},
        StepCase{"Solo2CountsFirst", solo2, "x", "", "y", {"z", "0", "1"}, ",", "Aantal secties is geen geldig getal"},
        StepCase{"Solo2250WithPoint", solo2, "45", "", "125", {"1", "0", "1.5"}, ",", "Aantal secties is geen geldig getal"},
        StepCase{"Solo2DiameterBeforeAngle", solo2, "y", "", "x", {"1", "0", "1"}, ",", "Diameter is geen geldig getal"},
        StepCase{"Solo2AngleBlanks", solo2, "  ", "", "125", {"1", "0", "1"}, ",", "Hoek is geen geldig getal"},
        StepCase{"Solo2TypedAngle60", solo2, "60", "", "125", {"1", "0", "1"}, ",", "Geen bochtmaten voor deze hoek en diameter"},
        StepCase{"Solo2Typed15At300", solo2, "15", "", "300", {"1", "0", "1"}, ",", "Geen bochtmaten voor deze hoek en diameter"},
        StepCase{"Solo2TooLarge", solo2, "45", "", "125", {huge, "0", "0"}, ",", "Uitkomst te groot"}),
    [](const auto& row) { return row.param.name; });
// clang-format on

TEST(Click, ResultsRememberTheTextsTheyCameFrom) {
    const auto twin = concentricLengths({" 30", "500,0"}, ",");
    EXPECT_EQ(std::get<LengthTexts>(twin).inputs, (LengthInputs{" 30", "500,0"}));
    // The angle box's own text, not the pick it stands for.
    const auto solo = singleWallLengths({"45,0", "45", "125", "500"}, ",");
    EXPECT_EQ(std::get<LengthTexts>(solo).inputs, (LengthInputs{"45,0", "500"}));
}

TEST(Click, FlagsTheMarker) {
    EXPECT_TRUE(std::get<LengthTexts>(concentricLengths({"30", "58"}, ",")).marker);
    EXPECT_FALSE(std::get<LengthTexts>(concentricLengths({"87", "242"}, ",")).marker);
    EXPECT_TRUE(std::get<LengthTexts>(singleWallLengths({"45", "45", "125", "100"}, ",")).marker);
}

// ---- where a problem is shown ---------------------------------------------------

TEST(InputOf, PutsEachProblemAtTheBoxAtFault) {
    struct Row {
        Problem problem;
        std::optional<std::array<std::string_view, 3>> counts; // a mode 2 click
        Input expected;
    };
    const std::string tooLarge = huge;
    const std::string tooSmall = "-" + huge;
    const Row rows[] = {
        {Problem::EnterAngle, {}, Input::Angle},
        {Problem::ChooseAngleFromList, {}, Input::Angle},
        {Problem::NoBendForAngle, {}, Input::Angle},
        {Problem::EnterDiameter, {}, Input::Diameter},
        {Problem::NoBendForAngleAndDiameter, {}, Input::Diameter},
        {Problem::OffsetNotANumber, {}, Input::Offset},
        {Problem::ResultTooLarge, {}, Input::Offset},
        {Problem::TotalNotANumber, {}, Input::Total},
        {Problem::CalculateFirst, {}, Input::Print},
        {Problem::EnterValues, {}, Input::Print},
        {Problem::PrinterNotAnswering, {}, Input::Print},
        {Problem::EnterAngle, {{"x", "x", "x"}}, Input::Angle},
        {Problem::CountNotANumber, {{"1", "", "x"}}, Input::Count500},
        {Problem::CountNotANumber, {{"1", "2", "1.5"}}, Input::Count250},
        {Problem::ResultTooLarge, {{"1", tooSmall, tooLarge}}, Input::Count500},
        {Problem::ResultTooLarge, {{tooLarge, "0", tooLarge}}, Input::Count1000},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(problemName(row.problem)) +
                     (row.counts ? " at " + std::string((*row.counts)[0]).substr(0, 9) + ' ' +
                                       std::string((*row.counts)[1]).substr(0, 9) + ' ' +
                                       std::string((*row.counts)[2]).substr(0, 9)
                                 : ""));
        const Input input =
            row.counts
                ? inputOf(row.problem, {(*row.counts)[0], (*row.counts)[1], (*row.counts)[2]}, ",")
                : inputOf(row.problem);
        EXPECT_EQ(input, row.expected);
    }
}

TEST(SteppedCount, GoesToTheNextWholeCountNeverBelowNone) {
    // {text, direction, separator, what the box shows then}
    const std::tuple<std::string, int, std::string, std::string> rows[] = {
        {"0", 1, ",", "0 1"},
        {"0", -1, ",", "0 0"},
        {"", 1, ",", " 1"},
        {"3", -1, ",", "3 2"},
        {"1,5", 1, ",", "1,5 2"},
        {"1,5", -1, ",", "1,5 1"},
        {"1.5", -1, ".", "1.5 1"},
        {"0,5", -1, ",", "0,5 0"},
        {"-2", -1, ",", "-2 0"},
        {"-2", 1, ",", "-2 0"},
        {" 7 ", 1, ",", " 7  8"},
        {"1.5", 1, ",", "1.5 Aantal secties is geen geldig getal"},
        {"abc", -1, ",", "abc Aantal secties is geen geldig getal"},
    };
    for (const auto& [text, direction, separator, expected] : rows) {
        const auto outcome = steppedCount(text, direction, separator);
        const std::string shown = std::holds_alternative<Problem>(outcome)
                                      ? std::string(messageFor(std::get<Problem>(outcome)).prompt)
                                      : std::get<std::string>(outcome);
        EXPECT_EQ(text + ' ' + shown, expected) << direction;
    }
}

// ---- messages ---------------------------------------------------------------

TEST(Messages, EveryProblemHasItsOwnNameAndPromptUnderItsTitle) {
    std::set<std::string_view> names;
    std::set<std::string_view> prompts;
    std::set<std::string_view> english;
    for (const ProblemRow& row : problems) {
        const Message message = messageFor(row.code);
        EXPECT_TRUE(names.insert(problemName(row.code)).second) << row.name;
        EXPECT_EQ(problemNamed(row.name), row.code) << row.name;
        EXPECT_EQ(inputOf(row.code), row.input) << row.name;
        EXPECT_TRUE(prompts.insert(message.prompt).second) << message.prompt;
        EXPECT_TRUE(english.insert(message.english).second) << message.english;
        EXPECT_FALSE(message.english.empty()) << message.prompt;
        EXPECT_EQ(message.title, row.code == Problem::EnterValues ? "Let Op!" : "Let op!");
    }
    EXPECT_EQ(names.size(), std::size(problems));
    // A face may hand over any text as a name.
    for (const std::string_view name : {"", "enterAngle", "EnterAngle ", "Problem::EnterAngle"}) {
        EXPECT_EQ(problemNamed(name), std::nullopt) << name;
    }
}

// ---- printing ---------------------------------------------------------------

ReportFields fieldsShowing(std::string angle, std::string offset) {
    return {{"Hoek in graden:", std::move(angle)},
            {"Versleping:", std::move(offset)},
            {"A:", "76"},
            {"B:", "41"},
            {"Lengte:", "883"},
            {"Hoogte:", "1013"}};
}

TEST(TestReport, PrintsOnlyWhatBelongsTogether) {
    const LengthInputs from{"30", "500"};
    const auto same = testReport(fieldsShowing("30", "500"), from);
    ASSERT_TRUE(std::holds_alternative<std::string>(same));
    EXPECT_EQ(std::get<std::string>(same), composeReport(fieldsShowing("30", "500")));

    for (const auto& [angle, offset] : {std::pair{"30", "1200"}, std::pair{"43", "500"},
                                        std::pair{"30", "500,0"}, std::pair{"", "500"}}) {
        const auto changed = testReport(fieldsShowing(angle, offset), from);
        ASSERT_TRUE(std::holds_alternative<Problem>(changed)) << angle << ' ' << offset;
        EXPECT_EQ(std::get<Problem>(changed), Problem::CalculateFirst);
    }
    // Nothing calculated yet: whatever the boxes show is printed, as ever.
    EXPECT_TRUE(std::holds_alternative<std::string>(testReport(fieldsShowing("x", ""), {})));
}

TEST(WindowPrint, NeedsEitherPairOfResults) {
    EXPECT_EQ(checkWindowPrint("", "", "", ""), Problem::EnterValues);
    EXPECT_EQ(checkWindowPrint("883", "", "", "258"), Problem::EnterValues);
    EXPECT_EQ(checkWindowPrint("e", "e", "", ""), std::nullopt);
    EXPECT_EQ(checkWindowPrint("", "", "30", "258"), std::nullopt);
}

} // namespace
