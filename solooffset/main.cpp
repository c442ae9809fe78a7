#include "common/commandline.h"
#include "common/screenfit.h"
#include "solooffset/frmsolo.h"

#include <QApplication>

namespace {

constexpr common::ProgramInfo program{
    "solooffset",
    "Calculates a two-bend offset in a single-wall flue-gas pipe run (window in Dutch).",
    "Berekent een versleping met twee bochten in een enkelwandig rookgaskanaal.",
};

} // namespace

int main(int argc, char* argv[]) {
    if (const auto status = common::answerCommandLine(argc, argv, program)) {
        return *status;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("solooffset"));
    QApplication::setApplicationVersion(QString::fromUtf8(common::version));
    QApplication::setDesktopFileName(QStringLiteral("solooffset"));

    FrmSolo window;
    const common::ScreenFit fit(window);
    window.frmSoloLoad();
    return app.exec();
}
