// How the user writes numbers, from the locale the environment names for them.
#include <langinfo.h>
#include <locale.h>

#include <string>

#include "platform/errors.h"
#include "platform/linux/linux_platform.h"
#include "platform/name_copy.h"

namespace zarnel {
namespace {

// A locale that names no separator (C, POSIX: no language chosen) gets the comma, as the
// Japanese systems the window was made for write it; so does one that is not installed.
constexpr std::string_view kUnchosenSeparator = ",";

}  // namespace

int LinuxPlatform::getThousandsSeparator(std::span<char> data) {
    std::string separator(kUnchosenSeparator);
    if (const locale_t numbers = ::newlocale(LC_NUMERIC_MASK, numericLocale.c_str(), nullptr)) {
        const char* named = ::nl_langinfo_l(THOUSEP, numbers);
        if (named && *named) separator = named;
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
