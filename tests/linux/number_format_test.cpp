// The user's thousands separator, from the locale the environment names for numbers.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <array>
#include <filesystem>
#include <string>

#include "platform/errors.h"
#include "platform/linux/linux_platform.h"
#include "tests/support/scoped_variable.h"

namespace zarnel {
namespace {

namespace fs = std::filesystem;

// The separator the provider gives for numbers written in `locale`, or its failure.
std::string separatorIn(const std::string& locale) {
    LinuxPlatform platform("/");
    platform.numericLocale = locale;
    std::array<char, 8> data{};
    const int written = platform.getThousandsSeparator(data);
    if (written == 0) return "failed with " + std::to_string(platform.lastError());
    return std::string(data.data(), static_cast<std::size_t>(written) - 1);
}

// A locale that names none (no language chosen), or one not installed, gets the comma of the
// Japanese systems the window was made for.
TEST(NumberFormat, ALocaleWithoutASeparatorGetsTheComma) {
    EXPECT_EQ(separatorIn("C"), ",");
    EXPECT_EQ(separatorIn("POSIX"), ",");
    EXPECT_EQ(separatorIn("xx_NOWHERE.UTF-8"), ",");
}

// A German user's figures are grouped by the point, as the locale says: the locale is built
// from the system's definitions for the test, where they are installed.
// A French user's no-break space comes as UTF-8 text whatever character set the locale writes
// it in (one byte 0xA0 in Latin-1).
TEST(NumberFormat, TheLocalesOwnSeparatorIsGiven) {
    const fs::path definitions = "/usr/share/i18n/locales";
    if (!fs::exists(definitions / "de_DE") || !fs::exists(definitions / "fr_FR")) {
        GTEST_SKIP() << "no locale definitions at " << definitions;
    }
    std::string folder = (fs::temp_directory_path() / "zarnel-locales-XXXXXX").string();
    ASSERT_NE(::mkdtemp(folder.data()), nullptr);
    for (const std::string locale : {"de_DE UTF-8", "fr_FR ISO-8859-1"}) {
        const std::string language = locale.substr(0, locale.find(' '));
        const std::string charset = locale.substr(locale.find(' ') + 1);
        const std::string build = "localedef -i " + language + " -f " + charset + " '" + folder +
                                  "/" + language + "." + charset + "' >/dev/null 2>&1";
        ASSERT_EQ(std::system(build.c_str()), 0) << build;
    }
    const testing::ScopedVariable path("LOCPATH", folder.c_str());
    EXPECT_EQ(separatorIn("de_DE.UTF-8"), ".");
    EXPECT_EQ(separatorIn("fr_FR.ISO-8859-1"), "\u00A0");
    fs::remove_all(folder);
}

TEST(NumberFormat, TooSmallABufferFailsAsTheSystemDoes) {
    LinuxPlatform platform("/");
    platform.numericLocale = std::string("C");
    std::array<char, 1> data{'x'};
    EXPECT_EQ(platform.getThousandsSeparator(data), 0);
    EXPECT_EQ(platform.lastError(), win32_error::kInsufficientBuffer);
    EXPECT_EQ(data[0], 'x');
}

}  // namespace
}  // namespace zarnel
