#pragma once

// The two calculator windows as the programs make them: the Qt face over
// each window's presenter, reading numbers with the locale's separator.

#include "forms/presenter.h"
#include "qt/formwindow.h"

#include <memory>

inline std::unique_ptr<qtface::FormWindow> makeTwin() {
    return std::make_unique<qtface::FormWindow>(
        std::make_unique<forms::TwinPresenter>(qtface::FormWindow::decimalSeparator()));
}

inline std::unique_ptr<qtface::FormWindow> makeSolo() {
    return std::make_unique<qtface::FormWindow>(
        std::make_unique<forms::SoloPresenter>(qtface::FormWindow::decimalSeparator()));
}
