// Runs the tests on an off-screen display at twice the usual pixel density.
#include <gtest/gtest.h>

#include <QApplication>

#include "tests/gui/desktop_settings_cleared.h"

int main(int argc, char* argv[]) {
    zarnel::testing::clearDesktopQtSettings();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
