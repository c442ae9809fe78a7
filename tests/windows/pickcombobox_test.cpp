// Only a person's pick from the list counts; typing never does, whatever key
// confirms it.

#include "qt/pickcombobox.h"
#include "testmain.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

class PickComboBoxTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        window_ = std::make_unique<QWidget>();
        box_ = new qtface::PickComboBox(window_.get());
        box_->addItems({QStringLiteral("15"), QStringLiteral("30"), QStringLiteral("43")});
        box_->setCurrentIndex(-1);
        box_->setEditText(QString());
        other_ = new QLineEdit(window_.get());
        other_->move(0, 40);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        window_->activateWindow();
        box_->setFocus();
        QTRY_VERIFY(box_->hasFocus());
    }
    void cleanup() { window_.reset(); }

    void typedItemConfirmedIsNoPick_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
        QTest::newRow("Tab away") << int(Qt::Key_Tab);
    }
    void typedItemConfirmedIsNoPick() {
        QFETCH(int, key);
        QSignalSpy picks(box_, &qtface::PickComboBox::picked);
        QTest::keyClicks(box_, QStringLiteral("15"));
        QTest::keyClick(box_, Qt::Key(key));
        QCOMPARE(picks.count(), 0);
        QCOMPARE(box_->currentText(), QStringLiteral("15"));
        QCOMPARE(box_->count(), 3);
    }

    void typedTextIsNeitherCompletedNorAdded() {
        QTest::keyClicks(box_, QStringLiteral("4"));
        QCOMPARE(box_->currentText(), QStringLiteral("4"));
        QTest::keyClick(box_, Qt::Key_Return);
        QTest::keyClicks(box_, QStringLiteral("5"));
        QTest::keyClick(box_, Qt::Key_Tab);
        QCOMPARE(box_->currentText(), QStringLiteral("45"));
        QCOMPARE(box_->count(), 3);
    }

    void arrowKeysPick() {
        QSignalSpy picks(box_, &qtface::PickComboBox::picked);
        box_->setCurrentIndex(0);
        QTest::keyClick(box_, Qt::Key_Down);
        QCOMPARE(picks.count(), 1);
        QCOMPARE(picks.at(0).at(0).toString(), QStringLiteral("30"));
        QTest::keyClick(box_, Qt::Key_Up);
        QCOMPARE(picks.count(), 2);
        QCOMPARE(picks.at(1).at(0).toString(), QStringLiteral("15"));
    }

    void pickInPopupCounts() {
        QSignalSpy picks(box_, &qtface::PickComboBox::picked);
        box_->showPopup();
        QAbstractItemView* view = box_->view();
        QTRY_VERIFY(view->isVisible());
        view->setCurrentIndex(view->model()->index(2, 0));
        QTest::keyClick(view, Qt::Key_Return);
        QCOMPARE(picks.count(), 1);
        QCOMPARE(picks.at(0).at(0).toString(), QStringLiteral("43"));
        QCOMPARE(box_->currentText(), QStringLiteral("43"));
    }

    void mouseClickInPopupCounts() {
        QSignalSpy picks(box_, &qtface::PickComboBox::picked);
        box_->showPopup();
        QAbstractItemView* view = box_->view();
        QTRY_VERIFY(view->isVisible());
        const QRect item = view->visualRect(view->model()->index(1, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
        QTRY_COMPARE(picks.count(), 1);
        QCOMPARE(picks.at(0).at(0).toString(), QStringLiteral("30"));
    }

    void sameItemPickedAgainStillCounts() {
        QSignalSpy picks(box_, &qtface::PickComboBox::picked);
        box_->setCurrentIndex(1);
        box_->showPopup();
        QAbstractItemView* view = box_->view();
        QTRY_VERIFY(view->isVisible());
        view->setCurrentIndex(view->model()->index(1, 0));
        QTest::keyClick(view, Qt::Key_Return);
        QCOMPARE(picks.count(), 1);
    }

    // A turn of the wheel over the box, focused or not, would step through
    // the items like arrow keys; it must change nothing.
    void wheelChangesNothing() {
        QSignalSpy picks(box_, &qtface::PickComboBox::picked);
        box_->setCurrentIndex(1);
        const QPointF centre = QRectF(box_->rect()).center();
        for (const bool focused : {true, false}) {
            if (!focused) {
                other_->setFocus();
                QTRY_VERIFY(other_->hasFocus());
            }
            for (const int delta : {-120, 120, -120, -360, 360}) {
                QWheelEvent wheel(centre, box_->mapToGlobal(centre), QPoint(), QPoint(0, delta),
                                  Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
                QApplication::sendEvent(box_, &wheel);
                QCOMPARE(box_->currentIndex(), 1);
                QCOMPARE(box_->currentText(), QStringLiteral("30"));
            }
        }
        QCOMPARE(picks.count(), 0);
    }

private:
    std::unique_ptr<QWidget> window_;
    qtface::PickComboBox* box_ = nullptr;
    QLineEdit* other_ = nullptr;
};

OFFSET_WINDOW_TEST_MAIN(PickComboBoxTest)
#include "pickcombobox_test.moc"
