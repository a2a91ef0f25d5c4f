// The line graph's heartbeat: one tick of Timer1, the speed slider and the stop button.
#include <cmath>

#include "memory/graph_scale.h"
#include "memory/memory_tab.h"

namespace zarnel {

void MemoryTab::Timer1_Timer() {
    if (PendingInterval) {
        controls_.setTimerInterval(*PendingInterval);
        PendingInterval.reset();
    }
    Memorii();
    // Past graph time 10000, its last, the graph stands still. The figures and the pie go on,
    // so that they never show an old reading as the machine's memory now.
    if (GraphTime > graph::kStopAfter) return;
    MemoryLabels();

    Picture& chart = controls_.picture(Ctl::Picture1);
    // A reading that failed has no point: the line would plot it as all memory free. The
    // graph's time goes on, leaving a gap, and the next reading starts the line afresh.
    if (TotalBytes <= 0) {
        LineAtLastReading = false;
    } else {
        const float x = GraphX(GraphTime < graph::kFixedEdge ? GraphTime : graph::kFixedEdge);
        const float y = GraphY(UsedBytes);
        if (!LineAtLastReading) {
            chart.setCurrentX(x);
            chart.setCurrentY(y);
        } else if (GraphTime >= graph::kFixedEdge) {
            chart.setCurrentX(GraphX(graph::kLastStepStart));
        }
        chart.lineTo(x, y, graph::kLineColour);
        LineAtLastReading = true;
    }

    // Single precision on purpose: the sum drifts (75 ticks make 14.99999), and the phases
    // and the graph's end follow that drift.
    GraphTime = static_cast<float>(static_cast<double>(GraphTime) + graph::kStep);

    if (GraphTime > graph::kStopAfter) return;
    if (GraphTime > graph::kFixedEdge) {
        ScrollDX = graph::roundEven(-GraphX(graph::kStepF) / controls_.twipsPerPixelX());
        ScrollDY = 0;
        chart.scroll(ScrollDX, ScrollDY, ScrollRect, ClipRect);
        platform_.sleep(graph::kScrollPauseMs);
        const auto second = static_cast<std::int32_t>(std::floor(GraphTime));
        if (second != LastSecond) {
            TimeLabels(graph::roundEven(GraphTime - graph::kFixedEdge));
            LastSecond = second;
        }
    }
}

void MemoryTab::Slider1_Change() {
    // A new interval restarts the timer's count. A held arrow key or a held press in the
    // slider's groove changes the value faster than a tick: set at each change, the graph and
    // the figures would stand still until it is let go. A running timer takes it at its tick.
    if (controls_.timerEnabled()) {
        PendingInterval = controls_.sliderValue();
    } else {
        controls_.setTimerInterval(controls_.sliderValue());
    }
}

void MemoryTab::Command2_Click() {
    controls_.setTimerEnabled(false);
    controls_.endProgram();
}

}  // namespace zarnel
