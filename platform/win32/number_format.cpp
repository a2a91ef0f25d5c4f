// How the user writes numbers: asked in UTF-16 and written in the code page by the provider's
// codec, as the names are.
#include <algorithm>
#include <array>
#include <string>

#include "platform/errors.h"
#include "platform/win32/code_page.h"
#include "platform/win32/win32_platform.h"

namespace zarnel {
namespace {

// Room for the longest separator the system gives: four characters, NUL included.
constexpr int kLongestSeparator = 4;

// The spaces that group digits in the user's formats (no-break, narrow no-break, thin, figure
// and punctuation spaces): French and other European formats use them.
constexpr std::array<wchar_t, 7> kGroupingSpaces{L'\u00A0', L'\u202F', L'\u2009', L'\u2007',
                                                 L'\u2008', L'\u200A', L'\u205F'};

}  // namespace

int Win32Platform::getThousandsSeparator(std::span<char> data) {
    std::wstring wide(kLongestSeparator, L'\0');
    if (call(getLocaleInfoW_, LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, wide.data(),
             kLongestSeparator) == 0) {
        return 0;
    }
    wide.resize(wide.find(L'\0'));
    // A character the code page lacks would be written as '?' between the digits; a grouping
    // space the page lacks is written as a plain space, anything else is refused.
    for (wchar_t& character : wide) {
        const std::wstring_view one(&character, 1);
        if (character == L'?' || codec_->fromText(win32::utf8Of(one)) != "?") continue;
        if (std::ranges::find(kGroupingSpaces, character) == kGroupingSpaces.end()) {
            lastError_ = win32_error::kNoUnicodeTranslation;
            return 0;
        }
        character = L' ';
    }
    std::uint32_t len = static_cast<std::uint32_t>(data.size());
    if (copyInCodePage(wide, data, len, LengthOnSuccess::WithNul,
                       win32_error::kInsufficientBuffer) == 0) {
        return 0;
    }
    return static_cast<int>(len);
}

}  // namespace zarnel
