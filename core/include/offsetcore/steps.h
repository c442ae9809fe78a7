#pragma once

// The road of every click, once, for every face that offers the calculators
// (the two windows, the web page, a command line). A face collects the texts
// its boxes show at the click, hands them to one step here and then does one
// of two things with the outcome: show the problem's message and change
// nothing, or write the texts it gets into its output boxes and hold the
// bend pair. No face checks, reads, looks up, formats or orders anything of
// its own, so all faces answer alike.
//
// Each step tests the boxes for empty text in its window's fixed order, reads
// every text with the decimal separator the face gives (its locale's), looks
// the bend up, runs the geometry and writes the results as text. The first
// check that fails decides the outcome. The two systems check in different
// orders, and each keeps its own.

#include "offsetcore/geometry.h"
#include "offsetcore/report.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace offsetcore {

// What a face shows for a problem: a prompt under a title, in Dutch, and the
// prompt in English for a face that speaks it outside a Dutch locale (the
// command line).
struct Message {
    std::string_view prompt;
    std::string_view title;
    std::string_view english;
};

// The input a problem concerns, so that a face can show its message at that
// input and give it the focus: the box at fault, or the print button whose
// check failed.
enum class Input { Angle, Diameter, Offset, Count1000, Count500, Count250, Total, Print };

// Everything a click can run into, one row each: the code, its prompt in
// Dutch under its title, the prompt in English, and the input it concerns (a
// count's problem is put at the box at fault by the mode 2 inputOf below).
// A print status the platform reports is one of the last four. The enum and
// the table below are both made from these rows.
// clang-format off
#define OFFSETCORE_PROBLEMS(row)                                                                   \
    row(EnterAngle, "Hoek invoeren", "Let op!", "Enter an angle", Angle)                           \
    row(EnterDiameter, "Diameter invoeren", "Let op!", "Enter a diameter", Diameter)               \
    row(EnterOffset, "Versleping invoeren", "Let op!", "Enter an offset", Offset)                  \
    row(AngleNotANumber, "Hoek is geen geldig getal", "Let op!",                                   \
        "The angle is not a valid number", Angle)                                                  \
    row(DiameterNotANumber, "Diameter is geen geldig getal", "Let op!",                            \
        "The diameter is not a valid number", Diameter)                                            \
    row(OffsetNotANumber, "Versleping is geen geldig getal", "Let op!",                            \
        "The offset is not a valid number", Offset)                                                \
    row(CountNotANumber, "Aantal secties is geen geldig getal", "Let op!",                         \
        "A number of sections is not a valid number", Count1000)                                   \
    /* single wall, mode 1: the angle box shows a number, not the pick */                          \
    row(ChooseAngleFromList, "Kies de hoek uit de lijst", "Let op!",                               \
        "Choose the angle from the list", Angle)                                                   \
    /* concentric: no bend at this angle */                                                        \
    row(NoBendForAngle, "Geen bochtmaten voor deze hoek", "Let op!",                               \
        "No bend dimensions for this angle", Angle)                                                \
    /* single wall: the angle was picked from a list, the diameter may have been typed */          \
    row(NoBendForAngleAndDiameter, "Geen bochtmaten voor deze hoek en diameter", "Let op!",        \
        "No bend dimensions for this angle and diameter", Diameter)                                \
    row(ResultTooLarge, "Uitkomst te groot", "Let op!", "Result too large", Offset)                \
    /* a chart's total length */                                                                   \
    row(EnterTotal, "Totale lengte invoeren", "Let op!", "Enter a total length", Total)            \
    row(TotalNotANumber, "Totale lengte is geen geldig getal", "Let op!",                          \
        "The total length is not a valid number", Total)                                           \
    /* the report would pair inputs with results of other inputs */                                \
    row(CalculateFirst, "Druk eerst op Bereken", "Let op!", "Calculate first", Print)              \
    /* nothing calculated yet to print; the one title with a capital O, as it always was */        \
    row(EnterValues, "Voer waarden in", "Let Op!", "Enter values first", Print)                    \
    row(ReportNotMade, "Rapport kon niet worden gemaakt", "Let op!",                               \
        "The report could not be made", Print)                                                     \
    row(NoPrinter, "Geen printer beschikbaar", "Let op!", "No printer available", Print)           \
    /* the print system refused or failed the job */                                               \
    row(PrintFailed, "Afdrukken mislukt", "Let op!", "Printing failed", Print)                     \
    /* the print system did not answer in time */                                                  \
    row(PrinterNotAnswering, "Printer reageert niet", "Let op!",                                   \
        "The printer does not answer", Print)
// clang-format on

#define OFFSETCORE_PROBLEM_CODE(code, prompt, title, english, input) code,
enum class Problem { OFFSETCORE_PROBLEMS(OFFSETCORE_PROBLEM_CODE) };
#undef OFFSETCORE_PROBLEM_CODE

// A problem's row: its code's own name ("EnterAngle"), for faces beyond C++
// that tell codes apart by name (the web page, a command line), its message
// and its input.
struct ProblemRow {
    Problem code;
    std::string_view name;
    Message message;
    Input input;
};

// In the order of the codes.
#define OFFSETCORE_PROBLEM_ROW(code, prompt, title, english, input)                                \
    ProblemRow{Problem::code, #code, {prompt, title, english}, Input::input},
inline constexpr ProblemRow problems[] = {OFFSETCORE_PROBLEMS(OFFSETCORE_PROBLEM_ROW)};
#undef OFFSETCORE_PROBLEM_ROW

Message messageFor(Problem problem);
std::string_view problemName(Problem problem);

// The code of this name; nothing for a name no code has.
std::optional<Problem> problemNamed(std::string_view name);

// Either the problem that ended the click or what the click gives.
template <typename Texts> using Outcome = std::variant<Problem, Texts>;

// The mode 1 texts a result was computed from, as the boxes showed them.
struct LengthInputs {
    std::string angle;
    std::string offset;
    friend bool operator==(const LengthInputs&, const LengthInputs&) = default;
};

// A text of an outcome and the box, named as in both windows and on the
// page, that shows it.
struct Written {
    std::string_view box;
    std::string_view text;
};

// Mode 1's texts: the length between the bends and the vertical offset (both
// the negative marker when the length comes out below zero), A and B.
struct LengthTexts {
    std::string length;
    std::string vertical;
    std::string a;
    std::string b;
    BendDimensions heldBend; // the pair the face holds from now on
    LengthInputs inputs;     // what these results belong to, for the report
    bool marker = false;     // length and vertical show the negative marker

    // Each text by its box, in the order a face writes them.
    std::array<Written, 4> written() const {
        return {{{"txtLengte", length}, {"txtHoogte", vertical}, {"txtA", a}, {"txtB", b}}};
    }
};

// Mode 2's texts.
struct OffsetTexts {
    std::string horizontal;
    std::string vertical;
    BendDimensions heldBend;

    // Each text by its box, in the order a face writes them: horizontal first.
    std::array<Written, 2> written() const {
        return {{{"txtVerHor", horizontal}, {"txtVerVerticaal", vertical}}};
    }
};

// The three count boxes: 1000, 500 and 250 mm sections.
struct CountTexts {
    std::string_view n1000;
    std::string_view n500;
    std::string_view n250;
};

// Of a problem from a mode 1 step, a plan or chart, or a print check.
Input inputOf(Problem problem);

// Of a problem from a mode 2 step, given the counts of its click: a count that
// is no number is the first such in the order of the boxes, and a result too
// large is put at the count of the largest size, which made it so.
Input inputOf(Problem problem, const CountTexts& counts, std::string_view decimalSeparator);

// The input's name for faces outside C++: angle, diameter, offset, n1000,
// n500, n250, total or print.
std::string_view inputName(Input input);

// What a - or + beside a count box writes into it: the next whole count below
// (direction < 0) or above (direction > 0) the count its text reads as, never
// below zero; an empty box counts as 0. CountNotANumber for any other text
// that is no number, which is then left as it is.
Outcome<std::string> steppedCount(std::string_view text, int direction,
                                  std::string_view decimalSeparator);

// ---- concentric -------------------------------------------------------------

struct ConcentricLengthsClick {
    std::string_view angle; // cmbHoek
    std::string_view offset;
};

struct ConcentricOffsetsClick {
    std::string_view angle; // cmbHoek2
    CountTexts counts;
};

// Checks: angle empty, offset empty, angle, offset, bend, result.
Outcome<LengthTexts> concentricLengths(const ConcentricLengthsClick& click,
                                       std::string_view decimalSeparator);
// Checks: angle empty, the counts in order, angle, bend, result.
Outcome<OffsetTexts> concentricOffsets(const ConcentricOffsetsClick& click,
                                       std::string_view decimalSeparator);

// ---- single wall ------------------------------------------------------------

struct SingleWallLengthsClick {
    std::string_view angle;       // what cmbHoek shows at the click
    std::string_view pickedAngle; // the item last picked in cmbHoek
    std::string_view diameter;
    std::string_view offset;
};

struct SingleWallOffsetsClick {
    std::string_view angle; // cmbHoek2
    std::string_view diameter;
    CountTexts counts;
};

// Checks: angle empty, diameter empty, offset empty, diameter, angle, the
// picked angle (which the angle box must still show, in any notation),
// offset, bend, result. The diameters on offer were made for the picked
// angle, so that is the angle calculated with.
Outcome<LengthTexts> singleWallLengths(const SingleWallLengthsClick& click,
                                       std::string_view decimalSeparator);
// Checks: angle empty, diameter empty, the counts in order, diameter, angle,
// bend, result.
Outcome<OffsetTexts> singleWallOffsets(const SingleWallOffsetsClick& click,
                                       std::string_view decimalSeparator);

// ---- printing ---------------------------------------------------------------

// The concentric report of what the face shows. resultsFrom is what the
// mode 1 results shown were computed from (none while none are shown). When
// the angle or offset shown differs from it, the paper would put results
// beside inputs they do not belong to: CalculateFirst, and nothing printed.
Outcome<std::string> testReport(const ReportFields& shown,
                                const std::optional<LengthInputs>& resultsFrom);

// Whether the single-wall window may be printed: only once either pair of
// results (mode 1's length and vertical, mode 2's horizontal and vertical)
// shows text; otherwise EnterValues.
std::optional<Problem> checkWindowPrint(std::string_view length, std::string_view vertical,
                                        std::string_view horizontal,
                                        std::string_view sectionVertical);

} // namespace offsetcore
