#include "platform/linux/xfconf.h"

#include <cstddef>

#include "platform/text_fields.h"

namespace zarnel::linux_fs {
namespace {

constexpr std::string_view kTagBlanks = " \t\r\n";

// The value of attribute `name` in a tag's text, as written; empty if it has none.
std::string_view attribute(std::string_view tag, std::string_view name) {
    const std::string key = std::string(name) + "=\"";
    for (auto at = tag.find(key); at != std::string_view::npos; at = tag.find(key, at + 1)) {
        if (at == 0 || kTagBlanks.find(tag[at - 1]) == std::string_view::npos) continue;
        const std::string_view rest = tag.substr(at + key.size());
        return rest.substr(0, rest.find('"'));
    }
    return {};
}

// Whether a tag's text opens element `name` ("property name=…", "value/").
bool opens(std::string_view tag, std::string_view name) {
    return tag.starts_with(name) &&
           (tag.size() == name.size() ||
            kTagBlanks.find(tag[name.size()]) != std::string_view::npos || tag[name.size()] == '/');
}

}  // namespace

std::vector<XfconfProperty> xfconfProperties(std::string_view channelXml) {
    std::vector<XfconfProperty> properties;
    std::vector<std::size_t> open;  // the properties the text is inside, innermost last
    for (auto start = channelXml.find('<'); start != std::string_view::npos;
         start = channelXml.find('<', start + 1)) {
        const auto end = channelXml.find('>', start);
        if (end == std::string_view::npos) break;
        const std::string_view tag = channelXml.substr(start + 1, end - start - 1);
        if (opens(tag, "property")) {
            XfconfProperty property;
            if (!open.empty()) property.path = properties[open.back()].path;
            property.path.emplace_back(attribute(tag, "name"));
            property.value = attribute(tag, "value");
            properties.push_back(std::move(property));
            if (!tag.ends_with('/')) open.push_back(properties.size() - 1);
        } else if (trimmed(tag, kTagBlanks) == "/property") {
            if (!open.empty()) open.pop_back();
        } else if (opens(tag, "value") && !open.empty()) {
            properties[open.back()].items.emplace_back(attribute(tag, "value"));
        }
        start = end;
    }
    return properties;
}

}  // namespace zarnel::linux_fs
