#include "twinoffset/frmtwin.h"

#include "common/accessibility.h"
#include "platform/pickcombobox.h"
#include "platform/reportfile.h"
#include "platform/textprint.h"

#include <QLabel>

#include <new>

namespace {

using common::ControlEntry;
using common::ControlKind;
namespace spoken = common::spoken;
using offsetcore::Problem;

constexpr ControlEntry controls[] = {
    {"Label1", ControlKind::Label, "Hoek in graden:", 120, 240, 1455, 255},
    {"cmbHoek", ControlKind::ComboBox, "", 1680, 240, 1455, 315, "Label1", nullptr,
     spoken::lengthsCalculation},
    {"Label3", ControlKind::Label, "Lengte horizontale- versleping in mm:", 120, 840, 1455, 615},
    {"txtHorVersleping", ControlKind::TextBox, "", 1680, 840, 1455, 375, "Label3", nullptr,
     spoken::lengthsCalculation},
    {"cmdBereken", ControlKind::Button, "Bereken", 1680, 1560, 1575, 495, nullptr, nullptr,
     spoken::calculateLengths},
    {"cmdTest", ControlKind::Button, "Test", 4200, 1560, 975, 495, nullptr,
     "Test: rapport afdrukken",
     "Drukt een rapport van de bovenste berekening af op de standaardprinter"},
    {"Label6", ControlKind::Label, "A:", 480, 3240, 255, 255},
    {"txtA", ControlKind::OutputBox, "", 840, 3120, 1455, 375, "Label6", nullptr,
     spoken::lengthsCalculation},
    {"Label7", ControlKind::Label, "B:", 480, 3840, 255, 255},
    {"txtB", ControlKind::OutputBox, "", 840, 3720, 1455, 375, "Label7", nullptr,
     spoken::lengthsCalculation},
    {"Label4", ControlKind::Label, "Lengte tussen de bochten in mm:", 2520, 3120, 1695, 495},
    {"txtLengte", ControlKind::OutputBox, "", 4320, 3120, 1335, 375, "Label4", nullptr,
     spoken::lengthsCalculation},
    {"Label5", ControlKind::Label, "Lengte van de verticale versleping in mm:", 2520, 3720, 1695,
     615},
    {"txtHoogte", ControlKind::OutputBox, "", 4320, 3720, 1335, 375, "Label5", nullptr,
     spoken::lengthsCalculation},
    {"Line1", ControlKind::Line, "", 120, 4320, 5640, 0, nullptr, spoken::dividingLine},
    {"Label8", ControlKind::Label, "Hoek in graden:", 240, 4680, 1335, 255},
    {"cmbHoek2", ControlKind::ComboBox, "", 1800, 4680, 1455, 315, "Label8", nullptr,
     spoken::offsetsCalculation},
    {"Label11", ControlKind::Label, "1000mm sectie aantal:", 240, 5880, 1695, 255},
    {"cmb1000", ControlKind::ComboBox, "0", 2040, 5880, 1455, 315, "Label11", nullptr,
     spoken::offsetsCalculation},
    {"Label12", ControlKind::Label, "500mm sectie aantal:", 240, 6480, 1695, 255},
    {"cmb500", ControlKind::ComboBox, "0", 2040, 6480, 1455, 315, "Label12", nullptr,
     spoken::offsetsCalculation},
    {"Label13", ControlKind::Label, "250mm sectie aantal:", 240, 7080, 1695, 255},
    {"cmb250", ControlKind::ComboBox, "0", 2040, 7080, 1455, 315, "Label13", nullptr,
     spoken::offsetsCalculation},
    {"cmdBereken2", ControlKind::Button, "Bereken", 600, 8160, 1575, 495, nullptr, nullptr,
     spoken::calculateOffsets},
    {"Label16", ControlKind::Label, "Horizontale versleping in mm:", 2520, 8160, 1500, 495},
    {"txtVerHor", ControlKind::OutputBox, "", 4320, 8160, 1335, 375, "Label16", nullptr,
     spoken::offsetsCalculation},
    {"Label15", ControlKind::Label, "Verticale    versleping in mm:", 2520, 8760, 1500, 495},
    {"txtVerVerticaal", ControlKind::OutputBox, "", 4320, 8760, 1335, 375, "Label15", nullptr,
     spoken::offsetsCalculation},
    {"Picture1", ControlKind::Picture, ":/diagrams/diagram-concentric.svg", 6240, 240, 4755, 6495,
     nullptr, spoken::diagramName, spoken::diagram},
    {"Label14", ControlKind::NoteLabel,
     "Elke Kestravon Concentrisch 100/150 sectie heeft een insteekmaat van 30mm.", 6720, 8520, 4215,
     375},
    {"Label9", ControlKind::NoteLabel, "Aan deze berekeningen kunnen geen rechten worden ontleend.",
     6720, 9000, 4335, 255},
};

constexpr const char* tabOrder[] = {
    "txtHorVersleping", "txtA",        "txtB",     "txtLengte", "txtHoogte", "cmdBereken",
    "cmbHoek",          "cmbHoek2",    "cmb1000",  "cmb500",    "cmb250",    "txtVerHor",
    "txtVerVerticaal",  "cmdBereken2", "Picture1", "cmdTest",
};

constexpr common::FormTable form{
    "frmTwin", "Versleping Kestravon Concentrisch 100/150", 11250, 9405, controls, tabOrder,
};

} // namespace

FrmTwin::FrmTwin(QWidget* parent) : CalculatorWindow(form, parent) {
    connect(cmdBereken, &QPushButton::clicked, this, &FrmTwin::cmdBerekenClicked);
    connect(cmdBereken2, &QPushButton::clicked, this, &FrmTwin::cmdBereken2Clicked);
    connect(control<QPushButton>("cmdTest"), &QPushButton::clicked, this, &FrmTwin::cmdTestClicked);
}

void FrmTwin::frmTwinLoad() {
    fillLists(offsetcore::concentricAngleList());
    showAndFocus();
}

void FrmTwin::cmdBerekenClicked() {
    showLengths(
        offsetcore::concentricLengths({text(cmbHoek), text(txtHorVersleping)}, decimalSeparator()));
}

void FrmTwin::cmdBereken2Clicked() {
    showOffsets(offsetcore::concentricOffsets(
        {text(cmbHoek2), {text(cmb1000), text(cmb500), text(cmb250)}}, decimalSeparator()));
}

void FrmTwin::cmdTestClicked() {
    try {
        const auto report = offsetcore::testReport(reportFields(), lengthInputs());
        if (const auto* problem = std::get_if<Problem>(&report)) {
            return warn(*problem);
        }
        const std::optional<QString> printed = reportText(std::get<std::string>(report));
        if (!printed) {
            return warn(Problem::ReportNotMade);
        }
        showPrintStatus(platform::printText(*printed, QStringLiteral("Courier"), 14.0));
    } catch (const std::bad_alloc&) {
        // Too little memory for the report or its job: it is not printed,
        // the program goes on.
        warn(Problem::PrintFailed);
    }
}

// The file lives only inside this function: it is gone before the print
// starts and before any message about it is shown, so a print that hangs
// or ends the program leaves nothing behind.
std::optional<QString> FrmTwin::reportText(const std::string& report) {
    platform::ReportFile file;
    // The system's 8-bit encoding (the ANSI code page on Windows, UTF-8
    // elsewhere) is also how the file is read back; a typed character that a
    // Windows code page lacks is written as "?".
    const QByteArray bytes = QString::fromStdString(report).toLocal8Bit();
    if (!file.create() || !file.write(bytes)) {
        return std::nullopt;
    }
    const std::optional<QByteArray> readBack = LeesBestand(file.path());
    if (!readBack) {
        return std::nullopt;
    }
    return QString::fromLocal8Bit(*readBack);
}

offsetcore::ReportFields FrmTwin::reportFields() const {
    const auto caption = [this](const char* label) {
        return control<QLabel>(label)->text().toStdString();
    };
    return {
        .angle = {caption("Label1"), text(cmbHoek)},
        .offset = {caption("Label3"), text(txtHorVersleping)},
        .a = {"A:", text(txtA)},
        .b = {"B:", text(txtB)},
        .length = {caption("Label4"), text(txtLengte)},
        .vertical = {caption("Label5"), text(txtHoogte)},
    };
}

std::optional<QByteArray> FrmTwin::LeesBestand(const QString& path) {
    return platform::readWholeFile(path);
}
