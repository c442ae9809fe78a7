#pragma once

// The concentric 100/150 calculator. Mode 1 (upper half): angle and offset
// give A, B, the length between the bends and the vertical offset. Mode 2
// (lower half): angle and numbers of sections give the horizontal and the
// vertical offset. A pick in an angle box does nothing beyond showing the
// text: both calculations read their angle box at the click.
//
// Test prints what mode 1 shows: the captions and the texts of the boxes are
// composed into the report by the core (offsetcore/steps.h), which refuses
// when the angle or offset shown is no longer what the results shown were
// computed from, so that the paper never pairs them wrongly. It is written in
// the system's 8-bit encoding to a new temporary file of this click's own,
// read back whole (LeesBestand) and printed on the default printer in
// Courier 14. The file goes as soon as it has been read back, before the
// print starts. The first step that fails is shown and ends the click.

#include "common/calculatorwindow.h"
#include "offsetcore/report.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <string>

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

    // The report as read back from its file; nothing when the file could not
    // be made.
    static std::optional<QString> reportText(const std::string& report);
    offsetcore::ReportFields reportFields() const;
    // The whole content of the normal file at the path; nothing when there
    // is none or it cannot be read.
    static std::optional<QByteArray> LeesBestand(const QString& path);
};
