// Plain text on paper: the font it is set in, where its lines break and
// where its pages end, read back from the PDF the job produced; and a job
// whose end is cut short.

#include "pdftext.h"
#include "qt/printer.h"
#include "qt/textprint.h"
#include "testmain.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <new>
#include <optional>

namespace {

// A device whose engine runs out of memory while it ends, as the PDF engine
// can while it compresses a finished job.
class EndRunsOutOfMemory : public QPaintDevice {
public:
    int ends() const { return engine_.ends; }
    QPaintEngine* paintEngine() const override { return &engine_; }

protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        default: // a size, a resolution
            return 100;
        }
    }

private:
    struct Engine : QPaintEngine {
        int ends = 0;
        bool begin(QPaintDevice*) override { return true; }
        bool end() override {
            ++ends;
            throw std::bad_alloc();
        }
        void updateState(const QPaintEngineState&) override {}
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        Type type() const override { return User; }
    };
    mutable Engine engine_;
};

} // namespace

class TextPrintTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

    // The text printed into a PDF file and read back as lines, the pages
    // ending in a form feed; nothing when there is no pdftotext.
    std::optional<QStringList> printed(const QString& text) {
        const QString pdf =
            dir_.filePath(QString::fromUtf8(QTest::currentTestFunction()) + QStringLiteral(".pdf"));
        const qtface::PrinterRedirect redirect(pdf);
        if (qtface::printText(text, QStringLiteral("Courier"), 14.0) !=
            qtface::PrintStatus::Printed) {
            return QStringList();
        }
        const std::optional<QString> read = pdftext::read(pdf);
        return read ? std::optional(read->split(QLatin1Char('\n'))) : std::nullopt;
    }

private slots:
    void fontIsFixedPitch_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<bool>("kept");
        QTest::newRow("Courier is kept") << "Courier" << true;
        QTest::newRow("a proportional family gives way") << "Times New Roman" << false;
    }
    void fontIsFixedPitch() {
        QFETCH(QString, family);
        QFETCH(bool, kept);
        const qtface::TextPrintRecorder recorder;
        const qtface::PrinterRedirect failing(qtface::PrintStatus::Failed);
        qtface::printText(QStringLiteral("iW"), family, 14.0);

        QCOMPARE(recorder.prints().size(), 1);
        const QFont font = recorder.prints().at(0).font;
        QCOMPARE(font.family() == family, kept);
        QCOMPARE(font.pointSizeF(), 14.0);
        const QFontMetricsF metrics(font);
        QCOMPARE(metrics.horizontalAdvance(QLatin1Char('i')),
                 metrics.horizontalAdvance(QLatin1Char('W')));
    }

    void eachLineBreakEndsOneLine() {
        const auto lines = printed(QStringLiteral("een\r\ntwee\n\r\ndrie\rvier\r\n"));
        if (!lines) {
            QSKIP("pdftotext (poppler-utils) is not installed");
        }
        QCOMPARE(*lines, (QStringList{"een", "twee", "", "drie", "vier", "\f"}));
    }

    void wideLineContinuesOnTheNextLine() {
        const QString digits = QStringLiteral("0123456789").repeated(20);
        const auto lines = printed(QStringLiteral("    ") + digits);
        if (!lines) {
            QSKIP("pdftotext (poppler-utils) is not installed");
        }
        QVERIFY2(lines->filter(QRegularExpression(QStringLiteral("\\d"))).size() >= 2,
                 qPrintable(lines->join('\n')));
        QVERIFY2(lines->at(0).startsWith(QLatin1Char(' ')), qPrintable(lines->at(0)));
        QCOMPARE(lines->join(QString()).remove(QRegularExpression(QStringLiteral("\\s"))), digits);
    }

    void longTextContinuesOnTheNextPage() {
        QStringList numbered;
        for (int i = 1; i <= 150; ++i) {
            numbered << QStringLiteral("regel %1").arg(i);
        }
        const auto lines = printed(numbered.join(QStringLiteral("\r\n")));
        if (!lines) {
            QSKIP("pdftotext (poppler-utils) is not installed");
        }
        const QString text = lines->join(QLatin1Char('\n'));
        QVERIFY2(text.count(QLatin1Char('\f')) >= 3, qPrintable(text));
        QCOMPARE(text.split(QRegularExpression(QStringLiteral("[\n\f]+")), Qt::SkipEmptyParts),
                 numbered);
    }

    // Ending again what could not be ended, from QPainter's noexcept
    // destructor, would end the program when it throws again.
    void endCutShortIsNotRepeated() {
        EndRunsOutOfMemory device;
        {
            QPainter painter;
            QVERIFY(painter.begin(&device));
            QVERIFY(!qtface::endPainting(painter));
            QVERIFY(!painter.isActive());
        }
        QCOMPARE(device.ends(), 1);
    }
};

OFFSET_WINDOW_TEST_MAIN(TextPrintTest)
#include "textprint_test.moc"
