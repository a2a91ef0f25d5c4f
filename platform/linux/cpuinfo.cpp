#include "platform/linux/cpuinfo.h"

#include <algorithm>
#include <array>

#include "platform/text_fields.h"

namespace zarnel::linux_fs {
namespace {

using Fields = CpuinfoCpu::Fields;

// The kernel's spelling of each field, in the order of CpuField.
constexpr std::array<std::string_view, kCpuFieldCount> kFieldNames = {
    "physical id", "package", "vendor_id",  "vendor",    "cpu implementer", "cpu part",
    "model name",  "cpu",     "processor",  "uarch",     "model",           "stepping",
    "cpu mhz",     "clock",   "cpu number", "cpu model", "machine",         "cpu mhz dynamic"};

std::optional<CpuField> fieldNamed(std::string_view name) {
    for (std::size_t i = 0; i < kFieldNames.size(); ++i) {
        if (sameIgnoringCase(name, kFieldNames[i])) return static_cast<CpuField>(i);
    }
    return std::nullopt;
}

const std::string* find(const Fields& fields, CpuField name) {
    const auto found = std::ranges::find(fields, name, &Fields::value_type::first);
    return found == fields.end() ? nullptr : &found->second;
}

// Adds the fields `into` lacks from `from`.
void addMissing(Fields& into, const Fields& from) {
    for (const auto& [name, value] : from) {
        if (!find(into, name)) into.emplace_back(name, value);
    }
}

std::optional<int> cpuNumber(std::string_view text) {
    const auto value = wholeNumber<int>(text);
    if (!value || *value < 0) return std::nullopt;
    return value;
}

// The paragraph being read: a CPU's when it has a number, else facts of the whole machine.
struct Paragraph {
    std::optional<int> index;
    bool hasFields = false;  // any "name: value" line, kept or not
    Fields fields;

    void addLine(std::string_view line) {
        const auto colon = line.find(':');
        if (colon == std::string_view::npos) return;
        const std::string_view name = trimmed(line.substr(0, colon));
        if (name.empty()) return;
        const std::string_view value = trimmed(line.substr(colon + 1));
        const auto field = fieldNamed(name);
        // A numbered line is an index, never a name: nor is a second one in the same paragraph,
        // as a layout listing every CPU under one heading writes them.
        if (field == CpuField::Processor || field == CpuField::CpuNumber) {
            if (const auto number = cpuNumber(value)) {
                if (!index) index = number;
                return;
            }
        }
        hasFields = true;
        // The first value of a name wins, as every reader of this file takes it.
        if (field && !find(fields, *field)) fields.emplace_back(*field, value);
    }
};

}  // namespace

std::optional<std::string> CpuinfoCpu::field(CpuField name) const {
    const std::string* value = find(fields, name);
    if (!value || value->empty()) return std::nullopt;
    return *value;
}

std::vector<CpuinfoCpu> parseCpuinfo(std::string_view text) {
    std::vector<CpuinfoCpu> cpus;
    Fields machineWide;
    bool anyMachineWide = false;
    Paragraph paragraph;
    // Paragraphs end at an empty line; one pass over the lines reads them all.
    const auto finish = [&] {
        if (paragraph.index) {
            cpus.push_back({.index = *paragraph.index, .fields = std::move(paragraph.fields)});
        } else if (paragraph.hasFields) {
            addMissing(machineWide, paragraph.fields);
            anyMachineWide = true;
        }
        paragraph = {};
    };
    while (!text.empty()) {
        const std::string_view line = takeLine(text);
        if (line.empty()) {
            finish();
        } else {
            paragraph.addLine(line);
        }
    }
    finish();
    if (cpus.empty() && anyMachineWide) cpus.push_back({});
    // A CPU's own line wins over a machine-wide one of the same name.
    for (CpuinfoCpu& cpu : cpus) addMissing(cpu.fields, machineWide);
    return cpus;
}

}  // namespace zarnel::linux_fs
