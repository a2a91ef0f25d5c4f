#include "platform/name_copy.h"

#include <algorithm>

#include "platform/errors.h"

namespace zarnel {

int copyName(std::string_view ansi, std::span<char> buffer, std::uint32_t& len,
             LengthOnSuccess lengthOnSuccess, std::uint32_t tooSmallError, std::uint32_t& error) {
    const std::size_t needed = ansi.size() + 1;
    const std::size_t room = std::min<std::size_t>(len, buffer.size());
    if (needed > room) {
        len = static_cast<std::uint32_t>(needed);
        error = tooSmallError;
        return 0;
    }
    std::copy(ansi.begin(), ansi.end(), buffer.begin());
    buffer[ansi.size()] = '\0';
    len = static_cast<std::uint32_t>(lengthOnSuccess == LengthOnSuccess::WithNul ? needed
                                                                                 : ansi.size());
    error = win32_error::kSuccess;
    return 1;
}

bool copyTextsWhole(std::initializer_list<TextCopy> copies, std::uint32_t& error) {
    if (!std::ranges::all_of(
            copies, [](const TextCopy& copy) { return copy.ansi.size() < copy.buffer.size(); })) {
        error = win32_error::kMoreData;
        return false;
    }
    for (const TextCopy& copy : copies) {
        auto len = static_cast<std::uint32_t>(copy.buffer.size());
        copyName(copy.ansi, copy.buffer, len, LengthOnSuccess::WithoutNul, win32_error::kMoreData,
                 error);
    }
    return true;
}

}  // namespace zarnel
