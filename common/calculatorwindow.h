#pragma once

// What both calculator windows share: the controls both have, reading box
// texts as numbers, writing results, the held bend pair and the messages.
//
// The road of a click, in either window: the handler tests the boxes for
// empty text in a fixed order (the first failure is shown and ends it), reads
// each value with the locale's decimal separator (a value that is no number
// is shown and ends it), looks A and B up for the angle (and diameter), runs
// the core and only then writes the output boxes and replaces heldBend. So
// after any message, nothing in the window has changed.

#include "common/formtable.h"
#include "offsetcore/geometry.h"
#include "offsetcore/tables.h"
#include "platform/printer.h"

#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <optional>

namespace platform {
class PickComboBox;
}

namespace common {

namespace prompts {
inline constexpr char title[] = "Let op!";
inline constexpr char enterAngle[] = "Hoek invoeren";
inline constexpr char enterOffset[] = "Versleping invoeren";
inline constexpr char angleNotANumber[] = "Hoek is geen geldig getal";
inline constexpr char offsetNotANumber[] = "Versleping is geen geldig getal";
inline constexpr char countNotANumber[] = "Aantal secties is geen geldig getal";
inline constexpr char resultTooLarge[] = "Uitkomst te groot";
inline constexpr char noPrinter[] = "Geen printer beschikbaar";
inline constexpr char printFailed[] = "Afdrukken mislukt";
inline constexpr char printerNotAnswering[] = "Printer reageert niet";
} // namespace prompts

class CalculatorWindow : public QWidget {
    Q_OBJECT

public:
    // The bend pair of the last lookup that found a row, in either mode.
    const std::optional<offsetcore::BendDimensions>& heldBend() const { return heldBend_; }

protected:
    // The profile is the flue system every calculation of the window uses.
    CalculatorWindow(const FormTable& form, const offsetcore::SystemProfile& profile,
                     QWidget* parent = nullptr);

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

    void warn(const char* prompt, const char* title = prompts::title);
    // Tells the user when a print did not go out; a printed job says nothing.
    void showPrintStatus(platform::PrintStatus status);
    // The text as a number, read with the locale's decimal separator.
    std::optional<double> parseNumber(const QString& text) const;
    // The same, or a message naming the value and no number.
    std::optional<double> readNumber(const QString& text, const char* problem);
    std::optional<offsetcore::SectionCounts> readCounts();

    // Mode 1 with the values the click read and the row it found: writes
    // txtLengte, txtHoogte, txtA and txtB, in that order, and holds the row.
    void Bereken(double angle, double offset, offsetcore::BendDimensions row);
    // Mode 2 likewise: writes txtVerHor, then txtVerVerticaal, and holds the
    // row. Neither writes anything when the result is too large to show.
    void BerekenSecties(double angle, const offsetcore::SectionCounts& counts,
                        offsetcore::BendDimensions row);

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
    const offsetcore::SystemProfile& profile_;
    std::optional<offsetcore::BendDimensions> heldBend_;
};

} // namespace common
