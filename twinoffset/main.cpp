#include "common/commandline.h"
#include "common/screenfit.h"
#include "twinoffset/frmtwin.h"

#include <QApplication>

namespace {

constexpr common::ProgramInfo program{
    "twinoffset",
    "Calculates a two-bend offset in a concentric 100/150 flue-gas pipe run (window in Dutch).",
    "Berekent een versleping met twee bochten in een concentrisch 100/150 rookgaskanaal.",
};

} // namespace

int main(int argc, char* argv[]) {
    if (const auto status = common::answerCommandLine(argc, argv, program)) {
        return *status;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("twinoffset"));
    QApplication::setApplicationVersion(QString::fromUtf8(common::version));
    QApplication::setDesktopFileName(QStringLiteral("twinoffset"));

    FrmTwin window;
    const common::ScreenFit fit(window);
    window.frmTwinLoad();
    return app.exec();
}
