// The surface's grid lines laid over the image's rows: the same pixels the painter would fill.
#include "ui/qt/surface_marks.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <vector>

namespace zarnel {
namespace {

using qt::composeMarked;
using qt::imagePixels;
using qt::SurfaceMark;

constexpr int kSide = 60;  // pixels of the test image
const QRgb kGreen = qRgb(0, 80, 0);
const QRgb kBright = qRgb(0, 128, 0);

// What the painter makes of `marks` filled over `image` at `ratio`.
QImage paintedMarks(QImage image, const std::vector<std::pair<QRect, QRgb>>& marks, qreal ratio) {
    QPainter painter(&image);
    painter.scale(ratio, ratio);
    for (const auto& [rect, colour] : marks) painter.fillRect(rect, QColor(colour));
    return image;
}

// An image whose every pixel differs, so a row or column copied from the wrong place shows.
QImage patterned() {
    QImage image(kSide, kSide, QImage::Format_RGB32);
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) image.setPixel(x, y, qRgb(x * 4, y * 4, (x + y) % 256));
    return image;
}

// Grid lines one logical pixel thick, crossing, touching the edge, one past it and one empty,
// at the scales a screen may have.
TEST(SurfaceMarks, FillWhatThePainterFillsOverTheImageRows) {
    const std::vector<std::pair<QRect, QRgb>> logical = {
        {QRect(0, 7, 40, 1), kGreen},   {QRect(5, 0, 1, 40), kGreen},
        {QRect(3, 19, 40, 1), kBright}, {QRect(17, 2, 1, 35), kGreen},
        {QRect(39, 0, 5, 40), kGreen},  {QRect(12, 12, 0, 9), kBright}};
    for (const qreal ratio : {1.0, 1.25, 1.5, 2.0}) {
        SCOPED_TRACE(ratio);
        std::vector<SurfaceMark> marks;
        for (const auto& [rect, colour] : logical)
            marks.push_back({imagePixels(rect, ratio), colour});
        const QImage image = patterned();
        const QImage expected = paintedMarks(image, logical, ratio);

        QImage buffer;
        for (const QRect area :
             {QRect(0, 0, kSide, kSide), QRect(4, 6, 31, 9), QRect(20, 30, 40, 30)}) {
            SCOPED_TRACE(testing::Message() << area.x() << "," << area.y());
            const QImage marked = composeMarked(image, area, marks, buffer);
            ASSERT_EQ(marked.size(), area.size());
            for (int y = 0; y < area.height(); ++y) {
                for (int x = 0; x < area.width(); ++x) {
                    ASSERT_EQ(marked.pixel(x, y), expected.pixel(area.x() + x, area.y() + y))
                        << "at " << area.x() + x << "," << area.y() + y;
                }
            }
        }
    }
}

}  // namespace
}  // namespace zarnel
