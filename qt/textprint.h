#pragma once

// Plain text on the default printer, without a dialog, as one block: the
// text is neither trimmed nor reflowed, only broken where it breaks itself
// and where the paper ends.

#include "qt/printer.h"

#include <QFont>
#include <QList>
#include <QString>

#include <functional>

namespace qtface {

// Prints the text in the family at the size, in points. Where the family is
// not a fixed-pitch font on this system, the system's fixed-pitch font
// stands in, so that text set in columns stays in columns. CR LF, a lone LF
// and a lone CR each end a line; a line wider than the paper continues on
// the next, and a text longer than a page on the next page.
PrintStatus printText(const QString& text, const QString& family, qreal pointSize);

// Test seam: while one lives, each text handed to printText is recorded
// with the font chosen for it, before its job begins. Where the job goes is
// still up to PrinterRedirect. Scoped, so that a failing test cannot leave
// it in place.
class TextPrintRecorder {
public:
    struct Print {
        QString text;
        QFont font;
    };

    TextPrintRecorder();
    ~TextPrintRecorder();
    TextPrintRecorder(const TextPrintRecorder&) = delete;
    TextPrintRecorder& operator=(const TextPrintRecorder&) = delete;

    const QList<Print>& prints() const { return prints_; }

    // Called with each text as it is handed over, for a test that looks
    // around at that moment.
    std::function<void(const QString& text)> onPrint;

private:
    friend PrintStatus printText(const QString&, const QString&, qreal);
    QList<Print> prints_;
    TextPrintRecorder* previous_;
    static TextPrintRecorder* current_;
};

} // namespace qtface
