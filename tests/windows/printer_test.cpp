// The wait for the print system, as the window lives through it: a print
// system that keeps a job waiting holds that one job and no more, and the
// window takes no input then but can still be closed (the windows' own
// tests close theirs during the wait). A job that might not fit in the
// address space left never begins, and what is left of one whose end was
// cut short goes.

#include "addressspace.h"
#include "qt/printer.h"
#include "qt/unsentjob.h"
#include "testmain.h"

#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <chrono>
#include <fcntl.h>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>

using qtface::PrintStatus;
using std::chrono::milliseconds;

namespace {

// Draws nothing: what is drawn is the windows' own tests' business.
qtface::PageDrawing blankPage() {
    return [](QPrinter&, QPainter&) { return true; };
}

// A window with a button that prints and one that closes the window.
struct PrintingWindow : QWidget {
    QPushButton* other = new QPushButton(QStringLiteral("Bereken"), this);
    QPushButton* closer = new QPushButton(QStringLiteral("Afsluiten"), this);
    int otherClicks = 0;

    PrintingWindow() {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(other);
        layout->addWidget(closer);
        connect(other, &QPushButton::clicked, this, [this] { ++otherClicks; });
        connect(closer, &QPushButton::clicked, this, &QWidget::close);
        qtface::letThroughWhilePrinting(closer);
    }
};

bool isOpen(int descriptor) {
    return fcntl(descriptor, F_GETFD) != -1;
}

} // namespace

class PrinterTest : public QObject {
    Q_OBJECT

private slots:
    // Each try would otherwise leave a thread and its connection behind
    // for as long as the program runs.
    void aJobKeptWaitingHoldsOffTheNext() {
        QTemporaryDir dir;
        {
            qtface::PrinterRedirect silent(PrintStatus::NoAnswer);
            const milliseconds limit{300};
            silent.setAnswerLimit(limit);
            QElapsedTimer clock;
            clock.start();
            QCOMPARE(qtface::print(blankPage()), PrintStatus::NoAnswer);
            QVERIFY(clock.elapsed() >= limit.count());
            for (int attempt = 0; attempt < 3; ++attempt) {
                clock.restart();
                QCOMPARE(qtface::print(blankPage()), PrintStatus::NoAnswer);
                QVERIFY2(clock.elapsed() < limit.count(),
                         qPrintable(QString::number(clock.elapsed())));
            }
            QCOMPARE(silent.jobsBegun(), 4);
            QCOMPARE(silent.jobsKeptWaiting(), 1);
        }
        // Once the print system has answered the job, the next one prints.
        const qtface::PrinterRedirect working(dir.filePath(QStringLiteral("page.pdf")));
        QCOMPARE(qtface::print(blankPage()), PrintStatus::Printed);
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("page.pdf"))));
    }

    // No second click starts while a print waits, but the control that
    // closes the window still works.
    void inputWaitsExceptToCloseTheWindow() {
        PrintingWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        qtface::PrinterRedirect silent(PrintStatus::NoAnswer);
        silent.setAnswerLimit(milliseconds(500));
        bool closerClicked = false;
        connect(window.closer, &QPushButton::clicked, &window,
                [&closerClicked] { closerClicked = true; });
        QTimer::singleShot(50, &window, [&window] {
            QTest::mouseClick(window.other, Qt::LeftButton);
            window.other->setFocus();
            QTest::keyClick(window.other, Qt::Key_Space);
            QTest::mouseClick(window.closer, Qt::LeftButton);
        });

        QElapsedTimer clock;
        clock.start();
        qtface::print(blankPage());

        QCOMPARE(window.otherClicks, 0);
        QVERIFY(closerClicked);
        QVERIFY(!window.isVisible());
        // Without the application's own loop running, closing the window
        // does not end the program, and the wait goes on to its limit.
        QVERIFY(clock.elapsed() >= 500);
    }

    // A job that ran out of address space half way could take Qt down with
    // it; one that might not fit never begins.
    void aJobThatMightNotFitDoesNotBegin() {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("AddressSanitizer reserves more address space than any limit allows");
#endif
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("page.pdf"));
        qtface::PrinterRedirect printer(pdf);
        rlimit unlimited{};
        QVERIFY(getrlimit(RLIMIT_AS, &unlimited) == 0);
        {
            // Room for everything but the job; given back however this ends.
            rlimit tight = unlimited;
            tight.rlim_cur = rlim_t(addressSpaceKiB() * 1024 + qtface::printJobAddressSpace / 2);
            QVERIFY(setrlimit(RLIMIT_AS, &tight) == 0);
            const auto restore = qScopeGuard([&unlimited] { setrlimit(RLIMIT_AS, &unlimited); });
            QVERIFY(!qtface::addressSpaceFree(qtface::printJobAddressSpace));
            QCOMPARE(qtface::print(blankPage()), PrintStatus::Failed);
        }
        QVERIFY(!QFile::exists(pdf));
        QCOMPARE(qtface::print(blankPage()), PrintStatus::Printed);
        QCOMPARE(printer.jobsBegun(), 2);
    }

    // Only a job file of this process, and only one it holds open, is
    // taken away.
    void onlyThisProcessesOpenJobFilesAreDiscarded() {
        QTemporaryDir dir;
        const auto named = [&dir](unsigned process, const char* rest) {
            return dir.filePath(QString::asprintf("%05x", process) + QLatin1String(rest));
        };
        const unsigned self = unsigned(getpid());
        const QString unsent = named(self, "6b25a024");
        const QString othersJob = named(self + 1, "6b25a024");
        const QString closedJob = named(self, "6b25a079");
        const QString longerName = named(self, "6b25a0240");
        const auto open = [](const QString& path) {
            return ::open(QFile::encodeName(path).constData(), O_CREAT | O_RDWR, 0600);
        };
        const int unsentFile = open(unsent);
        const int othersFile = open(othersJob);
        const int longerFile = open(longerName);
        ::close(open(closedJob));

        qtface::discardUnsentJobFiles();

        QVERIFY(!QFile::exists(unsent));
        QVERIFY(!isOpen(unsentFile));
        for (const QString& kept : {othersJob, closedJob, longerName}) {
            QVERIFY2(QFile::exists(kept), qPrintable(kept));
        }
        QVERIFY(isOpen(othersFile));
        QVERIFY(isOpen(longerFile));
        ::close(othersFile);
        ::close(longerFile);
    }
};

OFFSET_WINDOW_TEST_MAIN(PrinterTest)
#include "printer_test.moc"
