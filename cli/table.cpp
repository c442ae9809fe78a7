#include "cli/table.h"

#include "offsetcore/report.h"

#include <algorithm>
#include <cstdio>

namespace offsetcalc {

namespace {

void writeText(std::ostream& out, const Table& table) {
    std::vector<std::size_t> widths(table.headings.size());
    for (std::size_t column = 0; column < widths.size(); ++column) {
        widths[column] = offsetcore::characterCount(table.headings[column]);
        for (const auto& row : table.rows) {
            widths[column] = std::max(widths[column], offsetcore::characterCount(row[column]));
        }
    }
    const auto line = [&](const std::vector<std::string>& cells) {
        std::string text;
        for (std::size_t column = 0; column < cells.size(); ++column) {
            text += cells[column];
            if (column + 1 < cells.size()) {
                text.append(widths[column] - offsetcore::characterCount(cells[column]) + 2, ' ');
            }
        }
        // A blank last cell leaves no trailing spaces either.
        text.erase(text.find_last_not_of(' ') + 1);
        out << text << '\n';
    };
    line(table.headings);
    for (const auto& row : table.rows) {
        line(row);
    }
}

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + '"';
}

void writeCsv(std::ostream& out, const Table& table) {
    const auto line = [&](const std::vector<std::string>& cells) {
        for (std::size_t column = 0; column < cells.size(); ++column) {
            out << (column == 0 ? "" : ",") << csvField(cells[column]);
        }
        out << "\r\n"; // as CSV has it
    };
    line(table.columns);
    for (const auto& row : table.rows) {
        line(row);
    }
}

std::string jsonString(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", unsigned(c));
            quoted += escaped;
        } else {
            quoted += c;
        }
    }
    return quoted + '"';
}

// One object per row, keyed by the column names.
void writeJson(std::ostream& out, const Table& table) {
    out << '[';
    for (std::size_t row = 0; row < table.rows.size(); ++row) {
        out << (row == 0 ? "\n  {" : ",\n  {");
        for (std::size_t column = 0; column < table.columns.size(); ++column) {
            out << (column == 0 ? "" : ", ") << jsonString(table.columns[column]) << ": "
                << jsonString(table.rows[row][column]);
        }
        out << '}';
    }
    out << (table.rows.empty() ? "]\n" : "\n]\n");
}

} // namespace

void write(std::ostream& out, const Table& table, Format format) {
    switch (format) {
    case Format::Text:
        return writeText(out, table);
    case Format::Csv:
        return writeCsv(out, table);
    case Format::Json:
        return writeJson(out, table);
    }
}

} // namespace offsetcalc
