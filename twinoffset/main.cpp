#include "twinoffset/frmtwin.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("twinoffset"));
    QApplication::setDesktopFileName(QStringLiteral("twinoffset"));

    FrmTwin window;
    window.frmTwinLoad();
    return app.exec();
}
