// What a screen reader hears in both windows: every control the Tab key
// reaches has a name; a box is named by its caption and labelled by it (the
// relation through which Linux screen readers speak a combo box), not by the
// value it shows; the two Bereken buttons tell apart what they calculate; the
// print and close buttons and the diagram say what they are.

#include "solooffset/frmsolo.h"
#include "testmain.h"
#include "twinoffset/frmtwin.h"

#include <QAccessible>
#include <QLabel>
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

QString spokenName(QWidget* control) {
    if (!control->accessibleName().isEmpty()) {
        return control->accessibleName();
    }
    return QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
}

std::unique_ptr<common::CalculatorWindow> openWindow(const QString& program) {
    if (program == QLatin1String("twinoffset")) {
        auto window = std::make_unique<FrmTwin>();
        window->frmTwinLoad();
        return window;
    }
    auto window = std::make_unique<FrmSolo>();
    window->frmSoloLoad();
    return window;
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

    std::unique_ptr<common::CalculatorWindow> window_;

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
            QVERIFY2(labelledBy.size() == 1 && labelledBy.front().first->object() == label,
                     c.box);
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
        window_ = openWindow(program);
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }
    void cleanup() { window_.reset(); }

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
};

OFFSET_WINDOW_TEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
