#include "ui/win32/picture_box.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "ui/win32/colours.h"

namespace zarnel::win32 {
namespace {

constexpr double kFullTurn = 2 * std::numbers::pi;
constexpr WORD kPixelBits = 32;  // the bitmap read as 32-bit pixels

// A GDI object selected into a DC for one drawing call, then put back and deleted.
class Selected {
  public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), object_(object), old_(SelectObject(dc, object)) {}
    ~Selected() {
        SelectObject(dc_, old_);
        DeleteObject(object_);
    }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

  private:
    HDC dc_;
    HGDIOBJ object_;
    HGDIOBJ old_;
};

RECT toRect(const PixelRect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

}  // namespace

PictureBox::PictureBox(HWND box, const Scale& scale, Colour back, Colour fore, Colour fill)
    : box_(box), scale_(scale), back_(back), fore_(fore), fill_(fill) {
    HDC screen = GetDC(box_);
    dc_ = CreateCompatibleDC(screen);
    ReleaseDC(box_, screen);
    resize();
}

PictureBox::~PictureBox() {
    SelectObject(dc_, firstBitmap_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

void PictureBox::resize() {
    RECT client{};
    GetClientRect(box_, &client);
    const SIZE size{client.right > 0 ? client.right : 1, client.bottom > 0 ? client.bottom : 1};
    if (bitmap_ && size.cx == size_.cx && size.cy == size_.cy) return;

    HDC screen = GetDC(box_);
    HBITMAP fresh = CreateCompatibleBitmap(screen, size.cx, size.cy);
    ReleaseDC(box_, screen);
    HDC freshDc = CreateCompatibleDC(dc_);
    HGDIOBJ freshFirst = SelectObject(freshDc, fresh);
    fillFace(freshDc, {0, 0, size.cx, size.cy});
    if (bitmap_ && imageDpi_ != scale_.dpi()) {
        // The window moved to a screen of another density: what is drawn is scaled with the
        // box, so that the chart's old trace and the pie keep the place new drawing gives them.
        // Shrinking drops rows unless their pixels are blended, and the trace is one row thick.
        if (scale_.dpi() < imageDpi_) {
            SetStretchBltMode(freshDc, HALFTONE);
            SetBrushOrgEx(freshDc, 0, 0, nullptr);
        } else {
            SetStretchBltMode(freshDc, COLORONCOLOR);
        }
        StretchBlt(freshDc, 0, 0, MulDiv(size_.cx, scale_.dpi(), imageDpi_),
                   MulDiv(size_.cy, scale_.dpi(), imageDpi_), dc_, 0, 0, size_.cx, size_.cy,
                   SRCCOPY);
    } else if (bitmap_) {
        BitBlt(freshDc, 0, 0, size_.cx, size_.cy, dc_, 0, 0, SRCCOPY);
    }
    imageDpi_ = scale_.dpi();
    SelectObject(freshDc, freshFirst);
    DeleteDC(freshDc);

    HGDIOBJ previous = SelectObject(dc_, fresh);
    if (bitmap_) {
        DeleteObject(previous);
    } else {
        firstBitmap_ = previous;
    }
    bitmap_ = fresh;
    size_ = size;
    changed();
}

void PictureBox::paint(HDC target) const {
    BitBlt(target, 0, 0, size_.cx, size_.cy, dc_, 0, 0, SRCCOPY);
}

void PictureBox::hidden() {
    if (!autoRedraw_) clear();
}

COLORREF PictureBox::pixel(int x, int y) const {
    return GetPixel(dc_, x, y);
}

void PictureBox::fillFace(HDC dc, const RECT& rect) {
    face_ = toColorRef(back_);
    HBRUSH background = CreateSolidBrush(face_);
    FillRect(dc, &rect, background);
    DeleteObject(background);
}

void PictureBox::clear() {
    fillFace(dc_, {0, 0, size_.cx, size_.cy});
    changed();
}

void PictureBox::systemColoursChanged() {
    const COLORREF face = toColorRef(back_);
    if (face == face_) return;
    // The bitmap's pixels as 32-bit BGR, top row first; it may not be selected while read.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = size_.cx;
    info.bmiHeader.biHeight = -size_.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = kPixelBits;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<RGBQUAD> pixels(static_cast<std::size_t>(size_.cx) *
                                static_cast<std::size_t>(size_.cy));
    SelectObject(dc_, firstBitmap_);
    GetDIBits(dc_, bitmap_, 0, static_cast<UINT>(size_.cy), pixels.data(), &info, DIB_RGB_COLORS);
    const auto quad = [](COLORREF colour) {
        return RGBQUAD{GetBValue(colour), GetGValue(colour), GetRValue(colour), 0};
    };
    const RGBQUAD from = quad(face_);
    const RGBQUAD to = quad(face);
    for (RGBQUAD& pixel : pixels) {
        if (pixel.rgbRed == from.rgbRed && pixel.rgbGreen == from.rgbGreen &&
            pixel.rgbBlue == from.rgbBlue) {
            pixel = to;
        }
    }
    SetDIBits(dc_, bitmap_, 0, static_cast<UINT>(size_.cy), pixels.data(), &info, DIB_RGB_COLORS);
    SelectObject(dc_, bitmap_);
    face_ = face;
    changed();
}

void PictureBox::changed() {
    // Each invalidation is a round trip to the window system; a tick draws a line and scrolls,
    // and one repaint shows both. A hidden box is repainted whole when it is shown.
    if (repaintDue_ || !IsWindowVisible(box_)) return;
    InvalidateRect(box_, nullptr, FALSE);
    repaintDue_ = true;
}

void PictureBox::setBackColor(Colour colour) {
    back_ = colour;
    clear();
}

POINT PictureBox::onCanvas(float x, float y) const {
    // The chart's scale spans the box's border too, so memory nearly all in use plots below the
    // drawing's last row: drawn on its edge, the line stays in sight.
    return {std::clamp<LONG>(scale_.toPixels(x), 0, std::max<LONG>(size_.cx - 1, 0)),
            std::clamp<LONG>(scale_.toPixels(y), 0, std::max<LONG>(size_.cy - 1, 0))};
}

void PictureBox::lineTo(float x, float y, Colour colour) {
    const COLORREF ink = toColorRef(colour);
    const POINT from = onCanvas(penX_, penY_);
    const POINT to = onCanvas(x, y);
    {
        const Selected pen(dc_, CreatePen(PS_SOLID, 1, ink));
        MoveToEx(dc_, from.x, from.y, nullptr);
        LineTo(dc_, to.x, to.y);
    }
    // LineTo stops one pixel short of its end; the line's end belongs to it.
    SetPixelV(dc_, to.x, to.y, ink);
    penX_ = x;
    penY_ = y;
    changed();
}

void PictureBox::pieWedge(float centreX, float centreY, float radius, float startAngle,
                          float endAngle) {
    // A negative angle means the same angle with its radius drawn; both radii are always drawn.
    const double start = std::fabs(startAngle);
    const double end = std::fabs(endAngle);
    double span = end - start;
    if (span < 0) span += kFullTurn;

    const int cx = scale_.toPixels(centreX);
    const int cy = scale_.toPixels(centreY);
    const int r = scale_.toPixels(radius);
    // Pie() takes the wedge's edges as points on its radii, here where they meet the rim.
    const auto reach = [&](double angle, bool horizontal) {
        const double offset = r * (horizontal ? std::cos(angle) : -std::sin(angle));
        return static_cast<int>(std::lround((horizontal ? cx : cy) + offset));
    };
    const POINT from{reach(start, true), reach(start, false)};
    const POINT to{reach(end, true), reach(end, false)};
    // Pie() draws the whole ellipse when both edges meet: right for a wedge of almost a full
    // turn, wrong for a sliver less than a pixel wide at the rim, which is left out.
    const bool meet = from.x == to.x && from.y == to.y;
    if (meet && span < std::numbers::pi) return;

    const Selected pen(dc_, CreatePen(PS_SOLID, 1, toColorRef(fore_)));
    const Selected brush(dc_, CreateSolidBrush(toColorRef(fill_)));
    SetArcDirection(dc_, AD_COUNTERCLOCKWISE);
    Pie(dc_, cx - r, cy - r, cx + r + 1, cy + r + 1, from.x, from.y, to.x, to.y);
    changed();
}

void PictureBox::scroll(int dx, int dy, const PixelRect& scrollRect, const PixelRect& clipRect) {
    // ScrollDC leaves the uncovered strip as it was, which is what the chart wants.
    const RECT source = toRect(scrollRect);
    const RECT clip = toRect(clipRect);
    ScrollDC(dc_, dx, dy, &source, &clip, nullptr, nullptr);
    changed();
}

}  // namespace zarnel::win32
