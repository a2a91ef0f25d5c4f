// GraphX and GraphY: graph time and a byte count to twips on Picture1.
#include "memory/graph_scale.h"

#include "memory/megabytes.h"
#include "memory/memory_tab.h"

namespace zarnel {

float MemoryTab::GraphX(float t) const {
    return controls_.geometry(Ctl::Picture1).width * t / graph::kTimeUnits;
}

float MemoryTab::GraphY(std::int64_t bytes) const {
    const std::int64_t totalMB = wholeMB(TotalBytes);
    // No total (an unreadable status) plots as nothing used rather than dividing by zero.
    if (totalMB <= 0) return 0;
    const double share = static_cast<double>(wholeMB(bytes)) / static_cast<double>(totalMB);
    return static_cast<float>(share * controls_.geometry(Ctl::Picture1).height);
}

}  // namespace zarnel
