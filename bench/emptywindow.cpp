// The floor for the window launch benchmark: the least a Qt Widgets program
// with any text in its window does to put that window on the screen. Same
// fixed size as the calculator windows (11250 x 9405 twips at 15 twips a
// pixel), with a title and, with --with-text, one caption laid out before the
// window is shown. Nothing else: no other controls, no fonts set, no
// resources, no icon.
//
// Laying out text loads the font database, which a window without any text
// never does and every calculator window pays for before its first map. So
// --with-text is the floor the calculators are judged against; without it the
// bare window is shown beside it, to tell that share apart.

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
