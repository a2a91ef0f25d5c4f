// The words a screen reader says for the memory figures that are drawn, not written: the pie,
// the line graph and its two axes. Built from the texts the window shows beside them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "window/controls.h"

namespace zarnel {

// A figure's summary is told to a screen reader at most once a second: the graph changes at
// every tick, and a reader told of each change would never finish a sentence.
inline constexpr int kSummaryPeriodMs = 1000;
// How much sooner than that a look may come and still count as a second on: a coarse timer
// fires up to 5 % early, and one ticking once a second would otherwise be heard every other.
inline constexpr int kSummarySlackMs = kSummaryPeriodMs / 20;

// What each axis is called in its summary.
inline constexpr std::string_view kTimeAxisName = "時間軸";
inline constexpr std::string_view kMemoryAxisName = "メモリ軸 (MB)";

// From the legend's "2915M" and "1180M": used and free in MB and per cent.
std::string pieSummary(std::string_view usedText, std::string_view freeText);
// From the used-memory field and the time labels: the last sample and the time span shown.
std::string lineGraphSummary(std::string_view lastSampleText,
                             const std::vector<std::string>& timeCaptions);
// One axis as one phrase: its name and the range its numbered captions cover.
std::string axisSummary(std::string_view axisName, const std::vector<std::string>& captions);

// The captions of a label array's shown elements, lowest index first.
std::vector<std::string> shownCaptions(const Controls& controls, Ctl array);

// Each figure as the window shows it now.
std::string pieSummary(const Controls& controls);
std::string lineGraphSummary(const Controls& controls);
std::string timeAxisSummary(const Controls& controls);
std::string memoryAxisSummary(const Controls& controls);

}  // namespace zarnel
