#include "ui/qt/picture_box.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

#include "ui/qt/colours.h"
#include "ui/qt/surface_marks.h"
#include "ui/qt/tab_control.h"
#include "ui/qt/units.h"
#include "window/colours.h"

namespace zarnel::qt {

namespace {

// Rows of one blit in a paint: few enough that Qt keeps the copy on this thread.
constexpr int kRowsPerBlit = 64;

// Whether `image`'s pixels in `area` are those of `copy`, a copy of that area taken before.
bool sameRows(const QImage& image, const QRect& area, const QImage& copy) {
    const int pixelBytes = image.depth() / CHAR_BIT;
    const auto rowBytes = static_cast<std::size_t>(area.width() * pixelBytes);
    for (int y = 0; y < area.height(); ++y) {
        const uchar* now = image.constScanLine(area.top() + y) + area.left() * pixelBytes;
        if (std::memcmp(now, copy.constScanLine(y), rowBytes) != 0) return false;
    }
    return true;
}

}  // namespace

// The drawing area inside the border: shows the image and hosts the child controls.
class PictureSurface : public QWidget {
  public:
    explicit PictureSurface(PictureBox* box) : QWidget(box), box_(box) {
        // Every exposed pixel comes from the image, so Qt may move what is on screen when the
        // chart scrolls instead of repainting all of it.
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

  protected:
    void paintEvent(QPaintEvent* event) override {
        const QImage& image = box_->image();
        const qreal ratio = image.devicePixelRatio();
        collectMarks(ratio);
        QPainter painter(this);
        // In bands of rows: Qt hands a tall or wide blit to its thread pool, and waking the pool
        // at every tick costs more than the copy itself.
        for (const QRect& area : event->region()) {
            for (int top = area.top(); top <= area.bottom(); top += kRowsPerBlit) {
                const QRect band(area.left(), top, area.width(),
                                 std::min(kRowsPerBlit, area.bottom() + 1 - top));
                const QRectF source = scaled(band, ratio);
                const QRect pixels = source.toAlignedRect() & image.rect();
                if (!std::ranges::any_of(marks_, [&](const SurfaceMark& mark) {
                        return mark.pixels.intersects(pixels);
                    })) {
                    painter.drawImage(band, image, source);
                    continue;
                }
                painter.drawImage(band, composeMarked(image, pixels, marks_, marked_),
                                  source.translated(-pixels.topLeft()));
            }
        }
    }

  private:
    // The plain boxes on the surface (the chart's grid lines), in their stacking order.
    void collectMarks(qreal ratio) {
        marks_.clear();
        for (QObject* child : children()) {
            auto* box = qobject_cast<PictureBox*>(child);
            if (box && box->drawnByContainer() && !box->isHidden()) {
                marks_.push_back(
                    {imagePixels(box->geometry(), ratio), box->containerColour().rgb()});
            }
        }
    }

    PictureBox* box_;
    std::vector<SurfaceMark> marks_;
    // Room for the rows of one band with the marks on them, kept from paint to paint.
    QImage marked_;
};

namespace {

// Defaults of a fresh picture box: button face, button text, black fill.
constexpr Colour kDefaultBack = colour::kButtonFace;
constexpr Colour kDefaultFore = colour::kButtonText;
constexpr Colour kDefaultFill = colour::kBlack;
constexpr int kEdgeWidth = 2;  // the sunken 3-D edge
constexpr double kFullTurn = 2 * std::numbers::pi;
constexpr double kDegreesPerRadian = 180 / std::numbers::pi;
constexpr double kQtAngleUnitsPerDegree = 16;

QPointF toPixelPoint(float x, float y) {
    constexpr double kTwips = layout::kTwipsPerPixel;
    return {x / kTwips, y / kTwips};
}

// `point` moved onto the nearest pixel of an area of `size`. The chart's scale spans the box's
// border too, so memory nearly all in use plots below the drawing's last row: drawn on its edge,
// the line stays in sight.
QPoint within(QPoint point, QSize size) {
    return {std::clamp(point.x(), 0, std::max(size.width() - 1, 0)),
            std::clamp(point.y(), 0, std::max(size.height() - 1, 0))};
}

// Whether `box` went because the program put it away: it, or a control between it and its tab
// page, the page included, was hidden. Not when the window moved its whole client (into a
// scroll area, as it shrank), which hides every control for a moment.
bool putAway(const QWidget& box) {
    for (const QWidget* widget = &box; widget; widget = widget->parentWidget()) {
        if (widget->isHidden()) return true;
        if (qobject_cast<const TabControl*>(widget->parentWidget())) return false;
    }
    return false;
}

// The rectangle in the image's own pixels, `ratio` of them to a logical pixel.
QRect toImageRect(const PixelRect& r, qreal ratio) {
    return imagePixels(QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)), ratio);
}

}  // namespace

PictureBox::PictureBox(bool flat, QWidget* parent)
    : QFrame(parent),
      backColour_(kDefaultBack),
      foreColour_(kDefaultFore),
      fillColour_(kDefaultFill) {
    if (!flat) {
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setLineWidth(kEdgeWidth);
    }
    if (flat && dynamic_cast<PictureSurface*>(parent)) {
        // A flat box only ever coloured, on another box's drawing surface (a grid line of the
        // chart): the surface fills it as it paints its image. As a widget painted by itself
        // it would be left out of the surface's region, cutting each repaint of the chart into
        // hundreds of rectangles, or else painted after it one widget at a time.
        drawnByContainer_ = true;
        setUpdatesEnabled(false);
    } else {
        becomeOpaque();
    }
}

void PictureBox::becomeOpaque() {
    // The edge and the drawing area (or the back colour) cover every pixel: nothing under the
    // box needs painting.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QColor PictureBox::containerColour() const {
    return colour(backColour_);
}

void PictureBox::updateOnContainer() {
    if (drawnByContainer_ && parentWidget()) parentWidget()->update(geometry());
}

QWidget* PictureBox::surface() {
    canvas();
    return surface_;
}

QColor PictureBox::colour(Colour value) const {
    return toQColor(value, *this);
}

QImage& PictureBox::canvas() {
    if (!surface_) {
        if (drawnByContainer_) {
            // Drawn on now, or given a control: from here on the box paints itself.
            drawnByContainer_ = false;
            setUpdatesEnabled(true);
            becomeOpaque();
            update();
        }
        surface_ = new PictureSurface(this);
        surface_->show();
    }
    const QRect area = contentsRect();
    if (surface_->geometry() != area) surface_->setGeometry(area);
    // Kept at the screen's pixel density, so a 2x screen gets a drawing as sharp as its text;
    // the painter and the surface still speak logical pixels.
    const qreal ratio = devicePixelRatioF();
    const QSize size = (QSizeF(area.size()) * ratio).toSize().expandedTo(QSize(1, 1));
    if (image_.size() == size && image_.devicePixelRatio() == ratio) return image_;
    QImage fresh(size, QImage::Format_RGB32);
    fresh.setDevicePixelRatio(ratio);
    const QColor face = colour(backColour_);
    fresh.fill(face);
    if (image_.isNull()) {
        face_ = face.rgb();
        ink_.clear();
    } else {
        QPainter painter(&fresh);
        painter.drawImage(0, 0, image_);
        // Drawn again at another pixel ratio, what was on a row may now be on any.
        ink_.add(0, fresh.height() - 1);
    }
    image_ = fresh;
    surface_->update();
    return image_;
}

void PictureBox::clearToBack() {
    const QColor face = colour(backColour_);
    canvas().fill(face);
    face_ = face.rgb();
    ink_.clear();
}

const QImage& PictureBox::image() {
    return canvas();
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!surface_) painter.fillRect(contentsRect(), colour(backColour_));
    drawFrame(&painter);
}

void PictureBox::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    if (surface_) canvas();
}

void PictureBox::showEvent(QShowEvent* event) {
    QFrame::showEvent(event);
    // Qt repaints the container where a child moved or changed size, not where one appeared or
    // went, as this one never paints itself.
    updateOnContainer();
}

void PictureBox::hideEvent(QHideEvent* event) {
    QFrame::hideEvent(event);
    updateOnContainer();
    // Without a persistent image what was drawn is lost once the box leaves with its tab, whose
    // click has it drawn again. Nothing draws it again when a minimised window comes back, or
    // when a shrunk one takes up scroll bars.
    if (surface_ && !autoRedraw_ && !event->spontaneous() && putAway(*this)) clearToBack();
}

void PictureBox::changeEvent(QEvent* event) {
    QFrame::changeEvent(event);
    // The desktop changed its theme while the window is open: a face in a system colour takes
    // the new one, under what is drawn on it, as the controls on it take the new text colour.
    if (event->type() != QEvent::PaletteChange || !surface_ || !colour::isSystem(backColour_)) {
        return;
    }
    const QRgb face = colour(backColour_).rgb();
    if (face == face_) return;
    QImage& image = canvas();
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        std::replace(row, row + image.width(), face_, face);
    }
    face_ = face;
    surface_->update();
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    // The surface and the controls on it pass their clicks up to here.
    if (event->button() == Qt::LeftButton && contentsRect().contains(event->position().toPoint()))
        emit clicked();
    else
        QFrame::mouseReleaseEvent(event);
}

void PictureBox::setForeColor(Colour value) {
    foreColour_ = value;
}

void PictureBox::setAutoRedraw(bool on) {
    autoRedraw_ = on;
}

void PictureBox::setBackColor(Colour value) {
    backColour_ = value;
    if (surface_) {
        clearToBack();
        surface_->update();
    } else if (drawnByContainer_) {
        updateOnContainer();
    } else {
        update();
    }
}

void PictureBox::setFillColor(Colour value) {
    fillColour_ = value;
}

void PictureBox::lineTo(float x, float y, Colour value) {
    QImage& image = canvas();
    QPainter painter(&image);
    painter.setPen(QPen(colour(value), 1, Qt::SolidLine));
    const QSize size = contentsRect().size();
    const QPoint from = within(toPixelPoint(penX_, penY_).toPoint(), size);
    const QPoint to = within(toPixelPoint(x, y).toPoint(), size);
    painter.drawLine(from, to);
    penX_ = x;
    penY_ = y;
    const QRect area = QRect(from, to).normalized().adjusted(-1, -1, 1, 1);
    const QRect pixels = imagePixels(area, image.devicePixelRatio());
    ink_.add(pixels.top(), pixels.bottom());
    surface_->update(area);
}

void PictureBox::pieWedge(float centreX, float centreY, float radius, float startAngle,
                          float endAngle) {
    // A negative angle means the same angle with its radius drawn, as the classic pie
    // primitive writes it; both radii are always drawn here.
    const double start = std::fabs(startAngle);
    double span = std::fabs(endAngle) - start;
    if (span < 0) span += kFullTurn;
    const QPointF centre = toPixelPoint(centreX, centreY);
    const QPointF corner = toPixelPoint(radius, radius);
    const QRectF bounds(centre - corner, centre + corner);

    QImage& image = canvas();
    const QRect area = bounds.toAlignedRect().adjusted(-1, -1, 1, 1);
    const QRect pixels = scaled(area, image.devicePixelRatio()).toAlignedRect() & image.rect();
    // The pie is drawn again whenever a megabyte frees up, which seldom moves a pixel: the box
    // and the controls on it are repainted only when one did move.
    const QImage before = image.copy(pixels);
    {
        QPainter painter(&image);
        painter.setPen(QPen(colour(foreColour_), 1, Qt::SolidLine));
        painter.setBrush(colour(fillColour_));
        painter.drawPie(bounds, qRound(start * kDegreesPerRadian * kQtAngleUnitsPerDegree),
                        qRound(span * kDegreesPerRadian * kQtAngleUnitsPerDegree));
    }
    ink_.add(pixels.top(), pixels.bottom());
    if (!sameRows(image, pixels, before)) surface_->update(area);
}

void PictureBox::scroll(int dx, int dy, const PixelRect& scrollRect, const PixelRect& clipRect) {
    // Moved in place, row by row: the chart scrolls at every tick, and a copy of the whole
    // image each time would cost an allocation and twice the memory traffic.
    QImage& image = canvas();
    const qreal ratio = image.devicePixelRatio();
    dx = qRound(dx * ratio);
    dy = qRound(dy * ratio);
    const QRect source = toImageRect(scrollRect, ratio) & image.rect();
    const QRect target = source.translated(dx, dy) & toImageRect(clipRect, ratio) & source;
    if (target.isEmpty()) return;

    const qsizetype pixelBytes = image.depth() / CHAR_BIT;
    const qsizetype stride = image.bytesPerLine();
    const auto rowBytes = static_cast<std::size_t>(target.width() * pixelBytes);
    uchar* const pixels = image.bits();
    // Only the band of rows whose pixels the move changes is repainted: on a steady chart that
    // is the few rows the line crosses, and the black and the grid around them stay as they are
    // on screen, which spares the display server a copy of the whole chart at every tick. The
    // line is one unbroken curve, so its changed rows form one band.
    int firstChanged = INT_MAX;
    int lastChanged = INT_MIN;
    const auto moveRow = [&](int y) {
        uchar* to = pixels + y * stride + target.left() * pixelBytes;
        const uchar* from = pixels + (y - dy) * stride + (target.left() - dx) * pixelBytes;
        if (std::memcmp(to, from, rowBytes) == 0) return;
        std::memmove(to, from, rowBytes);
        firstChanged = std::min(firstChanged, y);
        lastChanged = std::max(lastChanged, y);
    };
    // Rows moving down are taken bottom first, so none is overwritten before it moves.
    if (dy > 0) {
        for (int y = target.bottom(); y >= target.top(); --y) moveRow(y);
    } else if (dy < 0) {
        for (int y = target.top(); y <= target.bottom(); ++y) moveRow(y);
    } else {
        // A sideways move changes only rows of more than one colour.
        const int last = std::min(target.bottom(), ink_.bottom());
        for (int y = std::max(target.top(), ink_.top()); y <= last; ++y) moveRow(y);
    }
    if (dy != 0) ink_.add(target.top(), target.bottom());
    ink_.trim(image);
    if (firstChanged > lastChanged) return;
    // The changed rows are repainted from the image rather than copied on screen: Qt's copy
    // would carry the grid lines along with the image, and copying and then repainting what the
    // copy displaced measured dearer than repainting (and woke Qt's thread pool).
    const QRect band(target.left(), firstChanged, target.width(), lastChanged - firstChanged + 1);
    surface_->update(scaled(band, 1 / ratio).toAlignedRect());
}

}  // namespace zarnel::qt
