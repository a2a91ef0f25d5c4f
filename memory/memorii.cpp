// Memorii: one memory reading into the four figures, the legend and the pie.
#include <string>

#include "memory/megabytes.h"
#include "memory/memory_tab.h"
#include "memory/pie.h"
#include "window/colours.h"

namespace zarnel {
namespace {

std::string megabytesText(std::int64_t bytes) {
    return std::to_string(wholeMB(bytes)) + "M";
}

}  // namespace

void MemoryTab::Memorii() {
    MemoryStatus status;
    status.dwLength = sizeof(MemoryStatus);
    platform_.globalMemoryStatus(status);

    const std::int64_t total = toSignedBytes(status.ullTotalPhys);
    const std::int64_t available = toSignedBytes(status.ullAvailPhys);
    // A provider never reports more available than total; a zero keeps it from going negative.
    const std::int64_t used = available < total ? total - available : 0;

    controls_.setText(Ctl::Text23, std::to_string(status.dwMemoryLoad) + "%");
    controls_.setText(Ctl::Text26, megabytesText(total));
    controls_.setText(Ctl::Text24, megabytesText(used));
    controls_.setText(Ctl::Text25, megabytesText(available));
    TotalBytes = total;
    UsedBytes = used;
    controls_.setText(Ctl::Text27, controls_.text(Ctl::Text24));
    controls_.setText(Ctl::Text28, controls_.text(Ctl::Text25));

    const std::int32_t freeMB = wholeMB32(available);
    const std::int32_t totalMB = wholeMB32(total);
    // A total that moved (memory added to a virtual machine, a container's limit raised)
    // changes the share as surely as the free figure does.
    if (freeMB == PieFreeMB && totalMB == PieTotalMB) return;

    // Its shares from the whole figures, which the marker's would cut short past 2 PB.
    DrawPie(wholeMB(available), wholeMB(total));
    PieFreeMB = freeMB;
    PieTotalMB = totalMB;
}

void MemoryTab::DrawPie(std::int64_t freeMB, std::int64_t totalMB) {
    Picture& pie = controls_.picture(Ctl::Picture4);
    if (totalMB <= 0) {
        // A reading that failed has no share to show; a red disc would say all memory is in
        // use. The pie stands blank until a reading comes.
        pie.setBackColor(colour::kButtonFace);
    } else {
        for (const PieWedge& wedge : pieWedges(freeMB, totalMB)) {
            pie.setFillColor(wedge.fill);
            pie.pieWedge(kPieCentre, kPieCentre, kPieRadius, wedge.start, wedge.end);
        }
    }
    DrawnFreeMB = freeMB;
    DrawnTotalMB = totalMB;
}

void MemoryTab::MarkPieForRedraw() {
    PieFreeMB = 1;
    // The marker alone would pass for a machine with 1 MB free, whose pie would then stay
    // blank: no total is ever negative.
    PieTotalMB = -1;
}

void MemoryTab::PieRedrawRequest() {
    MarkPieForRedraw();
    // The pie keeps no image: its tab going away takes it. With no tick to come (the power
    // query failed at start-up) it would stay blank, so it is drawn now, for the figures its
    // legend still shows.
    if (!controls_.timerEnabled() && DrawnTotalMB >= 0) DrawPie(DrawnFreeMB, DrawnTotalMB);
}

}  // namespace zarnel
