#pragma once

// How both Windows programs start: COM and the common controls for this
// thread, the window over its presenter printing on the default printer,
// loaded, and the message loop until it closes.

#include "forms/presenter.h"

#include <functional>
#include <memory>
#include <string>
#include <windows.h>

namespace win32face {

// Makes the window's presenter, given the user's decimal separator.
using MakePresenter =
    std::function<std::unique_ptr<forms::Presenter>(std::string decimalSeparator)>;

int runCalculator(HINSTANCE instance, const MakePresenter& makePresenter);

} // namespace win32face
