// The pie of Picture4: free memory in cyan, used memory in red.
#pragma once

#include <array>
#include <cstdint>

#include "window/colours.h"

namespace zarnel {

inline constexpr float kPieCentre = 680;  // twips, both axes
inline constexpr float kPieRadius = 670;
inline constexpr Colour kPieUsed = colour::kRed;
inline constexpr Colour kPieFree = colour::kCyan;

// One wedge: radians, 0 at 3 o'clock, counterclockwise from start to end, both in [0, 2 pi).
struct PieWedge {
    Colour fill = 0;
    float start = 0;
    float end = 0;
};

// The two wedges to draw, in order. The free wedge opens counterclockwise from just right of
// 12 o'clock by the free share of a turn. With nothing free (or nothing known: a total of 0)
// both wedges are red, so the disc is all red.
std::array<PieWedge, 2> pieWedges(std::int64_t freeMB, std::int64_t totalMB);

}  // namespace zarnel
