// A picture box's own image pixels against logical ones, and the plain boxes its surface fills
// as it paints (the chart's grid lines), laid over the rows of its image in one pass instead of
// one fill per box through the painter: a one-pixel column costs the painter a call per row,
// and the chart has a score of them.
#pragma once

#include <QImage>
#include <QRect>
#include <QRgb>
#include <span>

namespace zarnel::qt {

// One box, in the image's own pixels, and its colour.
struct SurfaceMark {
    QRect pixels;
    QRgb colour;
};

// A rectangle scaled by `factor`: from logical pixels to the image's own (the image's pixel
// ratio), or back (its inverse).
QRectF scaled(const QRect& rect, qreal factor);

// A logical rectangle in the image's own pixels, `ratio` of them to a logical pixel, its edges
// rounded as Qt rounds those of a filled rectangle.
QRect imagePixels(const QRect& logical, qreal ratio);

// `area` of `image` (32-bit pixels) with `marks` filled on top in order, the later over the
// earlier: an image of the area's size over the rows of `buffer`, which grows when needed and is
// kept by the caller from paint to paint.
QImage composeMarked(const QImage& image, const QRect& area, std::span<const SurfaceMark> marks,
                     QImage& buffer);

}  // namespace zarnel::qt
