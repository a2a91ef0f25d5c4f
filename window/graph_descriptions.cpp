#include "window/graph_descriptions.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>

namespace zarnel {
namespace {

constexpr long long kWholePercent = 100;
constexpr std::string_view kMegabyteSuffix = "M";
// The largest figure the shares are worked out for: twice the sum of two of them, each times
// a hundred, still fits. The legend is editable, so its text may be anything; a figure above
// this (some eight billion petabytes) is read out as it stands.
constexpr long long kLargestMegabytes = std::numeric_limits<long long>::max() / (4 * kWholePercent);

std::optional<long long> wholeNumber(std::string_view text) {
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// "2915M" as 2915; nothing for a field that holds no figure yet.
std::optional<long long> megabytes(std::string_view text) {
    if (!text.ends_with(kMegabyteSuffix)) return std::nullopt;
    const auto value = wholeNumber(text.substr(0, text.size() - kMegabyteSuffix.size()));
    return value && *value >= 0 && *value <= kLargestMegabytes ? value : std::nullopt;
}

std::string megabytesPhrase(long long value) {
    return std::to_string(value) + " MB";
}

// "7〜23" over numbered captions, or nothing when none is a number.
std::optional<std::string> range(const std::vector<std::string>& captions) {
    std::optional<long long> low;
    std::optional<long long> high;
    for (const std::string& caption : captions) {
        const auto value = wholeNumber(caption);
        if (!value) continue;
        low = std::min(low.value_or(*value), *value);
        high = std::max(high.value_or(*value), *value);
    }
    if (!low) return std::nullopt;
    return std::to_string(*low) + "〜" + std::to_string(*high);
}

}  // namespace

std::string pieSummary(std::string_view usedText, std::string_view freeText) {
    const auto used = megabytes(usedText);
    const auto free = megabytes(freeText);
    if (!used || !free || *used + *free == 0)
        return "使用中 " + std::string(usedText) + "、空き " + std::string(freeText);
    const long long total = *used + *free;
    // Nearest whole per cent, halves up; the two shares always add up to 100.
    const long long usedPercent = (*used * kWholePercent * 2 + total) / (total * 2);
    return "使用中 " + megabytesPhrase(*used) + " (" + std::to_string(usedPercent) + "%)、空き " +
           megabytesPhrase(*free) + " (" + std::to_string(kWholePercent - usedPercent) + "%)";
}

std::string lineGraphSummary(std::string_view lastSampleText,
                             const std::vector<std::string>& timeCaptions) {
    const auto sample = megabytes(lastSampleText);
    std::string text =
        "使用メモリ " + (sample ? megabytesPhrase(*sample) : std::string(lastSampleText));
    if (const auto span = range(timeCaptions)) text += "、時間 " + *span;
    return text;
}

std::string axisSummary(std::string_view axisName, const std::vector<std::string>& captions) {
    const auto span = range(captions);
    return span ? std::string(axisName) + " " + *span : std::string(axisName);
}

std::vector<std::string> shownCaptions(const Controls& controls, Ctl array) {
    std::vector<std::string> texts;
    for (const int index : controls.indices(array))
        if (controls.visible(array, index)) texts.push_back(controls.text(array, index));
    return texts;
}

std::string pieSummary(const Controls& controls) {
    return pieSummary(controls.text(Ctl::Text27), controls.text(Ctl::Text28));
}

std::string lineGraphSummary(const Controls& controls) {
    return lineGraphSummary(controls.text(Ctl::Text24), shownCaptions(controls, Ctl::lblX));
}

std::string timeAxisSummary(const Controls& controls) {
    return axisSummary(kTimeAxisName, shownCaptions(controls, Ctl::lblX));
}

std::string memoryAxisSummary(const Controls& controls) {
    return axisSummary(kMemoryAxisName, shownCaptions(controls, Ctl::lblY));
}

}  // namespace zarnel
