// The line graph's scale on Picture1 and its fixed figures.
#pragma once

#include <cmath>
#include <cstdint>

#include "window/colours.h"
#include "window/controls.h"

namespace zarnel::graph {

inline constexpr float kTimeUnits = 16;  // across the whole width of Picture1
inline constexpr float kFixedEdge = 15;  // the line stops growing at 15/16 of the width
inline constexpr float kLastStepStart = 14.8F;
inline constexpr double kStep = 0.2;        // graph time per tick
inline constexpr float kStepF = 0.2F;       // the same step as the scroll rule takes it
inline constexpr float kStopAfter = 10000;  // graph time past which the graph stands still
inline constexpr std::uint32_t kScrollPauseMs = 10;
inline constexpr Colour kLineColour = colour::kRed;
inline constexpr Colour kBackground = colour::kBlack;

// Nearest whole number, ties to even, as the window's integer conversions round.
inline std::int32_t roundEven(double value) {
    return static_cast<std::int32_t>(std::nearbyint(value));
}

}  // namespace zarnel::graph
