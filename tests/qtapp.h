#pragma once

// Widget tests share one QApplication, made on first use.

#include <QApplication>

inline QApplication& testApplication()
{
    static int argc = 1;
    static char name[] = "morvane-test";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}
