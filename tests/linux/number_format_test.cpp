// The user's thousands separator, from the locale the environment names for numbers.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <array>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/errors.h"
#include "platform/linux/linux_platform.h"
#include "tests/support/scoped_variable.h"

namespace zarnel {
namespace {

namespace fs = std::filesystem;

// The separator the provider gives, or its failure: for numbers written in `locale`, else in the
// locale the process's environment names.
std::string separatorIn(std::optional<std::string> locale = std::nullopt) {
    LinuxPlatform platform("/");
    if (locale) platform.environment.numericLocale = *locale;
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

// Locales built from the system's definitions for the tests, where they are installed.
class BuiltLocales : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        const fs::path definitions = "/usr/share/i18n/locales";
        for (const char* language : {"de_DE", "fr_FR", "pt_PT"}) {
            if (!fs::exists(definitions / language)) {
                whyNot() = std::string("no locale definition of ") + language;
                return;
            }
        }
        std::string made = (fs::temp_directory_path() / "zarnel-locales-XXXXXX").string();
        if (::mkdtemp(made.data()) == nullptr) {
            whyNot() = "no folder to build locales in";
            return;
        }
        for (const std::string locale :
             {"de_DE UTF-8", "fr_FR UTF-8", "fr_FR ISO-8859-1", "pt_PT UTF-8"}) {
            const std::string language = locale.substr(0, locale.find(' '));
            const std::string charset = locale.substr(locale.find(' ') + 1);
            const std::string build = "localedef -i " + language + " -f " + charset + " '" + made +
                                      "/" + language + "." + charset + "' >/dev/null 2>&1";
            if (std::system(build.c_str()) != 0) {
                whyNot() = "localedef could not build " + locale;
                fs::remove_all(made);
                return;
            }
        }
        folder() = made;
    }
    static void TearDownTestSuite() {
        if (!folder().empty()) fs::remove_all(folder());
    }
    void SetUp() override {
        if (folder().empty()) GTEST_SKIP() << whyNot();
    }
    static std::string& folder() {
        static std::string built;
        return built;
    }
    static std::string& whyNot() {
        static std::string reason;
        return reason;
    }

    testing::ScopedVariable path_{"LOCPATH", folder().c_str()};
};

// A German user's figures are grouped by the point, a French user's by the no-break spaces, in
// UTF-8 whatever character set the locale writes them in (one byte 0xA0 in Latin-1).
TEST_F(BuiltLocales, TheLocalesOwnSeparatorIsGiven) {
    EXPECT_EQ(separatorIn("de_DE.UTF-8"), ".");
    EXPECT_EQ(separatorIn("fr_FR.UTF-8"), "\u202F");
    EXPECT_EQ(separatorIn("fr_FR.ISO-8859-1"), "\u00A0");
}

// Portuguese names no separator and writes the comma as its decimal mark: a comma between the
// digits would read as a fraction.
TEST_F(BuiltLocales, ACommaDecimalMarkIsNeverTheSeparator) {
    EXPECT_EQ(separatorIn("pt_PT.UTF-8"), "\u00A0");
}

// The locale of numbers is the one the environment names for them, read in that locale's own
// character set whatever the other categories say.
TEST_F(BuiltLocales, TheEnvironmentNamesTheLocaleOfNumbers) {
    const testing::ScopedVariable all("LC_ALL", nullptr);
    const testing::ScopedVariable numeric("LC_NUMERIC", "fr_FR.UTF-8");
    const testing::ScopedVariable language("LANG", "C");
    const testing::ScopedVariable characters("LC_CTYPE", "C");
    EXPECT_EQ(separatorIn(), "\u202F");
    numeric.set(nullptr);
    language.set("de_DE.UTF-8");
    characters.set("xx_NOWHERE.UTF-8");
    EXPECT_EQ(separatorIn(), ".");
    all.set("fr_FR.ISO-8859-1");
    numeric.set("de_DE.UTF-8");
    EXPECT_EQ(separatorIn(), "\u00A0");
}

TEST(NumberFormat, TooSmallABufferFailsAsTheSystemDoes) {
    LinuxPlatform platform("/");
    platform.environment.numericLocale = std::string("C");
    std::array<char, 1> data{'x'};
    EXPECT_EQ(platform.getThousandsSeparator(data), 0);
    EXPECT_EQ(platform.lastError(), win32_error::kInsufficientBuffer);
    EXPECT_EQ(data[0], 'x');
}

}  // namespace
}  // namespace zarnel
