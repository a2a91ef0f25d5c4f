#include "tools/form-dump/focus_chain.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTabBar>

#include "ui/qt/main_window.h"
#include "ui/qt/qt_controls.h"
#include "ui/qt/tab_control.h"
#include "window/layout.h"

namespace zarnel::tools {
namespace {

constexpr int kTabStops = 85;
// Enough to come round once whatever the order.
constexpr int kMaxPresses = 2 * kTabStops;

QString elementName(Ctl ctl, int index) {
    const QString name =
        QString::fromUtf8(ctlName(ctl).data(), static_cast<qsizetype>(ctlName(ctl).size()));
    return index == 0 ? name : QStringLiteral("%1(%2)").arg(name).arg(index);
}

}  // namespace

QString controlName(const qt::QtControls& controls, const QWidget* widget) {
    const QWidget* strip = controls.tabControl().tabBar();
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (w == strip) return elementName(Ctl::SSTab1, 0);
        for (const LayoutRow& row : layoutTable()) {
            for (const int index : controls.indices(row.name)) {
                if (controls.widget(row.name, index) == w) return elementName(row.name, index);
            }
        }
    }
    return {};
}

QStringList focusChain(const qt::QtControls& controls) {
    QWidget* start = controls.tabControl().tabBar();
    controls.window().activateWindow();
    QApplication::processEvents();
    start->setFocus(Qt::TabFocusReason);
    QStringList chain;
    for (int press = 0; press < kMaxPresses; ++press) {
        QWidget* focused = QApplication::focusWidget();
        if (!focused) break;
        chain.append(controlName(controls, focused));
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(focused, &tab);
        if (QApplication::focusWidget() == start) break;
    }
    return chain;
}

}  // namespace zarnel::tools
