// Both calculator windows in Qt, for what only the Qt face can get wrong:
// the window drawn as its table says, at the scale the test runs at; the
// presenter's answers carried out (lists filled, boxes closed and opened,
// texts written, a message box with the presenter's prompt and title); a
// click and a pick reaching the presenter; Enter and Escape pressing
// nothing; a failed print told; closing the window, also while a print
// waits. What a click decides is the presenter's, tested without Qt.

#include "calculators.h"
#include "layoutcheck.h"
#include "qt/messagebox.h"
#include "testmain.h"
#include "testprinters.h"
#include "windowdriver.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

using Message = qtface::MessageBox::Message;
using Trouble = TroubledPrinter::Trouble;
Q_DECLARE_METATYPE(std::optional<Trouble>)

namespace {

const QStringList twinAngles{"15", "30", "43", "87"};
const QStringList soloAngles{"15", "30", "45", "90"};

// Every text a person can see or change and what is open, to tell that
// nothing changed.
struct Snapshot {
    QStringList texts;
    QList<bool> enabled;
    bool operator==(const Snapshot&) const = default;
};

} // namespace

class FormWindowTest : public QObject, private WindowDriver {
    Q_OBJECT

private:
    std::unique_ptr<qtface::FormWindow> window_;
    std::unique_ptr<qtface::MessageBox::Recorder> messages_;

    void open(bool twin,
              std::shared_ptr<forms::Printer> printer = std::make_shared<qtface::QtPrinter>(),
              std::chrono::milliseconds answerLimit = forms::printAnswerLimit) {
        window_ = twin ? makeTwin(std::move(printer), answerLimit)
                       : makeSolo(std::move(printer), answerLimit);
        drive(window_.get());
        window_->load();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }
    const forms::FormTable& form() const { return window_->presenter().form(); }
    bool twin() const { return qstrcmp(form().name, "frmTwin") == 0; }

    Snapshot snapshot() {
        Snapshot s;
        for (const forms::ControlEntry& entry : form().controls) {
            auto* control = find<QWidget>(entry.name);
            if (auto* box = qobject_cast<QComboBox*>(control)) {
                s.texts << box->currentText() << itemsOf(box).join('|');
            } else if (auto* line = qobject_cast<QLineEdit*>(control)) {
                s.texts << line->text();
            }
            s.enabled << control->isEnabled();
        }
        return s;
    }

    // Mode 1 and mode 2 with results that show, through picks where the
    // window needs them.
    void fillBothHalves() {
        pick("cmbHoek", twin() ? "30" : "45");
        if (!twin()) {
            setCombo("cmbDiameter", "125");
        }
        edit("txtHorVersleping")->setText("500");
        click("cmdBereken");
        pick("cmbHoek2", twin() ? "43" : "90");
        if (!twin()) {
            setCombo("cmbDiameter2", "125");
        }
        setCombo("cmb1000", "1");
        setCombo("cmb250", twin() ? "1" : "0");
        click("cmdBereken2");
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

    static void bothWindows() {
        QTest::addColumn<bool>("twin");
        QTest::newRow("twinoffset") << true;
        QTest::newRow("solooffset") << false;
    }

private slots:
    void init() { messages_ = std::make_unique<qtface::MessageBox::Recorder>(); }
    void cleanup() {
        window_.reset();
        messages_.reset();
    }

    // ---- drawn from the table --------------------------------------------

    void drawnAsTheTableSays_data() { bothWindows(); }
    void drawnAsTheTableSays() {
        QFETCH(bool, twin);
        open(twin);
        layoutcheck::verifyWindowFrame(window_.get(), form());
        layoutcheck::verifyLayout(window_.get(), form());
        for (const forms::ControlEntry& entry : form().controls) {
            if (entry.kind == forms::ControlKind::NoteLabel) {
                const QFont font = find<QLabel>(entry.name)->font();
                QCOMPARE(font.family(), QStringLiteral("Times New Roman"));
                QCOMPARE(font.pointSizeF(), 8.25);
            } else if (entry.kind == forms::ControlKind::Label) {
                QCOMPARE(find<QLabel>(entry.name)->font(), window_->font());
            }
        }
        // The drawing is white paper, shown unscaled from the box's corner.
        const QImage image = find<QWidget>("Picture1")->grab().toImage();
        QCOMPARE(image.size() / image.devicePixelRatio(), QSize(317, 433));
        QCOMPARE(QColor(image.pixel(2, 2)), QColor(Qt::white));
    }

    // A box the presenter keeps closed drops out of the ring, as Qt does.
    void tabFollowsTheTable_data() {
        QTest::addColumn<bool>("twin");
        QTest::addColumn<QStringList>("picked");
        QTest::newRow("twinoffset") << true << QStringList{};
        QTest::newRow("solooffset, nothing picked") << false << QStringList{};
        QTest::newRow("solooffset, mode 1 picked") << false << QStringList{"cmbHoek"};
        QTest::newRow("solooffset, both picked") << false << QStringList{"cmbHoek", "cmbHoek2"};
    }
    void tabFollowsTheTable() {
        QFETCH(bool, twin);
        QFETCH(QStringList, picked);
        open(twin);
        for (const QString& box : picked) {
            pick(qPrintable(box), "30");
        }
        std::vector<const char*> order;
        for (const char* name : form().tabOrder) {
            if (find<QWidget>(name)->isEnabled()) {
                order.push_back(name);
            }
        }
        layoutcheck::verifyTabOrder(window_.get(), order);
    }

    // ---- the presenter's answers carried out -----------------------------

    void loadFillsTheListsAndFocusesTheAngle_data() { bothWindows(); }
    void loadFillsTheListsAndFocusesTheAngle() {
        QFETCH(bool, twin);
        open(twin);
        for (const char* name : {"cmbHoek", "cmbHoek2"}) {
            QCOMPARE(combo(name)->currentText(), QString());
            QCOMPARE(itemsOf(combo(name)), twin ? twinAngles : soloAngles);
        }
        for (const char* name : {"cmb1000", "cmb500", "cmb250"}) {
            QCOMPARE(combo(name)->currentText(), QStringLiteral("0"));
            QCOMPARE(combo(name)->count(), 11);
        }
        if (!twin) {
            for (const char* name : {"cmbDiameter", "cmbDiameter2"}) {
                QVERIFY(!combo(name)->isEnabled());
                QCOMPARE(combo(name)->count(), 0);
            }
        }
        QTRY_COMPARE(QApplication::focusWidget(), combo("cmbHoek"));
    }

    void clicksAndPicksReachThePresenter_data() { bothWindows(); }
    void clicksAndPicksReachThePresenter() {
        QFETCH(bool, twin);
        open(twin);
        fillBothHalves();
        const QStringList lengths{text("txtA"), text("txtB"), text("txtLengte"), text("txtHoogte")};
        const QStringList offsets{text("txtVerHor"), text("txtVerVerticaal")};
        if (twin) {
            QCOMPARE(lengths, (QStringList{"76", "41", "883", "1013"}));
            QCOMPARE(offsets, (QStringList{"863", "1071"}));
        } else {
            QCOMPARE(lengths, (QStringList{"146", "96", "465", "792"}));
            QCOMPARE(offsets, (QStringList{"1253", "356"}));
            QCOMPARE(itemsOf(combo("cmbDiameter2")).first(), QStringLiteral("125"));
        }
    }

    // A typed angle is no pick: the presenter never hears of it.
    void typedAngleIsNoPick() {
        open(false);
        combo("cmbHoek")->setFocus();
        QTest::keyClicks(combo("cmbHoek"), "30");
        QTest::keyClick(combo("cmbHoek"), Qt::Key_Tab);
        QVERIFY(!combo("cmbDiameter")->isEnabled());
        QCOMPARE(combo("cmbDiameter")->count(), 0);
    }

    void messageShowsThePresentersWordsAndNothingChanges_data() { bothWindows(); }
    void messageShowsThePresentersWordsAndNothingChanges() {
        QFETCH(bool, twin);
        open(twin);
        fillBothHalves();
        setCombo("cmbHoek", "");
        const Snapshot before = snapshot();
        click("cmdBereken");
        QCOMPARE(messages_->messages(), (QList<Message>{{"Hoek invoeren", "Let op!"}}));
        QCOMPARE(snapshot(), before);
    }

    void enterAndEscapePressNothing_data() { bothWindows(); }
    void enterAndEscapePressNothing() {
        QFETCH(bool, twin);
        open(twin);
        setCombo("cmbHoek", "30");
        edit("txtHorVersleping")->setText("500");
        for (const char* name : {"txtHorVersleping", "cmbHoek", "cmdBereken"}) {
            find<QWidget>(name)->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        }
        QVERIFY(text("txtLengte").isEmpty());
        QVERIFY(messages_->messages().isEmpty());
        QVERIFY(window_->isVisible());
    }

    // ---- printing and the end ------------------------------------------------

    void printFailureIsToldAndChangesNothing_data() {
        // None: a print system that never answers.
        QTest::addColumn<std::optional<Trouble>>("trouble");
        QTest::addColumn<QString>("prompt");
        QTest::newRow("no printer")
            << std::optional(Trouble::NoPrinter) << "Geen printer beschikbaar";
        QTest::newRow("job refused") << std::optional(Trouble::Refuses) << "Afdrukken mislukt";
        QTest::newRow("memory runs out")
            << std::optional(Trouble::OutOfMemory) << "Afdrukken mislukt";
        QTest::newRow("no answer") << std::optional<Trouble>() << "Printer reageert niet";
    }
    void printFailureIsToldAndChangesNothing() {
        QFETCH(std::optional<Trouble>, trouble);
        QFETCH(QString, prompt);
        const auto silent = std::make_shared<SilentPrinter>();
        std::shared_ptr<forms::Printer> printer = silent;
        if (trouble) {
            printer = std::make_shared<TroubledPrinter>(*trouble);
        }
        open(false, printer, std::chrono::milliseconds(200));
        fillBothHalves();
        const Snapshot before = snapshot();
        click("cmdPrinten");
        if (!trouble) {
            QTRY_COMPARE(silent->jobsHeld(), 1);
        }
        silent->release();
        QCOMPARE(messages_->messages(), (QList<Message>{{prompt, "Let op!"}}));
        QCOMPARE(snapshot(), before);
        QVERIFY(window_->isVisible());
    }

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
        const auto silent = std::make_shared<SilentPrinter>();
        open(false, silent);
        fillBothHalves();
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
        if (whilePrinting) {
            QTRY_COMPARE(silent->jobsHeld(), 1);
        }
        silent->release();
        QCOMPARE(exitCode, 0);
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(!window_->isVisible());
        QCOMPARE(messages_->messages(), QList<Message>());
    }
};

OFFSET_WINDOW_TEST_MAIN(FormWindowTest)
#include "formwindow_test.moc"
