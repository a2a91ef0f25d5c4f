// sway's settings: the bars read are the same with a comment line after the text, or a
// variable no line uses set before it; includes are handed on, never read; a bar's mode and
// hidden state are only ever what sway takes.
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "platform/linux/sway_config.h"

namespace {

using namespace zarnel;
using linux_fs::SwayBar;

constexpr std::string_view kModes[] = {"dock", "hide", "invisible", "overlay"};
constexpr std::string_view kHiddenStates[] = {"hide", "show"};

template <std::size_t N>
bool isOneOf(std::string_view value, const std::string_view (&names)[N]) {
    for (const std::string_view name : names) {
        if (value == name) return true;
    }
    return false;
}

std::vector<SwayBar> barsOf(std::string_view text, std::size_t& includes) {
    linux_fs::SwayConfigReader reader;
    reader.read(text, [&includes](const std::vector<std::string>&) { ++includes; });
    return reader.bars();
}

bool sameBars(const std::vector<SwayBar>& a, const std::vector<SwayBar>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].id != b[i].id || a[i].mode != b[i].mode || a[i].hiddenState != b[i].hiddenState ||
            a[i].command != b[i].command) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::textOf(data, size);
    std::size_t includes = 0;
    const std::vector<SwayBar> bars = barsOf(text, includes);
    for (const SwayBar& bar : bars) {
        fuzz::require(isOneOf(bar.mode, kModes) && isOneOf(bar.hiddenState, kHiddenStates));
    }
    // (What follows a continued line joins it; blanks after its '\\' do not count.)
    std::string_view last = text;
    while (!last.empty() &&
           std::string_view(" \t\r\n").find(last.back()) != std::string_view::npos) {
        last.remove_suffix(1);
    }
    if (!last.ends_with('\\')) {
        std::size_t commentedIncludes = 0;
        fuzz::require(
            sameBars(barsOf(fuzz::between("", text, "\n# a comment\n"), commentedIncludes), bars));
        fuzz::require(commentedIncludes == includes);
    }
    // (A brace alone on the first line would open a block named by the line set before it.)
    std::string_view first = text.substr(0, text.find('\n'));
    while (!first.empty() && (first.front() == ' ' || first.front() == '\t'))
        first.remove_prefix(1);
    if (text.find("$q9z") == std::string_view::npos && !first.starts_with('{')) {
        std::size_t setIncludes = 0;
        fuzz::require(
            sameBars(barsOf(fuzz::between("set $q9z unused\n", text, ""), setIncludes), bars));
        fuzz::require(setIncludes == includes);
    }
    return 0;
}
