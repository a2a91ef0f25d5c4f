// How the user writes numbers: asked in UTF-16 and written in the code page by the provider's
// codec, as the names are.
#include <string>

#include "platform/errors.h"
#include "platform/win32/win32_platform.h"

namespace zarnel {
namespace {

// Room for the longest separator the system gives: four characters, NUL included.
constexpr int kLongestSeparator = 4;

}  // namespace

int Win32Platform::getThousandsSeparator(std::span<char> data) {
    std::wstring wide(kLongestSeparator, L'\0');
    if (call(getLocaleInfoW_, LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, wide.data(),
             kLongestSeparator) == 0) {
        return 0;
    }
    std::uint32_t len = static_cast<std::uint32_t>(data.size());
    if (copyInCodePage(wide, data, len, LengthOnSuccess::WithNul,
                       win32_error::kInsufficientBuffer) == 0) {
        return 0;
    }
    return static_cast<int>(len);
}

}  // namespace zarnel
