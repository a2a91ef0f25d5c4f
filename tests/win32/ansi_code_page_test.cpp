// The system's ANSI code page under the prefix's Japanese locale (ja_JP.UTF-8 gives 932, as on
// the Japanese PCs the window is for).
#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>

#include "platform/win32/win32_platform.h"

namespace zarnel {
namespace {

constexpr unsigned kShiftJis = 932;

TEST(Win32AnsiCodePage, ProviderSpeaksTheSystemCodePage) {
    ASSERT_EQ(GetACP(), kShiftJis) << "run under tools/wine/wineprefix.sh (ja_JP.UTF-8)";
    Win32Platform platform;
    EXPECT_EQ(platform.ansi().codePage(), "CP932");
    const std::string text = "株式会社テスト 田中太郎";
    const std::string bytes = platform.ansi().fromText(text);
    EXPECT_NE(bytes, text) << "converted, not passed through";
    EXPECT_EQ(platform.ansi().toText(bytes), text);
}

TEST(Win32AnsiCodePage, OnlyUtf8AcpAndCpNumbersNameAPage) {
    EXPECT_EQ(makeAnsiCodec("CP932")->codePage(), "CP932");
    EXPECT_EQ(makeAnsiCodec("UTF-8")->codePage(), "UTF-8");
    EXPECT_THROW(makeAnsiCodec("CP932x"), std::invalid_argument);
    EXPECT_THROW(makeAnsiCodec("CP"), std::invalid_argument);
    EXPECT_THROW(makeAnsiCodec("SHIFT-JIS-ISH"), std::invalid_argument);
}

}  // namespace
}  // namespace zarnel
