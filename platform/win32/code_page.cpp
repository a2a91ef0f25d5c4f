#include "platform/win32/code_page.h"

#include <windows.h>

#include <charconv>
#include <stdexcept>

namespace zarnel::win32 {
namespace {

constexpr std::string_view kUtf8Name = "UTF-8";
constexpr std::string_view kAcpName = "ACP";
constexpr std::string_view kCpPrefix = "CP";
constexpr std::wstring_view kReplacement = L"\xFFFD";
constexpr char kLacking = '?';

// Wide text of bytes that must all decode; nothing when one does not.
bool strictWide(unsigned codePage, std::string_view bytes, std::wstring& wide) {
    const int size = static_cast<int>(bytes.size());
    const int needed =
        MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (needed <= 0) return false;
    wide.resize(static_cast<std::size_t>(needed));
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, wide.data(), needed);
    return true;
}

// Character by character: the shortest run of bytes that decodes is a character; a byte that
// starts none is replaced alone, so the text after it survives. The system's own replacement
// differs by page (U+30FB for a lone CP932 lead byte, one U+FFFD for a cut UTF-8 sequence), so
// it is not used.
std::wstring lenientWide(unsigned codePage, std::string_view bytes) {
    CPINFO info{};
    GetCPInfo(codePage, &info);
    const std::size_t longest = info.MaxCharSize > 0 ? info.MaxCharSize : 1;
    std::wstring wide;
    std::wstring character;
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::size_t length = 1;
        while (length <= longest && at + length <= bytes.size() &&
               !strictWide(codePage, bytes.substr(at, length), character)) {
            ++length;
        }
        if (length <= longest && at + length <= bytes.size()) {
            wide += character;
            at += length;
        } else {
            wide += kReplacement;
            ++at;
        }
    }
    return wide;
}

// Bytes of wide text in the code page; false when a character had no exact counterpart.
bool exactBytes(unsigned codePage, std::wstring_view wide, std::string& out) {
    const int size = static_cast<int>(wide.size());
    const char lacking = kLacking;
    BOOL usedDefault = FALSE;
    const int needed = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), size,
                                           nullptr, 0, &lacking, &usedDefault);
    out.resize(static_cast<std::size_t>(needed > 0 ? needed : 0));
    WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), size, out.data(), needed,
                        &lacking, &usedDefault);
    return needed > 0 && usedDefault == FALSE;
}

bool isHighSurrogate(wchar_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

}  // namespace

std::string utf8Of(std::wstring_view wide) {
    const int size = static_cast<int>(wide.size());
    const int needed =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(needed > 0 ? needed : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, out.data(), needed, nullptr, nullptr);
    return out;
}

unsigned codePageNumber(std::string_view name) {
    if (name == kUtf8Name || name == "UTF8") return CP_UTF8;
    if (name == kAcpName) return GetACP();
    unsigned number = 0;
    if (name.starts_with(kCpPrefix)) {
        const std::string_view digits = name.substr(kCpPrefix.size());
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), number);
        if (error == std::errc{} && end == digits.data() + digits.size() &&
            IsValidCodePage(number)) {
            return number;
        }
    }
    throw std::invalid_argument("unknown code page " + std::string(name));
}

std::string codePageName(unsigned codePage) {
    if (codePage == CP_UTF8) return std::string(kUtf8Name);
    return std::string(kCpPrefix) + std::to_string(codePage);
}

std::wstring wideOf(unsigned codePage, std::string_view bytes) {
    if (bytes.empty()) return {};
    std::wstring wide;
    if (!strictWide(codePage, bytes, wide)) wide = lenientWide(codePage, bytes);
    return wide;
}

std::string decode(unsigned codePage, std::string_view bytes) {
    return utf8Of(wideOf(codePage, bytes));
}

std::string encode(unsigned codePage, std::string_view text) {
    if (codePage == CP_UTF8 || text.empty()) return std::string(text);
    const std::wstring wide = wideOf(CP_UTF8, text);
    std::string out;
    if (exactBytes(codePage, wide, out)) return out;
    // Character by character, so a lacking one (a surrogate pair included) is one '?'.
    out.clear();
    std::string piece;
    for (std::size_t at = 0; at < wide.size();) {
        const std::size_t units = isHighSurrogate(wide[at]) && at + 1 < wide.size() ? 2 : 1;
        out += exactBytes(codePage, std::wstring_view(wide).substr(at, units), piece)
                   ? piece
                   : std::string(1, kLacking);
        at += units;
    }
    return out;
}

}  // namespace zarnel::win32
