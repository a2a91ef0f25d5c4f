#include "platform/linux/passwd.h"

#include <array>
#include <charconv>

namespace zarnel::linux_fs {
namespace {

constexpr std::size_t kPasswdFields = 7;  // name:password:uid:gid:gecos:home:shell
constexpr std::size_t kNameField = 0;
constexpr std::size_t kUidField = 2;
constexpr std::size_t kGecosField = 4;

std::optional<std::array<std::string_view, kPasswdFields>> fields(std::string_view line) {
    std::array<std::string_view, kPasswdFields> result;
    for (std::size_t i = 0; i < kPasswdFields; ++i) {
        const auto colon = line.find(':');
        if (colon == std::string_view::npos && i + 1 < kPasswdFields) return std::nullopt;
        result[i] = line.substr(0, colon);
        line = colon == std::string_view::npos ? std::string_view() : line.substr(colon + 1);
    }
    return result;
}

std::optional<unsigned> uidOf(std::string_view text) {
    unsigned value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace

std::string registeredUser(std::string_view login, std::string_view gecos) {
    const std::string_view fullName = gecos.substr(0, gecos.find(','));
    return std::string(fullName.empty() ? login : fullName);
}

std::optional<std::string> registeredUser(std::string_view passwdText, unsigned uid) {
    while (!passwdText.empty()) {
        const auto newline = passwdText.find('\n');
        const std::string_view line = passwdText.substr(0, newline);
        passwdText =
            newline == std::string_view::npos ? std::string_view() : passwdText.substr(newline + 1);
        const auto entry = fields(line);
        if (entry && uidOf((*entry)[kUidField]) == uid) {
            return registeredUser((*entry)[kNameField], (*entry)[kGecosField]);
        }
    }
    return std::nullopt;
}

}  // namespace zarnel::linux_fs
