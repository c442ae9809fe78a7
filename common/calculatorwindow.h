#pragma once

// What both calculator windows share: the controls both have, the held bend
// pair, and showing what a click comes to.
//
// The road of a click, in either window: the handler collects the texts its
// boxes show and hands them, with the locale's decimal separator, to the
// core's step for its system and mode (offsetcore/steps.h), which checks,
// reads, looks up and calculates in the window's order. The outcome is either
// a problem, whose message is shown while nothing in the window changes, or
// the texts to write, which Bereken (mode 1) or BerekenSecties (mode 2)
// writes before holding the pair.

#include "common/formtable.h"
#include "offsetcore/steps.h"
#include "offsetcore/tables.h"
#include "platform/printer.h"

#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <optional>
#include <string>

namespace platform {
class PickComboBox;
}

namespace common {

class CalculatorWindow : public QWidget {
    Q_OBJECT

public:
    // The bend pair of the last lookup that found a row, in either mode.
    const std::optional<offsetcore::BendDimensions>& heldBend() const { return heldBend_; }

protected:
    explicit CalculatorWindow(const FormTable& form, QWidget* parent = nullptr);

    template <typename T> T* control(const char* name) const {
        auto* found = findChild<T*>(QString::fromUtf8(name), Qt::FindDirectChildrenOnly);
        Q_ASSERT_X(found != nullptr, "CalculatorWindow::control", name);
        return found;
    }

    // Window load, shared part: the angle list into both angle boxes, then the
    // counts into the three count boxes, one count at a time.
    void fillLists(offsetcore::ItemList angles);
    // Shows the window centred on its screen and gives the focus to cmbHoek.
    void showAndFocus();

    void warn(offsetcore::Problem problem);
    // Tells the user when a print did not go out; a printed job says
    // nothing, and neither does one left behind when the program ends.
    void showPrintStatus(platform::PrintStatus status);
    // The locale's decimal separator, as the core reads numbers with it.
    std::string decimalSeparator() const;
    // The texts a box shows, as the core takes them (UTF-8).
    static std::string text(const QLineEdit* box);
    static std::string text(const platform::PickComboBox* box);

    // Mode 1: the problem's message, or the results written by Bereken.
    void showLengths(const offsetcore::Outcome<offsetcore::LengthTexts>& outcome);
    // Mode 2: the problem's message, or the results written by BerekenSecties.
    void showOffsets(const offsetcore::Outcome<offsetcore::OffsetTexts>& outcome);

    // Writes txtLengte, txtHoogte, txtA and txtB, in that order, has
    // cmdBereken tell them to a screen reader, and holds the pair and the
    // texts the results came from.
    void Bereken(const offsetcore::LengthTexts& results);
    // Writes txtVerHor, then txtVerVerticaal, has cmdBereken2 tell them,
    // and holds the pair.
    void BerekenSecties(const offsetcore::OffsetTexts& results);

    // The angle and offset texts the mode 1 results shown were computed
    // from; nothing before the first.
    const std::optional<offsetcore::LengthInputs>& lengthInputs() const { return lengthInputs_; }

    platform::PickComboBox* cmbHoek;
    QLineEdit* txtHorVersleping;
    QPushButton* cmdBereken;
    QLineEdit* txtA;
    QLineEdit* txtB;
    QLineEdit* txtLengte;
    QLineEdit* txtHoogte;
    platform::PickComboBox* cmbHoek2;
    platform::PickComboBox* cmb1000;
    platform::PickComboBox* cmb500;
    platform::PickComboBox* cmb250;
    QPushButton* cmdBereken2;
    QLineEdit* txtVerHor;
    QLineEdit* txtVerVerticaal;

private:
    std::optional<offsetcore::BendDimensions> heldBend_;
    std::optional<offsetcore::LengthInputs> lengthInputs_;
};

} // namespace common
