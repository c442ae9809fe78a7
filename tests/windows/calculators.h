#pragma once

// The two calculator windows as the programs make them: the Qt face over
// each window's presenter, reading numbers with the locale's separator, and
// printing on the default printer unless a test hands them another.

#include "forms/presenter.h"
#include "qt/formwindow.h"
#include "qt/qtprinter.h"

#include <chrono>
#include <memory>

inline std::unique_ptr<qtface::FormWindow>
makeTwin(std::shared_ptr<forms::Printer> printer = std::make_shared<qtface::QtPrinter>(),
         std::chrono::milliseconds answerLimit = forms::printAnswerLimit) {
    return std::make_unique<qtface::FormWindow>(
        std::make_unique<forms::TwinPresenter>(qtface::FormWindow::decimalSeparator()),
        std::move(printer), answerLimit);
}

inline std::unique_ptr<qtface::FormWindow>
makeSolo(std::shared_ptr<forms::Printer> printer = std::make_shared<qtface::QtPrinter>(),
         std::chrono::milliseconds answerLimit = forms::printAnswerLimit) {
    return std::make_unique<qtface::FormWindow>(
        std::make_unique<forms::SoloPresenter>(qtface::FormWindow::decimalSeparator()),
        std::move(printer), answerLimit);
}
