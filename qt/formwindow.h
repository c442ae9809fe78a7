#pragma once

// A calculator window in Qt: drawn from its presenter's control table, it
// carries every event to the presenter (forms/presenter.h) and carries out
// the answer. It decides nothing: what a click writes, holds, enables or
// prints is the presenter's. What is Qt's alone stays here: the widgets, the
// window's font and icon, centring it on its screen, the message box, and
// the two prints on the default printer.

#include "forms/presenter.h"

#include <QWidget>

#include <memory>

class QCloseEvent;

namespace qtface {

class FormWindow : public QWidget {
    Q_OBJECT

public:
    explicit FormWindow(std::unique_ptr<forms::Presenter> presenter, QWidget* parent = nullptr);
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
    forms::PrintOutcome printReport(const forms::PrintReport& report);
    forms::PrintOutcome printImage();
    QWidget* control(const std::string& name) const;
    // Shows the window centred on its screen, with the focus in the control.
    void showAndFocus(const std::string& focus);

    std::unique_ptr<forms::Presenter> presenter_;
};

} // namespace qtface
