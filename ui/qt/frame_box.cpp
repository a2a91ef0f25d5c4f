#include "ui/qt/frame_box.h"

#include <QPaintEvent>
#include <QPainter>

namespace zarnel::qt {
namespace {

constexpr int kCaptionIndent = 6;  // pixels from the left edge to the caption
constexpr int kCaptionPadding = 2;
constexpr int kEdgeWidth = 2;  // the etched edge: a dark line and a light one inside it

}  // namespace

QRect FrameBox::captionInk() {
    if (title() != inkTitle_ || font() != inkFont_) {
        inkTitle_ = title();
        inkFont_ = font();
        ink_ = QFontMetrics(font()).tightBoundingRect(title());
    }
    return ink_;
}

void FrameBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect ink = captionInk();
    // Without a caption the edge lies where a caption's middle would.
    const int captionHeight = title().isEmpty() ? QFontMetrics(font()).height() : ink.height();
    const QRect edge = rect().adjusted(0, captionHeight / 2, -1, -1);
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
    if (title().isEmpty() || repainted.top() >= captionHeight) return;

    const QRect caption(kCaptionIndent, 0,
                        QFontMetrics(font()).horizontalAdvance(title()) + 2 * kCaptionPadding,
                        captionHeight);
    painter.fillRect(caption, palette().window());
    painter.setPen(palette().color(QPalette::WindowText));
    // The ink's top on the frame's top edge.
    painter.drawText(QPoint(caption.left() + kCaptionPadding, -ink.top()), title());
}

}  // namespace zarnel::qt
