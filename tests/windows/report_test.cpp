// The Test button of the concentric window: the bytes of the report file
// (its layout is tested with the core), what reaches the printer, the
// messages when a step fails, and that no report file outlives its click.

#include "pdftext.h"
#include "qt/messagebox.h"
#include "qt/printer.h"
#include "qt/reportfile.h"
#include "qt/textprint.h"
#include "testmain.h"
#include "calculators.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <memory>
#include <new>
#include <optional>

using Message = qtface::MessageBox::Message;
enum class Trouble { NoAnswer, MemoryInJob, MemoryInWindow };
Q_DECLARE_METATYPE(Trouble)
using Failing = qtface::ReportFileWatch::Failing;
using qtface::PrintStatus;
Q_DECLARE_METATYPE(Failing)
Q_DECLARE_METATYPE(PrintStatus)

namespace {

const QStringList worked{"30", "500", "76", "41", "883", "1013"};

// The report as its layout prescribes, written out apart from the program:
// captions in column 10 followed by the counted spaces up to column 55.
QByteArray expectedReport(const QStringList& values) {
    const std::pair<const char*, int> captions[] = {
        {"Hoek in graden:", 30},
        {"Lengte horizontale- versleping in mm:", 8},
        {"A:", 43},
        {"B:", 43},
        {"Lengte tussen de bochten in mm:", 14},
        {"Lengte van de verticale versleping in mm:", 4}};
    const QByteArray hashes = "    " + QByteArray(54, '#') + "\r\n";
    QByteArray report = " \r\n \r\n \r\n     Kestravon Versleping Concentrisch systeem\r\n    " +
                        QByteArray(54, '-') + " \n\r\n";
    for (int i = 0; i < 6; ++i) {
        report += QByteArray(9, ' ') + captions[i].first + QByteArray(captions[i].second, ' ') +
                  values[i].toLocal8Bit() + "\n\r\n";
    }
    return report + " \r\n \r\n \r\n \r\n" + hashes +
           "     Aan deze waarden kunnen geen rechten worden ontleent\r\n" + hashes + " \r\n";
}

// Everything a click on Test reaches, steered: messages recorded, the job
// into a PDF file, the report files watched.
struct Seams {
    qtface::MessageBox::Recorder messages;
    QTemporaryDir dir;
    QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    qtface::PrinterRedirect printer{pdf};
    qtface::ReportFileWatch files;
    qtface::TextPrintRecorder prints;
    QList<bool> fileAtPrint; // whether the report file was still there then

    static bool allGone(const QStringList& paths) {
        return std::none_of(paths.begin(), paths.end(),
                            [](const QString& p) { return QFile::exists(p); });
    }
};

} // namespace

class ReportTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Seams> seams_;
    std::unique_ptr<qtface::FormWindow> window_;

    void type(const QString& angle, const QString& offset) {
        window_->findChild<QComboBox*>("cmbHoek")->setEditText(angle);
        window_->findChild<QLineEdit*>("txtHorVersleping")->setText(offset);
    }
    void click(const char* name) {
        QTest::mouseClick(window_->findChild<QPushButton*>(name), Qt::LeftButton);
    }

private slots:
    void init() {
        seams_ = std::make_unique<Seams>();
        seams_->prints.onPrint = [seams = seams_.get()](const QString&) {
            const QStringList& created = seams->files.created();
            seams->fileAtPrint << QFile::exists(created.value(created.size() - 1));
        };
        window_ = makeTwin();
        window_->load();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }
    void cleanup() {
        window_.reset();
        seams_.reset();
    }

    void reportCopiesWhatTheWindowShows_data() {
        QTest::addColumn<QStringList>("typed"); // angle, offset, offset typed after Bereken
        QTest::addColumn<bool>("calculate");
        QTest::addColumn<QStringList>("values");
        QTest::newRow("before any calculation")
            << QStringList{"", "", ""} << false << QStringList{"", "", "", "", "", ""};
        QTest::newRow("30 and 500") << QStringList{"30", "500", ""} << true << worked;
        QTest::newRow("negative length marker")
            << QStringList{"30", "58", ""} << true << QStringList{"30", "58", "76", "41", "e", "e"};
        QTest::newRow("typed text that is no number")
            << QStringList{"dertig", "vijf honderd", ""} << true
            << QStringList{"dertig", "vijf honderd", "", "", "", ""};
        QTest::newRow("offset typed again as it was")
            << QStringList{"30", "500", "500"} << true << worked;
        QTest::newRow("typed characters beyond ASCII")
            << QStringList{"30°", "½ meter", ""} << false
            << QStringList{"30°", "½ meter", "", "", "", ""};
        QTest::newRow("blanks kept") << QStringList{" 43 ", " 612,5 ", ""} << true
                                     << QStringList{" 43 ", " 612,5 ", "75", "41", "782", "803"};
    }
    void reportCopiesWhatTheWindowShows() {
        QFETCH(QStringList, typed);
        QFETCH(bool, calculate);
        QFETCH(QStringList, values);
        type(typed[0], typed[1]);
        if (calculate) {
            click("cmdBereken");
        }
        if (!typed[2].isEmpty()) {
            type(typed[0], typed[2]);
        }
        seams_->messages.clear();

        click("cmdTest");

        QCOMPARE(seams_->messages.messages(), QList<Message>());
        QCOMPARE(seams_->files.written(), QList<QByteArray>{expectedReport(values)});
        // Gone before the print starts, its bytes printed as they were.
        QCOMPARE(seams_->fileAtPrint, QList<bool>{false});
        QCOMPARE(seams_->prints.prints().size(), 1);
        const qtface::TextPrintRecorder::Print& print = seams_->prints.prints().at(0);
        QCOMPARE(print.text, QString::fromLocal8Bit(expectedReport(values)));
        QVERIFY(std::all_of(values.begin(), values.end(),
                            [&](const QString& value) { return print.text.contains(value); }));
        QCOMPARE(print.font.family(), QStringLiteral("Courier"));
        QCOMPARE(print.font.pointSizeF(), 14.0);
        QCOMPARE(seams_->files.created().size(), 1);
        QVERIFY(Seams::allGone(seams_->files.created()));
    }

    // Results beside inputs they were not computed from would be cut by:
    // nothing is made or printed until Bereken has run on what is shown.
    void editedInputsAskForBerekenFirst() {
        type("30", "500");
        click("cmdBereken");
        for (const auto& [angle, offset] : {std::pair{"30", "1200"}, std::pair{"43", "500"}}) {
            type(angle, offset);
            seams_->messages.clear();
            click("cmdTest");
            QCOMPARE(seams_->messages.messages(),
                     (QList<Message>{{"Druk eerst op Bereken", "Let op!"}}));
            QVERIFY(seams_->files.created().isEmpty());
            QVERIFY(seams_->prints.prints().isEmpty());
        }
        click("cmdBereken");
        click("cmdTest");
        QCOMPARE(seams_->files.written(),
                 QList<QByteArray>{expectedReport({"43", "500", "75", "41", "617", "682"})});
    }

    // A report from an earlier click, printed or not, never comes back.
    void everyClickPrintsOneFreshReport() {
        type("30", "500");
        click("cmdBereken");
        {
            const qtface::PrinterRedirect failing(PrintStatus::Failed);
            click("cmdTest");
        }
        click("cmdTest");
        type("87", "242");
        click("cmdBereken");
        click("cmdTest");

        const QStringList& created = seams_->files.created();
        QCOMPARE(QSet<QString>(created.begin(), created.end()).size(), 3);
        QVERIFY(Seams::allGone(created));
        const QByteArray first = expectedReport(worked);
        const QByteArray third = expectedReport({"87", "242", "139", "103", "0", "285"});
        QCOMPARE(seams_->files.written(), (QList<QByteArray>{first, first, third}));
        QCOMPARE(seams_->printer.jobsBegun(), 2);
    }

    void failureShowsItsMessageAndLeavesNoFile_data() {
        QTest::addColumn<Failing>("failing");
        QTest::addColumn<PrintStatus>("printing");
        QTest::addColumn<QString>("prompt");
        const QString notMade = QStringLiteral("Rapport kon niet worden gemaakt");
        QTest::newRow("not created") << Failing::Create << PrintStatus::Printed << notMade;
        QTest::newRow("not written") << Failing::Write << PrintStatus::Printed << notMade;
        QTest::newRow("not read back") << Failing::Read << PrintStatus::Printed << notMade;
        QTest::newRow("no printer") << Failing::Nothing << PrintStatus::NoPrinter
                                    << QStringLiteral("Geen printer beschikbaar");
        QTest::newRow("job failed")
            << Failing::Nothing << PrintStatus::Failed << QStringLiteral("Afdrukken mislukt");
    }
    void failureShowsItsMessageAndLeavesNoFile() {
        QFETCH(Failing, failing);
        QFETCH(PrintStatus, printing);
        QFETCH(QString, prompt);
        type("30", "500");
        click("cmdBereken");
        const qtface::ReportFileWatch files(failing);
        std::optional<qtface::PrinterRedirect> printer;
        if (printing != PrintStatus::Printed) {
            printer.emplace(printing);
        }

        click("cmdTest");

        QCOMPARE(seams_->messages.messages(), (QList<Message>{{prompt, "Let op!"}}));
        QCOMPARE(printer ? printer->jobsBegun() : seams_->printer.jobsBegun(),
                 failing == Failing::Nothing ? 1 : 0);
        QCOMPARE(files.created().size(), failing == Failing::Create ? 0 : 1);
        QVERIFY(Seams::allGone(files.created()));
    }

    // A print system that keeps silent, or memory that runs out, ends the
    // click with its message and leaves no file; the window keeps answering
    // and the next click prints.
    void printTroubleEndsTheClickAndTheNextOnePrints_data() {
        QTest::addColumn<Trouble>("trouble");
        QTest::addColumn<QString>("prompt");
        QTest::newRow("no answer") << Trouble::NoAnswer << QStringLiteral("Printer reageert niet");
        QTest::newRow("memory runs out in the job")
            << Trouble::MemoryInJob << QStringLiteral("Afdrukken mislukt");
        QTest::newRow("memory runs out in the window")
            << Trouble::MemoryInWindow << QStringLiteral("Afdrukken mislukt");
    }
    void printTroubleEndsTheClickAndTheNextOnePrints() {
        QFETCH(Trouble, trouble);
        QFETCH(QString, prompt);
        type("30", "500");
        click("cmdBereken");
        {
            std::optional<qtface::PrinterRedirect> printer;
            if (trouble == Trouble::NoAnswer) {
                printer.emplace(PrintStatus::NoAnswer);
            } else if (trouble == Trouble::MemoryInJob) {
                printer.emplace(qtface::PrinterRedirect::OutOfMemory{});
            } else {
                seams_->prints.onPrint = [](const QString&) { throw std::bad_alloc(); };
            }
            const std::chrono::milliseconds limit{300};
            if (printer) {
                printer->setAnswerLimit(limit);
            }
            int ticks = 0;
            QTimer ticker;
            connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
            ticker.start(20);
            QElapsedTimer clock;
            clock.start();

            click("cmdTest");

            QCOMPARE(seams_->messages.messages(), (QList<Message>{{prompt, "Let op!"}}));
            if (trouble == Trouble::NoAnswer) {
                QVERIFY(clock.elapsed() >= limit.count());
                QVERIFY2(clock.elapsed() < 5 * limit.count(),
                         qPrintable(QString::number(clock.elapsed())));
                // The window's thread went on with its events while it waited.
                QVERIFY(ticks >= 5);
            }
            seams_->prints.onPrint = nullptr;
        }
        QVERIFY(Seams::allGone(seams_->files.created()));

        seams_->messages.clear();
        click("cmdTest");
        QCOMPARE(seams_->messages.messages(), QList<Message>());
        QCOMPARE(seams_->printer.jobsBegun(), 1);
        QVERIFY(QFileInfo(seams_->pdf).size() > 0);
    }

    // A missing temporary folder is the report's failure, not the printer's,
    // and no file lands anywhere else instead.
    void missingTemporaryFolderIsReported() {
        type("30", "500");
        click("cmdBereken");
        QTemporaryDir work;
        const QString missing = work.filePath(QStringLiteral("missing"));
        const std::optional<QByteArray> previous =
            qEnvironmentVariableIsSet("TMPDIR") ? std::optional(qgetenv("TMPDIR")) : std::nullopt;
        const QString previousDir = QDir::currentPath();
        qputenv("TMPDIR", missing.toLocal8Bit());
        QDir::setCurrent(work.path());
        click("cmdTest");
        QDir::setCurrent(previousDir);
        if (previous) {
            qputenv("TMPDIR", *previous);
        } else {
            qunsetenv("TMPDIR");
        }

        QCOMPARE(seams_->messages.messages(),
                 (QList<Message>{{"Rapport kon niet worden gemaakt", "Let op!"}}));
        QCOMPARE(seams_->printer.jobsBegun(), 0);
        QCOMPARE(QDir(work.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());
    }

    void printoutKeepsValuesInOneColumn() {
        type("30", "500");
        click("cmdBereken");
        click("cmdTest");
        const std::optional<QString> text = pdftext::read(seams_->pdf);
        if (!text) {
            QSKIP("pdftotext (poppler-utils) is not installed");
        }
        QCOMPARE(text->count(QLatin1Char('\f')), 1);
        const QStringList lines = text->split(QLatin1Char('\n'));
        const auto find = [&](const QString& pattern) {
            return lines.indexOf(QRegularExpression(QStringLiteral("^\\s*%1\\s*$").arg(pattern)));
        };
        const qsizetype rule = find(QStringLiteral("-{54}"));
        QVERIFY(rule > 0);
        QCOMPARE(rule - 1, find(QStringLiteral("Kestravon Versleping Concentrisch systeem")));
        // Under the rule and under every row the lone LF leaves an empty line.
        QSet<qsizetype> columns;
        for (int row = 0; row < 6; ++row) {
            QCOMPARE(lines.value(rule + 2 * row + 1).trimmed(), QString());
            const QString line = lines.value(rule + 2 * row + 2);
            QVERIFY2(line.endsWith(QLatin1Char(' ') + worked[row]), qPrintable(line));
            columns << line.size() - worked[row].size();
        }
        QCOMPARE(columns.size(), 1);
        const qsizetype disclaimer = find(QStringLiteral("Aan deze waarden .* ontleent"));
        QVERIFY(disclaimer > rule + 12);
        QCOMPARE(find(QStringLiteral("#{54}")), disclaimer - 1);
    }
};

OFFSET_WINDOW_TEST_MAIN(ReportTest)
#include "report_test.moc"
