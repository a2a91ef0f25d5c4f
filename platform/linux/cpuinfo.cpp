#include "platform/linux/cpuinfo.h"

#include <algorithm>

#include "platform/text_fields.h"

namespace zarnel::linux_fs {
namespace {

using Fields = std::map<std::string, std::string, std::less<>>;

std::string lowered(std::string_view text) {
    std::string result(text);
    std::ranges::transform(result, result.begin(),
                           [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    return result;
}

std::optional<int> cpuNumber(std::string_view text) {
    const auto value = wholeNumber<int>(text);
    if (!value || *value < 0) return std::nullopt;
    return value;
}

struct Paragraph {
    std::optional<int> index;
    Fields fields;
};

// The first value of a name wins, as every reader of this file takes it.
Paragraph parseParagraph(std::string_view text) {
    Paragraph paragraph;
    while (!text.empty()) {
        const std::string_view line = takeLine(text);
        const auto colon = line.find(':');
        if (colon == std::string_view::npos) continue;
        const std::string name = lowered(trimmed(line.substr(0, colon)));
        const std::string_view value = trimmed(line.substr(colon + 1));
        if (name.empty()) continue;
        if (name == "processor" && !paragraph.index) {
            paragraph.index = cpuNumber(value);
            if (paragraph.index) continue;
        }
        paragraph.fields.emplace(name, value);
    }
    return paragraph;
}

std::vector<Paragraph> paragraphs(std::string_view text) {
    std::vector<Paragraph> result;
    while (!text.empty()) {
        const auto gap = text.find("\n\n");
        const std::string_view block = text.substr(0, gap);
        text = gap == std::string_view::npos ? std::string_view() : text.substr(gap + 2);
        Paragraph paragraph = parseParagraph(block);
        if (paragraph.index || !paragraph.fields.empty()) result.push_back(std::move(paragraph));
    }
    return result;
}

}  // namespace

std::optional<std::string> CpuinfoCpu::field(std::string_view name) const {
    const auto found = fields.find(name);
    if (found == fields.end() || found->second.empty()) return std::nullopt;
    return found->second;
}

std::vector<CpuinfoCpu> parseCpuinfo(std::string_view text) {
    std::vector<CpuinfoCpu> cpus;
    Fields machineWide;
    for (Paragraph& paragraph : paragraphs(text)) {
        if (paragraph.index) {
            cpus.push_back({.index = *paragraph.index, .fields = std::move(paragraph.fields)});
        } else {
            machineWide.merge(paragraph.fields);
        }
    }
    if (cpus.empty() && !machineWide.empty()) cpus.push_back({});
    for (CpuinfoCpu& cpu : cpus) {
        // A CPU's own line wins over a machine-wide one of the same name.
        for (const auto& [name, value] : machineWide) cpu.fields.emplace(name, value);
    }
    return cpus;
}

}  // namespace zarnel::linux_fs
