#include "ui/qt/ink_rows.h"

#include <algorithm>

namespace zarnel::qt {

namespace {

// The image is 32-bit, as a picture box makes it.
bool oneColour(const QImage& image, int y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    return std::all_of(row, row + image.width(), [first = row[0]](QRgb p) { return p == first; });
}

}  // namespace

void InkRows::add(int top, int bottom) {
    top_ = std::min(top_, top);
    bottom_ = std::max(bottom_, bottom);
}

void InkRows::trim(const QImage& image) {
    top_ = std::max(top_, 0);
    bottom_ = std::min(bottom_, image.height() - 1);
    while (!empty() && oneColour(image, top_)) ++top_;
    while (!empty() && oneColour(image, bottom_)) --bottom_;
    if (empty()) clear();
}

}  // namespace zarnel::qt
