#include "qt/qtprinter.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextLayout>
#include <QtMath>
#include <QWidget>

#include <algorithm>

#if defined(OFFSET_HAVE_CUPS) && QT_CONFIG(cups)
#include <cups/cups.h>
#include <dlfcn.h>
#endif

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

// Lays the text out line by line at the printer's resolution, starting a new
// page where the paper ends; false when a new page is refused.
bool drawText(QPrinter& printer, QPainter& painter, const QString& text, const QFont& font) {
    // The painter's origin is the top left of the printable area.
    const QSizeF page = printer.pageRect(QPrinter::DevicePixel).size();
    const qreal lineSpacing = QFontMetricsF(font, &printer).lineSpacing();
    QTextOption wrapping;
    wrapping.setWrapMode(QTextOption::WrapAnywhere);

    qreal y = 0;
    for (const std::string& lineText : forms::linesOf(text.toStdString())) {
        const QString line = QString::fromStdString(lineText);
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

// The image as Qt sees it, over the pixels the job owns: no copy.
QImage imageOf(const forms::WindowImage& image) {
    return QImage(reinterpret_cast<const uchar*>(image.pixels.data()), image.width, image.height,
                  qsizetype(image.width) * 4, QImage::Format_RGB32);
}

// A job begun on the printer, drawn by the function and ended; false when any
// of it failed.
template <typename Draw> bool runJob(QPrinter& printer, const Draw& draw) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false; // no printer after all, or a file that cannot be written
    }
    const bool drawn = draw(painter);
    // Ending the painter hands the job to the print system.
    const bool ended = painter.end();
    return drawn && ended && printer.printerState() != QPrinter::Error &&
           printer.printerState() != QPrinter::Aborted;
}

// Whether the print system took the job that was just ended on this thread.
// Qt hands the finished job to CUPS and drops its answer, so a printer that
// refuses jobs would lose the print without a word; CUPS keeps the answer
// for the thread that asked. CUPS as Qt's print plugin loaded it: linked
// into the program, CUPS and the twenty libraries it needs would load at
// every start, print or not.
bool lastJobTaken() {
#if defined(OFFSET_HAVE_CUPS) && QT_CONFIG(cups)
    void* cups = dlopen("libcups.so.2", RTLD_NOW | RTLD_NOLOAD);
    if (cups == nullptr) {
        return false; // no job went through CUPS
    }
    using LastError = ipp_status_t (*)();
    const auto lastError = reinterpret_cast<LastError>(dlsym(cups, "cupsLastError"));
    const bool taken = lastError != nullptr && lastError() <= IPP_STATUS_OK_EVENTS_COMPLETE;
    dlclose(cups);
    return taken;
#else
    return true;
#endif
}

void setUp(QPrinter& printer) {
    printer.setResolution(printResolution);
}

} // namespace

bool QtPrinter::hasDefaultPrinter() {
    // Without one, QPrinter quietly turns into a PDF writer with no file.
    return !QPrinterInfo::defaultPrinter().isNull();
}

bool QtPrinter::printText(const std::string& text, const std::string& family, double pointSize) {
    QPrinter printer(QPrinter::HighResolution);
    setUp(printer);
    return printTextOn(printer, QString::fromStdString(text), QString::fromStdString(family),
                       pointSize) &&
           lastJobTaken();
}

bool QtPrinter::printImage(const forms::WindowImage& image) {
    QPrinter printer(QPrinter::HighResolution);
    setUp(printer);
    return printImageOn(printer, image) && lastJobTaken();
}

bool printTextOn(QPrinter& printer, const QString& text, const QString& family, qreal pointSize) {
    const QFont font = fixedPitchFont(family, pointSize);
    return runJob(printer,
                  [&](QPainter& painter) { return drawText(printer, painter, text, font); });
}

bool printImageOn(QPrinter& printer, const forms::WindowImage& image) {
    return runJob(printer, [&](QPainter& page) {
        // A plain drawImage into a rectangle, which the PDF engine keeps at
        // the image's own pixels, placed by a transform.
        const QSizeF printable = printer.pageRect(QPrinter::DevicePixel).size();
        if (image.width <= 0 || image.height <= 0 || printable.isEmpty()) {
            return true;
        }
        const qreal scale =
            std::min(printable.width() / image.width, printable.height() / image.height);
        page.drawImage(QRectF(0, 0, image.width * scale, image.height * scale), imageOf(image));
        return true;
    });
}

forms::WindowImage windowImage(QWidget& window) {
    // Qt lays widgets out in pixels of 1/96 inch; on paper the window keeps
    // that size. With a scaling transform QWidget::render draws the controls
    // at the print resolution instead of enlarging a screen-sized image.
    constexpr qreal scale = printResolution / 96.0;
    forms::WindowImage image;
    image.dotsPerInch = printResolution;
    image.width = qCeil(window.width() * scale);
    image.height = qCeil(window.height() * scale);
    image.pixels.assign(std::size_t(image.width) * std::size_t(image.height), 0xffffffffU);
    if (image.pixels.empty()) {
        return image;
    }
    QImage canvas(reinterpret_cast<uchar*>(image.pixels.data()), image.width, image.height,
                  qsizetype(image.width) * 4, QImage::Format_RGB32);
    QPainter painter(&canvas);
    painter.scale(scale, scale);
    window.render(&painter);
    painter.end();
    return image;
}

} // namespace qtface
