#pragma once

// The concentric 100/150 calculator. Mode 1 (upper half): angle and offset
// give A, B, the length between the bends and the vertical offset. Mode 2
// (lower half): angle and numbers of sections give the horizontal and the
// vertical offset. A pick in an angle box does nothing beyond showing the
// text: both calculations read their angle box at the click.

#include "common/calculatorwindow.h"

class FrmTwin : public common::CalculatorWindow {
    Q_OBJECT

public:
    explicit FrmTwin(QWidget* parent = nullptr);

    // Window load: fills the lists, shows the window and focuses cmbHoek.
    void frmTwinLoad();

private:
    void cmdBerekenClicked();
    void cmdBereken2Clicked();
    void cmdTestClicked();

    // Mode 1 with the values the click read and the row it found.
    void Bereken(double angle, double offset, offsetcore::BendDimensions row);
};
