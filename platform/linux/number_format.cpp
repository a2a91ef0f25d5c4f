// How the user writes numbers, from the locale the environment names for them.
#include <langinfo.h>
#include <locale.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "platform/codec.h"
#include "platform/errors.h"
#include "platform/linux/linux_platform.h"
#include "platform/name_copy.h"

namespace zarnel {
namespace {

// A locale that names no separator (C, POSIX: no language chosen) gets the comma, as the
// Japanese systems the window was made for write it; so does one that is not installed.
constexpr std::string_view kUnchosenSeparator = ",";
// The no-break space, which those who write the comma as their decimal mark group by.
constexpr std::string_view kSpaceSeparator = "\u00A0";

// The separator `numbers` names, read in the locale's own character set (one byte 0xA0 in a
// Latin-1 French locale) and written in the provider's code page. Throws std::invalid_argument
// for a character set iconv does not know.
std::string separatorOf(locale_t numbers, const AnsiCodec& provider) {
    const std::unique_ptr<AnsiCodec> locale = makeAnsiCodec(::nl_langinfo_l(CODESET, numbers));
    const auto text = [&](nl_item item) {
        return provider.fromText(locale->toText(::nl_langinfo_l(item, numbers)));
    };
    if (std::string named = text(THOUSEP); !named.empty()) return named;
    // A locale that groups by nothing and writes the comma as its decimal mark (pt_PT, bg_BG):
    // the comma would read as a fraction; such writers group by a space.
    if (text(RADIXCHAR) == kUnchosenSeparator) return provider.fromText(kSpaceSeparator);
    return std::string(kUnchosenSeparator);
}

}  // namespace

int LinuxPlatform::getThousandsSeparator(std::span<char> data) {
    std::string separator(kUnchosenSeparator);
    // Both categories from the one name, so that the separator is read in its own character set.
    const std::string& name = environment.numericLocale;
    if (const locale_t numbers =
            ::newlocale(LC_NUMERIC_MASK | LC_CTYPE_MASK, name.c_str(), nullptr)) {
        try {
            separator = separatorOf(numbers, *codec_);
        } catch (const std::invalid_argument&) {
            // a character set iconv does not know: the comma stands
        }
        ::freelocale(numbers);
    }
    std::uint32_t len = static_cast<std::uint32_t>(data.size());
    if (copyName(separator, data, len, LengthOnSuccess::WithNul, win32_error::kInsufficientBuffer,
                 lastError_) == 0) {
        return 0;
    }
    lastError_ = win32_error::kSuccess;
    return static_cast<int>(len);
}

}  // namespace zarnel
