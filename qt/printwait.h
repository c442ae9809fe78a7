#pragma once

// How a Qt window waits for a print: Qt's event loop runs, so the window
// stays painted, while user input to every widget is held back, except to
// a control let through (a close button) and requests to close a window:
// a person must be able to close the program then too. When the program
// ends during the wait, the wait ends at once.

#include "forms/printflow.h"

#include <QObject>

#include <mutex>

class QEventLoop;
class QWidget;

namespace qtface {

class QtWaiter : public forms::Waiter {
public:
    End wait(std::chrono::steady_clock::time_point deadline) override;
    void wake() override;

private:
    std::mutex mutex_;
    bool woken_ = false;
    QEventLoop* loop_ = nullptr; // while a wait runs it
};

// A control that closes its window keeps taking input while a print waits.
// For the life of the control.
void letThroughWhilePrinting(QWidget* control);

} // namespace qtface
