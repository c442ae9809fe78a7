// Answers clicks to the calculation core, one line per query, for the
// comparison with the WebAssembly core (core_differential.mjs). A click goes
// through the same step a window's click goes through. Texts cross as the hex
// of their UTF-8 bytes after an "x", the held pair as the 16 hex digits of
// each double's bits, so that both sides compare exactly what the core gave.
//
//   CL angle offset separator                       concentric, mode 1
//   CO angle n1000 n500 n250 separator              concentric, mode 2
//   SL angle pickedAngle diameter offset separator  single wall, mode 1
//   SO angle diameter n1000 n500 n250 separator     single wall, mode 2
//   R caption value (six times) [angle offset]      the concentric report, with
//                                                   the inputs of the results shown
//   K length vertical horizontal sectionVertical    whether the window may be printed
//   S text direction separator                      a count stepped by - or +
//   P system diameter offset separator              a plan
//   C system angle diameter total separator         a chart
//   D angleText                                     the diameter list, or null
//   T                                               the angle and count lists
//   E                                               every single-wall diameter and
//                                                   the chart's total unless told
//   M                                               every problem's name and message
//
// An outcome is answered as "problem NAME prompt title input" (input the box
// the page shows it at), as "lengths" and its four written texts (each as
// "box text") then "heldA heldB angle offset marker", as "offsets" and its
// two written texts then "heldA heldB", as "report text" or as "count text";
// K answers "null" when it finds nothing. A plan is answered as "plan", then
// per angle "angle" and its item, mode 1's four texts and marker, "nearest"
// and "further", each with their number and the combinations; a chart as
// "chart heldA heldB", the number of rows and the rows. A combination is its
// three counts in decimal, then its horizontal, vertical and difference, and
// "advised" or "plain". A plan or chart of a system with no name ("concentric"
// and "singlewall" have one) is answered as "refused", which the page's core
// gives as a TypeError. The direction is a decimal integer.

#include "offsetcore/plan.h"
#include "offsetcore/report.h"
#include "offsetcore/steps.h"
#include "offsetcore/tables.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace {

using offsetcore::Problem;

std::string hexOf(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    char buffer[17];
    std::snprintf(buffer, sizeof buffer, "%016llx", static_cast<unsigned long long>(bits));
    return buffer;
}

int nibble(char digit) {
    if (digit >= '0' && digit <= '9') {
        return digit - '0';
    }
    if (digit >= 'a' && digit <= 'f') {
        return digit - 'a' + 10;
    }
    throw std::invalid_argument("not a hex digit");
}

std::string text(const std::string& hex) {
    if (hex.empty() || hex.front() != 'x' || hex.size() % 2 == 0) {
        throw std::invalid_argument("not a text: " + hex);
    }
    std::string bytes(hex.size() / 2, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(nibble(hex[1 + 2 * i]) * 16 + nibble(hex[2 + 2 * i]));
    }
    return bytes;
}

std::string hexOf(std::string_view bytes) {
    constexpr char digits[] = "0123456789abcdef";
    std::string hex(1 + 2 * bytes.size(), 'x');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        hex[1 + 2 * i] = digits[byte / 16];
        hex[2 + 2 * i] = digits[byte % 16];
    }
    return hex;
}

std::string listAnswer(offsetcore::ItemList items) {
    std::string answer = "list";
    for (const std::string_view item : items) {
        answer += ' ' + hexOf(item);
    }
    return answer;
}

std::string messageAnswer(Problem problem) {
    const offsetcore::Message message = offsetcore::messageFor(problem);
    return std::string(offsetcore::problemName(problem)) + ' ' + hexOf(message.prompt) + ' ' +
           hexOf(message.title);
}

std::string problemAnswer(Problem problem, offsetcore::Input input) {
    return "problem " + messageAnswer(problem) + ' ' + std::string(offsetcore::inputName(input));
}

std::string problemAnswer(Problem problem) {
    return problemAnswer(problem, offsetcore::inputOf(problem));
}

std::string heldAnswer(const offsetcore::BendDimensions& bend) {
    return hexOf(bend.a) + ' ' + hexOf(bend.b);
}

std::string markerAnswer(bool marker) {
    return marker ? "marker" : "plain";
}

// Each box's name and text, in the order they are written.
template <std::size_t N>
std::string writtenAnswer(const std::array<offsetcore::Written, N>& written) {
    std::string answer;
    for (const offsetcore::Written& text : written) {
        // Appended piece by piece: for "" + string, GCC 12 at -O3 warns of an
        // overlapping copy that cannot happen (-Wrestrict).
        if (!answer.empty()) {
            answer += ' ';
        }
        answer += text.box;
        answer += ' ';
        answer += hexOf(text.text);
    }
    return answer;
}

std::string outcomeAnswer(const offsetcore::Outcome<offsetcore::LengthTexts>& outcome) {
    if (const auto* problem = std::get_if<Problem>(&outcome)) {
        return problemAnswer(*problem);
    }
    const auto& t = std::get<offsetcore::LengthTexts>(outcome);
    return "lengths " + writtenAnswer(t.written()) + ' ' + heldAnswer(t.heldBend) + ' ' +
           hexOf(t.inputs.angle) + ' ' + hexOf(t.inputs.offset) + ' ' + markerAnswer(t.marker);
}

// Mode 2 puts a problem at the count that caused it.
std::string outcomeAnswer(const offsetcore::Outcome<offsetcore::OffsetTexts>& outcome,
                          const offsetcore::CountTexts& counts, const std::string& separator) {
    if (const auto* problem = std::get_if<Problem>(&outcome)) {
        return problemAnswer(*problem, offsetcore::inputOf(*problem, counts, separator));
    }
    const auto& t = std::get<offsetcore::OffsetTexts>(outcome);
    return "offsets " + writtenAnswer(t.written()) + ' ' + heldAnswer(t.heldBend);
}

std::string combinationAnswer(const offsetcore::Combination& c) {
    return std::to_string(c.n1000) + ' ' + std::to_string(c.n500) + ' ' + std::to_string(c.n250) +
           ' ' + hexOf(c.horizontal) + ' ' + hexOf(c.vertical) + ' ' + hexOf(c.difference) +
           (c.advised ? " advised" : " plain");
}

std::string combinationsAnswer(const std::vector<offsetcore::Combination>& combinations) {
    std::string answer = std::to_string(combinations.size());
    for (const offsetcore::Combination& c : combinations) {
        answer += ' ' + combinationAnswer(c);
    }
    return answer;
}

std::string planAnswer(const offsetcore::Outcome<offsetcore::Plan>& outcome) {
    if (const auto* problem = std::get_if<Problem>(&outcome)) {
        return problemAnswer(*problem);
    }
    std::string answer = "plan";
    for (const offsetcore::PlannedAngle& a : std::get<offsetcore::Plan>(outcome).angles) {
        answer += " angle " + hexOf(a.angle) + ' ' + hexOf(a.lengths.length) + ' ' +
                  hexOf(a.lengths.vertical) + ' ' + hexOf(a.lengths.a) + ' ' + hexOf(a.lengths.b) +
                  ' ' + markerAnswer(a.lengths.marker) + " nearest " +
                  combinationsAnswer(a.nearest) + " further " + combinationsAnswer(a.further);
    }
    return answer;
}

std::string chartAnswer(const offsetcore::Outcome<offsetcore::Chart>& outcome) {
    if (const auto* problem = std::get_if<Problem>(&outcome)) {
        return problemAnswer(*problem);
    }
    const auto& chart = std::get<offsetcore::Chart>(outcome);
    return "chart " + heldAnswer(chart.bend) + ' ' + combinationsAnswer(chart.rows);
}

std::string answer(const std::vector<std::string>& q) {
    const std::string& kind = q.at(0);
    // Every text of the query, read before the views of a click point into them.
    std::vector<std::string> t;
    t.reserve(q.size());
    for (std::size_t i = 1; i < q.size(); ++i) {
        t.push_back(text(q[i]));
    }
    if (kind == "CL" && t.size() == 3) {
        return outcomeAnswer(offsetcore::concentricLengths({t[0], t[1]}, t[2]));
    }
    if (kind == "CO" && t.size() == 5) {
        const offsetcore::CountTexts counts{t[1], t[2], t[3]};
        return outcomeAnswer(offsetcore::concentricOffsets({t[0], counts}, t[4]), counts, t[4]);
    }
    if (kind == "SL" && t.size() == 5) {
        return outcomeAnswer(offsetcore::singleWallLengths({t[0], t[1], t[2], t[3]}, t[4]));
    }
    if (kind == "SO" && t.size() == 6) {
        const offsetcore::CountTexts counts{t[2], t[3], t[4]};
        return outcomeAnswer(offsetcore::singleWallOffsets({t[0], t[1], counts}, t[5]), counts,
                             t[5]);
    }
    if (kind == "R" && (t.size() == 12 || t.size() == 14)) {
        const auto item = [&](int i) { return offsetcore::ReportItem{t[2 * i], t[2 * i + 1]}; };
        std::optional<offsetcore::LengthInputs> from;
        if (t.size() == 14) {
            from = offsetcore::LengthInputs{t[12], t[13]};
        }
        const auto outcome =
            offsetcore::testReport({item(0), item(1), item(2), item(3), item(4), item(5)}, from);
        if (const auto* problem = std::get_if<Problem>(&outcome)) {
            return problemAnswer(*problem);
        }
        return "report " + hexOf(std::get<std::string>(outcome));
    }
    if (kind == "K" && t.size() == 4) {
        const auto problem = offsetcore::checkWindowPrint(t[0], t[1], t[2], t[3]);
        return problem ? problemAnswer(*problem) : "null";
    }
    if (kind == "S" && t.size() == 3) {
        const auto outcome = offsetcore::steppedCount(t[0], std::stoi(t[1]), t[2]);
        if (const auto* problem = std::get_if<Problem>(&outcome)) {
            return problemAnswer(*problem);
        }
        return "count " + hexOf(std::get<std::string>(outcome));
    }
    if (kind == "P" && t.size() == 4) {
        const auto system = offsetcore::systemNamed(t[0]);
        return system ? planAnswer(offsetcore::planOffset({*system, t[1], t[2]}, t[3])) : "refused";
    }
    if (kind == "C" && t.size() == 5) {
        const auto system = offsetcore::systemNamed(t[0]);
        return system ? chartAnswer(offsetcore::offsetChart({*system, t[1], t[2], t[3]}, t[4]))
                      : "refused";
    }
    if (kind == "D" && t.size() == 1) {
        const auto list = offsetcore::singleWallDiameterList(t[0]);
        return list ? listAnswer(*list) : "null";
    }
    if (kind == "T" && t.empty()) {
        return listAnswer(offsetcore::concentricAngleList()) + ' ' +
               listAnswer(offsetcore::singleWallAngleList()) + ' ' +
               listAnswer(offsetcore::sectionCountList());
    }
    if (kind == "E" && t.empty()) {
        return listAnswer(offsetcore::everySingleWallDiameterList()) + ' ' +
               hexOf(offsetcore::defaultChartTotal);
    }
    if (kind == "M" && t.empty()) {
        std::string answer;
        for (const offsetcore::ProblemRow& row : offsetcore::problems) {
            // Appended piece by piece: for "" + string, GCC 12 at -O3 warns of
            // an overlapping copy that cannot happen (-Wrestrict).
            if (!answer.empty()) {
                answer += ' ';
            }
            answer += messageAnswer(row.code);
        }
        return answer;
    }
    return "unknown query";
}

} // namespace

int main() {
    std::ios::sync_with_stdio(false);
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream fields(line);
        std::vector<std::string> query;
        query.reserve(16);
        for (std::string field; fields >> field;) {
            query.push_back(field);
        }
        try {
            std::cout << (query.empty() ? "unknown query" : answer(query)) << '\n';
        } catch (const std::exception&) {
            std::cout << "unknown query\n";
        }
    }
    return 0;
}
