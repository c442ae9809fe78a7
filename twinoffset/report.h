#pragma once

// The printed report of mode 1: what the window shows at the click, six
// captions with their values framed by a title and a disclaimer, as the
// bytes that go into the report file.
//
// Nineteen lines, each ending in CR LF. Captions stand in column 10 and
// values in column 55 (counted from 1), so that the values line up under a
// fixed-pitch font; the rule above them and the six rows carry one extra LF
// before their CR LF, which the printer shows as an empty line of its own.
// Values are copied as the boxes hold them: untrimmed, unformatted, of any
// length.

#include <QByteArray>
#include <QString>

namespace twinoffset {

struct ReportItem {
    QString caption;
    QString value;
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

// The report in the system's 8-bit encoding (QString::toLocal8Bit: the ANSI
// code page on Windows, UTF-8 elsewhere), which is also how the report file
// is read back. The fixed texts are ASCII; a typed character that a Windows
// code page lacks is written as "?".
QByteArray composeReport(const ReportFields& fields);

} // namespace twinoffset
