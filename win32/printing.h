#pragma once

// What the Windows face gives the print flow (forms/printflow.h): the
// default printer through GDI and the spooler, without a dialog, and a wait
// that keeps the window painted and closable.

#include "forms/printflow.h"

#include <windows.h>

namespace win32face {

class Win32Printer : public forms::Printer {
public:
    bool hasDefaultPrinter() override;
    // Each line with TextOutW in the family at the size; where the printer
    // offers no such face (Courier is a screen font on most of them), in
    // Courier New, so that columns stay columns.
    bool printText(const std::string& text, const std::string& family, double pointSize) override;
    bool printImage(const forms::WindowImage& image) override;
};

// The wait: messages are dispatched, so the window paints, but a person's
// keys and clicks are dropped, except on the window's frame (its close box)
// and on the control let through; Alt+F4 closes as ever. WM_QUIT ends the
// wait as Closing and is posted again for the message loop.
class Win32Waiter : public forms::Waiter {
public:
    Win32Waiter();
    ~Win32Waiter() override;
    Win32Waiter(const Win32Waiter&) = delete;
    Win32Waiter& operator=(const Win32Waiter&) = delete;

    End wait(std::chrono::steady_clock::time_point deadline) override;
    void wake() override;

    void letThrough(HWND control) { letThrough_ = control; }

private:
    bool heldBack(const MSG& message) const;

    HANDLE woken_; // auto-reset: a wake before the wait is kept for it
    HWND letThrough_ = nullptr;
};

// The client area, content pixels wide and high, at the window's
// resolution, as the screen shows it; on a small screen, where the window
// scrolls, what is scrolled out of view stays blank.
forms::WindowImage windowImage(HWND window, SIZE content, POINT scrolled);

} // namespace win32face
