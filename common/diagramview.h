#pragma once

#include <QSvgRenderer>
#include <QWidget>

namespace common {

// The picture box: shows a vector diagram unscaled at its nominal size from
// the box's top-left corner, clipped by the box. Vector, so it stays sharp on
// high-DPI screens and on paper.
class DiagramView : public QWidget {
    Q_OBJECT

public:
    DiagramView(const QString& resource, QWidget* parent = nullptr);

    QSize diagramSize() const { return renderer_.defaultSize(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSvgRenderer renderer_;
};

} // namespace common
