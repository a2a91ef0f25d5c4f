#include "ui/qt/surface_marks.h"

#include <algorithm>
#include <cstring>

namespace zarnel::qt {

QRectF scaled(const QRect& rect, qreal factor) {
    return {QPointF(rect.topLeft()) * factor, QSizeF(rect.size()) * factor};
}

QRect imagePixels(const QRect& logical, qreal ratio) {
    const QRectF exact = scaled(logical, ratio);
    const int left = qRound(exact.left());
    const int top = qRound(exact.top());
    return {left, top, qRound(exact.right()) - left, qRound(exact.bottom()) - top};
}

QImage composeMarked(const QImage& image, const QRect& area, std::span<const SurfaceMark> marks,
                     QImage& buffer) {
    if (buffer.width() < area.width() || buffer.height() < area.height() ||
        buffer.format() != image.format()) {
        buffer = QImage(area.size().expandedTo(buffer.size()), image.format());
    }
    // Rows by address, not through QImage's per-row calls: a grid line costs one store per row.
    const qsizetype fromStride = image.bytesPerLine();
    const qsizetype intoStride = buffer.bytesPerLine();
    const uchar* const from = image.constBits() + area.top() * fromStride;
    uchar* const into = buffer.bits();
    const auto row = [into, intoStride](int y) {
        return reinterpret_cast<QRgb*>(into + y * intoStride);
    };
    const auto rowBytes = static_cast<std::size_t>(area.width()) * sizeof(QRgb);
    for (int y = 0; y < area.height(); ++y) {
        const auto* source = reinterpret_cast<const QRgb*>(from + y * fromStride);
        std::memcpy(row(y), source + area.left(), rowBytes);
    }
    const qsizetype rowPixels = intoStride / static_cast<qsizetype>(sizeof(QRgb));
    for (const SurfaceMark& mark : marks) {
        const QRect cover = mark.pixels & area;
        if (cover.isEmpty()) continue;
        QRgb* at = row(cover.top() - area.top()) + (cover.left() - area.left());
        const QRgb colour = mark.colour;  // a local: no reload after every store
        const int width = cover.width();
        if (width == 1) {
            // A grid line one pixel wide: one store a row.
            for (int rows = cover.height(); rows > 0; --rows, at += rowPixels) *at = colour;
        } else {
            for (int rows = cover.height(); rows > 0; --rows, at += rowPixels)
                std::fill_n(at, width, colour);
        }
    }
    return {into, area.width(), area.height(), intoStride, buffer.format()};
}

}  // namespace zarnel::qt
