// The switch that sends the window's pixels over the X connection lives only while Qt
// connects: programs the window starts later (the browser) see the user's environment.
#include "ui/qt/display_connection.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <optional>

namespace zarnel::qt {
namespace {

constexpr const char* kSwitch = "QT_XCB_NO_MITSHM";

std::optional<QByteArray> switchValue() {
    if (!qEnvironmentVariableIsSet(kSwitch)) return std::nullopt;
    return qgetenv(kSwitch);
}

// Restores whatever the test process had, whatever a case leaves behind.
class PixelsOverConnectionTest : public ::testing::Test {
  protected:
    void SetUp() override { saved_ = switchValue(); }
    void TearDown() override {
        if (saved_) {
            qputenv(kSwitch, *saved_);
        } else {
            qunsetenv(kSwitch);
        }
    }

  private:
    std::optional<QByteArray> saved_;
};

TEST_F(PixelsOverConnectionTest, SetOnlyWhileQtConnectsAndGoneAfterwards) {
    qunsetenv(kSwitch);
    {
        const PixelsOverConnection overConnection;
        EXPECT_EQ(switchValue(), QByteArray("1"));
    }
    EXPECT_EQ(switchValue(), std::nullopt);
}

TEST_F(PixelsOverConnectionTest, AUsersOwnValueIsKept) {
    // Qt only asks whether it is set; the user's value, even an empty one, passes on unchanged.
    for (const QByteArray& own : {QByteArray("0"), QByteArray("")}) {
        qputenv(kSwitch, own);
        {
            const PixelsOverConnection overConnection;
            EXPECT_EQ(switchValue(), own);
        }
        EXPECT_EQ(switchValue(), own);
    }
}

}  // namespace
}  // namespace zarnel::qt
