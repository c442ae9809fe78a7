#include "forms/formtable.h"
#include "forms/spoken.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace forms {

namespace {

using Kind = ControlKind;

// Joins runs of rows (or of tab stops) into one array, in order, at compile
// time, so that a run both windows share is written once.
template <typename T, std::size_t... N> constexpr auto join(const std::array<T, N>&... runs) {
    std::array<T, (N + ...)> joined{};
    std::size_t at = 0;
    ((std::copy(runs.begin(), runs.end(), joined.begin() + std::ptrdiff_t(at)), at += N), ...);
    return joined;
}

template <typename... Rows> constexpr std::array<ControlEntry, sizeof...(Rows)> rows(Rows... r) {
    return {r...};
}
template <typename... Names> constexpr std::array<const char*, sizeof...(Names)> stops(Names... n) {
    return {n...};
}

// The rows keep the order of their fields on a line each, as a table is read.
// clang-format off

// ---- what both windows have ----------------------------------------------

constexpr ControlEntry label1{"Label1", Kind::Label, "Hoek in graden:", 120, 240, 1455, 255};
constexpr ControlEntry cmbHoek{"cmbHoek", Kind::ComboBox, "", 1680, 240, 1455, 315, "Label1",
    nullptr, spoken::lengthsCalculation};
constexpr char offsetCaption[] = "Lengte horizontale- versleping in mm:";

// Mode 1's results and the line under them.
constexpr auto mode1Results = rows(
    ControlEntry{"Label6", Kind::Label, "A:", 480, 3240, 255, 255},
    ControlEntry{"txtA", Kind::OutputBox, "", 840, 3120, 1455, 375, "Label6", nullptr,
                 spoken::lengthsCalculation},
    ControlEntry{"Label7", Kind::Label, "B:", 480, 3840, 255, 255},
    ControlEntry{"txtB", Kind::OutputBox, "", 840, 3720, 1455, 375, "Label7", nullptr,
                 spoken::lengthsCalculation},
    ControlEntry{"Label4", Kind::Label, "Lengte tussen de bochten in mm:", 2520, 3120, 1695, 495},
    ControlEntry{"txtLengte", Kind::OutputBox, "", 4320, 3120, 1335, 375, "Label4", nullptr,
                 spoken::lengthsCalculation},
    ControlEntry{"Label5", Kind::Label, "Lengte van de verticale versleping in mm:", 2520, 3720,
                 1695, 615},
    ControlEntry{"txtHoogte", Kind::OutputBox, "", 4320, 3720, 1335, 375, "Label5", nullptr,
                 spoken::lengthsCalculation},
    ControlEntry{"Line1", Kind::Line, "", 120, 4320, 5640, 0, nullptr, spoken::dividingLine},
    ControlEntry{"Label8", Kind::Label, "Hoek in graden:", 240, 4680, 1335, 255},
    ControlEntry{"cmbHoek2", Kind::ComboBox, "", 1800, 4680, 1455, 315, "Label8", nullptr,
                 spoken::offsetsCalculation});

// Mode 2's counts, its button and its results.
constexpr auto mode2Rows = rows(
    ControlEntry{"Label11", Kind::Label, "1000mm sectie aantal:", 240, 5880, 1695, 255},
    ControlEntry{"cmb1000", Kind::ComboBox, "0", 2040, 5880, 1455, 315, "Label11", nullptr,
                 spoken::offsetsCalculation},
    ControlEntry{"Label12", Kind::Label, "500mm sectie aantal:", 240, 6480, 1695, 255},
    ControlEntry{"cmb500", Kind::ComboBox, "0", 2040, 6480, 1455, 315, "Label12", nullptr,
                 spoken::offsetsCalculation},
    ControlEntry{"Label13", Kind::Label, "250mm sectie aantal:", 240, 7080, 1695, 255},
    ControlEntry{"cmb250", Kind::ComboBox, "0", 2040, 7080, 1455, 315, "Label13", nullptr,
                 spoken::offsetsCalculation},
    ControlEntry{"cmdBereken2", Kind::Button, "Bereken", 600, 8160, 1575, 495, nullptr, nullptr,
                 spoken::calculateOffsets},
    ControlEntry{"Label16", Kind::Label, "Horizontale versleping in mm:", 2520, 8160, 1500, 495},
    ControlEntry{"txtVerHor", Kind::OutputBox, "", 4320, 8160, 1335, 375, "Label16", nullptr,
                 spoken::offsetsCalculation},
    ControlEntry{"Label15", Kind::Label, "Verticale    versleping in mm:", 2520, 8760, 1500, 495},
    ControlEntry{"txtVerVerticaal", Kind::OutputBox, "", 4320, 8760, 1335, 375, "Label15", nullptr,
                 spoken::offsetsCalculation});

constexpr ControlEntry diagram(const char* drawing) {
    return {"Picture1", Kind::Picture, drawing, 6240, 240, 4755, 6495, nullptr,
        spoken::diagramName, spoken::diagram};
}
// A little wider than the text needs in Qt: Windows sets Times New Roman at
// this size in whole pixels, which makes the line some 5 % longer.
constexpr ControlEntry disclaimer{"Label9", Kind::NoteLabel,
    "Aan deze berekeningen kunnen geen rechten worden ontleend.", 6720, 9000, 4500, 255};

// The tab order: mode 1's offset, results and button, then the angle box;
// after each window's own boxes, mode 2's counts and results, its button and
// the diagram; each window's own buttons last. Qt and Windows pass over a
// disabled box by themselves.
constexpr auto tabHead = stops("txtHorVersleping", "txtA", "txtB", "txtLengte", "txtHoogte",
                               "cmdBereken", "cmbHoek");
constexpr auto tabMiddle = stops("cmb1000", "cmb500", "cmb250", "txtVerHor", "txtVerVerticaal",
                                 "cmdBereken2", "Picture1");

constexpr int clientWidth = 11250;
constexpr int clientHeight = 9405;

// ---- the concentric window -------------------------------------------------

constexpr auto twinControls = join(
    rows(label1, cmbHoek,
         ControlEntry{"Label3", Kind::Label, offsetCaption, 120, 840, 1455, 615},
         ControlEntry{"txtHorVersleping", Kind::TextBox, "", 1680, 840, 1455, 375, "Label3",
                      nullptr, spoken::lengthsCalculation},
         ControlEntry{"cmdBereken", Kind::Button, "Bereken", 1680, 1560, 1575, 495, nullptr,
                      nullptr, spoken::calculateLengths},
         ControlEntry{"cmdTest", Kind::Button, "Test", 4200, 1560, 975, 495, nullptr,
                      "Test: rapport afdrukken",
                      "Drukt een rapport van de bovenste berekening af op de standaardprinter"}),
    mode1Results, mode2Rows,
    rows(diagram("diagram-concentric.svg"),
         ControlEntry{"Label14", Kind::NoteLabel,
                      "Elke Kestravon Concentrisch 100/150 sectie heeft een insteekmaat van 30mm.",
                      6720, 8520, 4215, 375},
         disclaimer));

constexpr auto twinTabOrder = join(tabHead, stops("cmbHoek2"), tabMiddle, stops("cmdTest"));

// ---- the single-wall window ------------------------------------------------

constexpr auto soloControls = join(
    rows(label1, cmbHoek,
         ControlEntry{"Label2", Kind::Label, "Diameter in mm: ", 120, 840, 1455, 255},
         ControlEntry{"cmbDiameter", Kind::ComboBox, "", 1680, 840, 1455, 315, "Label2", nullptr,
                      spoken::lengthsCalculation},
         ControlEntry{"Label3", Kind::Label, offsetCaption, 120, 1440, 1455, 615},
         ControlEntry{"txtHorVersleping", Kind::TextBox, "", 1680, 1440, 1455, 375, "Label3",
                      nullptr, spoken::lengthsCalculation},
         ControlEntry{"cmdBereken", Kind::Button, "Bereken", 1560, 2160, 1575, 495, nullptr,
                      nullptr, spoken::calculateLengths}),
    mode1Results,
    rows(ControlEntry{"Label10", Kind::Label, "Diameter in mm:", 240, 5280, 1335, 255},
         ControlEntry{"cmbDiameter2", Kind::ComboBox, "", 1800, 5280, 1455, 315, "Label10",
                      nullptr, spoken::offsetsCalculation}),
    mode2Rows,
    rows(diagram("diagram-singlewall.svg"),
         ControlEntry{"cmdPrinten", Kind::Button, "Printen", 7200, 7080, 975, 495, nullptr,
                      "Printen: venster afdrukken",
                      "Drukt een afbeelding van dit venster af op de standaardprinter"},
         ControlEntry{"cmdAfsluiten", Kind::Button, "Afsluiten", 9480, 7080, 975, 495, nullptr,
                      "Afsluiten: programma sluiten", "Sluit het venster en het programma"},
         ControlEntry{"Label14", Kind::NoteLabel,
                      "Elke Kestravon sectie heeft een insteekmaat van 50mm.", 6720, 8640, 4215,
                      375},
         disclaimer));

constexpr auto soloTabOrder = join(tabHead, stops("cmbDiameter", "cmbDiameter2", "cmbHoek2"),
                                   tabMiddle, stops("cmdPrinten", "cmdAfsluiten"));

// clang-format on

} // namespace

const ControlEntry* FormTable::find(std::string_view controlName) const {
    for (const ControlEntry& entry : controls) {
        if (controlName == entry.name) {
            return &entry;
        }
    }
    return nullptr;
}

const FormTable& twinForm() {
    static constexpr FormTable form{
        "frmTwin",    "Versleping Kestravon Concentrisch 100/150",
        clientWidth,  clientHeight,
        twinControls, twinTabOrder,
    };
    return form;
}

const FormTable& soloForm() {
    static constexpr FormTable form{
        "frmSolo",      "Kestravon Versleping Enkelwandig",
        clientWidth,    clientHeight,
        soloControls,   soloTabOrder,
        "cmdAfsluiten",
    };
    return form;
}

std::string spokenCaption(std::string_view caption) {
    std::string spoken;
    bool blank = false;
    for (char c : caption) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v') {
            blank = !spoken.empty();
            continue;
        }
        if (blank) {
            spoken += ' ';
            blank = false;
        }
        spoken += c;
    }
    while (!spoken.empty() && (spoken.back() == ':' || spoken.back() == ' ')) {
        spoken.pop_back();
    }
    return spoken;
}

std::string spokenNameOf(const FormTable& form, const ControlEntry& entry) {
    if (entry.spokenName != nullptr) {
        return entry.spokenName;
    }
    if (entry.captionLabel != nullptr) {
        if (const ControlEntry* label = form.find(entry.captionLabel)) {
            return spokenCaption(label->text);
        }
    }
    return {};
}

} // namespace forms
