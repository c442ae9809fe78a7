#pragma once

#include <QSvgRenderer>
#include <QWidget>

#include <memory>

namespace qtface {

// The picture box: shows a vector diagram unscaled at its nominal size from
// the box's top-left corner, clipped by the box. Vector, so it stays sharp on
// high-DPI screens and on paper. The drawing is read at its first paint, not
// before the window first appears.
class DiagramView : public QWidget {
    Q_OBJECT

public:
    DiagramView(const QString& resource, QWidget* parent = nullptr);
    ~DiagramView() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString resource_;
    std::unique_ptr<QSvgRenderer> renderer_;
};

} // namespace qtface
