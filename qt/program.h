#pragma once

// How both calculator programs start: the command line is answered first,
// then the application is made, the window made, fitted to its screen and
// loaded, and the program runs until the window closes.

#include "forms/presenter.h"
#include "qt/commandline.h"

#include <functional>
#include <memory>
#include <string>

namespace qtface {

// Makes the window's presenter, given the locale's decimal separator.
using MakePresenter = std::function<std::unique_ptr<forms::Presenter>(std::string decimalSeparator)>;

// The exit status of the program. Without a display to show the window on,
// it says so in one line on standard error (Dutch under a Dutch locale) and
// ends with status 1.
int runCalculator(int argc, char* argv[], const ProgramInfo& program,
                  const MakePresenter& makePresenter);

} // namespace qtface
