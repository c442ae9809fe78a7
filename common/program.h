#pragma once

// How both calculator programs start: the command line is answered first,
// then the application is made, the window made, fitted to its screen and
// loaded, and the program runs until the window closes.

#include "common/commandline.h"

#include <functional>
#include <memory>

class QWidget;

namespace common {

// The exit status of the program. Without a display to show the window on,
// it says so in one line on standard error (Dutch under a Dutch locale) and
// ends with status 1.
int runProgram(int argc, char* argv[], const ProgramInfo& program,
               const std::function<std::unique_ptr<QWidget>()>& makeWindow,
               const std::function<void(QWidget&)>& load);

template <typename Window>
int runCalculator(int argc, char* argv[], const ProgramInfo& program, void (Window::*load)()) {
    return runProgram(
        argc, argv, program, [] { return std::make_unique<Window>(); },
        [load](QWidget& window) { (static_cast<Window&>(window).*load)(); });
}

} // namespace common
