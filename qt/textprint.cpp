#include "qt/textprint.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QRegularExpression>
#include <QTextLayout>

namespace qtface {

namespace {

QFont fixedPitchFont(const QString& family, qreal pointSize) {
    QFont font(family);
    font.setStyleHint(QFont::TypeWriter);
    if (!QFontInfo(font).fixedPitch()) {
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    }
    font.setPointSizeF(pointSize);
    return font;
}

QStringList linesOf(const QString& text) {
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n|\r"));
    QStringList lines = text.split(lineBreak);
    // A final line break ends the last line; it starts no empty one.
    if (lines.size() > 1 && lines.constLast().isEmpty()) {
        lines.removeLast();
    }
    return lines;
}

// Lays the text out line by line at the printer's resolution, starting a new
// page where the paper ends; false when a new page is refused.
bool drawText(QPrinter& printer, QPainter& painter, const QString& text, const QFont& font) {
    // The painter's origin is the top left of the printable area.
    const QSizeF page = printer.pageRect(QPrinter::DevicePixel).size();
    const qreal lineSpacing = QFontMetricsF(font, &printer).lineSpacing();
    QTextOption wrapping;
    wrapping.setWrapMode(QTextOption::WrapAnywhere);

    qreal y = 0;
    for (const QString& line : linesOf(text)) {
        // Even an empty line is laid out as one row, so that it takes its
        // place on paper.
        QTextLayout layout(line, font, &printer);
        layout.setTextOption(wrapping);
        layout.beginLayout();
        for (QTextLine row = layout.createLine(); row.isValid(); row = layout.createLine()) {
            row.setLineWidth(page.width());
        }
        layout.endLayout();
        for (int i = 0; i < layout.lineCount(); ++i) {
            if (y > 0 && y + lineSpacing > page.height()) {
                if (!printer.newPage()) {
                    return false;
                }
                y = 0;
            }
            const QTextLine row = layout.lineAt(i);
            row.draw(&painter, QPointF(0, y - row.y()));
            y += lineSpacing;
        }
    }
    return true;
}

} // namespace

TextPrintRecorder* TextPrintRecorder::current_ = nullptr;

TextPrintRecorder::TextPrintRecorder() : previous_(current_) {
    current_ = this;
}

TextPrintRecorder::~TextPrintRecorder() {
    current_ = previous_;
}

PrintStatus printText(const QString& text, const QString& family, qreal pointSize) {
    const QFont font = fixedPitchFont(family, pointSize);
    if (TextPrintRecorder* recorder = TextPrintRecorder::current_) {
        recorder->prints_.append({text, font});
        if (recorder->onPrint) {
            recorder->onPrint(text);
        }
    }

    // The job gets copies of the text and the font: it may end after this
    // call has. Lines are laid out there, against the job's own printer.
    return print([text, font](QPrinter& printer, QPainter& painter) {
        return drawText(printer, painter, text, font);
    });
}

} // namespace qtface
