#include "platform/linux/user_dirs.h"

#include <optional>

#include "platform/text_fields.h"

namespace zarnel::linux_fs {
namespace {

constexpr std::string_view kPrefix = "XDG_";
constexpr std::string_view kSuffix = "_DIR";
constexpr std::string_view kHome = "$HOME";

std::string_view skipBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

// The text between the quotes, backslashes taking the next character as it is; nothing when
// the closing quote is missing.
std::optional<std::string> unquote(std::string_view text) {
    std::string value;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '"') return value;
        if (text[i] == '\\' && i + 1 < text.size()) ++i;
        value += text[i];
    }
    return std::nullopt;
}

std::optional<std::pair<std::string, UserDir>> parseLine(std::string_view line) {
    line = skipBlanks(line);
    if (!line.starts_with(kPrefix)) return {};
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) return {};
    std::string_view key = line.substr(0, equals);
    key = key.substr(0, key.find_last_not_of(" \t") + 1);
    if (!key.ends_with(kSuffix) || key.size() <= kPrefix.size() + kSuffix.size()) return {};
    const std::string_view name =
        key.substr(kPrefix.size(), key.size() - kPrefix.size() - kSuffix.size());

    std::string_view value = skipBlanks(line.substr(equals + 1));
    if (!value.starts_with('"')) return {};
    value.remove_prefix(1);
    UserDir dir;
    if (value.starts_with(kHome)) {
        dir.underHome = true;
        value.remove_prefix(kHome.size());
        // "$HOME" alone is the home folder itself; anything else must go on with a slash.
        if (!value.starts_with('/') && !value.starts_with('"')) return {};
    } else if (!value.starts_with('/')) {
        return {};
    }
    auto path = unquote(value);
    if (!path) return {};
    dir.path = std::move(*path);
    return std::pair{std::string(name), std::move(dir)};
}

}  // namespace

std::map<std::string, UserDir, std::less<>> parseUserDirs(std::string_view text) {
    std::map<std::string, UserDir, std::less<>> dirs;
    while (!text.empty()) {
        const std::string_view line = takeLine(text);
        if (!skipBlanks(line).starts_with('#')) {
            if (auto entry = parseLine(line)) dirs.insert_or_assign(entry->first, entry->second);
        }
    }
    return dirs;
}

}  // namespace zarnel::linux_fs
