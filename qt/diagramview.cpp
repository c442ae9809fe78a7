#include "qt/diagramview.h"

#include <QPainter>
#include <QStyleOptionFocusRect>

namespace qtface {

DiagramView::DiagramView(const QString& resource, QWidget* parent)
    : QWidget(parent), resource_(resource) {
    setFocusPolicy(Qt::StrongFocus);
}

DiagramView::~DiagramView() = default;

void DiagramView::paintEvent(QPaintEvent*) {
    if (!renderer_) {
        renderer_ = std::make_unique<QSvgRenderer>(resource_);
    }
    QPainter painter(this);
    painter.setClipRect(rect());
    renderer_->render(&painter, QRectF(QPointF(0, 0), QSizeF(renderer_->defaultSize())));
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

} // namespace qtface
