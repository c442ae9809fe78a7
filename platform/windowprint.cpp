#include "platform/windowprint.h"

#include <QWidget>

#include <algorithm>

namespace platform {

PrintStatus printWindow(QWidget* window) {
    PrintJob job;
    QPainter painter;
    if (const PrintStatus status = job.begin(painter); status != PrintStatus::Printed) {
        return status;
    }
    // The painter starts at the top-left corner of the printable area. With a
    // scaling transform QWidget::render draws the controls afresh at device
    // resolution instead of enlarging a screen-sized image.
    const QSizeF printable = job.printer().pageRect(QPrinter::DevicePixel).size();
    if (window->width() > 0 && window->height() > 0 && !printable.isEmpty()) {
        const qreal scale =
            std::min(printable.width() / window->width(), printable.height() / window->height());
        painter.scale(scale, scale);
        window->render(&painter);
    }
    return job.finish(painter);
}

} // namespace platform
