// The window's tests need a QApplication; off screen unless the caller chose a platform.
#include <gtest/gtest.h>

#include <QApplication>

#include "ui/qt/appearance.h"

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    zarnel::qt::applyAppearance();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
