// Threads under a limit on address space: each takes little of it, and once
// the raster engine's helpers run, drawing starts no thread of its own, so
// that it never waits for one that could not be started.

#include "addressspace.h"
#include "qt/helperthreads.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSemaphore>
#include <QTest>
#include <QThread>

#include <memory>
#include <vector>

namespace {

int threadCount() {
    return int(QDir(QStringLiteral("/proc/self/task"))
                   .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
                   .size());
}

// Large enough for the raster engine to split it over its helpers.
void drawLargeShape() {
    QImage image(1600, 1600, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::black);
    painter.drawEllipse(image.rect());
}

} // namespace

class HelperThreadsTest : public QObject {
    Q_OBJECT

private slots:
    void drawingStartsNoThreadOnceTheHelpersRun() {
        QVERIFY(qtface::startPaintHelpers());
        const int threads = threadCount();
        QVERIFY(threads > qtface::paintHelperCount());
        for (int i = 0; i < 3; ++i) {
            drawLargeShape();
        }
        QCOMPARE(threadCount(), threads);
    }

    void aThreadTakesLittleAddressSpace() {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("AddressSanitizer keeps the system's thread sizes");
#endif
        constexpr int count = 4;
        QSemaphore leave;
        std::vector<std::unique_ptr<QThread>> threads;
        const qint64 before = addressSpaceKiB();
        for (int i = 0; i < count; ++i) {
            threads.emplace_back(QThread::create([&leave] {
                // Whatever a thread allocates comes from the shared heap.
                const auto held = std::make_unique<char[]>(4096);
                leave.acquire();
            }));
            threads.back()->start();
        }
        const qint64 grown = addressSpaceKiB() - before;
        leave.release(count);
        for (const auto& thread : threads) {
            thread->wait();
        }
        // At the system's defaults, 8 MiB of stack and a 64 MiB heap each.
        QVERIFY2(grown <= count * 2048, qPrintable(QString::number(grown)));
    }
};

int main(int argc, char* argv[]) {
    // As the programs do: before the first thread starts.
    qtface::makeThreadsCheap();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    HelperThreadsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "helperthreads_test.moc"
