#pragma once

// The default printer through Qt, without a dialog: text in a fixed-pitch
// font, or a window's image, at printResolution. The wait for the print
// system, the one job at a time and what the user is told are the print
// flow's (forms/printflow.h), not this.

#include "forms/printflow.h"

#include <QString>

class QPrinter;
class QWidget;

namespace qtface {

// Every job prints at this many dots per inch: it keeps a rendered window
// sharp on paper without page images of hundreds of megabytes at a
// printer's 1200 dpi.
inline constexpr int printResolution = 300;

class QtPrinter : public forms::Printer {
public:
    bool hasDefaultPrinter() override;
    bool printText(const std::string& text, const std::string& family, double pointSize) override;
    bool printImage(const forms::WindowImage& image) override;
};

// Draws onto a printer already set up (the default one, or a PDF file):
// the text as one block, neither trimmed nor reflowed, only broken where it
// breaks itself and where the paper ends, in the family at the size where
// that is a fixed-pitch font and in the system's fixed-pitch font where it
// is not, so that text set in columns stays in columns; a line wider than
// the paper continues on the next, a text longer than a page on the next
// page. False when the job could not be begun or ended well.
bool printTextOn(QPrinter& printer, const QString& text, const QString& family, qreal pointSize);
// The image on one page, from the top-left corner of the printable area, as
// wide as the printable area allows with its proportions kept.
bool printImageOn(QPrinter& printer, const forms::WindowImage& image);

// The window's client area as it stands, its controls with their current
// texts, drawn afresh at printResolution (not a screen image enlarged).
// Widgets paint on the GUI thread only: call it there, before the job.
forms::WindowImage windowImage(QWidget& window);

} // namespace qtface
