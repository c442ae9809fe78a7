#include "platform/windowprint.h"

#include <QImage>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace platform {

PrintStatus printWindow(QWidget* window) {
    // Widgets paint on the GUI thread only: the window is drawn here, once the
    // printable area is known, into an image at the printer's resolution; the
    // print thread only places that image on the page.
    return print([window](QSizeF printable) -> PageDrawing {
        if (window->width() <= 0 || window->height() <= 0 || printable.isEmpty()) {
            return [](QPrinter&, QPainter&) { return true; };
        }
        // The painter starts at the top-left corner of the printable area.
        // With a scaling transform QWidget::render draws the controls afresh
        // at device resolution instead of enlarging a screen-sized image.
        const qreal scale =
            std::min(printable.width() / window->width(), printable.height() / window->height());
        const QRectF target(0, 0, window->width() * scale, window->height() * scale);
        QImage image(int(std::ceil(target.width())), int(std::ceil(target.height())),
                     QImage::Format_RGB32);
        if (image.isNull()) {
            return {}; // too little memory for it
        }
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.scale(scale, scale);
        window->render(&painter);
        painter.end();
        return [image, target](QPrinter&, QPainter& page) {
            page.drawImage(target, image);
            return true;
        };
    });
}

} // namespace platform
