#pragma once

// The three ways offsetcalc writes what the core answers: an aligned text
// table for a person, CSV for a spreadsheet, JSON for a program. A table is
// rows of texts under named columns; every figure is the core's text, as
// the windows show it, so JSON carries figures as strings (the marker "e"
// is no number).

#include <ostream>
#include <string>
#include <vector>

namespace offsetcalc {

struct Table {
    std::vector<std::string> columns;  // names for CSV and JSON
    std::vector<std::string> headings; // what a person reads above them
    std::vector<std::vector<std::string>> rows;
};

enum class Format { Text, Csv, Json };

void write(std::ostream& out, const Table& table, Format format);

} // namespace offsetcalc
