// Runs the tests inside one QApplication, headless unless a display was asked for.
#include "app/InputGuards.h"
#include "support/ChildTest.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // A bare process checks what the program sets up at its own start.
    if (!BareProcess::inside())
        InstallInputGuards();
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
