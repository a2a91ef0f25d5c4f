#include "platform/linux/hosts.h"

#include <algorithm>
#include <span>
#include <vector>

#include "platform/linux/visible_text.h"
#include "platform/text_fields.h"

namespace zarnel::linux_fs {
namespace {

constexpr std::string_view kBlanks = " \t\r\v\f";

// Calls `visit` with the words of each line, comments cut off.
template <typename Visit>
void forEachLine(std::string_view text, Visit visit) {
    while (!text.empty()) {
        std::string_view line = takeLine(text);
        line = line.substr(0, line.find_first_of("#;"));
        const auto lineWords = words(line);
        if (!lineWords.empty()) visit(lineWords);
    }
}

// Neither a control character nor a byte outside UTF-8: a name the window can show as it is.
bool isPrintableUtf8(std::string_view text) {
    return visibleText(text) == text;
}

// A fully qualified name may end in the dot of the root, which is no part of the name.
std::string_view withoutRootDot(std::string_view name) {
    while (name.ends_with('.')) name.remove_suffix(1);
    return name;
}

// The kernel's node name until one is set.
constexpr std::string_view kUnsetNodeName = "(none)";

}  // namespace

std::optional<std::string> domainFromHosts(std::string_view hostsText, std::string_view host) {
    std::optional<std::string> domain;
    if (host.empty()) return domain;
    forEachLine(hostsText, [&](const std::vector<std::string_view>& lineWords) {
        if (domain || lineWords.size() < 2) return;
        const auto names = std::span(lineWords).subspan(1);  // the address comes first
        for (std::string_view name : names) {
            // A name with control bytes (a NUL in a damaged file) is no name to show.
            if (name.size() <= host.size() + 1 || name[host.size()] != '.' ||
                !sameIgnoringCase(name.substr(0, host.size()), host) || !isPrintableUtf8(name)) {
                continue;
            }
            // "pc.." names no domain.
            if (const auto found = withoutRootDot(name.substr(host.size() + 1)); !found.empty()) {
                domain = std::string(found);
                return;
            }
        }
    });
    return domain;
}

std::optional<std::string> domainFromResolvConf(std::string_view resolvText) {
    std::optional<std::string> domain;
    forEachLine(resolvText, [&](const std::vector<std::string_view>& lineWords) {
        if (lineWords.size() < 2 || lineWords[0] != "domain" || !isPrintableUtf8(lineWords[1])) {
            return;
        }
        if (const auto found = withoutRootDot(lineWords[1]); !found.empty()) {
            domain = std::string(found);
        }
    });
    return domain;
}

std::optional<std::string> parseHostname(std::string_view text) {
    // The name is the first line that is no comment (etc/hostname may open with some).
    std::string_view line = trimmed(takeLine(text), kBlanks);
    while ((line.empty() || line.starts_with('#')) && !text.empty()) {
        line = trimmed(takeLine(text), kBlanks);
    }
    line = withoutRootDot(line);
    // A host name is one word; "web01 lan" is a broken file, not a name.
    if (line.empty() || line.starts_with('#') || line == kUnsetNodeName || !isPrintableUtf8(line) ||
        line.find_first_of(kBlanks) != std::string_view::npos) {
        return std::nullopt;
    }
    return std::string(line);
}

}  // namespace zarnel::linux_fs
