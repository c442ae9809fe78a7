#pragma once

// The single-wall calculator. Mode 1 (upper half): angle, diameter and offset
// give A, B, the length between the bends and the vertical offset. Mode 2
// (lower half): angle, diameter and numbers of sections give the horizontal
// and the vertical offset.
//
// Where it parts from the concentric window:
// - A bend's size depends on the pipe diameter too, and not every angle is
//   made in every diameter. So each mode has a diameter box, closed until an
//   angle is picked in the same mode; the pick fills it with the diameters of
//   that angle. Typing an angle neither fills nor opens it.
// - Mode 1 hands the core the angle last picked (pickedAngle), the one its
//   diameter list was made for, beside what cmbHoek shows; the core's step
//   calculates with the pick and asks for an angle from the list when the
//   box shows another number. Mode 2 hands over what cmbHoek2 shows.
// - cmdPrinten prints an image of the window once the core finds either pair
//   of results shown; cmdAfsluiten closes the window, and with it the program.

#include "common/calculatorwindow.h"

class FrmSolo : public common::CalculatorWindow {
    Q_OBJECT

public:
    explicit FrmSolo(QWidget* parent = nullptr);

    // Window load: closes both diameter boxes, fills the lists, shows the
    // window and focuses cmbHoek.
    void frmSoloLoad();

    // The text of the item last picked in cmbHoek; empty until the first pick.
    const QString& pickedAngle() const { return pickedAngle_; }

private:
    void cmbHoekPicked(const QString& text);
    void cmbHoek2Picked(const QString& text);
    void cmdBerekenClicked();
    void cmdBereken2Clicked();
    void cmdPrintenClicked();
    void cmdAfsluitenClicked();

    platform::PickComboBox* cmbDiameter;
    platform::PickComboBox* cmbDiameter2;
    QString pickedAngle_;
};
