#pragma once

// A window on a screen too small for it. A laptop of 1366 x 768 at 150 %
// leaves 910 x 512 of its 750 x 627: the lower calculation would run off the
// screen. There the window is put into a scrolling frame that fits the
// screen; the window itself keeps its size and every control its place, and
// the frame takes its title and icon. On a screen large enough nothing
// changes.
//
// Made before the window is first shown; the frame lives as long as this
// object, and the window is taken out of it again before it goes.

#include <memory>

class QScrollArea;
class QWidget;

namespace qtface {

class ScreenFit {
public:
    explicit ScreenFit(QWidget& window);
    ~ScreenFit();
    ScreenFit(const ScreenFit&) = delete;
    ScreenFit& operator=(const ScreenFit&) = delete;

    // The frame, or nullptr where the window fits its screen as it is.
    QScrollArea* frame() const { return frame_.get(); }

private:
    std::unique_ptr<QScrollArea> frame_;
};

} // namespace qtface
