// A printed window: drawn afresh at the print resolution on the window's
// own thread, then one page with that image, placed from the top-left
// corner of the printable area, as wide as that area with its proportions
// kept. Read back from the PDF with poppler's tools.

#include "calculators.h"
#include "qt/messagebox.h"
#include "qt/qtprinter.h"
#include "testmain.h"
#include "testprinters.h"

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>

namespace {

// Runs a poppler tool; its standard output, empty when it failed.
QString run(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    const bool ran = process.waitForFinished(30000) && process.exitCode() == 0;
    return ran ? QString::fromUtf8(process.readAllStandardOutput()) : QString();
}

int pageCount(const QString& pdf) {
    static const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)"),
                                          QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = pages.match(run(QStringLiteral("pdfinfo"), {pdf}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The pixel sizes of the PDF's images as `pdfimages -list` gives them:
// after two heading lines, one line per image, width and height in columns
// 4 and 5.
QList<QSize> imagesIn(const QString& pdf) {
    QList<QSize> images;
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

// The smallest rectangle holding every dark pixel of the PDF's first page,
// rendered in grey at dpi.
QRect darkArea(const QString& pdf, int dpi, const QString& directory) {
    const QString base = directory + QStringLiteral("/page");
    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-gray"),
         QStringLiteral("-singlefile"), QStringLiteral("-f"), QStringLiteral("1"), pdf, base});
    const QImage page(base + QStringLiteral(".pgm"));
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

// A black window that notes the scale it is painted at.
class ScaleProbe : public QWidget {
public:
    qreal paintedScale = 0;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        paintedScale = painter.deviceTransform().m11();
        painter.fillRect(rect(), Qt::black);
    }
};

void toPdf(QPrinter& printer, const QString& path) {
    printer.setResolution(qtface::printResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
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

    // The window painted itself at 300 dpi, a window pixel standing for 1/96
    // inch, not onto a screen-sized image that was enlarged afterwards; and
    // the PDF holds that image as it was made, whatever the printable area,
    // which only places it.
    void imageIsDrawnAfreshAndPlacedTopLeftAcrossThePrintableWidth() {
        ScaleProbe window;
        window.setFixedSize(400, 300);
        const forms::WindowImage image = qtface::windowImage(window);
        QCOMPARE(window.paintedScale, 300.0 / 96);
        QCOMPARE(image.dotsPerInch, 300);
        QCOMPARE(QSize(image.width, image.height), QSize(1250, 938));
        QVERIFY(std::all_of(image.pixels.begin(), image.pixels.end(),
                            [](std::uint32_t pixel) { return pixel == 0xff000000U; }));

        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("window.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        toPdf(printer, pdf);
        QVERIFY(qtface::printImageOn(printer, image));
        QCOMPARE(pageCount(pdf), 1);
        QCOMPARE(imagesIn(pdf), QList<QSize>{QSize(1250, 938)});

        const QRectF paper = printer.pageLayout().fullRectPoints();
        const QRectF printable = printer.pageLayout().paintRectPoints();
        QVERIFY(printable.width() < printable.height());
        const int dpi = 36; // half a point to the pixel
        const double pixelsPerPoint = dpi / 72.0;
        const QRect dark = darkArea(pdf, dpi, dir.path());
        const QRectF expected(printable.left() * pixelsPerPoint, printable.top() * pixelsPerPoint,
                              printable.width() * pixelsPerPoint,
                              printable.width() * pixelsPerPoint * 300 / 400);
        const QString where = QStringLiteral("image at %1,%2 %3x%4 on %5 pt paper, expected %6,%7 "
                                             "%8x%9")
                                  .arg(dark.x())
                                  .arg(dark.y())
                                  .arg(dark.width())
                                  .arg(dark.height())
                                  .arg(paper.width())
                                  .arg(expected.x())
                                  .arg(expected.y())
                                  .arg(expected.width())
                                  .arg(expected.height());
        QVERIFY2(qAbs(dark.left() - expected.left()) <= 2, qPrintable(where));
        QVERIFY2(qAbs(dark.top() - expected.top()) <= 2, qPrintable(where));
        QVERIFY2(qAbs(dark.width() - expected.width()) <= 2, qPrintable(where));
        QVERIFY2(qAbs(dark.height() - expected.height()) <= 2, qPrintable(where));
    }

    // Printen of the single-wall window: one page with one image of the
    // window as it stands, at the print resolution and its proportions.
    void windowIsOnePageImageOfItsProportions() {
        const qtface::MessageBox::Recorder messages;
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("window.pdf"));
        const auto printer = std::make_shared<PdfPrinter>(pdf);
        const auto window = makeSolo(printer);
        window->load();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->findChild<QComboBox*>("cmbHoek2")->setEditText("15");
        window->findChild<QComboBox*>("cmbDiameter2")->setEditText("125");
        QTest::mouseClick(window->findChild<QPushButton*>("cmdBereken2"), Qt::LeftButton);
        QCOMPARE(window->findChild<QLineEdit*>("txtVerHor")->text(), QStringLiteral("50"));

        QTest::mouseClick(window->findChild<QPushButton*>("cmdPrinten"), Qt::LeftButton);

        QCOMPARE(messages.messages(), QList<qtface::MessageBox::Message>());
        const QSize size(qCeil(window->width() * 300.0 / 96), qCeil(window->height() * 300.0 / 96));
        QCOMPARE(printer->jobs().size(), 1);
        QCOMPARE(printer->jobs().at(0).text,
                 QStringLiteral("image %1 x %2").arg(size.width()).arg(size.height()));
        QCOMPARE(pageCount(pdf), 1);
        QCOMPARE(imagesIn(pdf), QList<QSize>{size});

        // Legible: the image on paper is the window's, drawn anew, up to the
        // PDF engine's compression.
        run(QStringLiteral("pdfimages"), {QStringLiteral("-png"), pdf, dir.filePath("image")});
        const QImage onPaper(dir.filePath(QStringLiteral("image-000.png")));
        const forms::WindowImage drawn = qtface::windowImage(*window);
        QCOMPARE(onPaper.size(), size);
        qint64 difference = 0;
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) {
                const QRgb pixel = drawn.pixels[std::size_t(y) * std::size_t(size.width()) + x];
                difference += qAbs(qGray(onPaper.pixel(x, y)) - qGray(pixel));
            }
        }
        const double perPixel = double(difference) / (qint64(size.width()) * size.height());
        QVERIFY2(perPixel < 2, qPrintable(QString::number(perPixel)));
    }
};

OFFSET_WINDOW_TEST_MAIN(WindowPrintTest)
#include "windowprint_test.moc"
