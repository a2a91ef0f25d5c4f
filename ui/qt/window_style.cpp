#include "ui/qt/window_style.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QStyleOption>
#include <utility>

namespace zarnel::qt {
namespace {

// Draws and measures the icon `load` makes, made at the first need.
class DeferredIconEngine : public QIconEngine {
  public:
    explicit DeferredIconEngine(std::function<QIcon()> load) : load_(std::move(load)) {}

    // As Qt's own engines paint: the image for the rectangle at the device's density,
    // stretched over it.
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const QPaintDevice* device = painter->device();
        const qreal ratio = device ? device->devicePixelRatioF() : qApp->devicePixelRatio();
        painter->drawPixmap(rect, pixmap(rect.size() * ratio, mode, state));
    }

    // Sizes reach an engine in device pixels: the outer icon has applied the screen's ratio,
    // so the loaded icon must not apply it again.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, 1.0, mode, state);
    }

    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return pixmap(size, mode, state).size();
    }

    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }

    // A style's standard icon always has images; asking must not load them.
    bool isNull() override { return false; }

    QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

  private:
    const QIcon& icon() {
        if (load_) icon_ = std::exchange(load_, nullptr)();
        return icon_;
    }

    std::function<QIcon()> load_;
    QIcon icon_;
};

}  // namespace

QIcon deferredIcon(std::function<QIcon()> load) {
    return QIcon(new DeferredIconEngine(std::move(load)));
}

QIcon WindowStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                const QWidget* widget) const {
    if (icon != SP_ToolBarHorizontalExtensionButton)
        return QProxyStyle::standardIcon(icon, option, widget);
    // The button may be gone by the time it is drawn: keep only the direction it points in.
    QStyleOption facing;
    facing.direction = option
                           ? option->direction
                           : (widget ? widget->layoutDirection() : QApplication::layoutDirection());
    // The style may be replaced before then too; the application's style then draws it.
    return deferredIcon([style = QPointer<QStyle>(baseStyle()), icon, facing] {
        return (style ? style.data() : QApplication::style())->standardIcon(icon, &facing, nullptr);
    });
}

void WindowStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                              const QWidget* widget) const {
    if (element == CE_MenuBarItem && (option->state & State_Selected)) {
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
            QStyleOptionMenuItem current = *item;
            current.state |= State_Sunken;  // drawn as an item whose menu is open
            QProxyStyle::drawControl(element, &current, painter, widget);
            return;
        }
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void installWindowStyle() {
    QStyle* current = QApplication::style();
    if (qobject_cast<WindowStyle*>(current)) return;
    // The proxy takes the style the application made as its own (it becomes the style's parent),
    // so the application does not delete it on changing over, and no second one is made.
    QApplication::setStyle(new WindowStyle(current));
}

}  // namespace zarnel::qt
