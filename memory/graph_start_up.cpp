// Graph start-up: the last steps of Form_Load, which set the graph going.
#include "memory/graph_scale.h"
#include "memory/memory_tab.h"

namespace zarnel {

void MemoryTab::GraphStartUp() {
    GraphTime = 0;
    const Geometry picture = controls_.geometry(Ctl::Picture1);
    // The twips figures serve as pixels, so the rectangle spans more than the whole image.
    ScrollRect = {.left = 0,
                  .top = 0,
                  .right = graph::roundEven(picture.width),
                  .bottom = graph::roundEven(picture.height)};
    ClipRect = ScrollRect;

    Picture& chart = controls_.picture(Ctl::Picture1);
    chart.setAutoRedraw(true);
    chart.setBackColor(graph::kBackground);
    chart.setCurrentX(0);
    chart.setCurrentY(picture.height / 2);

    GraphGrid();
    MarkPieForRedraw();  // the first tick draws the pie again
    controls_.setTimerEnabled(true);
}

}  // namespace zarnel
