// The window style's menu-bar overflow icon: made only when drawn, and then drawn exactly as the
// style's own icon, in both directions and at the screen's density (this file also runs in the
// 2x binary).
#include "ui/qt/window_style.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>
#include <QToolButton>
#include <memory>

namespace zarnel {
namespace {

using qt::WindowStyle;

constexpr QStyle::StandardPixmap kOverflow = QStyle::SP_ToolBarHorizontalExtensionButton;
constexpr int kCanvas = 40;
constexpr int kSizes[] = {8, 13, 16, 32};
constexpr int kMenus = 6;
constexpr int kNarrow = 120;     // pixels: room for about two of the menus
constexpr int kArrowPixels = 8;  // fewer would be a stray edge, not the arrow

// The style the application's window style wraps, made afresh.
QStyle* freshStyle() {
    const QStyle* style = QApplication::style();
    if (const auto* window = qobject_cast<const WindowStyle*>(style)) style = window->baseStyle();
    return QStyleFactory::create(style->name());
}

// What an icon draws into a rectangle of `side` logical pixels on this screen.
QImage painted(const QIcon& icon, int side) {
    const qreal ratio = qApp->devicePixelRatio();
    QImage canvas(QSize(kCanvas, kCanvas) * ratio, QImage::Format_ARGB32_Premultiplied);
    canvas.setDevicePixelRatio(ratio);
    canvas.fill(Qt::transparent);
    {
        QPainter painter(&canvas);
        icon.paint(&painter, QRect(1, 1, side, side));
    }
    return canvas;
}

TEST(WindowStyle, OverflowIconDrawsAsTheStylesOwn) {
    const std::unique_ptr<QStyle> own(freshStyle());
    ASSERT_NE(own, nullptr);
    const WindowStyle style(freshStyle());
    for (const Qt::LayoutDirection direction : {Qt::LeftToRight, Qt::RightToLeft}) {
        QStyleOption option;
        option.direction = direction;
        const QIcon expected = own->standardIcon(kOverflow, &option, nullptr);
        const QIcon deferred = style.standardIcon(kOverflow, &option, nullptr);
        for (const int side : kSizes) {
            SCOPED_TRACE(testing::Message() << "direction " << direction << ", side " << side);
            const QPixmap want = expected.pixmap(QSize(side, side));
            const QPixmap got = deferred.pixmap(QSize(side, side));
            EXPECT_EQ(got.devicePixelRatio(), want.devicePixelRatio());
            EXPECT_EQ(got.toImage(), want.toImage());
            EXPECT_EQ(deferred.actualSize(QSize(side, side)),
                      expected.actualSize(QSize(side, side)));
            EXPECT_EQ(painted(deferred, side), painted(expected, side));
        }
    }
    // A menu bar laid out from right to left gets the icon pointing its way.
    QMenuBar bar;
    bar.setLayoutDirection(Qt::RightToLeft);
    QStyleOption rightToLeft;
    rightToLeft.direction = Qt::RightToLeft;
    EXPECT_EQ(style.standardIcon(kOverflow, nullptr, &bar).pixmap(QSize(16, 16)).toImage(),
              own->standardIcon(kOverflow, &rightToLeft, nullptr).pixmap(QSize(16, 16)).toImage());
}

TEST(WindowStyle, DeferredIconLoadsOnlyWhenDrawnAndOnce) {
    int loads = 0;
    const QIcon icon = qt::deferredIcon([&loads] {
        ++loads;
        return QApplication::style()->standardIcon(QStyle::SP_ArrowUp);
    });
    QToolButton button;
    button.setIcon(icon);
    button.resize(button.sizeHint());
    EXPECT_FALSE(icon.isNull());
    EXPECT_EQ(loads, 0) << "set and measured by layout";
    button.grab();
    button.grab();
    EXPECT_EQ(loads, 1) << "drawn twice";
}

// End to end through the application's style: a menu bar too narrow for its menus shows the
// overflow button, and the button draws its arrow.
TEST(WindowStyle, NarrowMenuBarDrawsItsOverflowArrow) {
    qt::installWindowStyle();
    ASSERT_NE(qobject_cast<WindowStyle*>(QApplication::style()), nullptr);
    QMainWindow window;
    for (int i = 0; i < kMenus; ++i) window.menuBar()->addMenu(QStringLiteral("メニュー%1").arg(i));
    window.resize(kNarrow, kNarrow);
    window.show();
    auto* overflow = window.menuBar()->findChild<QToolButton*>();
    ASSERT_NE(overflow, nullptr);
    ASSERT_TRUE(overflow->isVisible());
    const QImage shot = overflow->grab().toImage();
    const QRgb background = shot.pixel(0, 0);
    int drawn = 0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) drawn += shot.pixel(x, y) != background;
    }
    EXPECT_GT(drawn, kArrowPixels);
}

// The item Alt or the arrow keys make current is marked, though it opens no menu.
TEST(WindowStyle, TheMenuBarsCurrentItemIsMarked) {
    qt::installWindowStyle();
    QMenuBar bar;
    const auto drawn = [&bar](QStyle::State state) {
        QStyleOptionMenuItem item;
        item.initFrom(&bar);
        item.rect = QRect(0, 0, kCanvas, kCanvas / 2);
        item.text = QStringLiteral("Book");
        item.menuItemType = QStyleOptionMenuItem::Normal;
        item.state = QStyle::State_Enabled | state;
        QImage canvas(item.rect.size(), QImage::Format_ARGB32_Premultiplied);
        canvas.fill(Qt::transparent);
        {
            QPainter painter(&canvas);
            QApplication::style()->drawControl(QStyle::CE_MenuBarItem, &item, &painter, &bar);
        }
        return canvas;
    };
    EXPECT_NE(drawn(QStyle::State_Selected), drawn(QStyle::State_None));
}

TEST(WindowStyle, OtherIconsAreTheStylesOwn) {
    const std::unique_ptr<QStyle> own(freshStyle());
    const WindowStyle style(freshStyle());
    EXPECT_EQ(style.standardIcon(QStyle::SP_ArrowUp).pixmap(QSize(16, 16)).toImage(),
              own->standardIcon(QStyle::SP_ArrowUp).pixmap(QSize(16, 16)).toImage());
}

}  // namespace
}  // namespace zarnel
