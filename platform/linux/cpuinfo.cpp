#include "platform/linux/cpuinfo.h"

#include <algorithm>

#include "platform/text_fields.h"

namespace zarnel::linux_fs {
namespace {

using Fields = std::array<std::optional<std::string>, kCpuFieldCount>;

// The kernel's spelling of each field, lower-cased, in the order of CpuField.
constexpr std::array<std::string_view, kCpuFieldCount> kFieldNames = {
    "physical id", "package",   "vendor_id", "vendor", "cpu implementer", "cpu part", "model name",
    "cpu",         "processor", "uarch",     "model",  "stepping",        "cpu mhz",  "clock"};
constexpr std::size_t kProcessorField = static_cast<std::size_t>(CpuField::Processor);

bool sameIgnoringCase(std::string_view text, std::string_view lowered) {
    return std::ranges::equal(text, lowered, [](char a, char b) {
        return (a >= 'A' && a <= 'Z' ? char(a - 'A' + 'a') : a) == b;
    });
}

std::optional<std::size_t> fieldNamed(std::string_view name) {
    for (std::size_t i = 0; i < kFieldNames.size(); ++i) {
        if (sameIgnoringCase(name, kFieldNames[i])) return i;
    }
    return std::nullopt;
}

std::optional<int> cpuNumber(std::string_view text) {
    const auto value = wholeNumber<int>(text);
    if (!value || *value < 0) return std::nullopt;
    return value;
}

struct Paragraph {
    std::optional<int> index;
    bool hasFields = false;  // any "name: value" line, kept or not
    Fields fields;
};

// One "name: value" line into `paragraph`.
void addLine(Paragraph& paragraph, std::string_view line) {
    const auto colon = line.find(':');
    if (colon == std::string_view::npos) return;
    const std::string_view name = trimmed(line.substr(0, colon));
    if (name.empty()) return;
    const std::string_view value = trimmed(line.substr(colon + 1));
    const auto field = fieldNamed(name);
    if (field == kProcessorField && !paragraph.index) {
        paragraph.index = cpuNumber(value);
        if (paragraph.index) return;
    }
    paragraph.hasFields = true;
    if (field && !paragraph.fields[*field]) paragraph.fields[*field] = std::string(value);
}

// The paragraphs of `text`, split at empty lines, in one pass over it.
std::vector<Paragraph> paragraphs(std::string_view text) {
    std::vector<Paragraph> result;
    Paragraph paragraph;
    const auto finish = [&result, &paragraph] {
        if (paragraph.index || paragraph.hasFields) result.push_back(std::move(paragraph));
        paragraph = {};
    };
    while (!text.empty()) {
        const std::string_view line = takeLine(text);
        if (line.empty()) {
            finish();
        } else {
            addLine(paragraph, line);
        }
    }
    finish();
    return result;
}

// Fills the fields `into` lacks from `from`.
void addMissing(Fields& into, const Fields& from) {
    for (std::size_t i = 0; i < into.size(); ++i) {
        if (!into[i] && from[i]) into[i] = from[i];
    }
}

}  // namespace

std::optional<std::string> CpuinfoCpu::field(CpuField name) const {
    const std::optional<std::string>& value = fields[static_cast<std::size_t>(name)];
    if (!value || value->empty()) return std::nullopt;
    return value;
}

std::vector<CpuinfoCpu> parseCpuinfo(std::string_view text) {
    std::vector<CpuinfoCpu> cpus;
    Fields machineWide;
    bool anyMachineWide = false;
    for (Paragraph& paragraph : paragraphs(text)) {
        if (paragraph.index) {
            cpus.push_back({.index = *paragraph.index, .fields = std::move(paragraph.fields)});
        } else {
            addMissing(machineWide, paragraph.fields);
            anyMachineWide = true;
        }
    }
    if (cpus.empty() && anyMachineWide) cpus.push_back({});
    // A CPU's own line wins over a machine-wide one of the same name.
    for (CpuinfoCpu& cpu : cpus) addMissing(cpu.fields, machineWide);
    return cpus;
}

}  // namespace zarnel::linux_fs
