#include "qt/program.h"

#include "qt/formwindow.h"
#include "qt/screenfit.h"
#include "qt/qtprinter.h"

#include <QApplication>
#include <QLocale>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace qtface {

namespace {

// While the application is made, Qt's messages are held back. When it cannot
// reach a display, Qt ends the program with a fatal message and a hint to
// reinstall it, which helps no one; this says what is the matter instead.
// Held messages of a start that succeeds are passed on as they came.
struct StartMessages {
    static inline const char* programName = "";
    static inline std::vector<std::pair<QtMsgType, QString>> held;

    static void handle(QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type != QtFatalMsg) {
            held.emplace_back(type, message);
            return;
        }
        if (QLocale::system().language() == QLocale::Dutch) {
            std::fprintf(stderr, "%s: geen beeldscherm om het venster op te tonen\n", programName);
        } else {
            std::fprintf(stderr, "%s: no display to show the window on\n", programName);
        }
        // The application is half made: nothing of it may run down.
        std::_Exit(1);
    }

    static void passOn() {
        for (const auto& [type, message] : held) {
            switch (type) {
            case QtDebugMsg:
                qDebug("%s", qUtf8Printable(message));
                break;
            case QtInfoMsg:
                qInfo("%s", qUtf8Printable(message));
                break;
            case QtWarningMsg:
            case QtCriticalMsg:
            case QtFatalMsg:
                qWarning("%s", qUtf8Printable(message));
                break;
            }
        }
        held.clear();
    }
};

} // namespace

int runCalculator(int argc, char* argv[], const ProgramInfo& program,
                  const MakePresenter& makePresenter) {
    if (const auto status = answerCommandLine(argc, argv, program)) {
        return *status;
    }
    StartMessages::programName = program.name;
    const QtMessageHandler previous = qInstallMessageHandler(&StartMessages::handle);
    QApplication app(argc, argv);
    qInstallMessageHandler(previous);
    StartMessages::passOn();

    QApplication::setApplicationName(QString::fromUtf8(program.name));
    QApplication::setApplicationVersion(QString::fromUtf8(version));
    QApplication::setDesktopFileName(QString::fromUtf8(program.name));

    FormWindow window(makePresenter(FormWindow::decimalSeparator()), std::make_shared<QtPrinter>());
    const ScreenFit fit(window);
    window.load();
    return app.exec();
}

} // namespace qtface
