// A printed window: one page, the window drawn afresh at the print
// resolution before its job begins, placed from the top-left corner of the
// printable area, as wide as that area with its proportions kept. Read back
// from the PDF with poppler's tools.

#include "qt/messagebox.h"
#include "qt/printer.h"
#include "qt/windowprint.h"
#include "calculators.h"
#include "testmain.h"

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <chrono>
#include <memory>

namespace {

struct PdfImage {
    int width = 0;
    int height = 0;
};

// Runs a poppler tool and gives its standard output; empty when it failed.
QString run(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

int pageCount(const QString& pdf) {
    const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)"),
                                   QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = pages.match(run(QStringLiteral("pdfinfo"), {pdf}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The images of the PDF as `pdfimages -list` gives them: after two heading
// lines, one line per image with its width and height in columns 4 and 5.
QList<PdfImage> imagesIn(const QString& pdf) {
    QList<PdfImage> images;
    const QStringList lines = run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf})
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (qsizetype i = 2; i < lines.size(); ++i) {
        const QStringList columns = lines[i].simplified().split(QLatin1Char(' '));
        if (columns.size() > 4 && columns[2] == QLatin1String("image")) {
            images.append({columns[3].toInt(), columns[4].toInt()});
        }
    }
    return images;
}

// The first page rendered in grey at the given resolution.
QImage renderPage(const QString& pdf, int dpi, const QString& directory) {
    const QString base = directory + QStringLiteral("/page");
    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-gray"),
         QStringLiteral("-singlefile"), QStringLiteral("-f"), QStringLiteral("1"), pdf, base});
    return QImage(base + QStringLiteral(".pgm"));
}

// A black window that notes how and where it is painted.
class ScaleProbe : public QWidget {
public:
    qreal paintedScale = 0;
    QList<QThread*> paintedOn;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        paintedScale = painter.deviceTransform().m11();
        paintedOn << QThread::currentThread();
        painter.fillRect(rect(), Qt::black);
    }
};

// The smallest rectangle holding every dark pixel.
QRect darkArea(const QImage& page) {
    QRect area;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            if (qGray(page.pixel(x, y)) < 64) {
                area |= QRect(x, y, 1, 1);
            }
        }
    }
    return area;
}

} // namespace

class WindowPrintTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        for (const char* tool : {"pdfinfo", "pdfimages", "pdftoppm"}) {
            if (QStandardPaths::findExecutable(QString::fromUtf8(tool)).isEmpty()) {
                QSKIP("poppler-utils are not installed");
            }
        }
    }

    void windowIsOnePageImageOfItsProportions() {
        qtface::MessageBox::Recorder messages;
        const auto owned = makeSolo();
        qtface::FormWindow& window = *owned;
        window.load();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.findChild<QComboBox*>("cmbHoek2")->setEditText("15");
        window.findChild<QComboBox*>("cmbDiameter2")->setEditText("125");
        QTest::mouseClick(window.findChild<QPushButton*>("cmdBereken2"), Qt::LeftButton);
        QCOMPARE(window.findChild<QLineEdit*>("txtVerHor")->text(), QStringLiteral("50"));

        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("window.pdf"));
        qtface::PrinterRedirect printer(pdf);
        QTest::mouseClick(window.findChild<QPushButton*>("cmdPrinten"), Qt::LeftButton);
        QCOMPARE(messages.messages(), QList<qtface::MessageBox::Message>());

        QCOMPARE(pageCount(pdf), 1);
        const QList<PdfImage> images = imagesIn(pdf);
        QCOMPARE(images.size(), 1);
        QVERIFY(qAbs(double(images[0].width) / images[0].height - 750.0 / 627.0) < 0.01);
        // Drawn at the printer's resolution, not a 750 pixel screen image.
        QVERIFY2(images[0].width > 2 * 750, qPrintable(QString::number(images[0].width)));
    }

    // A black window shows where the image lands on the paper.
    void placedTopLeftAcrossThePrintableWidth() {
        ScaleProbe window;
        window.setFixedSize(400, 300);

        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("window.pdf"));
        qtface::PrinterRedirect printer(pdf);
        QCOMPARE(qtface::printWindow(&window), qtface::PrintStatus::Printed);
        QCOMPARE(pageCount(pdf), 1);

        // The window painted itself at 300 dpi, a window pixel standing for
        // 1/96 inch, not onto a screen-sized image that was enlarged
        // afterwards; and the PDF holds that image as it was made, whatever
        // the printable area, which only places it.
        QCOMPARE(window.paintedScale, 300.0 / 96);
        const QList<PdfImage> images = imagesIn(pdf);
        QCOMPARE(images.size(), 1);
        QCOMPARE(images[0].width, 1250);
        QCOMPARE(images[0].height, 938);

        // Where the printable area lies, from the same printer set-up.
        const std::unique_ptr<QPrinter> jobPrinter = qtface::newPrinter();
        const QPageLayout layout = jobPrinter->pageLayout();
        const QRectF paper = layout.fullRectPoints();
        const QRectF printable = layout.paintRectPoints();
        QVERIFY(printable.width() < printable.height());

        const int dpi = 36; // half a point to the pixel
        const QImage page = renderPage(pdf, dpi, dir.path());
        QVERIFY(!page.isNull());
        const double pixelsPerPoint = dpi / 72.0;
        QVERIFY(qAbs(page.width() - paper.width() * pixelsPerPoint) <= 1);
        const QRect dark = darkArea(page);
        const QRectF expected(printable.left() * pixelsPerPoint, printable.top() * pixelsPerPoint,
                              printable.width() * pixelsPerPoint,
                              printable.width() * pixelsPerPoint * 300 / 400);
        const QString where = QStringLiteral("image at %1,%2 %3x%4, expected %5,%6 %7x%8")
                                  .arg(dark.x())
                                  .arg(dark.y())
                                  .arg(dark.width())
                                  .arg(dark.height())
                                  .arg(expected.x())
                                  .arg(expected.y())
                                  .arg(expected.width())
                                  .arg(expected.height());
        QVERIFY2(qAbs(dark.left() - expected.left()) <= 2, qPrintable(where));
        QVERIFY2(qAbs(dark.top() - expected.top()) <= 2, qPrintable(where));
        QVERIFY2(qAbs(dark.width() - expected.width()) <= 2, qPrintable(where));
        QVERIFY2(qAbs(dark.height() - expected.height()) <= 2, qPrintable(where));
    }

    // The job gets a finished image: the window is drawn once, on the
    // calling thread, before the print system is reached, even for a job
    // that never gets an answer from it.
    void windowIsDrawnBeforeTheJobBegins() {
        ScaleProbe window;
        window.setFixedSize(400, 300);
        qtface::PrinterRedirect silent(qtface::PrintStatus::NoAnswer);
        silent.setAnswerLimit(std::chrono::milliseconds(50));
        QCOMPARE(qtface::printWindow(&window), qtface::PrintStatus::NoAnswer);
        QCOMPARE(window.paintedOn, QList<QThread*>{QThread::currentThread()});
    }
};

OFFSET_WINDOW_TEST_MAIN(WindowPrintTest)
#include "windowprint_test.moc"
