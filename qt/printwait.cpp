#include "qt/printwait.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <QVariant>
#include <QWidget>

namespace qtface {

namespace {

// The property that marks a control let through while a print waits.
constexpr char letThroughProperty[] = "qtface.letThroughWhilePrinting";

// Holds back user input to every widget for as long as it lives, except to
// a control let through and to its children. Requests to close a window
// are no user input here: they pass.
class InputHold : public QObject {
public:
    InputHold() { QCoreApplication::instance()->installEventFilter(this); }
    ~InputHold() override { QCoreApplication::instance()->removeEventFilter(this); }
    InputHold(const InputHold&) = delete;
    InputHold& operator=(const InputHold&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // A shortcut reaches its control without passing as input there.
        if (!event->isInputEvent() && event->type() != QEvent::Shortcut) {
            return false;
        }
        // Input passes through the window of a widget before the widget
        // gets it; it is held back at the widget.
        const auto* widget = qobject_cast<const QWidget*>(watched);
        for (; widget != nullptr; widget = widget->parentWidget()) {
            if (widget->property(letThroughProperty).toBool()) {
                return false;
            }
        }
        return watched->isWidgetType();
    }
};

} // namespace

forms::Waiter::End QtWaiter::wait(std::chrono::steady_clock::time_point deadline) {
    QEventLoop loop;
    {
        const std::lock_guard lock(mutex_);
        if (woken_) {
            woken_ = false;
            return End::Woken;
        }
        loop_ = &loop;
    }
    bool timedOut = false;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, [&timedOut, &loop] {
        timedOut = true;
        loop.quit();
    });
    // Rounded up: a wait never ends before its deadline.
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    timer.start(std::max(left, std::chrono::milliseconds(0)));
    {
        const InputHold hold;
        loop.exec();
    }
    const std::lock_guard lock(mutex_);
    loop_ = nullptr;
    if (woken_) {
        woken_ = false;
        return End::Woken;
    }
    // When neither the job nor the deadline ended the loop, the application
    // is ending, and with it every loop on this thread.
    return timedOut ? End::TimedOut : End::Closing;
}

void QtWaiter::wake() {
    const std::lock_guard lock(mutex_);
    woken_ = true;
    if (loop_ != nullptr) {
        // Queued: it quits the loop once the loop runs, also when that is
        // after this; a loop gone by then takes its posted call with it.
        QMetaObject::invokeMethod(loop_, &QEventLoop::quit, Qt::QueuedConnection);
    }
}

void letThroughWhilePrinting(QWidget* control) {
    control->setProperty(letThroughProperty, true);
}

} // namespace qtface
