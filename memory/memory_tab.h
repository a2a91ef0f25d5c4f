// The memory tab: its window-level variables and the procedures of the figures, the pie and the
// line graph. Form1 owns one; the window's timer, slider and stop button reach it directly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>

#include "platform/platform.h"
#include "window/controls.h"

namespace zarnel {

class MemoryTab {
  public:
    MemoryTab(Controls& controls, Platform& platform) : controls_(controls), platform_(platform) {}

    // Memory figures and the pie.
    void Memorii();
    // A tab was selected or the pie clicked: the pie is drawn again at the next tick, or at
    // once when no tick will come.
    void PieRedrawRequest();
    // Graph start-up: prepares Picture1, builds the grid and labels and starts the timer.
    void GraphStartUp();

    void Timer1_Timer();
    void Slider1_Change();
    void Command2_Click();

    // 64-bit so that every machine's memory reads right.
    std::int64_t TotalBytes = 0;
    std::int64_t UsedBytes = 0;
    std::int32_t PieFreeMB = 0;   // the free figure, in whole MB, that the pie shows
    std::int32_t PieTotalMB = 0;  // and the total it was a share of (-1: draw it again)
    float GraphTime = 0;          // ticks x 0.2, accumulated in single precision
    std::int32_t LastSecond = 0;
    PixelRect ScrollRect;
    PixelRect ClipRect;
    std::int32_t ScrollDX = 0;
    std::int32_t ScrollDY = 0;

  private:
    void DrawPie(std::int64_t freeMB, std::int64_t totalMB);
    // The next reading draws the pie whatever its figures.
    void MarkPieForRedraw();

    float GraphX(float t) const;
    float GraphY(std::int64_t bytes) const;
    void GraphGrid();
    void TimeLabels(std::int32_t start);
    void MemoryLabels();

    // A tenth of the total, in MB, that the memory axis counts in; none yet.
    std::int64_t AxisTenthMB = -1;
    // The fewest digits of a time-axis number found wider than a unit of the scale; none yet.
    std::size_t UnitWideDigits = std::numeric_limits<std::size_t>::max();

    // The interval the slider chose while the timer ran, taken up at the next tick; none.
    std::optional<std::int32_t> PendingInterval;

    // Whether the line ends at the last reading: after one that failed it starts afresh, never
    // drawn through a reading that was not there.
    bool LineAtLastReading = true;

    // The figures the pie was last drawn for; none yet.
    std::int64_t DrawnFreeMB = -1;
    std::int64_t DrawnTotalMB = -1;

    Controls& controls_;
    Platform& platform_;
};

}  // namespace zarnel
