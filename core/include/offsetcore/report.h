#pragma once

// The printed report of the concentric calculator's mode 1: what the window
// shows at the click, six captions with their values framed by a title and a
// disclaimer. Every front end composes it here, so that all print the same
// text.
//
// Nineteen lines, each ending in CR LF. Captions stand in column 10 and
// values in column 55 (counted from 1), so that the values line up under a
// fixed-pitch font; the rule above them and the six rows carry one extra LF
// before their CR LF, which the printer shows as an empty line of its own.
// Values are copied as given: untrimmed, unformatted, of any length.

#include <cstddef>
#include <string>
#include <string_view>

namespace offsetcore {

// Caption and value as the window shows them, in UTF-8.
struct ReportItem {
    std::string caption;
    std::string value;
};

// In the order of the report: angle, horizontal offset, A, B, the length
// between the bends and the vertical offset.
struct ReportFields {
    ReportItem angle;
    ReportItem offset;
    ReportItem a;
    ReportItem b;
    ReportItem length;
    ReportItem vertical;
};

// The report text in UTF-8. Columns are counted in characters (code points),
// as a fixed-pitch printer shows them; a caption that reaches the value
// column is followed by one space. The fixed texts are ASCII.
std::string composeReport(const ReportFields& fields);

// The characters (code points) of UTF-8 text, as a fixed-pitch column counts
// them: every byte but the continuation bytes of a multi-byte sequence.
std::size_t characterCount(std::string_view text);

} // namespace offsetcore
