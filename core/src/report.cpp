#include "offsetcore/report.h"

#include <cstddef>
#include <string_view>

namespace offsetcore {

std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++count;
        }
    }
    return count;
}

namespace {

constexpr std::size_t frameColumn = 5;
constexpr std::size_t captionColumn = 10;
constexpr std::size_t valueColumn = 55;
constexpr std::size_t frameWidth = 54;

constexpr std::string_view title = " Kestravon Versleping Concentrisch systeem";
constexpr std::string_view disclaimer = " Aan deze waarden kunnen geen rechten worden ontleent";
constexpr std::string_view blank = " ";

// Spaces up to the column, counted from 1. A line already past it gets one
// space, so that a caption and its value never run together.
void padToColumn(std::string& line, std::size_t column) {
    const std::size_t used = characterCount(line);
    line.append(used < column ? column - 1 - used : 1, ' ');
}

std::string atColumn(std::size_t column, std::string_view item) {
    std::string line;
    padToColumn(line, column);
    return line.append(item);
}

} // namespace

std::string composeReport(const ReportFields& fields) {
    std::string text;
    const auto writeLine = [&text](std::string_view line) { text.append(line).append("\r\n"); };
    // The rule and the rows are followed by an empty line on paper.
    const auto writeSpacedLine = [&writeLine](std::string line) { writeLine(line.append("\n")); };

    for (int i = 0; i < 3; ++i) {
        writeLine(blank);
    }
    writeLine(atColumn(frameColumn, title));
    writeSpacedLine(atColumn(frameColumn, std::string(frameWidth, '-').append(blank)));
    for (const ReportItem* item :
         {&fields.angle, &fields.offset, &fields.a, &fields.b, &fields.length, &fields.vertical}) {
        std::string line = atColumn(captionColumn, item->caption);
        padToColumn(line, valueColumn);
        writeSpacedLine(line.append(item->value));
    }
    for (int i = 0; i < 4; ++i) {
        writeLine(blank);
    }
    const std::string hashes = atColumn(frameColumn, std::string(frameWidth, '#'));
    writeLine(hashes);
    writeLine(atColumn(frameColumn, disclaimer));
    writeLine(hashes);
    writeLine(blank);
    return text;
}

} // namespace offsetcore
