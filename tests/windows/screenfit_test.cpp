// A window on a screen too small for it goes into a scrolling frame that
// fits the screen; the window keeps its size and its controls, Tab still
// reaches every control and shows it, and closing the window closes the
// frame. On a screen large enough nothing changes.

#include "qt/screenfit.h"
#include "testmain.h"
#include "calculators.h"

#include <QPushButton>

#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

class ScreenFitTest : public QObject {
    Q_OBJECT

    static QRect available() { return QGuiApplication::primaryScreen()->availableGeometry(); }

private slots:
    void initTestCase() {
        // ctest gives the offscreen platform the screen of windows/small-screen.json.
        QVERIFY2(available().size() == QSize(910, 512),
                 "run with QT_QPA_PLATFORM=offscreen:configfile=windows/small-screen.json");
    }

    void tooSmallAScreenGivesAFrameThatFitsAndScrolls() {
        const auto owned = makeTwin();
        qtface::FormWindow& window = *owned;
        std::optional<qtface::ScreenFit> fit(std::in_place, window);
        QScrollArea* frame = fit->frame();
        QVERIFY(frame != nullptr);
        window.load();
        QVERIFY(QTest::qWaitForWindowExposed(frame));

        QVERIFY(available().contains(frame->frameGeometry()));
        QCOMPARE(frame->windowTitle(), window.windowTitle());
        QVERIFY(!frame->windowIcon().isNull());
        QCOMPARE(window.size(), QSize(750, 627));
        QCOMPARE(window.parentWidget(), frame->viewport());
        QVERIFY(frame->verticalScrollBar()->maximum() > 0);
        QTRY_VERIFY(window.findChild<QWidget*>("cmbHoek")->hasFocus());

        // Tab onto the lowest box, below the fold, scrolls it into view.
        QWidget* bottom = window.findChild<QWidget*>("txtVerVerticaal");
        QVERIFY(bottom->geometry().bottom() > frame->viewport()->height());
        window.findChild<QWidget*>("txtVerHor")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTRY_VERIFY(bottom->hasFocus());
        const QRect shown(bottom->mapTo(frame->viewport(), QPoint(0, 0)), bottom->size());
        QVERIFY(frame->viewport()->rect().contains(shown));

        // The window comes out of the frame before the frame goes.
        fit.reset();
        QCOMPARE(window.parentWidget(), nullptr);
    }

    void closingTheWindowClosesTheFrame() {
        const auto owned = makeSolo();
        qtface::FormWindow& window = *owned;
        const qtface::ScreenFit fit(window);
        window.load();
        QVERIFY(QTest::qWaitForWindowExposed(fit.frame()));
        QTest::mouseClick(window.findChild<QPushButton*>("cmdAfsluiten"), Qt::LeftButton);
        QTRY_VERIFY(!fit.frame()->isVisible());
    }

    void aScreenLargeEnoughChangesNothing() {
        QWidget window;
        window.setFixedSize(available().size() - QSize(10, 10));
        const qtface::ScreenFit fit(window);
        QCOMPARE(fit.frame(), nullptr);
        QVERIFY(window.isWindow());
    }
};

OFFSET_WINDOW_TEST_MAIN(ScreenFitTest)
#include "screenfit_test.moc"
