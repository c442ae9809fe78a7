#pragma once

// A calculator window in plain Win32: drawn from its presenter's control
// table, it carries every event to the presenter (forms/presenter.h) and
// carries out the answer, as the Qt face does; nothing of what a click
// writes, holds, enables or prints is decided here. What is Windows' own
// stays here: the controls and their fonts at the window's DPI (and again
// when it moves to a screen of another scale), Tab through
// IsDialogMessageW, MessageBoxW, the names and descriptions a screen reader
// reads, the window's image and the wait for a print.

#include "forms/presenter.h"
#include "forms/printflow.h"
#include "win32/printing.h"

#include <chrono>
#include <memory>
#include <string>
#include <vector>
#include <windows.h>

struct IAccPropServices;

namespace win32face {

class Diagram;

class FormWindow {
public:
    FormWindow(HINSTANCE instance, std::unique_ptr<forms::Presenter> presenter,
               std::shared_ptr<forms::Printer> printer,
               std::chrono::milliseconds answerLimit = forms::printAnswerLimit);
    ~FormWindow();
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    // Window load: whatever the presenter asks for then.
    void load();
    // The message loop, until the window is gone; the program's exit status.
    int run();

    // The user's decimal separator, with which a presenter reads numbers.
    static std::string decimalSeparator();

private:
    struct Control {
        const forms::ControlEntry* entry;
        HWND window = nullptr;
        bool dropped = false;     // a combo box's list is open
        int pickedWhileOpen = -1; // the item a list pick just counted, or -1
    };

    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT handle(UINT message, WPARAM w, LPARAM l);
    void createControls();
    // Places every control and sets its font for the window's DPI; where the
    // window is larger than the screen's work area, it is made to fit and
    // scrolls, every control keeping its place in it.
    void layOut();
    void scrollBy(int dx, int dy);
    void scrolled(int bar, int request);
    // Scrolls the control that has the focus into view.
    void followFocus();
    void makeFonts();
    void describeForScreenReaders();
    Control* control(std::string_view name);
    Control* controlOf(HWND window);
    forms::Shown shown() const;

    void command(Control& control, int code);
    void pick(Control& control, int index);
    void carryOut(const forms::Answer& answer);
    void carryOut(const forms::Action& action);
    void showAndFocus(const std::string& focus);
    void tellResults(const forms::TellResults& tell);

    int px(int twips) const { return MulDiv(twips, int(dpi_), 1440); }

    HINSTANCE instance_;
    std::unique_ptr<forms::Presenter> presenter_;
    HWND window_ = nullptr;
    UINT dpi_ = 96;
    POINT scroll_{0, 0};   // how far the window is scrolled, in pixels
    HWND focus_ = nullptr; // the focus as last seen by followFocus
    std::vector<Control> controls_;
    HFONT dialogFont_ = nullptr;
    HFONT noteFont_ = nullptr;
    std::unique_ptr<Diagram> diagram_;
    IAccPropServices* accessibility_ = nullptr; // once the window is on the screen
    Win32Waiter waiter_;
    forms::PrintFlow printFlow_;
};

} // namespace win32face
