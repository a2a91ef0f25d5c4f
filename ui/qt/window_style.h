// The application's style with two changes:
// - The menu bar's overflow button gets its icon when the button is first drawn. Qt asks for
//   that icon as it makes the menu bar, and loading it scans Qt's icon-theme and image plugins:
//   milliseconds of every start-up, for a button that shows only when the window is too narrow
//   for its menus.
// - The menu bar's current item is marked. Styles mark an item only while its menu is open, and
//   this window's items open none: after Alt, a keyboard user could not see which one Enter
//   would open.
#pragma once

#include <QIcon>
#include <QProxyStyle>
#include <functional>

namespace zarnel::qt {

class WindowStyle : public QProxyStyle {
    Q_OBJECT

  public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
};

// Puts WindowStyle over the style the application would use, the user's choice included. Call
// once, before the first widget is made.
void installWindowStyle();

// An icon whose images `load` makes when it is first drawn or measured, not before.
QIcon deferredIcon(std::function<QIcon()> load);

}  // namespace zarnel::qt
