#include "twinoffset/report.h"

namespace twinoffset {

namespace {

constexpr int frameColumn = 5;
constexpr int captionColumn = 10;
constexpr int valueColumn = 55;
constexpr int frameWidth = 54;

const QString title = QStringLiteral(" Kestravon Versleping Concentrisch systeem");
const QString disclaimer = QStringLiteral(" Aan deze waarden kunnen geen rechten worden ontleent");

// Spaces up to the column, counted from 1. A line already past it gets one
// space, so that a caption and its value never run together.
void padToColumn(QString& line, int column) {
    const qsizetype fill = column - 1 - line.size();
    line += QString(fill >= 0 ? fill : 1, QLatin1Char(' '));
}

QString atColumn(int column, const QString& item) {
    QString line;
    padToColumn(line, column);
    return line + item;
}

} // namespace

QByteArray composeReport(const ReportFields& fields) {
    QString text;
    const auto writeLine = [&text](const QString& line) { text += line + QStringLiteral("\r\n"); };
    // The rule and the rows are followed by an empty line on paper.
    const auto writeSpacedLine = [&writeLine](const QString& line) {
        writeLine(line + QLatin1Char('\n'));
    };
    const QString blank = QStringLiteral(" ");

    for (int i = 0; i < 3; ++i) {
        writeLine(blank);
    }
    writeLine(atColumn(frameColumn, title));
    writeSpacedLine(atColumn(frameColumn, QString(frameWidth, QLatin1Char('-')) + blank));
    for (const ReportItem* item :
         {&fields.angle, &fields.offset, &fields.a, &fields.b, &fields.length, &fields.vertical}) {
        QString line = atColumn(captionColumn, item->caption);
        padToColumn(line, valueColumn);
        writeSpacedLine(line + item->value);
    }
    for (int i = 0; i < 4; ++i) {
        writeLine(blank);
    }
    const QString hashes(frameWidth, QLatin1Char('#'));
    writeLine(atColumn(frameColumn, hashes));
    writeLine(atColumn(frameColumn, disclaimer));
    writeLine(atColumn(frameColumn, hashes));
    writeLine(blank);
    return text.toLocal8Bit();
}

} // namespace twinoffset
