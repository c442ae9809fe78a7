// The single-wall window as a person meets it: its layout, its start state,
// the diameter boxes that only a pick opens and fills, both calculations,
// the checks on input, the print check and the close button.

#include "layoutcheck.h"
#include "qt/messagebox.h"
#include "qt/printer.h"
#include "solooffset/frmsolo.h"
#include "testmain.h"
#include "windowdriver.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

using layoutcheck::Kind;
using Message = qtface::MessageBox::Message;
using offsetcore::BendDimensions;

namespace {

// Typed from the window's design, independently of the program's own table.
constexpr layoutcheck::Expected layout[] = {
    {"Label1", Kind::Label, "Hoek in graden:", 120, 240, 1455, 255},
    {"cmbHoek", Kind::ComboBox, "", 1680, 240, 1455, 315},
    {"Label2", Kind::Label, "Diameter in mm: ", 120, 840, 1455, 255},
    {"cmbDiameter", Kind::ComboBox, "", 1680, 840, 1455, 315},
    {"Label3", Kind::Label, "Lengte horizontale- versleping in mm:", 120, 1440, 1455, 615},
    {"txtHorVersleping", Kind::TextBox, "", 1680, 1440, 1455, 375},
    {"cmdBereken", Kind::Button, "Bereken", 1560, 2160, 1575, 495},
    {"Label6", Kind::Label, "A:", 480, 3240, 255, 255},
    {"txtA", Kind::OutputBox, "", 840, 3120, 1455, 375},
    {"Label7", Kind::Label, "B:", 480, 3840, 255, 255},
    {"txtB", Kind::OutputBox, "", 840, 3720, 1455, 375},
    {"Label4", Kind::Label, "Lengte tussen de bochten in mm:", 2520, 3120, 1695, 495},
    {"txtLengte", Kind::OutputBox, "", 4320, 3120, 1335, 375},
    {"Label5", Kind::Label, "Lengte van de verticale versleping in mm:", 2520, 3720, 1695, 615},
    {"txtHoogte", Kind::OutputBox, "", 4320, 3720, 1335, 375},
    {"Line1", Kind::Line, "", 120, 4320, 5640, 0},
    {"Label8", Kind::Label, "Hoek in graden:", 240, 4680, 1335, 255},
    {"cmbHoek2", Kind::ComboBox, "", 1800, 4680, 1455, 315},
    {"Label10", Kind::Label, "Diameter in mm:", 240, 5280, 1335, 255},
    {"cmbDiameter2", Kind::ComboBox, "", 1800, 5280, 1455, 315},
    {"Label11", Kind::Label, "1000mm sectie aantal:", 240, 5880, 1695, 255},
    {"cmb1000", Kind::ComboBox, "0", 2040, 5880, 1455, 315},
    {"Label12", Kind::Label, "500mm sectie aantal:", 240, 6480, 1695, 255},
    {"cmb500", Kind::ComboBox, "0", 2040, 6480, 1455, 315},
    {"Label13", Kind::Label, "250mm sectie aantal:", 240, 7080, 1695, 255},
    {"cmb250", Kind::ComboBox, "0", 2040, 7080, 1455, 315},
    {"cmdBereken2", Kind::Button, "Bereken", 600, 8160, 1575, 495},
    {"Label16", Kind::Label, "Horizontale versleping in mm:", 2520, 8160, 1500, 495},
    {"txtVerHor", Kind::OutputBox, "", 4320, 8160, 1335, 375},
    {"Label15", Kind::Label, "Verticale    versleping in mm:", 2520, 8760, 1500, 495},
    {"txtVerVerticaal", Kind::OutputBox, "", 4320, 8760, 1335, 375},
    {"Picture1", Kind::Picture, "", 6240, 240, 4755, 6495},
    {"cmdPrinten", Kind::Button, "Printen", 7200, 7080, 975, 495},
    {"cmdAfsluiten", Kind::Button, "Afsluiten", 9480, 7080, 975, 495},
    {"Label14", Kind::Label, "Elke Kestravon sectie heeft een insteekmaat van 50mm.", 6720, 8640,
     4215, 375},
    {"Label9", Kind::Label, "Aan deze berekeningen kunnen geen rechten worden ontleend.", 6720,
     9000, 4335, 255},
};

constexpr const char* fullTabOrder[] = {
    "txtHorVersleping", "txtA",     "txtB",        "txtLengte",    "txtHoogte",
    "cmdBereken",       "cmbHoek",  "cmbDiameter", "cmbDiameter2", "cmbHoek2",
    "cmb1000",          "cmb500",   "cmb250",      "txtVerHor",    "txtVerVerticaal",
    "cmdBereken2",      "Picture1", "cmdPrinten",  "cmdAfsluiten",
};

const QStringList angles{"15", "30", "45", "90"};
const QStringList diameters15{"125", "150", "175", "200", "250"};
const QStringList diameters30{"125", "150", "175", "200", "250", "300", "350", "400", "450"};
const QStringList diameters90{"125", "150", "175", "200", "250", "300"};

// Mode 1: angle picked, diameter, offset; then txtA, txtB, txtLengte, txtHoogte.
struct Mode1Case {
    const char* name;
    const char* angle;
    const char* diameter;
    const char* offset;
    const char* shown[4];
};
constexpr Mode1Case mode1Cases[] = {
    {"45 125 500", "45", "125", "500", {"146", "96", "465", "792"}},
    {"negative length shows e", "45", "125", "100", {"146", "96", "e", "e"}},
    {"decimal comma", "45", "125", "500,4", {"146", "96", "466", "792"}},
};

// Mode 2: angle picked, diameter, counts; then txtVerHor, txtVerVerticaal.
struct Mode2Case {
    const char* name;
    const char* angle;
    const char* diameter;
    const char* counts[3];
    const char* shown[2];
};
constexpr Mode2Case mode2Cases[] = {
    {"45 125 one metre one quarter", "45", "125", {"1", "0", "1"}, {"981", "1273"}},
    {"negative count adds nothing", "30", "125", {"1", "-2", "1"}, {"668", "1400"}},
};

// Each bad input: after a pick of `picked` in the mode's angle box, the box
// shows `angle` and the diameter box `diameter`; then the offset (mode 1) or
// the three counts (mode 2).
struct BadInput {
    const char* name;
    int mode;
    const char* picked;
    const char* angle;
    const char* diameter;
    const char* rest[3];
    const char* prompt;
};

constexpr char enterAngle[] = "Hoek invoeren";
constexpr char enterDiameter[] = "Diameter invoeren";
constexpr char enterOffset[] = "Versleping invoeren";
constexpr char badAngle[] = "Hoek is geen geldig getal";
constexpr char badDiameter[] = "Diameter is geen geldig getal";
constexpr char badOffset[] = "Versleping is geen geldig getal";
constexpr char badCount[] = "Aantal secties is geen geldig getal";
constexpr char noRow[] = "Geen bochtmaten voor deze hoek en diameter";
constexpr char tooLarge[] = "Uitkomst te groot";
constexpr char chooseAngle[] = "Kies de hoek uit de lijst";

// 10^308: a finite offset or count whose result is not.
constexpr char huge[] = "10000000000000000000000000000000000000000000000000000000000000000000000000"
                        "00000000000000000000000000000000000000000000000000000000000000000000000000"
                        "00000000000000000000000000000000000000000000000000000000000000000000000000"
                        "00000000000000000000000000000000000000000000000000000000000000000000000000"
                        "0000000000000";
static_assert(sizeof(huge) == 1 + 308 + 1);

constexpr BadInput badInputs[] = {
    {"1: all empty", 1, "45", "", "", {""}, enterAngle},
    {"1: offset empty", 1, "45", "45", "125", {""}, enterOffset},
    {"1: diameter letters", 1, "45", "45", "abc", {"500"}, badDiameter},
    {"1: typed 275 at 90", 1, "90", "90", "275", {"600"}, noRow},
    {"1: angle over the pick", 1, "30", "45", "125", {"500"}, chooseAngle},
    {"1: result too large", 1, "30", "30", "125", {huge}, tooLarge},
    {"2: all empty", 2, "45", "", "", {"", "", ""}, enterAngle},
    {"2: diameter empty, counts too", 2, "45", "45", "", {"", "", ""}, enterDiameter},
    {"2: 1000 emptied", 2, "45", "45", "125", {"", "0", "1"}, badCount},
    {"2: diameter letters", 2, "45", "45", "abc", {"1", "0", "1"}, badDiameter},
    {"2: angle letters", 2, "45", "abc", "125", {"1", "0", "1"}, badAngle},
    {"2: typed 275 at 90", 2, "90", "90", "275", {"1", "0", "1"}, noRow},
    {"2: result too large", 2, "45", "45", "125", {huge, "0", "0"}, tooLarge},
};

// Everything a person can see or change, and what the window holds, to tell
// that nothing changed.
struct Snapshot {
    QStringList texts;
    QList<QStringList> diameterItems;
    QList<bool> diameterOpen;
    std::optional<BendDimensions> held;
    QString pickedAngle;
    bool operator==(const Snapshot&) const = default;
};

} // namespace

class FrmSoloTest : public QObject, private WindowDriver {
    Q_OBJECT

private:
    std::unique_ptr<FrmSolo> window_;
    std::unique_ptr<qtface::MessageBox::Recorder> messages_;

    // Picks an item with the mouse from the open list.
    void pickFromList(const char* name, const QString& item) {
        QComboBox* box = combo(name);
        box->showPopup();
        QAbstractItemView* view = box->view();
        QTRY_VERIFY(view->isVisible());
        const QRect rect = view->visualRect(view->model()->index(box->findText(item), 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
        QTRY_VERIFY(!view->isVisible());
        QCOMPARE(box->currentText(), item);
    }

    // Types into a box over what it shows, as a person would.
    void type(const char* name, const QString& value) {
        QWidget* control = find<QWidget>(name);
        auto* box = qobject_cast<QComboBox*>(control);
        QLineEdit* line = box != nullptr ? box->lineEdit() : qobject_cast<QLineEdit*>(control);
        control->setFocus();
        line->selectAll();
        QTest::keyClick(control, Qt::Key_Backspace);
        QTest::keyClicks(control, value);
        QCOMPARE(line->text(), value);
    }

    void mode1(const QString& angle, const QString& diameter, const QString& offset) {
        pick("cmbHoek", angle);
        setCombo("cmbDiameter", diameter);
        edit("txtHorVersleping")->setText(offset);
        click("cmdBereken");
    }
    void mode2(const QString& angle, const QString& diameter, const QStringList& counts) {
        pick("cmbHoek2", angle);
        setCombo("cmbDiameter2", diameter);
        setCombo("cmb1000", counts[0]);
        setCombo("cmb500", counts[1]);
        setCombo("cmb250", counts[2]);
        click("cmdBereken2");
    }
    QStringList lengthsShown() {
        return {text("txtA"), text("txtB"), text("txtLengte"), text("txtHoogte")};
    }
    QStringList offsetsShown() { return {text("txtVerHor"), text("txtVerVerticaal")}; }

    Snapshot snapshot() {
        Snapshot s;
        for (const char* name : {"cmbHoek", "cmbDiameter", "cmbHoek2", "cmbDiameter2", "cmb1000",
                                 "cmb500", "cmb250"}) {
            s.texts << combo(name)->currentText();
        }
        for (const char* name : {"txtHorVersleping", "txtA", "txtB", "txtLengte", "txtHoogte",
                                 "txtVerHor", "txtVerVerticaal"}) {
            s.texts << text(name);
        }
        for (const char* name : {"cmbDiameter", "cmbDiameter2"}) {
            s.diameterItems << itemsOf(combo(name));
            s.diameterOpen << combo(name)->isEnabled();
        }
        s.held = window_->heldBend();
        s.pickedAngle = window_->pickedAngle();
        return s;
    }

    // Results in both halves and a held pair first, so that a change would show.
    void fillBothHalves() {
        mode1("45", "125", "500");
        mode2("90", "125", {"1", "0", "0"});
        QCOMPARE(lengthsShown(), (QStringList{"146", "96", "465", "792"}));
        QCOMPARE(offsetsShown(), (QStringList{"1253", "356"}));
        QCOMPARE(messages_->messages(), QList<Message>());
    }

    // Runs the program's event loop, as main() does, until the window's end
    // quits it; a watchdog ends a loop that would otherwise run on.
    int runUntilQuit(const std::function<void()>& action) {
        QTimer::singleShot(0, window_.get(), action);
        QTimer watchdog;
        watchdog.setSingleShot(true);
        connect(&watchdog, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
        watchdog.start(10000);
        return QApplication::exec();
    }

private slots:
    void init() {
        messages_ = std::make_unique<qtface::MessageBox::Recorder>();
        window_ = std::make_unique<FrmSolo>();
        drive(window_.get());
        window_->frmSoloLoad();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }
    void cleanup() {
        window_.reset();
        messages_.reset();
    }

    // ---- what a person sees ---------------------------------------------

    void windowIsFixedCentredWithCloseButtonOnly() {
        layoutcheck::verifyWindowFrame(window_.get(), "frmSolo",
                                       "Kestravon Versleping Enkelwandig");
    }

    void controlsMatchTheDesign() {
        layoutcheck::verifyLayout(window_.get(), layout);
        for (const char* name : {"Label14", "Label9"}) {
            const QFont font = find<QLabel>(name)->font();
            QCOMPARE(font.family(), QStringLiteral("Times New Roman"));
            QCOMPARE(font.pointSizeF(), 8.25);
            QCOMPARE(font.weight(), QFont::Normal);
        }
        QCOMPARE(find<QLabel>("Label2")->font(), window_->font());
        // The diagram, unscaled from its corner: white paper at the top left.
        const QImage diagram = find<QWidget>("Picture1")->grab().toImage();
        QCOMPARE(diagram.size() / diagram.devicePixelRatio(), QSize(317, 433));
        QCOMPARE(QColor(diagram.pixel(2, 2)), QColor(Qt::white));
    }

    // Tab passes over a diameter box while it is closed.
    void tabOrder_data() {
        QTest::addColumn<QStringList>("picked"); // angle boxes picked in first
        QTest::newRow("at start") << QStringList{};
        QTest::newRow("mode 1 picked") << QStringList{"cmbHoek"};
        QTest::newRow("mode 2 picked") << QStringList{"cmbHoek2"};
        QTest::newRow("both picked") << QStringList{"cmbHoek", "cmbHoek2"};
    }
    void tabOrder() {
        QFETCH(QStringList, picked);
        for (const QString& box : picked) {
            pick(qPrintable(box), "30");
        }
        std::vector<const char*> order;
        for (const char* name : fullTabOrder) {
            const bool closed =
                (qstrcmp(name, "cmbDiameter") == 0 && !picked.contains("cmbHoek")) ||
                (qstrcmp(name, "cmbDiameter2") == 0 && !picked.contains("cmbHoek2"));
            if (!closed) {
                order.push_back(name);
            }
        }
        layoutcheck::verifyTabOrder(window_.get(), order);
    }

    void startState() {
        for (const char* name : {"cmbDiameter", "cmbDiameter2"}) {
            QVERIFY(!combo(name)->isEnabled());
            QCOMPARE(combo(name)->count(), 0);
            QCOMPARE(combo(name)->currentText(), QString());
        }
        for (const char* name : {"cmbHoek", "cmbHoek2"}) {
            QCOMPARE(combo(name)->currentText(), QString());
            QCOMPARE(itemsOf(combo(name)), angles);
        }
        for (const char* name : {"cmb1000", "cmb500", "cmb250"}) {
            QCOMPARE(combo(name)->currentText(), QStringLiteral("0"));
            QCOMPARE(itemsOf(combo(name)),
                     (QStringList{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
        }
        for (const char* name :
             {"txtA", "txtB", "txtLengte", "txtHoogte", "txtVerHor", "txtVerVerticaal"}) {
            QVERIFY(text(name).isEmpty());
        }
        QVERIFY(window_->pickedAngle().isEmpty());
        QVERIFY(!window_->heldBend().has_value());
        QTRY_COMPARE(QApplication::focusWidget(), combo("cmbHoek"));
    }

    void enterAndEscapePressNothing() {
        pick("cmbHoek", "45");
        setCombo("cmbDiameter", "125");
        edit("txtHorVersleping")->setText("500");
        for (const char* name : {"txtHorVersleping", "cmbDiameter", "cmdBereken", "cmdAfsluiten"}) {
            find<QWidget>(name)->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        }
        QVERIFY(text("txtLengte").isEmpty());
        QVERIFY(window_->isVisible());
    }

    // ---- the diameter boxes ---------------------------------------------

    void pickOffersTheAnglesDiameters_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("angle");
        QTest::addColumn<QStringList>("offered");
        for (int mode : {1, 2}) {
            QTest::addRow("mode %d, 15", mode) << mode << "15" << diameters15;
            QTest::addRow("mode %d, 30", mode) << mode << "30" << diameters30;
            QTest::addRow("mode %d, 45", mode) << mode << "45" << diameters30;
            QTest::addRow("mode %d, 90", mode) << mode << "90" << diameters90;
        }
    }
    void pickOffersTheAnglesDiameters() {
        QFETCH(int, mode);
        QFETCH(QString, angle);
        QFETCH(QStringList, offered);
        pick(mode == 1 ? "cmbHoek" : "cmbHoek2", angle);
        QComboBox* box = combo(mode == 1 ? "cmbDiameter" : "cmbDiameter2");
        QVERIFY(box->isEnabled());
        QCOMPARE(itemsOf(box), offered);
        QCOMPARE(box->currentText(), QString());
        // The other mode's box waits for its own pick.
        QComboBox* other = combo(mode == 1 ? "cmbDiameter2" : "cmbDiameter");
        QVERIFY(!other->isEnabled());
        QCOMPARE(other->count(), 0);
    }

    void newPickEmptiesTheChosenDiameter() {
        pick("cmbHoek", "15");
        pick("cmbDiameter", "250");
        pick("cmbHoek", "90");
        QCOMPARE(combo("cmbDiameter")->currentText(), QString());
        QCOMPARE(itemsOf(combo("cmbDiameter")), diameters90);
        pick("cmbDiameter", "300");
        pick("cmbHoek", "90");
        QCOMPARE(combo("cmbDiameter")->currentText(), QString());
    }

    void typedAngleNeitherFillsNorOpens_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");
        for (int mode : {1, 2}) {
            QTest::addRow("mode %d, list item, Enter", mode) << mode << "45" << int(Qt::Key_Return);
            QTest::addRow("mode %d, list item, Tab", mode) << mode << "90" << int(Qt::Key_Tab);
            QTest::addRow("mode %d, other angle, Enter", mode)
                << mode << "60" << int(Qt::Key_Enter);
        }
    }
    void typedAngleNeitherFillsNorOpens() {
        QFETCH(int, mode);
        QFETCH(QString, typed);
        QFETCH(int, key);
        const char* angleBox = mode == 1 ? "cmbHoek" : "cmbHoek2";
        QComboBox* diameterBox = combo(mode == 1 ? "cmbDiameter" : "cmbDiameter2");
        type(angleBox, typed);
        QTest::keyClick(combo(angleBox), Qt::Key(key));
        QVERIFY(!diameterBox->isEnabled());
        QCOMPARE(diameterBox->count(), 0);
        QVERIFY(window_->pickedAngle().isEmpty());

        // After a pick, a typed angle leaves the list and the choice as they are.
        pick(angleBox, "15");
        pick(mode == 1 ? "cmbDiameter" : "cmbDiameter2", "200");
        type(angleBox, typed);
        QTest::keyClick(combo(angleBox), Qt::Key(key));
        QCOMPARE(itemsOf(diameterBox), diameters15);
        QCOMPARE(diameterBox->currentText(), QStringLiteral("200"));
        QCOMPARE(window_->pickedAngle(), mode == 1 ? QStringLiteral("15") : QString());
    }

    void typedAngleLeavesTheDiameterToBeAskedFor() {
        type("cmbHoek", "45");
        edit("txtHorVersleping")->setText("500");
        click("cmdBereken");
        QCOMPARE(messages_->messages(), (QList<Message>{{enterDiameter, "Let op!"}}));
        QVERIFY(text("txtLengte").isEmpty());
    }

    // ---- mode 1 ---------------------------------------------------------

    void mode1WorkedExamples_data() {
        QTest::addColumn<int>("row");
        for (int row = 0; row < int(std::size(mode1Cases)); ++row) {
            QTest::newRow(mode1Cases[row].name) << row;
        }
    }
    void mode1WorkedExamples() {
        QFETCH(int, row);
        const Mode1Case& c = mode1Cases[row];
        mode1(c.angle, c.diameter, c.offset);
        QCOMPARE(messages_->messages(), QList<Message>());
        QCOMPARE(lengthsShown(), (QStringList{c.shown[0], c.shown[1], c.shown[2], c.shown[3]}));
        QCOMPARE(window_->heldBend(),
                 (BendDimensions{QString(c.shown[0]).toDouble(), QString(c.shown[1]).toDouble()}));
        QCOMPARE(offsetsShown(), (QStringList{"", ""}));
    }

    // Mode 1 calculates with the angle last picked, and only while cmbHoek
    // shows that number.
    void mode1NeedsThePickedAngleShown_data() {
        QTest::addColumn<QString>("typedOver");
        QTest::addColumn<bool>("computes");
        QTest::newRow("the pick itself") << "30" << true;
        QTest::newRow("the same number written otherwise") << " 30,0 " << true;
        QTest::newRow("another listed angle") << "45" << false;
    }
    void mode1NeedsThePickedAngleShown() {
        QFETCH(QString, typedOver);
        QFETCH(bool, computes);
        fillBothHalves();
        pick("cmbHoek", "90");
        pick("cmbHoek", "30");
        pick("cmbDiameter", "125");
        type("cmbHoek", typedOver);
        edit("txtHorVersleping")->setText("500");
        const Snapshot before = snapshot();
        click("cmdBereken");
        QCOMPARE(window_->pickedAngle(), QStringLiteral("30"));
        if (computes) {
            QCOMPARE(messages_->messages(), QList<Message>());
            QCOMPARE(lengthsShown(), (QStringList{"121", "71", "808", "1108"}));
        } else {
            QCOMPARE(messages_->messages(), (QList<Message>{{chooseAngle, "Let op!"}}));
            QCOMPARE(snapshot(), before);
        }
    }

    void firstCalculationWithoutRowHoldsNothing() {
        mode1("90", "275", "500");
        QCOMPARE(messages_->messages(), (QList<Message>{{noRow, "Let op!"}}));
        QVERIFY(!window_->heldBend().has_value());
        QCOMPARE(lengthsShown(), (QStringList{"", "", "", ""}));
    }

    // ---- mode 2 ---------------------------------------------------------

    void mode2WorkedExamples_data() {
        QTest::addColumn<int>("row");
        for (int row = 0; row < int(std::size(mode2Cases)); ++row) {
            QTest::newRow(mode2Cases[row].name) << row;
        }
    }
    void mode2WorkedExamples() {
        QFETCH(int, row);
        const Mode2Case& c = mode2Cases[row];
        // Mode 2 before any mode 1: it needs no held pair of its own.
        mode2(c.angle, c.diameter, {c.counts[0], c.counts[1], c.counts[2]});
        QCOMPARE(messages_->messages(), QList<Message>());
        QCOMPARE(offsetsShown(), (QStringList{c.shown[0], c.shown[1]}));
        QCOMPARE(lengthsShown(), (QStringList{"", "", "", ""}));
    }

    // Mode 2 reads its angle box at the click, picked or typed.
    void mode2ReadsItsAngleBoxAtTheClick() {
        pick("cmbHoek2", "45");
        pick("cmbDiameter2", "125");
        type("cmbHoek2", "30");
        setCombo("cmb1000", "1");
        setCombo("cmb250", "1");
        click("cmdBereken2");
        QCOMPARE(messages_->messages(), QList<Message>());
        QCOMPARE(offsetsShown(), (QStringList{"668", "1400"}));
        QCOMPARE(window_->heldBend(), (BendDimensions{121, 71}));
    }

    void bothModesShareOneHeldPairAndKeepTheirResults() {
        mode1("45", "450", "500");
        QCOMPARE(window_->heldBend(), (BendDimensions{196, 146}));
        mode2("90", "125", {"1", "0", "0"});
        QCOMPARE(window_->heldBend(), (BendDimensions{178, 128}));
        // Neither mode 2 nor new input clears what mode 1 shows.
        edit("txtHorVersleping")->setText("700");
        pick("cmbHoek", "15");
        QCOMPARE(lengthsShown(), (QStringList{"196", "146", "365", "892"}));
    }

    void bothModesWithPicksFromTheOpenLists() {
        pickFromList("cmbHoek", "45");
        pickFromList("cmbDiameter", "125");
        type("txtHorVersleping", "500");
        click("cmdBereken");
        pickFromList("cmbHoek2", "45");
        pickFromList("cmbDiameter2", "125");
        pickFromList("cmb1000", "1");
        pickFromList("cmb250", "1");
        click("cmdBereken2");
        QCOMPARE(lengthsShown(), (QStringList{"146", "96", "465", "792"}));
        QCOMPARE(offsetsShown(), (QStringList{"981", "1273"}));
    }

    // ---- checks on input ------------------------------------------------

    void badInputShowsMessageAndChangesNothing_data() {
        QTest::addColumn<int>("row");
        for (int row = 0; row < int(std::size(badInputs)); ++row) {
            QTest::newRow(badInputs[row].name) << row;
        }
    }
    void badInputShowsMessageAndChangesNothing() {
        QFETCH(int, row);
        const BadInput& c = badInputs[row];
        fillBothHalves();
        if (c.mode == 1) {
            pick("cmbHoek", c.picked);
            setCombo("cmbDiameter", c.diameter);
            setCombo("cmbHoek", c.angle);
            edit("txtHorVersleping")->setText(c.rest[0]);
        } else {
            pick("cmbHoek2", c.picked);
            setCombo("cmbDiameter2", c.diameter);
            setCombo("cmbHoek2", c.angle);
            setCombo("cmb1000", c.rest[0]);
            setCombo("cmb500", c.rest[1]);
            setCombo("cmb250", c.rest[2]);
        }
        const Snapshot before = snapshot();
        click(c.mode == 1 ? "cmdBereken" : "cmdBereken2");
        QCOMPARE(messages_->messages(), (QList<Message>{{c.prompt, "Let op!"}}));
        QCOMPARE(snapshot(), before);
    }

    // ---- printing -------------------------------------------------------

    void printNeedsAPairOfResults() {
        QTemporaryDir dir;
        const QString pdf = dir.filePath("window.pdf");
        qtface::PrinterRedirect printer(pdf);
        const Snapshot before = snapshot();
        click("cmdPrinten");
        QCOMPARE(messages_->messages(), (QList<Message>{{"Voer waarden in", "Let Op!"}}));
        QCOMPARE(printer.jobsBegun(), 0);
        QVERIFY(!QFileInfo::exists(pdf));
        QCOMPARE(snapshot(), before);
    }

    void printsOnceEitherPairIsShown_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("offset");
        QTest::newRow("after mode 1") << 1 << "500";
        QTest::newRow("after mode 1 showing e") << 1 << "0";
        QTest::newRow("after mode 2") << 2 << "";
    }
    void printsOnceEitherPairIsShown() {
        QFETCH(int, mode);
        QFETCH(QString, offset);
        if (mode == 1) {
            mode1("45", "125", offset);
        } else {
            mode2("45", "125", {"1", "0", "1"});
        }
        QTemporaryDir dir;
        const QString pdf = dir.filePath("window.pdf");
        qtface::PrinterRedirect printer(pdf);
        const Snapshot before = snapshot();
        click("cmdPrinten");
        QCOMPARE(messages_->messages(), QList<Message>());
        QCOMPARE(printer.jobsBegun(), 1);
        QVERIFY(QFileInfo(pdf).size() > 0);
        QCOMPARE(snapshot(), before);
    }

    void printFailureIsShownAndChangesNothing_data() {
        QTest::addColumn<qtface::PrintStatus>("failure"); // Printed: memory runs out
        QTest::addColumn<QString>("prompt");
        QTest::newRow("no printer")
            << qtface::PrintStatus::NoPrinter << "Geen printer beschikbaar";
        QTest::newRow("job failed") << qtface::PrintStatus::Failed << "Afdrukken mislukt";
        QTest::newRow("no answer") << qtface::PrintStatus::NoAnswer << "Printer reageert niet";
        QTest::newRow("memory runs out") << qtface::PrintStatus::Printed << "Afdrukken mislukt";
    }
    void printFailureIsShownAndChangesNothing() {
        QFETCH(qtface::PrintStatus, failure);
        QFETCH(QString, prompt);
        fillBothHalves();
        std::optional<qtface::PrinterRedirect> printer;
        if (failure == qtface::PrintStatus::Printed) {
            printer.emplace(qtface::PrinterRedirect::OutOfMemory{});
        } else {
            printer.emplace(failure);
        }
        printer->setAnswerLimit(std::chrono::milliseconds(200));
        const Snapshot before = snapshot();
        click("cmdPrinten");
        QCOMPARE(printer->jobsBegun(), 1);
        QCOMPARE(messages_->messages(), (QList<Message>{{prompt, "Let op!"}}));
        QCOMPARE(snapshot(), before);
        QVERIFY(window_->isVisible());

        // Once the trouble is gone, the window prints again.
        printer.reset();
        messages_->clear();
        QTemporaryDir dir;
        const qtface::PrinterRedirect working(dir.filePath("window.pdf"));
        click("cmdPrinten");
        QCOMPARE(messages_->messages(), QList<Message>());
        QVERIFY(QFileInfo(dir.filePath("window.pdf")).size() > 0);
    }

    // ---- the end --------------------------------------------------------

    void closingEndsTheProgram_data() {
        QTest::addColumn<bool>("closeBox");
        QTest::addColumn<bool>("whilePrinting"); // to a print system that never answers
        QTest::newRow("Afsluiten") << false << false;
        QTest::newRow("close box") << true << false;
        QTest::newRow("Afsluiten while printing") << false << true;
        QTest::newRow("close box while printing") << true << true;
    }
    void closingEndsTheProgram() {
        QFETCH(bool, closeBox);
        QFETCH(bool, whilePrinting);
        fillBothHalves();
        std::optional<qtface::PrinterRedirect> silent;
        if (whilePrinting) {
            silent.emplace(qtface::PrintStatus::NoAnswer);
        }
        QElapsedTimer clock;
        const int exitCode = runUntilQuit([this, closeBox, whilePrinting, &clock] {
            const auto closeWindow = [this, closeBox] {
                if (closeBox) {
                    window_->windowHandle()->close();
                } else {
                    click("cmdAfsluiten");
                }
            };
            clock.start();
            if (whilePrinting) {
                QTimer::singleShot(100, window_.get(), closeWindow);
                click("cmdPrinten");
            } else {
                closeWindow();
            }
        });
        QCOMPARE(exitCode, 0);
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(!window_->isVisible());
        QCOMPARE(messages_->messages(), QList<Message>());
    }
};

OFFSET_WINDOW_TEST_MAIN(FrmSoloTest)
#include "frmsolo_test.moc"
