// How the user writes numbers, from the locale the environment names for them.
#include <langinfo.h>
#include <locale.h>

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

}  // namespace

// The separator is written in the character set of the locale that names it (one byte 0xA0 in a
// Latin-1 French locale); the window takes text in the provider's code page.
std::string LinuxPlatform::inTheWindowsCodePage(const char* separator, const char* codeSet) const {
    try {
        return codec_->fromText(makeAnsiCodec(codeSet)->toText(separator));
    } catch (const std::invalid_argument&) {
        return std::string(kUnchosenSeparator);  // a character set iconv does not know
    }
}

int LinuxPlatform::getThousandsSeparator(std::span<char> data) {
    std::string separator(kUnchosenSeparator);
    if (const locale_t numbers =
            ::newlocale(LC_NUMERIC_MASK | LC_CTYPE_MASK, numericLocale.c_str(), nullptr)) {
        const char* named = ::nl_langinfo_l(THOUSEP, numbers);
        const char* codeSet = ::nl_langinfo_l(CODESET, numbers);
        if (named && *named && codeSet) separator = inTheWindowsCodePage(named, codeSet);
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
