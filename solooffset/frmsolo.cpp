#include "solooffset/frmsolo.h"

#include "common/accessibility.h"
#include "platform/pickcombobox.h"
#include "platform/windowprint.h"

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
    {"Label2", ControlKind::Label, "Diameter in mm: ", 120, 840, 1455, 255},
    {"cmbDiameter", ControlKind::ComboBox, "", 1680, 840, 1455, 315, "Label2", nullptr,
     spoken::lengthsCalculation},
    {"Label3", ControlKind::Label, "Lengte horizontale- versleping in mm:", 120, 1440, 1455, 615},
    {"txtHorVersleping", ControlKind::TextBox, "", 1680, 1440, 1455, 375, "Label3", nullptr,
     spoken::lengthsCalculation},
    {"cmdBereken", ControlKind::Button, "Bereken", 1560, 2160, 1575, 495, nullptr, nullptr,
     spoken::calculateLengths},
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
    {"Label10", ControlKind::Label, "Diameter in mm:", 240, 5280, 1335, 255},
    {"cmbDiameter2", ControlKind::ComboBox, "", 1800, 5280, 1455, 315, "Label10", nullptr,
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
    {"Picture1", ControlKind::Picture, ":/diagrams/diagram-singlewall.svg", 6240, 240, 4755, 6495,
     nullptr, spoken::diagramName, spoken::diagram},
    {"cmdPrinten", ControlKind::Button, "Printen", 7200, 7080, 975, 495, nullptr,
     "Printen: venster afdrukken",
     "Drukt een afbeelding van dit venster af op de standaardprinter"},
    {"cmdAfsluiten", ControlKind::Button, "Afsluiten", 9480, 7080, 975, 495, nullptr,
     "Afsluiten: programma sluiten", "Sluit het venster en het programma"},
    {"Label14", ControlKind::NoteLabel, "Elke Kestravon sectie heeft een insteekmaat van 50mm.",
     6720, 8640, 4215, 375},
    {"Label9", ControlKind::NoteLabel, "Aan deze berekeningen kunnen geen rechten worden ontleend.",
     6720, 9000, 4335, 255},
};

// Qt's focus chain passes over a disabled box by itself.
constexpr const char* tabOrder[] = {
    "txtHorVersleping", "txtA",     "txtB",        "txtLengte",    "txtHoogte",
    "cmdBereken",       "cmbHoek",  "cmbDiameter", "cmbDiameter2", "cmbHoek2",
    "cmb1000",          "cmb500",   "cmb250",      "txtVerHor",    "txtVerVerticaal",
    "cmdBereken2",      "Picture1", "cmdPrinten",  "cmdAfsluiten",
};

constexpr common::FormTable form{
    "frmSolo", "Kestravon Versleping Enkelwandig", 11250, 9405, controls, tabOrder,
};

// A pick replaces the diameters on offer with those of the picked angle and
// clears the one chosen before, which may not exist at the new angle. A text
// without a list leaves the items; the box opens either way.
void offerDiameters(platform::PickComboBox* box, const QString& angleText) {
    const QByteArray utf8 = angleText.toUtf8();
    if (const auto diameters = offsetcore::singleWallDiameterList(
            std::string_view(utf8.data(), size_t(utf8.size())))) {
        box->clear();
        for (std::string_view item : *diameters) {
            box->addItem(QString::fromUtf8(item.data(), qsizetype(item.size())));
        }
        box->setCurrentIndex(-1);
        box->setEditText(QString());
    }
    box->setEnabled(true);
}

} // namespace

FrmSolo::FrmSolo(QWidget* parent) : CalculatorWindow(form, parent) {
    cmbDiameter = control<platform::PickComboBox>("cmbDiameter");
    cmbDiameter2 = control<platform::PickComboBox>("cmbDiameter2");

    connect(cmbHoek, &platform::PickComboBox::picked, this, &FrmSolo::cmbHoekPicked);
    connect(cmbHoek2, &platform::PickComboBox::picked, this, &FrmSolo::cmbHoek2Picked);
    connect(cmdBereken, &QPushButton::clicked, this, &FrmSolo::cmdBerekenClicked);
    connect(cmdBereken2, &QPushButton::clicked, this, &FrmSolo::cmdBereken2Clicked);
    connect(control<QPushButton>("cmdPrinten"), &QPushButton::clicked, this,
            &FrmSolo::cmdPrintenClicked);
    connect(control<QPushButton>("cmdAfsluiten"), &QPushButton::clicked, this,
            &FrmSolo::cmdAfsluitenClicked);
    platform::letThroughWhilePrinting(control<QPushButton>("cmdAfsluiten"));
}

void FrmSolo::frmSoloLoad() {
    cmbDiameter->setEnabled(false);
    cmbDiameter2->setEnabled(false);
    fillLists(offsetcore::singleWallAngleList());
    showAndFocus();
}

void FrmSolo::cmbHoekPicked(const QString& text) {
    pickedAngle_ = text;
    offerDiameters(cmbDiameter, text);
}

void FrmSolo::cmbHoek2Picked(const QString& text) {
    offerDiameters(cmbDiameter2, text);
}

void FrmSolo::cmdBerekenClicked() {
    showLengths(offsetcore::singleWallLengths(
        {text(cmbHoek), pickedAngle_.toStdString(), text(cmbDiameter), text(txtHorVersleping)},
        decimalSeparator()));
}

void FrmSolo::cmdBereken2Clicked() {
    showOffsets(offsetcore::singleWallOffsets(
        {text(cmbHoek2), text(cmbDiameter2), {text(cmb1000), text(cmb500), text(cmb250)}},
        decimalSeparator()));
}

void FrmSolo::cmdPrintenClicked() {
    if (const auto problem = offsetcore::checkWindowPrint(text(txtLengte), text(txtHoogte),
                                                          text(txtVerHor), text(txtVerVerticaal))) {
        return warn(*problem);
    }
    try {
        showPrintStatus(platform::printWindow(this));
    } catch (const std::bad_alloc&) {
        // Too little memory for the job: it is not printed, the program goes on.
        warn(Problem::PrintFailed);
    }
}

void FrmSolo::cmdAfsluitenClicked() {
    // The only window: closing it ends the program, nothing asked or saved.
    close();
}
