// The floor for the window launch benchmark: the least a Qt Widgets program
// does to put a window on the screen. Same fixed size as the twinoffset
// window (11250 x 9405 twips at 15 twips a pixel), with a title, shown.
// Nothing else: no controls, no fonts set, no resources, no icon.
//
// With --with-text it also holds one caption, laid out before the window is
// shown. Laying out text loads the font database, which a window without any
// text never does; every calculator window pays for it before its first map,
// so this variant tells that share apart from what the calculator adds.

#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <cstring>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const bool withText = argc > 1 && std::strcmp(argv[1], "--with-text") == 0;

    QWidget window;
    window.setWindowTitle(withText ? QStringLiteral("Leeg venster met tekst")
                                   : QStringLiteral("Leeg venster"));
    window.setFixedSize(750, 627);
    if (withText) {
        auto* caption = new QLabel(QStringLiteral("Hoek in graden:"), &window);
        caption->move(8, 16);
        caption->adjustSize();
    }
    window.show();
    return app.exec();
}
