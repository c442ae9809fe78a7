#pragma once

// A calculator window in Qt: drawn from its presenter's control table, it
// carries every event to the presenter (forms/presenter.h) and carries out
// the answer. It decides nothing: what a click writes, holds, enables or
// prints is the presenter's. What is Qt's alone stays here: the widgets, the
// window's font and icon, centring it on its screen, the message box, the
// window's image for a print, and waiting for a print with the window alive.

#include "forms/presenter.h"
#include "forms/printflow.h"
#include "qt/printwait.h"

#include <QWidget>

#include <chrono>
#include <memory>

class QCloseEvent;

namespace qtface {

class FormWindow : public QWidget {
    Q_OBJECT

public:
    // printer: where the window's prints go (the default printer, through
    // qt/qtprinter.h); answerLimit: how long a print waits for it.
    FormWindow(std::unique_ptr<forms::Presenter> presenter, std::shared_ptr<forms::Printer> printer,
               std::chrono::milliseconds answerLimit = forms::printAnswerLimit,
               QWidget* parent = nullptr);
    ~FormWindow() override;

    forms::Presenter& presenter() const { return *presenter_; }

    // Window load: whatever the presenter asks for then.
    void load();

    // The texts of the window's combo and text boxes, as the presenter takes
    // them (UTF-8).
    forms::Shown shown() const;

    // The locale's decimal separator, with which a presenter reads numbers.
    static std::string decimalSeparator();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void clicked(const char* control);
    void picked(const char* control, const QString& item);
    void carryOut(const forms::Answer& answer);
    void carryOut(const forms::Action& action);
    forms::PrintOutcome printImage();
    QWidget* control(const std::string& name) const;
    // Shows the window centred on its screen, with the focus in the control.
    void showAndFocus(const std::string& focus);

    std::unique_ptr<forms::Presenter> presenter_;
    QtWaiter waiter_;
    forms::PrintFlow printFlow_;
};

} // namespace qtface
