#include "ui/qt/frame_box.h"

#include <QPainter>

namespace zarnel::qt {
namespace {

constexpr int kCaptionIndent = 6;  // pixels from the left edge to the caption
constexpr int kCaptionPadding = 2;

}  // namespace

void FrameBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const QRect edge = rect().adjusted(0, metrics.height() / 2, -1, -1);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(edge.adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(edge.adjusted(1, 1, 0, 0));
    if (title().isEmpty()) return;

    const QRect caption(kCaptionIndent, 0, metrics.horizontalAdvance(title()) + 2 * kCaptionPadding,
                        metrics.height());
    painter.fillRect(caption, palette().window());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(caption, Qt::AlignCenter, title());
}

}  // namespace zarnel::qt
