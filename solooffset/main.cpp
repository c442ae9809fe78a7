#include "solooffset/frmsolo.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("solooffset"));
    QApplication::setDesktopFileName(QStringLiteral("solooffset"));

    FrmSolo window;
    window.frmSoloLoad();
    return app.exec();
}
