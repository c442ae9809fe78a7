// The concentric window as a person meets it: its layout, its start state,
// both calculations, the checks on input and what a bad value does.

#include "layoutcheck.h"
#include "qt/messagebox.h"
#include "qt/pickcombobox.h"
#include "testmain.h"
#include "twinoffset/frmtwin.h"
#include "windowdriver.h"

#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using layoutcheck::Kind;
using Message = qtface::MessageBox::Message;

namespace {

// Typed from the window's design, independently of the program's own table.
constexpr layoutcheck::Expected layout[] = {
    {"Label1", Kind::Label, "Hoek in graden:", 120, 240, 1455, 255},
    {"cmbHoek", Kind::ComboBox, "", 1680, 240, 1455, 315},
    {"Label3", Kind::Label, "Lengte horizontale- versleping in mm:", 120, 840, 1455, 615},
    {"txtHorVersleping", Kind::TextBox, "", 1680, 840, 1455, 375},
    {"cmdBereken", Kind::Button, "Bereken", 1680, 1560, 1575, 495},
    {"cmdTest", Kind::Button, "Test", 4200, 1560, 975, 495},
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
    {"Label14", Kind::Label,
     "Elke Kestravon Concentrisch 100/150 sectie heeft een insteekmaat van 30mm.", 6720, 8520, 4215,
     375},
    {"Label9", Kind::Label, "Aan deze berekeningen kunnen geen rechten worden ontleend.", 6720,
     9000, 4335, 255},
};

constexpr const char* tabOrder[] = {
    "txtHorVersleping", "txtA",        "txtB",     "txtLengte", "txtHoogte", "cmdBereken",
    "cmbHoek",          "cmbHoek2",    "cmb1000",  "cmb500",    "cmb250",    "txtVerHor",
    "txtVerVerticaal",  "cmdBereken2", "Picture1", "cmdTest",
};

const QStringList angles{"15", "30", "43", "87"};

// Every text a person can see or change, to tell that nothing changed.
struct Snapshot {
    QStringList texts;
    std::optional<offsetcore::BendDimensions> held;
    bool operator==(const Snapshot&) const = default;
};

} // namespace

class FrmTwinTest : public QObject, private WindowDriver {
    Q_OBJECT

private:
    std::unique_ptr<FrmTwin> window_;
    std::unique_ptr<qtface::MessageBox::Recorder> messages_;

    void mode1(const QString& angle, const QString& offset) {
        setCombo("cmbHoek", angle);
        edit("txtHorVersleping")->setText(offset);
        click("cmdBereken");
    }
    void mode2(const QString& angle, const QString& n1000, const QString& n500,
               const QString& n250) {
        setCombo("cmbHoek2", angle);
        setCombo("cmb1000", n1000);
        setCombo("cmb500", n500);
        setCombo("cmb250", n250);
        click("cmdBereken2");
    }

    Snapshot snapshot() {
        Snapshot s;
        for (const char* name : {"cmbHoek", "cmbHoek2", "cmb1000", "cmb500", "cmb250"}) {
            s.texts << combo(name)->currentText();
        }
        for (const char* name : {"txtHorVersleping", "txtA", "txtB", "txtLengte", "txtHoogte",
                                 "txtVerHor", "txtVerVerticaal"}) {
            s.texts << text(name);
        }
        s.held = window_->heldBend();
        return s;
    }

private slots:
    void init() {
        messages_ = std::make_unique<qtface::MessageBox::Recorder>();
        window_ = std::make_unique<FrmTwin>();
        drive(window_.get());
        window_->frmTwinLoad();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }
    void cleanup() {
        window_.reset();
        messages_.reset();
    }

    // ---- what a person sees ---------------------------------------------

    void windowIsFixedCentredWithCloseButtonOnly() {
        layoutcheck::verifyWindowFrame(window_.get(), "frmTwin",
                                       "Versleping Kestravon Concentrisch 100/150");
    }

    void controlsMatchTheDesign() { layoutcheck::verifyLayout(window_.get(), layout); }

    void tabVisitsControlsInOrder() { layoutcheck::verifyTabOrder(window_.get(), tabOrder); }

    void notesUseTimesAndTheRestTheWindowFont() {
        for (const char* name : {"Label14", "Label9"}) {
            const QFont font = find<QLabel>(name)->font();
            QCOMPARE(font.family(), QStringLiteral("Times New Roman"));
            QCOMPARE(font.pointSizeF(), 8.25);
            QCOMPARE(font.weight(), QFont::Normal);
        }
        QCOMPARE(find<QLabel>("Label1")->font(), window_->font());
        QCOMPARE(edit("txtA")->font(), window_->font());
    }

    void diagramShowsUnscaledFromTopLeft() {
        QWidget* picture = find<QWidget>("Picture1");
        const QImage image = picture->grab().toImage();
        QCOMPARE(image.size() / image.devicePixelRatio(), QSize(317, 433));
        // The drawing is white paper; the box shows it from its own corner.
        QCOMPARE(QColor(image.pixel(2, 2)), QColor(Qt::white));
    }

    void startState() {
        for (const char* name : {"cmbHoek", "cmbHoek2"}) {
            QComboBox* box = combo(name);
            QCOMPARE(box->currentText(), QString());
            QCOMPARE(itemsOf(box), angles);
        }
        for (const char* name : {"cmb1000", "cmb500", "cmb250"}) {
            QComboBox* box = combo(name);
            QCOMPARE(box->currentText(), QStringLiteral("0"));
            QCOMPARE(box->count(), 11);
            QCOMPARE(box->itemText(0), QStringLiteral("0"));
            QCOMPARE(box->itemText(10), QStringLiteral("10"));
        }
        for (const char* name :
             {"txtA", "txtB", "txtLengte", "txtHoogte", "txtVerHor", "txtVerVerticaal"}) {
            QVERIFY(text(name).isEmpty());
            QVERIFY(edit(name)->isReadOnly());
        }
        QVERIFY(!window_->heldBend().has_value());
        QTRY_COMPARE(QApplication::focusWidget(), combo("cmbHoek"));
    }

    void enterAndEscapePressNothing() {
        setCombo("cmbHoek", "30");
        edit("txtHorVersleping")->setText("500");
        for (const char* name : {"txtHorVersleping", "cmbHoek", "cmdBereken"}) {
            find<QWidget>(name)->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        }
        QVERIFY(text("txtLengte").isEmpty());
        QVERIFY(window_->isVisible());
    }

    // ---- mode 1 ---------------------------------------------------------

    void mode1WorkedExamples_data() {
        QTest::addColumn<QString>("angle");
        QTest::addColumn<QString>("offset");
        QTest::addColumn<QStringList>("shown"); // txtA, txtB, txtLengte, txtHoogte
        QTest::newRow("30 and 500") << "30"
                                    << "500" << QStringList{"76", "41", "883", "1013"};
        QTest::newRow("negative length shows e") << "30"
                                                 << "58" << QStringList{"76", "41", "e", "e"};
        QTest::newRow("angle with trailing zeros")
            << "30,00"
            << "500" << QStringList{"76", "41", "883", "1013"};
    }
    void mode1WorkedExamples() {
        QFETCH(QString, angle);
        QFETCH(QString, offset);
        QFETCH(QStringList, shown);
        mode1(angle, offset);
        QCOMPARE(messages_->messages(), QList<Message>());
        QCOMPARE((QStringList{text("txtA"), text("txtB"), text("txtLengte"), text("txtHoogte")}),
                 shown);
        QVERIFY(text("txtVerHor").isEmpty());
        QVERIFY(text("txtVerVerticaal").isEmpty());
    }

    void pickedAngleIsWhatTheBoxShows() {
        pick("cmbHoek", "87");
        pick("cmbHoek", "30");
        edit("txtHorVersleping")->setText("500");
        click("cmdBereken");
        QCOMPARE(text("txtLengte"), QStringLiteral("883"));
    }

    void typedAngleIsNoPickAndNeverJoinsTheList_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");
        QTest::newRow("15 then Enter") << "15" << int(Qt::Key_Return);
        QTest::newRow("15 then Tab") << "15" << int(Qt::Key_Tab);
        QTest::newRow("4 then Enter is not completed to 43") << "4" << int(Qt::Key_Return);
        QTest::newRow("45 then Tab") << "45" << int(Qt::Key_Tab);
    }
    void typedAngleIsNoPickAndNeverJoinsTheList() {
        QFETCH(QString, typed);
        QFETCH(int, key);
        auto* box = find<qtface::PickComboBox>("cmbHoek");
        QSignalSpy picks(box, &qtface::PickComboBox::picked);
        box->setFocus();
        QTest::keyClicks(box, typed);
        QTest::keyClick(box, Qt::Key(key));
        QCOMPARE(picks.count(), 0);
        QCOMPARE(box->currentText(), typed);
        QCOMPARE(box->count(), 4);
    }

    void firstCalculationWithoutRowHoldsNothing() {
        mode1("90", "500");
        QCOMPARE(messages_->messages(),
                 (QList<Message>{{"Geen bochtmaten voor deze hoek", "Let op!"}}));
        QVERIFY(!window_->heldBend().has_value());
        QCOMPARE(text("txtLengte"), QString());
        mode1("43", "500");
        QCOMPARE(window_->heldBend(), (offsetcore::BendDimensions{75, 41}));
    }

    void editedOffsetKeepsOldResults() {
        mode1("30", "500");
        edit("txtHorVersleping")->setText("700");
        QCOMPARE(text("txtLengte"), QStringLiteral("883"));
        QCOMPARE(text("txtHoogte"), QStringLiteral("1013"));
    }

    // ---- mode 2 ---------------------------------------------------------

    void mode2WorkedExamples_data() {
        QTest::addColumn<QString>("angle");
        QTest::addColumn<QStringList>("counts");
        QTest::addColumn<QStringList>("shown"); // txtVerHor, txtVerVerticaal
        QTest::newRow("15 with no sections")
            << "15" << QStringList{"0", "0", "0"} << QStringList{"30", "258"};
        QTest::newRow("43 one metre one quarter")
            << "43" << QStringList{"1", "0", "1"} << QStringList{"863", "1071"};
        QTest::newRow("count above the list")
            << "87" << QStringList{"12", "0", "0"} << QStringList{"11602", "880"};
    }
    void mode2WorkedExamples() {
        QFETCH(QString, angle);
        QFETCH(QStringList, counts);
        QFETCH(QStringList, shown);
        // Mode 2 before any mode 1: it needs no held pair of its own.
        mode2(angle, counts[0], counts[1], counts[2]);
        QCOMPARE(messages_->messages(), QList<Message>());
        QCOMPARE((QStringList{text("txtVerHor"), text("txtVerVerticaal")}), shown);
        for (const char* name : {"txtA", "txtB", "txtLengte", "txtHoogte"}) {
            QVERIFY(text(name).isEmpty());
        }
    }

    void mode2LeavesModeOnePairShown() {
        mode1("87", "1000");
        mode2("15", "1", "0", "0");
        QCOMPARE(text("txtA"), QStringLiteral("139"));
        QCOMPARE(text("txtB"), QStringLiteral("103"));
        QCOMPARE(window_->heldBend(), (offsetcore::BendDimensions{76, 40}));
    }

    // ---- checks on input ------------------------------------------------
    // Which check comes first is the core's (its step table); here one case
    // of each kind shows that the window says it and changes nothing.

    void badInputShowsMessageAndChangesNothing_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("inputs"); // mode 1: angle, offset; mode 2: angle, counts
        QTest::addColumn<QString>("prompt");
        const QString huge = "1" + QString(308, '0');
        QTest::newRow("mode 1 all empty") << 1 << QStringList{"", ""} << "Hoek invoeren";
        QTest::newRow("mode 1 offset empty") << 1 << QStringList{"30", ""} << "Versleping invoeren";
        QTest::newRow("mode 1 angle letters")
            << 1 << QStringList{"abc", "500"} << "Hoek is geen geldig getal";
        QTest::newRow("mode 1 angle without row")
            << 1 << QStringList{"45", "600"} << "Geen bochtmaten voor deze hoek";
        QTest::newRow("mode 1 result too large")
            << 1 << QStringList{"15", huge} << "Uitkomst te groot";
        QTest::newRow("mode 2 angle empty")
            << 2 << QStringList{"", "1", "0", "0"} << "Hoek invoeren";
        QTest::newRow("mode 2 emptied count")
            << 2 << QStringList{"30", "1", "", "0"} << "Aantal secties is geen geldig getal";
        QTest::newRow("mode 2 angle without row")
            << 2 << QStringList{"45", "1", "0", "0"} << "Geen bochtmaten voor deze hoek";
        QTest::newRow("mode 2 result too large")
            << 2 << QStringList{"30", huge, "0", "0"} << "Uitkomst te groot";
    }
    void badInputShowsMessageAndChangesNothing() {
        QFETCH(int, mode);
        QFETCH(QStringList, inputs);
        QFETCH(QString, prompt);
        // Results and a held pair on screen first, so that a change would show.
        mode1("87", "1000");
        mode2("15", "1", "1", "1");
        QCOMPARE(messages_->messages().size(), 0);

        if (mode == 1) {
            setCombo("cmbHoek", inputs[0]);
            edit("txtHorVersleping")->setText(inputs[1]);
        } else {
            setCombo("cmbHoek2", inputs[0]);
            setCombo("cmb1000", inputs[1]);
            setCombo("cmb500", inputs[2]);
            setCombo("cmb250", inputs[3]);
        }
        const Snapshot before = snapshot();
        click(mode == 1 ? "cmdBereken" : "cmdBereken2");

        QCOMPARE(messages_->messages(), (QList<Message>{{prompt, "Let op!"}}));
        QCOMPARE(snapshot(), before);
    }
};

OFFSET_WINDOW_TEST_MAIN(FrmTwinTest)
#include "frmtwin_test.moc"
