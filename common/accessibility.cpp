#include "common/accessibility.h"

#include <QLabel>
#include <QWidget>

namespace common {

namespace {

// Both windows give their boxes and captions the same names.
struct CaptionOf {
    const char* box;
    const char* label;
};

constexpr CaptionOf captions[] = {
    {"cmbHoek", "Label1"},      {"cmbDiameter", "Label2"},      {"txtHorVersleping", "Label3"},
    {"txtA", "Label6"},         {"txtB", "Label7"},             {"txtLengte", "Label4"},
    {"txtHoogte", "Label5"},    {"cmbHoek2", "Label8"},         {"cmbDiameter2", "Label10"},
    {"cmb1000", "Label11"},     {"cmb500", "Label12"},          {"cmb250", "Label13"},
    {"txtVerHor", "Label16"},   {"txtVerVerticaal", "Label15"},
};

// A name of nullptr keeps the one the control shows. Where a caption does not
// say what the button does, the name says it after the caption.
struct Spoken {
    const char* control;
    const char* name;
    const char* description;
};

constexpr Spoken spoken[] = {
    {"cmdBereken", nullptr,
     "Berekent de bochtmaten A en B, de lengte tussen de bochten en de verticale versleping uit "
     "de hoek en de horizontale versleping"},
    {"cmdBereken2", nullptr,
     "Berekent de horizontale en de verticale versleping uit de hoek en het aantal secties"},
    {"cmdTest", "Test: rapport afdrukken",
     "Drukt een rapport van de bovenste berekening af op de standaardprinter"},
    {"cmdPrinten", "Printen: venster afdrukken",
     "Drukt een afbeelding van dit venster af op de standaardprinter"},
    {"cmdAfsluiten", "Afsluiten: programma sluiten", "Sluit het venster en het programma"},
    {"Picture1", "Tekening van de versleping",
     "Twee gelijke bochten met een recht, schuin stuk buis ertussen. Aangegeven zijn de "
     "bochtmaten A en B, de lengte tussen de bochten, de horizontale en de verticale versleping "
     "en de insteekmaat van een sectie."},
};

QWidget* child(QWidget* window, const char* name) {
    return window->findChild<QWidget*>(QString::fromUtf8(name), Qt::FindDirectChildrenOnly);
}

// "Verticale    versleping in mm:" is read as "Verticale versleping in mm".
QString spokenCaption(const QString& caption) {
    QString text = caption.simplified();
    while (text.endsWith(QLatin1Char(':'))) {
        text.chop(1);
    }
    return text.trimmed();
}

} // namespace

void describeForScreenReaders(QWidget* window) {
    for (const CaptionOf& link : captions) {
        auto* label = qobject_cast<QLabel*>(child(window, link.label));
        QWidget* box = child(window, link.box);
        if (label == nullptr || box == nullptr) {
            continue;
        }
        label->setBuddy(box);
        // A combo box would otherwise be announced by the value it shows.
        box->setAccessibleName(spokenCaption(label->text()));
    }
    for (const Spoken& entry : spoken) {
        QWidget* control = child(window, entry.control);
        if (control == nullptr) {
            continue;
        }
        if (entry.name != nullptr) {
            control->setAccessibleName(QString::fromUtf8(entry.name));
        }
        control->setAccessibleDescription(QString::fromUtf8(entry.description));
    }
}

} // namespace common
