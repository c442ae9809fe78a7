// What a screen reader hears in both windows: every control the Tab key
// reaches has a name; a box is named by its caption and labelled by it (the
// relation through which Linux screen readers speak a combo box), not by the
// value it shows; the two Bereken buttons tell apart what they calculate; the
// print and close buttons and the diagram say what they are. A pick box is
// picked from through its accessible value and step actions as with the keys,
// and never otherwise; after a calculation the results are told. How a screen
// reader meets all of it over AT-SPI: tests/e2e/accessibility_e2e.py.

#include "qt/screenfit.h"
#include "qt/messagebox.h"
#include "qt/pickcombobox.h"
#include "testmain.h"
#include "calculators.h"
#include "windowdriver.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QLabel>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

struct Caption {
    const char* box;
    const char* label;
    const char* name;
};

// Both windows, typed from their captions.
constexpr Caption shared[] = {
    {"cmbHoek", "Label1", "Hoek in graden"},
    {"txtHorVersleping", "Label3", "Lengte horizontale- versleping in mm"},
    {"txtA", "Label6", "A"},
    {"txtB", "Label7", "B"},
    {"txtLengte", "Label4", "Lengte tussen de bochten in mm"},
    {"txtHoogte", "Label5", "Lengte van de verticale versleping in mm"},
    {"cmbHoek2", "Label8", "Hoek in graden"},
    {"cmb1000", "Label11", "1000mm sectie aantal"},
    {"cmb500", "Label12", "500mm sectie aantal"},
    {"cmb250", "Label13", "250mm sectie aantal"},
    {"txtVerHor", "Label16", "Horizontale versleping in mm"},
    {"txtVerVerticaal", "Label15", "Verticale versleping in mm"},
};
constexpr Caption soloOnly[] = {
    {"cmbDiameter", "Label2", "Diameter in mm"},
    {"cmbDiameter2", "Label10", "Diameter in mm"},
};

// The buttons that act on the world beyond the window, and a word their
// spoken name must hold.
struct Action {
    const char* button;
    const char* says;
};
constexpr Action twinActions[] = {{"cmdTest", "afdrukken"}};
constexpr Action soloActions[] = {{"cmdPrinten", "afdrukken"}, {"cmdAfsluiten", "sluiten"}};

QAccessibleInterface* face(QObject* object) {
    QAccessibleInterface* found = QAccessible::queryAccessibleInterface(object);
    if (found == nullptr) {
        qFatal("no accessible face for %s", qPrintable(object->objectName()));
    }
    return found;
}

QString spokenName(QWidget* control) {
    if (!control->accessibleName().isEmpty()) {
        return control->accessibleName();
    }
    return QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
}

std::unique_ptr<qtface::FormWindow> openWindow(const QString& program) {
    if (program == QLatin1String("twinoffset")) {
        auto window = makeTwin();
        window->load();
        return window;
    }
    auto window = makeSolo();
    window->load();
    return window;
}

} // namespace

class AccessibilityTest : public QObject, public WindowDriver {
    Q_OBJECT

    std::unique_ptr<qtface::FormWindow> window_;
    std::unique_ptr<qtface::MessageBox::Recorder> messages_;

    bool solo() const {
        QFETCH_GLOBAL(QString, program);
        return program == QLatin1String("solooffset");
    }
    qtface::PickComboBox* pickBox(const char* name) const {
        return find<qtface::PickComboBox>(name);
    }
    static QAccessibleValueInterface* valueOf(QWidget* box) {
        QAccessibleValueInterface* value = face(box)->valueInterface();
        if (value == nullptr) {
            qFatal("%s has no accessible value", qPrintable(box->objectName()));
        }
        return value;
    }
    QWidget* control(const char* name) const {
        auto* found = window_->findChild<QWidget*>(QString::fromUtf8(name));
        if (found == nullptr) {
            qFatal("no control %s", name);
        }
        return found;
    }

    void verifyCaptions(std::span<const Caption> captions) {
        for (const Caption& c : captions) {
            QWidget* box = control(c.box);
            auto* label = qobject_cast<QLabel*>(control(c.label));
            QCOMPARE(box->accessibleName(), QString::fromUtf8(c.name));
            QCOMPARE(label->buddy(), box);
            QAccessibleInterface* boxFace = QAccessible::queryAccessibleInterface(box);
            const auto labelledBy = boxFace->relations(QAccessible::Label);
            QVERIFY2(labelledBy.size() == 1 && labelledBy.front().first->object() == label, c.box);
        }
    }

private slots:
    void initTestCase_data() {
        QTest::addColumn<QString>("program");
        QTest::newRow("twinoffset") << QStringLiteral("twinoffset");
        QTest::newRow("solooffset") << QStringLiteral("solooffset");
    }
    void init() {
        QFETCH_GLOBAL(QString, program);
        messages_ = std::make_unique<qtface::MessageBox::Recorder>();
        window_ = openWindow(program);
        drive(window_.get());
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }
    void cleanup() {
        window_.reset();
        messages_.reset();
    }

    void everyFocusableControlHasAName() {
        int focusable = 0;
        for (QWidget* child : window_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if ((child->focusPolicy() & Qt::TabFocus) == 0) {
                continue;
            }
            ++focusable;
            QVERIFY2(!spokenName(child).trimmed().isEmpty(), qPrintable(child->objectName()));
        }
        QFETCH_GLOBAL(QString, program);
        QCOMPARE(focusable, program == QLatin1String("twinoffset") ? 16 : 19);
    }

    void boxesAreNamedAndLabelledByTheirCaptions() {
        verifyCaptions(shared);
        QFETCH_GLOBAL(QString, program);
        if (program == QLatin1String("solooffset")) {
            verifyCaptions(soloOnly);
        }
    }

    void bothBerekenButtonsSayWhatTheyCalculate() {
        const QString lengths = control("cmdBereken")->accessibleDescription();
        const QString offsets = control("cmdBereken2")->accessibleDescription();
        QVERIFY(lengths.contains(QLatin1String("lengte")));
        QVERIFY(offsets.contains(QLatin1String("secties")));
        QVERIFY(lengths != offsets);
        // The visible caption stays in the name.
        QCOMPARE(spokenName(control("cmdBereken")), QStringLiteral("Bereken"));
        QCOMPARE(spokenName(control("cmdBereken2")), QStringLiteral("Bereken"));
    }

    void actionButtonsAndDiagramSayWhatTheyAre() {
        QFETCH_GLOBAL(QString, program);
        const auto actions = program == QLatin1String("twinoffset")
                                 ? std::span<const Action>(twinActions)
                                 : std::span<const Action>(soloActions);
        for (const Action& action : actions) {
            auto* button = qobject_cast<QPushButton*>(control(action.button));
            const QString name = spokenName(button);
            QVERIFY2(name.startsWith(button->text()), qPrintable(name));
            QVERIFY2(name.contains(QLatin1String(action.says)), qPrintable(name));
            QVERIFY(!button->accessibleDescription().isEmpty());
        }
        QWidget* diagram = control("Picture1");
        QVERIFY(!diagram->accessibleName().isEmpty());
        QVERIFY(diagram->accessibleDescription().contains(QLatin1String("bochtmaten A en B")));
    }

    // On a screen too small for the window, the scrolling frame it sits in
    // is the window a user switches to; the calculator in it is no second one.
    void scrollingFrameIsTheWindow() {
        QFETCH_GLOBAL(QString, program);
        auto window = program == QLatin1String("twinoffset")
                          ? std::unique_ptr<QWidget>(makeTwin())
                          : std::unique_ptr<QWidget>(makeSolo());
        qtface::ScreenFit fit(*window);
        if (fit.frame() == nullptr) {
            QSKIP("the test screen holds the whole window");
        }
        QCOMPARE(face(fit.frame())->role(), QAccessible::Window);
        QCOMPARE(face(fit.frame())->text(QAccessible::Name), window->windowTitle());
        QCOMPARE(face(window.get())->role(), QAccessible::Client);
    }

    // The value and the step actions pick as the arrow keys do, and only an
    // item of the list; a typed text is no value, a closed box picks nothing.
    void valueAndStepsPickOnlyListedItems() {
        qtface::PickComboBox* box = pickBox("cmbHoek");
        QSignalSpy picks(box, &qtface::PickComboBox::picked);
        QAccessibleValueInterface* value = valueOf(box);
        value->setCurrentValue(31);
        QCOMPARE(picks.count(), 0);
        value->setCurrentValue(30.0);
        box->setEditText(QStringLiteral("3"));
        QVERIFY(!value->currentValue().isValid());
        value->setCurrentValue(30); // again, over the typed text
        QCOMPARE(box->currentText(), QStringLiteral("30"));

        QAccessibleActionInterface* actions = face(box)->actionInterface();
        actions->doAction(QAccessibleActionInterface::increaseAction());
        QCOMPARE(box->currentText(), solo() ? QStringLiteral("45") : QStringLiteral("43"));
        for (int step = 0; step < 3; ++step) { // one past the top of the list
            actions->doAction(QAccessibleActionInterface::decreaseAction());
        }
        QCOMPARE(box->currentText(), QStringLiteral("15"));
        QCOMPARE(picks.count(), 5);
    }

    // After Bereken the window's notice shows the results, each by its
    // box's name, and its button tells them ahead of what it does. A problem
    // changes nothing; the next results replace them. (That the notice is
    // spoken is measured over AT-SPI, in the end-to-end test.)
    void berekenTellsItsResults() {
        QAccessibleInterface* windowFace = face(window_.get());
        QAccessibleInterface* words = windowFace->child(windowFace->childCount() - 1)->child(0);

        auto* button = find<QPushButton>("cmdBereken");
        const QString purpose = button->accessibleDescription();
        valueOf(pickBox("cmbHoek"))->setCurrentValue(solo() ? 45 : 30);
        if (solo()) {
            valueOf(pickBox("cmbDiameter"))->setCurrentValue(125);
        }
        edit("txtHorVersleping")->setText(QStringLiteral("500"));
        click("cmdBereken");
        const QString told = button->accessibleDescription();
        QCOMPARE(told, QStringLiteral("Uitkomst. ") + words->text(QAccessible::Name) +
                           QLatin1Char(' ') + purpose);
        QStringList results; // in the window's reading order
        for (const char* name : {"txtA", "txtB", "txtLengte", "txtHoogte"}) {
            results << edit(name)->accessibleName() + QStringLiteral(": ") + text(name);
        }
        QCOMPARE(words->text(QAccessible::Name),
                 results.join(QStringLiteral("; ")) + QLatin1Char('.'));

        edit("txtHorVersleping")->clear();
        click("cmdBereken");
        QCOMPARE(messages_->messages().size(), 1);
        QCOMPARE(button->accessibleDescription(), told);

        edit("txtHorVersleping")->setText(QStringLiteral("1000"));
        click("cmdBereken");
        QVERIFY(button->accessibleDescription() != told);
        QVERIFY(button->accessibleDescription().endsWith(QStringLiteral(". ") + purpose));
        QVERIFY(words->text(QAccessible::Name).endsWith(text("txtHoogte") + QLatin1Char('.')));

        // The lower calculation, on its own button.
        valueOf(pickBox("cmbHoek2"))->setCurrentValue(solo() ? 45 : 43);
        if (solo()) {
            valueOf(pickBox("cmbDiameter2"))->setCurrentValue(125);
        }
        click("cmdBereken2");
        QVERIFY(find<QPushButton>("cmdBereken2")
                    ->accessibleDescription()
                    .startsWith(QStringLiteral("Uitkomst. Horizontale versleping in mm: ") +
                                text("txtVerHor") + QStringLiteral("; Verticale")));
    }
};

OFFSET_WINDOW_TEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
