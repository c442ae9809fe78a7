#include "offsetcore/report.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

using offsetcore::composeReport;
using offsetcore::ReportFields;

struct Row {
    std::string caption;
    std::size_t gap; // spaces between the caption and its value
    std::string value;
};

// The report as its layout prescribes, written out apart from the core:
// captions after nine spaces, then the counted gap, the value, LF CR LF.
std::string expectedReport(const std::array<Row, 6>& rows) {
    const std::string hashes = "    " + std::string(54, '#') + "\r\n";
    std::string report = " \r\n \r\n \r\n     Kestravon Versleping Concentrisch systeem\r\n    " +
                         std::string(54, '-') + " \n\r\n";
    for (const Row& row : rows) {
        report += std::string(9, ' ') + row.caption + std::string(row.gap, ' ') + row.value +
                  "\n\r\n";
    }
    return report + " \r\n \r\n \r\n \r\n" + hashes +
           "     Aan deze waarden kunnen geen rechten worden ontleent\r\n" + hashes + " \r\n";
}

ReportFields fieldsOf(const std::array<Row, 6>& rows) {
    const auto item = [&](int i) { return offsetcore::ReportItem{rows[i].caption, rows[i].value}; };
    return {item(0), item(1), item(2), item(3), item(4), item(5)};
}

std::array<Row, 6> windowRows(const std::array<std::string, 6>& values) {
    return {{{"Hoek in graden:", 30, values[0]},
             {"Lengte horizontale- versleping in mm:", 8, values[1]},
             {"A:", 43, values[2]},
             {"B:", 43, values[3]},
             {"Lengte tussen de bochten in mm:", 14, values[4]},
             {"Lengte van de verticale versleping in mm:", 4, values[5]}}};
}

struct ReportCase {
    std::string name;
    std::array<Row, 6> rows;
};

class ComposeReport : public testing::TestWithParam<ReportCase> {};

TEST_P(ComposeReport, LaysOutTheRows) {
    const ReportCase& c = GetParam();
    EXPECT_EQ(composeReport(fieldsOf(c.rows)), expectedReport(c.rows));
}

const std::string longValue(300, '7');

INSTANTIATE_TEST_SUITE_P(
    Cases, ComposeReport,
    testing::Values(
        ReportCase{"WorkedExample", windowRows({"30", "500", "76", "41", "883", "1013"})},
        ReportCase{"NothingCalculated", windowRows({"", "", "", "", "", ""})},
        ReportCase{"NegativeMarker", windowRows({"30", "58", "76", "41", "e", "e"})},
        ReportCase{"LongValueWrittenWhole", windowRows({"30", longValue, "", "", "", ""})},
        ReportCase{"BlanksAndTextKept",
                   windowRows({" 43 ", " 612,5 ", "dertig", "\t", "30\xc2\xb0", "\xc2\xbd meter"})},
        // Columns count characters, not bytes: a degree sign (two bytes) and a
        // character beyond the 16-bit range (four bytes) are one column each.
        ReportCase{"CaptionsBeyondAscii",
                   {{{"Hoek in \xc2\xb0:", 35, "30"},
                     {"\xf0\x9d\x91\xa5:", 43, "1"},
                     {"A:", 43, ""},
                     {"B:", 43, ""},
                     {"", 45, "0"},
                     {"\xc3\xa9\xc3\xa9n", 42, "x"}}}},
        // A caption that reaches the value column keeps one space before its
        // value; one that ends just before it needs none.
        ReportCase{"CaptionsAtAndPastTheValueColumn",
                   {{{std::string(45, 'c'), 0, "1"},
                     {std::string(46, 'c'), 1, "2"},
                     {std::string(60, 'c'), 1, "3"},
                     {std::string(44, 'c'), 1, "4"},
                     {std::string(44, 'c') + "\xc3\xa9", 0, "5"},
                     {std::string(45, 'c') + "\xc3\xa9", 1, "6"}}}}),
    [](const auto& row) { return row.param.name; });

} // namespace
