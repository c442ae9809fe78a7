// The Test button of the concentric window, for what the Qt face adds: the
// shown texts reach the printer byte for byte in the report (its layout is
// tested with the core, what goes in it with the presenter), the printout
// keeps its columns, the printer's trouble is told, and the report's file
// lives in the user's temporary folder and does not outlive the click.

#include "calculators.h"
#include "pdftext.h"
#include "qt/messagebox.h"
#include "testmain.h"
#include "testprinters.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

using Message = qtface::MessageBox::Message;
using Trouble = TroubledPrinter::Trouble;
Q_DECLARE_METATYPE(Trouble)

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
                  values[i].toUtf8() + "\n\r\n";
    }
    return report + " \r\n \r\n \r\n \r\n" + hashes +
           "     Aan deze waarden kunnen geen rechten worden ontleent\r\n" + hashes + " \r\n";
}

// TMPDIR set to a folder for as long as this lives, as it was after.
class TemporaryFolderVariable {
public:
    explicit TemporaryFolderVariable(const QString& folder) {
        if (qEnvironmentVariableIsSet("TMPDIR")) {
            previous_ = qgetenv("TMPDIR");
        }
        qputenv("TMPDIR", QFile::encodeName(folder));
    }
    ~TemporaryFolderVariable() {
        if (previous_) {
            qputenv("TMPDIR", *previous_);
        } else {
            qunsetenv("TMPDIR");
        }
    }
    TemporaryFolderVariable(const TemporaryFolderVariable&) = delete;
    TemporaryFolderVariable& operator=(const TemporaryFolderVariable&) = delete;

private:
    std::optional<QByteArray> previous_;
};

QStringList entriesOf(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

} // namespace

class ReportTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir pdfs_;
    // The user's temporary folder while a test runs, empty after each.
    std::optional<QTemporaryDir> temporary_;
    std::optional<TemporaryFolderVariable> tmpdir_;
    std::optional<qtface::MessageBox::Recorder> messages_;
    std::unique_ptr<qtface::FormWindow> window_;

    // The window, made as the program makes it (the temporary folder is
    // found then) but printing on the printer given.
    void open(std::shared_ptr<forms::Printer> printer) {
        window_ = makeTwin(std::move(printer));
        window_->load();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }
    void calculate(const QString& angle, const QString& offset) {
        window_->findChild<QComboBox*>("cmbHoek")->setEditText(angle);
        window_->findChild<QLineEdit*>("txtHorVersleping")->setText(offset);
        click("cmdBereken");
    }
    void click(const char* name) {
        QTest::mouseClick(window_->findChild<QPushButton*>(name), Qt::LeftButton);
    }
    QString pdf() const {
        return pdfs_.filePath(QString::fromUtf8(QTest::currentTestFunction()) +
                              QString::fromUtf8(QTest::currentDataTag()) + ".pdf");
    }

private slots:
    void init() {
        temporary_.emplace();
        tmpdir_.emplace(temporary_->path());
        messages_.emplace();
    }
    void cleanup() {
        window_.reset();
        messages_.reset();
        tmpdir_.reset();
        QCOMPARE(entriesOf(temporary_->path()), QStringList());
        temporary_.reset();
    }

    void printerGetsTheReportByteForByte_data() {
        QTest::addColumn<QString>("angle");
        QTest::addColumn<QString>("offset");
        QTest::addColumn<QStringList>("values");
        QTest::newRow("30 and 500") << "30" << "500" << worked;
        QTest::newRow("blanks kept")
            << " 43 " << " 612,5 " << QStringList{" 43 ", " 612,5 ", "75", "41", "782", "803"};
        QTest::newRow("characters beyond ASCII")
            << "30°" << "½ meter" << QStringList{"30°", "½ meter", "", "", "", ""};
    }
    void printerGetsTheReportByteForByte() {
        QFETCH(QString, angle);
        QFETCH(QString, offset);
        QFETCH(QStringList, values);
        const auto printer = std::make_shared<PdfPrinter>(pdf());
        open(printer);
        calculate(angle, offset);
        messages_->clear();

        click("cmdTest");

        QCOMPARE(messages_->messages(), QList<Message>());
        QCOMPARE(printer->jobs().size(), 1);
        const PdfPrinter::Job job = printer->jobs().at(0);
        QCOMPARE(job.text.toUtf8(), expectedReport(values));
        QCOMPARE(job.family, QStringLiteral("Courier"));
        QCOMPARE(job.pointSize, 14.0);
    }

    void printoutKeepsValuesInOneColumn() {
        open(std::make_shared<PdfPrinter>(pdf()));
        calculate("30", "500");
        click("cmdTest");
        const std::optional<QString> text = pdftext::read(pdf());
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

    void printerTroubleIsTold_data() {
        QTest::addColumn<Trouble>("trouble");
        QTest::addColumn<QString>("prompt");
        QTest::newRow("no printer") << Trouble::NoPrinter << "Geen printer beschikbaar";
        QTest::newRow("job refused") << Trouble::Refuses << "Afdrukken mislukt";
        QTest::newRow("memory runs out") << Trouble::OutOfMemory << "Afdrukken mislukt";
    }
    void printerTroubleIsTold() {
        QFETCH(Trouble, trouble);
        QFETCH(QString, prompt);
        open(std::make_shared<TroubledPrinter>(trouble));
        calculate("30", "500");
        click("cmdTest");
        QCOMPARE(messages_->messages(), (QList<Message>{{prompt, "Let op!"}}));
        QVERIFY(window_->isVisible());
    }

    // Without a temporary folder there is no report, and none lands in the
    // working folder instead: Qt finds no temporary folder then.
    void missingTemporaryFolderIsTheReportsFailure() {
        const auto printer = std::make_shared<PdfPrinter>(pdf());
        QTemporaryDir work;
        const TemporaryFolderVariable missing(work.filePath(QStringLiteral("missing")));
        const QString previousDir = QDir::currentPath();
        QDir::setCurrent(work.path());
        open(printer);
        calculate("30", "500");
        click("cmdTest");
        QDir::setCurrent(previousDir);

        QCOMPARE(messages_->messages(),
                 (QList<Message>{{"Rapport kon niet worden gemaakt", "Let op!"}}));
        QVERIFY(printer->jobs().isEmpty());
        QCOMPARE(entriesOf(work.path()), QStringList());
    }
};

OFFSET_WINDOW_TEST_MAIN(ReportTest)
#include "report_test.moc"
