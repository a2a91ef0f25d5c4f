// The grid and the two axes of the line graph, all made of controls above Picture1's image.
#include <cstdint>
#include <limits>
#include <string>

#include "memory/graph_scale.h"
#include "memory/megabytes.h"
#include "memory/memory_tab.h"

namespace zarnel {
namespace {

constexpr int kHorizontalLines = 10;
constexpr int kMiddleLine = 4;
constexpr float kVerticalDivisions = 19;
constexpr float kLineThickness = 10;  // twips
constexpr Colour kGridColour = 0x005000;
constexpr Colour kMiddleColour = 0x008000;
// The loop counter of the vertical lines is 16-bit: a layout that never ends the row stops
// there instead of creating controls forever.
constexpr int kMaxVerticalLines = std::numeric_limits<std::int16_t>::max();

constexpr int kTimeLabels = 17;  // 0 to 16
constexpr int kMemoryLabels = 11;
constexpr std::int64_t kTenMegabytes = 10 * kBytesPerMB;
constexpr float kLabelHeight = 200;
constexpr float kTimeLabelGap = 30;  // twips (two pixels) kept clear between two numbers
constexpr float kMemoryLabelWidth = 375;
constexpr float kMemoryLabelGap = 500;  // from Picture1's left edge to the label's left

// Loads element `index` of a control array unless it is the design-time element 0.
void loadElement(Controls& controls, Ctl array, int index) {
    if (index > 0) controls.load(array, index);
}

void placeLine(Controls& controls, Ctl array, int index, const Geometry& where, Colour colour) {
    loadElement(controls, array, index);
    controls.setVisible(array, true, index);
    controls.setGeometry(array, where, index);
    controls.setBackColor(array, colour, index);
    controls.bringToFront(array, index);
}

}  // namespace

void MemoryTab::GraphGrid() {
    const Geometry chart = controls_.geometry(Ctl::Picture1);

    for (int i = 0; i < kHorizontalLines; ++i) {
        placeLine(controls_, Ctl::Picture2, i,
                  {.left = 0,
                   .top = chart.height / kHorizontalLines * static_cast<float>(i + 1),
                   .width = chart.width,
                   .height = kLineThickness},
                  i == kMiddleLine ? kMiddleColour : kGridColour);
    }

    const float rightEdge = chart.left + chart.width;
    float left = 0;
    int i = 0;
    do {
        left = chart.width / kVerticalDivisions * static_cast<float>(i + 1);
        placeLine(controls_, Ctl::Picture3, i,
                  {.left = left, .top = 0, .width = kLineThickness, .height = chart.height},
                  kGridColour);
        ++i;
    } while (left <= rightEdge && i < kMaxVerticalLines);

    for (int label = 1; label < kTimeLabels; ++label) controls_.load(Ctl::lblX, label);
    TimeLabels(0);

    for (int label = 0; label < kMemoryLabels; ++label) {
        loadElement(controls_, Ctl::lblY, label);
        controls_.setAlignment(Ctl::lblY, Align::Right, label);
        controls_.setGeometry(Ctl::lblY,
                              {.left = chart.left - kMemoryLabelGap,
                               .top = chart.height / kHorizontalLines * static_cast<float>(label) +
                                      chart.top - kLabelHeight / 2,
                               .width = kMemoryLabelWidth,
                               .height = kLabelHeight},
                              label);
        controls_.setVisible(Ctl::lblY, true, label);
    }
    MemoryLabels();
}

// Written at start-up and again whenever the total moves (memory added to a virtual machine, a
// container's limit changed, a first reading that failed): the line is scaled to the total of
// the moment, and an axis left at the old one would misstate every point of it.
void MemoryTab::MemoryLabels() {
    // A reading that failed keeps the axis of the last one; with none yet, the axis shows the
    // zeros of the failure.
    if (TotalBytes <= 0 && AxisTenthMB > 0) return;
    // A tenth of the total in MB, rounded up: the top label is the total rounded up to the
    // next 10 MB (an exact multiple stays), each label below one tenth less.
    const std::int64_t tenthMB =
        TotalBytes / kTenMegabytes + (TotalBytes % kTenMegabytes != 0 ? 1 : 0);
    if (tenthMB == AxisTenthMB) return;
    for (int label = 0; label < kMemoryLabels; ++label)
        controls_.setText(Ctl::lblY, std::to_string(tenthMB * (kMemoryLabels - 1 - label)), label);
    AxisTenthMB = tenthMB;
}

void MemoryTab::TimeLabels(std::int32_t start) {
    const Geometry chart = controls_.geometry(Ctl::Picture1);
    const float unit = chart.width / graph::kTimeUnits;
    const float room = unit - kTimeLabelGap;
    for (int i = 0; i < kTimeLabels; ++i) {
        const std::string number = std::to_string(i + start);
        controls_.setAlignment(Ctl::lblX, Align::Center, i);
        // Fitted to its caption, a number wider than a unit of the scale (three digits, after
        // two minutes of graph) would hide its neighbour's first digit, or run into it. Once one
        // was, every number as long keeps to its unit less a gap, in type the window shrinks
        // to fit, unmeasured.
        const bool measured = number.size() < UnitWideDigits;
        controls_.setAutoSize(Ctl::lblX, measured, i);
        controls_.setText(Ctl::lblX, number, i);
        Geometry label = controls_.geometry(Ctl::lblX, i);
        if (measured && label.width > room) {
            UnitWideDigits = number.size();
            controls_.setAutoSize(Ctl::lblX, false, i);
        }
        if (number.size() >= UnitWideDigits) label.width = room;
        label.height = kLabelHeight;
        label.top = chart.height + chart.top;
        label.left = unit * static_cast<float>(i) + chart.left - label.width / 2;
        controls_.setGeometry(Ctl::lblX, label, i);
        controls_.setVisible(Ctl::lblX, true, i);
    }
}

}  // namespace zarnel
