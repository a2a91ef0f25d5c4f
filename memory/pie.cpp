#include "memory/pie.h"

#include <cmath>
#include <numbers>

namespace zarnel {
namespace {

// The window's own constants: its half turn and where the free wedge starts.
constexpr double kHalfTurn = 3.14159;
constexpr double kFreeStart = 1.53;
constexpr double kFullTurn = 2 * std::numbers::pi;

}  // namespace

std::array<PieWedge, 2> pieWedges(std::int64_t freeMB, std::int64_t totalMB) {
    const auto freeStart = static_cast<float>(kFreeStart);
    if (freeMB <= 0 || totalMB <= 0) {
        // The used wedge runs all the way round to just short of where it started; the second
        // wedge is the remaining sliver, red as well, so the only radius drawn is the usual one.
        const float justShort = std::nextafter(freeStart, 0.0F);
        return {{{kPieUsed, freeStart, justShort}, {kPieUsed, justShort, freeStart}}};
    }
    const std::int64_t shown = freeMB < totalMB ? freeMB : totalMB;
    double boundary =
        (2.0 * static_cast<double>(shown)) / static_cast<double>(totalMB) * kHalfTurn + kFreeStart;
    // More than about 75.65 % free carries the boundary past a full turn.
    if (boundary >= kFullTurn) boundary -= kFullTurn;
    const auto end = static_cast<float>(boundary);
    return {{{kPieUsed, end, freeStart}, {kPieFree, freeStart, end}}};
}

}  // namespace zarnel
