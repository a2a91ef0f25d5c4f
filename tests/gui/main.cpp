// The window's tests need a QApplication; off screen unless the caller chose a platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

#include "tests/gui/desktop_settings_cleared.h"
#include "ui/qt/appearance.h"

namespace {

// A test that ends the program leaves the application's quit pending, and every modal box of
// a later test in the same process would then close at once. A short turn of the main loop
// after each test takes the quit up (and delivers what the test left queued).
class SettleApplication : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override {
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        QCoreApplication::exec();
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    zarnel::testing::clearDesktopQtSettings();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    zarnel::qt::applyAppearance();
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new SettleApplication);
    return RUN_ALL_TESTS();
}
