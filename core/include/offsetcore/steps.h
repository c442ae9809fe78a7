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

#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace offsetcore {

// Everything a click can run into. The faces turn each into its message with
// messageFor; a print status the platform reports is one of the last four.
enum class Problem {
    EnterAngle,                // an angle box is empty
    EnterDiameter,             // a diameter box is empty
    EnterOffset,               // the offset box is empty
    AngleNotANumber,           // the angle text is no number
    DiameterNotANumber,        // the diameter text is no number
    OffsetNotANumber,          // the offset text is no number
    CountNotANumber,           // a count text is no number
    ChooseAngleFromList,       // single wall, mode 1: the angle box shows a number, not the pick
    NoBendForAngle,            // concentric: no bend at this angle
    NoBendForAngleAndDiameter, // single wall: no bend at this angle and diameter
    ResultTooLarge,            // a result too large to show
    EnterTotal,                // a chart's total length is empty
    TotalNotANumber,           // a chart's total length is no number
    CalculateFirst,            // the report would pair inputs with results of other inputs
    EnterValues,               // nothing calculated yet to print
    ReportNotMade,             // the report file could not be made
    NoPrinter,                 // no printer installed
    PrintFailed,               // the print system refused or failed the job
    PrinterNotAnswering,       // the print system did not answer in time
};

// What a face shows for a problem: a prompt under a title, in Dutch, and the
// prompt in English for a face that speaks it outside a Dutch locale (the
// command line).
struct Message {
    std::string_view prompt;
    std::string_view title;
    std::string_view english;
};

Message messageFor(Problem problem);

// The code's own name ("EnterAngle"), for faces beyond C++ that tell codes
// apart by name (the web page, a command line).
std::string_view problemName(Problem problem);

// The last code, for walking all of them.
inline constexpr Problem lastProblem = Problem::PrinterNotAnswering;

// Either the problem that ended the click or what the click gives.
template <typename Texts> using Outcome = std::variant<Problem, Texts>;

// The mode 1 texts a result was computed from, as the boxes showed them.
struct LengthInputs {
    std::string angle;
    std::string offset;
    friend bool operator==(const LengthInputs&, const LengthInputs&) = default;
};

// Mode 1's texts, in the order the face writes them: the length between the
// bends and the vertical offset (both the negative marker when the length
// comes out below zero), then A and B.
struct LengthTexts {
    std::string length;
    std::string vertical;
    std::string a;
    std::string b;
    BendDimensions heldBend; // the pair the face holds from now on
    LengthInputs inputs;     // what these results belong to, for the report
    bool marker = false;     // length and vertical show the negative marker
};

// Mode 2's texts, horizontal first.
struct OffsetTexts {
    std::string horizontal;
    std::string vertical;
    BendDimensions heldBend;
};

// The three count boxes: 1000, 500 and 250 mm sections.
struct CountTexts {
    std::string_view n1000;
    std::string_view n500;
    std::string_view n250;
};

// The input a problem concerns, so that a face can show its message at that
// input and give it the focus: the box at fault, or the print button whose
// check failed.
enum class Input { Angle, Diameter, Offset, Count1000, Count500, Count250, Total, Print };

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
