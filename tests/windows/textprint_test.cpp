// Plain text on paper, read back from the PDF the job produced: the font it
// is set in and that its columns stay columns, where its lines break and
// where its pages end.

#include "pdftext.h"
#include "qt/qtprinter.h"
#include "testmain.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QMultiMap>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace {

// Runs a poppler tool; its standard output, empty when it failed.
QString run(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    const bool ran = process.waitForFinished(30000) && process.exitCode() == 0;
    return ran ? QString::fromUtf8(process.readAllStandardOutput()) : QString();
}

// The left edge, in points, of every word on the PDF's first page, by word.
QMultiMap<QString, double> wordsAt(const QString& pdf) {
    const QString html = run(QStringLiteral("pdftotext"),
                             {QStringLiteral("-bbox"), QStringLiteral("-l"), QStringLiteral("1"),
                              pdf, QStringLiteral("-")});
    static const QRegularExpression word(QStringLiteral("<word xMin=\"([\\d.]+)\"[^>]*>([^<]*)<"));
    QMultiMap<QString, double> words;
    for (const QRegularExpressionMatch& match : word.globalMatch(html)) {
        words.insert(match.captured(2), match.captured(1).toDouble());
    }
    return words;
}

// The family a font resolves to as PDF font names write it: no foundry in
// brackets, no spaces.
QString fontName(const QFont& font) {
    static const QRegularExpression foundryAndSpaces(QStringLiteral("\\[.*\\]|\\s"));
    return QFontInfo(font).family().remove(foundryAndSpaces);
}

} // namespace

class TextPrintTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

    // The text printed into a PDF file of the test's own.
    QString printed(const QString& text, const QString& family = QStringLiteral("Courier")) {
        const QString pdf = dir_.filePath(QString::fromUtf8(QTest::currentTestFunction()) +
                                          QString::fromUtf8(QTest::currentDataTag()) +
                                          QStringLiteral(".pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setResolution(qtface::printResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        if (!qtface::printTextOn(printer, text, family, 14.0)) {
            return {};
        }
        return pdf;
    }
    // ... read back as lines, the pages ending in a form feed.
    QStringList printedLines(const QString& text) {
        const std::optional<QString> read = pdftext::read(printed(text));
        return read ? read->split(QLatin1Char('\n')) : QStringList();
    }

private slots:
    void initTestCase() {
        for (const char* tool : {"pdftotext", "pdffonts"}) {
            if (QStandardPaths::findExecutable(QString::fromUtf8(tool)).isEmpty()) {
                QSKIP("poppler-utils are not installed");
            }
        }
    }

    // Values set in one column stay in one column, in the family asked for
    // where it is fixed pitch and in the system's fixed-pitch font where not.
    void columnsStayInTheirFont_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("font");
        QFont courier(QStringLiteral("Courier"));
        courier.setStyleHint(QFont::TypeWriter);
        QTest::newRow("Courier is kept") << "Courier" << fontName(courier);
        QTest::newRow("a proportional family gives way")
            << "Times New Roman" << fontName(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    }
    void columnsStayInTheirFont() {
        QFETCH(QString, family);
        QFETCH(QString, font);
        const QString pdf = printed(QStringLiteral("iiiiiiii  76\r\nWWWWWWWW  883\r\n"), family);
        QVERIFY(!pdf.isEmpty());
        const QMultiMap<QString, double> words = wordsAt(pdf);
        QVERIFY2(words.contains(QStringLiteral("76")) && words.contains(QStringLiteral("883")),
                 qPrintable(QStringList(words.keys()).join(' ')));
        QVERIFY(qAbs(words.value(QStringLiteral("76")) - words.value(QStringLiteral("883"))) < 0.1);
        const QString fonts = run(QStringLiteral("pdffonts"), {pdf});
        QVERIFY2(fonts.contains(font), qPrintable(font + " not in\n" + fonts));
    }

    void eachLineBreakEndsOneLine() {
        QCOMPARE(printedLines(QStringLiteral("een\r\ntwee\n\r\ndrie\rvier\r\n")),
                 (QStringList{"een", "twee", "", "drie", "vier", "\f"}));
    }

    void wideLineContinuesOnTheNextLine() {
        const QString digits = QStringLiteral("0123456789").repeated(20);
        const QStringList lines = printedLines(QStringLiteral("    ") + digits);
        QVERIFY2(lines.filter(QRegularExpression(QStringLiteral("\\d"))).size() >= 2,
                 qPrintable(lines.join('\n')));
        QVERIFY2(lines.value(0).startsWith(QLatin1Char(' ')), qPrintable(lines.value(0)));
        QCOMPARE(lines.join(QString()).remove(QRegularExpression(QStringLiteral("\\s"))), digits);
    }

    void longTextContinuesOnTheNextPage() {
        QStringList numbered;
        for (int i = 1; i <= 150; ++i) {
            numbered << QStringLiteral("regel %1").arg(i);
        }
        const QString text = printedLines(numbered.join(QStringLiteral("\r\n"))).join('\n');
        QVERIFY2(text.count(QLatin1Char('\f')) >= 3, qPrintable(text));
        QCOMPARE(text.split(QRegularExpression(QStringLiteral("[\n\f]+")), Qt::SkipEmptyParts),
                 numbered);
    }
};

OFFSET_WINDOW_TEST_MAIN(TextPrintTest)
#include "textprint_test.moc"
