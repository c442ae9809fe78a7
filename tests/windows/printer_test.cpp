// The wait for a print as Qt runs it: the window takes no input then but
// still paints and can be closed, and the wait ends when the job wakes it
// (even a wake that came first), at its deadline, or at once when the
// program ends. What the print flow makes of each end is tested without Qt.

#include "qt/printwait.h"
#include "testmain.h"

#include <QElapsedTimer>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include <chrono>
#include <optional>
#include <thread>

using End = forms::Waiter::End;
using std::chrono::milliseconds;
using std::chrono::steady_clock;

namespace {

// A window with a button that counts its clicks, one that closes the window
// and is let through, and a count of how often it was painted.
struct PrintingWindow : QWidget {
    QPushButton* other = new QPushButton(QStringLiteral("Bereken"), this);
    QPushButton* closer = new QPushButton(QStringLiteral("Afsluiten"), this);
    int otherClicks = 0;
    int closerClicks = 0;
    int paints = 0;

    PrintingWindow() {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(other);
        layout->addWidget(closer);
        connect(other, &QPushButton::clicked, this, [this] { ++otherClicks; });
        connect(closer, &QPushButton::clicked, this, [this] {
            ++closerClicks;
            close();
        });
        qtface::letThroughWhilePrinting(closer);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        ++paints;
        QPainter(this).fillRect(rect(), Qt::white);
    }
};

} // namespace

class PrinterTest : public QObject {
    Q_OBJECT

private:
    std::optional<PrintingWindow> window_;
    qtface::QtWaiter waiter_;

private slots:
    void init() {
        window_.emplace();
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(&*window_));
    }
    void cleanup() { window_.reset(); }

    // Input other than to close is held back; the program ending with its
    // last window ends the wait at once, not at the deadline.
    void closeRequestEndsTheWaitAtOnce_data() {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("control let through") << false;
        QTest::newRow("close box") << true;
    }
    void closeRequestEndsTheWaitAtOnce() {
        QFETCH(bool, closeBox);
        PrintingWindow& window = *window_;
        std::optional<End> end;
        QElapsedTimer clock;
        // In the program's own loop, as main() runs it: only there does
        // closing the last window end the program.
        QTimer::singleShot(0, &window, [&] {
            QTimer::singleShot(50, &window, [&window, closeBox] {
                QTest::mouseClick(window.other, Qt::LeftButton);
                window.other->setFocus();
                QTest::keyClick(window.other, Qt::Key_Space);
                if (closeBox) {
                    window.windowHandle()->close();
                } else {
                    QTest::mouseClick(window.closer, Qt::LeftButton);
                }
            });
            clock.start();
            end = waiter_.wait(steady_clock::now() + milliseconds(10000));
        });
        QTimer watchdog;
        connect(&watchdog, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
        watchdog.start(20000);
        QCOMPARE(QApplication::exec(), 0);

        QVERIFY(end == End::Closing);
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(window.otherClicks, 0);
        QCOMPARE(window.closerClicks, closeBox ? 0 : 1);
        QVERIFY(!window.isVisible());
    }

    // A job ends the wait from its own thread, also when it ended before
    // the wait began; that wake ends one wait only.
    void wakeFromAnotherThreadEndsTheWait_data() {
        QTest::addColumn<bool>("beforeTheWait");
        QTest::newRow("during the wait") << false;
        QTest::newRow("before the wait") << true;
    }
    void wakeFromAnotherThreadEndsTheWait() {
        QFETCH(bool, beforeTheWait);
        std::thread job;
        if (beforeTheWait) {
            std::thread([this] { waiter_.wake(); }).join();
        } else {
            QTimer::singleShot(50, &*window_,
                               [this, &job] { job = std::thread([this] { waiter_.wake(); }); });
        }
        QElapsedTimer clock;
        clock.start();
        const End end = waiter_.wait(steady_clock::now() + milliseconds(10000));
        if (job.joinable()) {
            job.join();
        }
        QCOMPARE(end, End::Woken);
        QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(waiter_.wait(steady_clock::now() + milliseconds(50)), End::TimedOut);
    }

    // Until its deadline the wait runs the window's events: it repaints
    // while a click on it does nothing.
    void deadlineEndsTheWaitWhileTheWindowPaints() {
        PrintingWindow& window = *window_;
        const int paintsBefore = window.paints;
        QTimer repaint;
        connect(&repaint, &QTimer::timeout, &window, [&window] {
            window.update();
            QTest::mouseClick(window.other, Qt::LeftButton);
        });
        repaint.start(20);
        const milliseconds limit{300};
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(waiter_.wait(steady_clock::now() + limit), End::TimedOut);
        // Qt's timer counts whole milliseconds.
        QVERIFY2(clock.elapsed() >= limit.count() - 1, qPrintable(QString::number(clock.elapsed())));
        QVERIFY2(clock.elapsed() < 5 * limit.count(), qPrintable(QString::number(clock.elapsed())));
        QVERIFY2(window.paints >= paintsBefore + 3, qPrintable(QString::number(window.paints)));
        QCOMPARE(window.otherClicks, 0);
        // Once the wait is over, input reaches the window again.
        QTest::mouseClick(window.other, Qt::LeftButton);
        QCOMPARE(window.otherClicks, 1);
    }
};

OFFSET_WINDOW_TEST_MAIN(PrinterTest)
#include "printer_test.moc"
