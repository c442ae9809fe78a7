#include "qt/screenfit.h"

#include <QEvent>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>

namespace qtface {

namespace {

// Closing the window (solooffset's Afsluiten) closes the frame it sits in,
// and with it the program.
class ScrollFrame : public QScrollArea {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == widget() && event->type() == QEvent::Close) {
            close();
        }
        return QScrollArea::eventFilter(watched, event);
    }
};

} // namespace

ScreenFit::ScreenFit(QWidget& window) {
    const QScreen* screen = window.screen();
    if (screen == nullptr) {
        return;
    }
    const QRect available = screen->availableGeometry();
    const QSize size = window.size();
    if (size.width() <= available.width() && size.height() <= available.height()) {
        return;
    }

    frame_ = std::make_unique<ScrollFrame>();
    frame_->setWindowTitle(window.windowTitle());
    frame_->setWindowIcon(window.windowIcon());
    frame_->setFrameShape(QFrame::NoFrame);
    frame_->setWidget(&window);

    // Room for both scroll bars, so that neither pushes the other in; the
    // available area does not count the title bar a window manager adds.
    const QStyle* style = frame_->style();
    const int bar = style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, frame_.get());
    const int title = style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, frame_.get());
    const QSize whole = size + QSize(bar, bar);
    frame_->setMaximumSize(whole);
    frame_->resize(whole.boundedTo(available.size() - QSize(0, title)));
}

ScreenFit::~ScreenFit() {
    if (frame_) {
        frame_->takeWidget();
    }
}

} // namespace qtface
