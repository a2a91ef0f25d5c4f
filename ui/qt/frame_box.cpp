#include "ui/qt/frame_box.h"

#include <QPaintEvent>
#include <QPainter>

namespace zarnel::qt {
namespace {

constexpr int kCaptionIndent = 6;  // pixels from the left edge to the caption
constexpr int kCaptionPadding = 2;
constexpr int kEdgeWidth = 2;  // the etched edge: a dark line and a light one inside it

}  // namespace

void FrameBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const QRect edge = rect().adjusted(0, metrics.height() / 2, -1, -1);
    const QRect repainted = event->region().boundingRect();
    // Most repaints are for a control inside (the graph's time labels, renumbered as it
    // scrolls): the edge and the caption are drawn only when part of them is uncovered.
    const QRect inside = edge.adjusted(kEdgeWidth, kEdgeWidth, -kEdgeWidth, -kEdgeWidth);
    if (!inside.contains(repainted)) {
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(edge.adjusted(0, 0, -1, -1));
        painter.setPen(palette().color(QPalette::Light));
        painter.drawRect(edge.adjusted(1, 1, 0, 0));
    }
    if (title().isEmpty() || repainted.top() >= metrics.height()) return;

    const QRect caption(kCaptionIndent, 0, metrics.horizontalAdvance(title()) + 2 * kCaptionPadding,
                        metrics.height());
    painter.fillRect(caption, palette().window());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(caption, Qt::AlignCenter, title());
}

}  // namespace zarnel::qt
