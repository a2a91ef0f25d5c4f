// The application's style with one change: the menu bar's overflow button gets its icon when
// the button is first drawn. Qt asks for that icon as it makes the menu bar, and loading it
// scans Qt's icon-theme and image plugins: milliseconds of every start-up, for a button that
// shows only when the window is too narrow for its menus.
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
};

// Puts WindowStyle over the style the application would use, the user's choice included. Call
// once, before the first widget is made.
void installWindowStyle();

// An icon whose images `load` makes when it is first drawn or measured, not before.
QIcon deferredIcon(std::function<QIcon()> load);

}  // namespace zarnel::qt
