#pragma once

// main() for the window tests: headless unless a display is asked for, and
// always in a Dutch locale, whatever the machine's, so that a comma is the
// decimal separator.

#include <QApplication>
#include <QLocale>
#include <QTest>

#define OFFSET_WINDOW_TEST_MAIN(TestClass)                                                         \
    int main(int argc, char* argv[]) {                                                             \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {                                      \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                               \
        }                                                                                          \
        QApplication app(argc, argv);                                                              \
        QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));                        \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
