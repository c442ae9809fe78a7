#include "qt/windowprint.h"

#include <QImage>
#include <QtMath>
#include <QWidget>

#include <algorithm>
#include <new>

namespace qtface {

namespace {

// Qt lays widgets out in pixels of 1/96 inch; on paper the window keeps
// that size, which no printer has to be asked for.
constexpr qreal windowPixelsPerInch = 96;

// What drawing the controls at the print resolution takes beside the image:
// the style's and the fonts' caches at that size, generously.
constexpr qsizetype renderingAddressSpace = qsizetype(8) << 20;

qreal printScale() {
    return printResolution / windowPixelsPerInch;
}

QSize windowImageSize(const QWidget& window) {
    return {qCeil(window.width() * printScale()), qCeil(window.height() * printScale())};
}

// The window drawn afresh at the print resolution: with a scaling transform
// QWidget::render draws the controls at that size instead of enlarging a
// screen-sized image. A null image when there is too little memory for it.
// An image this large the raster engine splits over its helper threads and
// waits for them here, on the GUI thread; the programs start those helpers
// with themselves (qt/helperthreads.h), so none can be missing now.
QImage windowImage(QWidget& window) {
    QImage image(windowImageSize(window), QImage::Format_RGB32);
    if (image.isNull()) {
        return image;
    }
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(printScale(), printScale());
    window.render(&painter);
    painter.end();
    return image;
}

// On the print thread: a plain drawImage into a rectangle, which the
// printer's PDF engine keeps at the image's own pixels, placed by a
// transform. The painter starts at the top-left corner of the printable
// area.
void placeOnPage(QPrinter& printer, QPainter& page, const QImage& image) {
    const QSizeF printable = printer.pageRect(QPrinter::DevicePixel).size();
    if (image.isNull() || printable.isEmpty()) {
        return;
    }
    const qreal scale =
        std::min(printable.width() / image.width(), printable.height() / image.height());
    page.drawImage(QRectF(0, 0, image.width() * scale, image.height() * scale), image);
}

} // namespace

PrintStatus printWindow(QWidget* window) {
    // Widgets paint on the GUI thread only, and the job may never end: the
    // window is drawn here, before the job begins, into an image that only
    // the job holds from then on.
    QImage image;
    if (window->width() > 0 && window->height() > 0) {
        const QSize size = windowImageSize(*window);
        const qsizetype imageBytes = qsizetype(size.width()) * size.height() * 4;
        if (!addressSpaceFree(imageBytes + renderingAddressSpace + printJobAddressSpace)) {
            return PrintStatus::Failed;
        }
        try {
            image = windowImage(*window);
        } catch (const std::bad_alloc&) {
            return PrintStatus::Failed;
        }
        if (image.isNull()) {
            return PrintStatus::Failed;
        }
    }
    return print([image = std::move(image)](QPrinter& printer, QPainter& page) {
        placeOnPage(printer, page, image);
        return true;
    });
}

} // namespace qtface
