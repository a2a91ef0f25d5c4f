#include "tools/form-dump/dump.h"

#include <QFontInfo>
#include <QJsonArray>
#include <QTabBar>

#include "tools/form-dump/kind_names.h"
#include "ui/qt/main_window.h"
#include "ui/qt/qt_controls.h"
#include "ui/qt/tab_control.h"
#include "ui/qt/units.h"
#include "window/layout.h"

namespace zarnel::tools {
namespace {

using qt::toQString;

QJsonObject rectObject(double left, double top, double width, double height) {
    return {{"left", left}, {"top", top}, {"width", width}, {"height", height}};
}

QJsonObject rectObject(const QRect& r) {
    return rectObject(r.left(), r.top(), r.width(), r.height());
}

// Shown and not cut away by any ancestor's edges.
bool onScreen(const QWidget* widget) {
    if (!widget->isVisible()) return false;
    const QWidget* top = widget->window();
    QRect area(widget->mapTo(top, QPoint()), widget->size());
    for (const QWidget* p = widget->parentWidget(); p && p != top; p = p->parentWidget())
        area &= QRect(p->mapTo(top, QPoint()), p->size());
    return !area.isEmpty();
}

QJsonArray entries(const qt::QtControls& controls, Ctl ctl) {
    QJsonArray list;
    for (const std::string& entry : controls.items(ctl)) list.append(QString::fromStdString(entry));
    return list;
}

QJsonObject dumpElement(const qt::QtControls& controls, const LayoutRow& row, int index) {
    QJsonObject entry{{"name", toQString(ctlName(row.name))},
                      {"index", index},
                      {"kind", toQString(kindName(row.kind))},
                      {"container", row.container ? QJsonValue(toQString(ctlName(*row.container)))
                                                  : QJsonValue()},
                      {"tabPage", row.tabPage},
                      {"tabOrder", index == 0 ? row.tabOrder : kNoTabOrder},
                      {"visible", controls.visible(row.name, index)}};
    if (row.kind == Kind::Timer) return entry;
    entry["text"] = QString::fromStdString(controls.text(row.name, index));
    if (row.kind == Kind::MenuItem) return entry;

    const Geometry g = controls.geometry(row.name, index);
    entry["twips"] = rectObject(g.left, g.top, g.width, g.height);
    const QWidget* widget = controls.widget(row.name, index);
    const QWidget* client = controls.window().client();
    if (widget == &controls.window()) {
        entry["px"] = rectObject(client->rect());
        entry["windowPx"] = rectObject(client->rect());
    } else {
        entry["px"] = rectObject(widget->geometry());
        entry["windowPx"] = rectObject(QRect(widget->mapTo(client, QPoint()), widget->size()));
    }
    entry["onScreen"] = onScreen(widget);
    const QFontInfo font(widget->font());
    entry["font"] = QJsonObject{{"family", font.family()}, {"pointSize", font.pointSizeF()}};
    if (row.kind == Kind::ListBox || row.kind == Kind::ComboBox || row.kind == Kind::DriveList) {
        entry["items"] = entries(controls, row.name);
        entry["listIndex"] = controls.listIndex(row.name);
    }
    return entry;
}

}  // namespace

QJsonObject dumpControls(const qt::QtControls& controls) {
    QJsonArray all;
    for (const LayoutRow& row : layoutTable()) {
        const std::vector<int> indices = row.kind == Kind::MenuItem || row.kind == Kind::Timer
                                             ? std::vector<int>{0}
                                             : controls.indices(row.name);
        for (const int index : indices) all.append(dumpElement(controls, row, index));
    }
    QJsonArray captions;
    for (const std::string_view caption : tabCaptions()) captions.append(toQString(caption));
    const qt::TabControl& tabs = controls.tabControl();
    return {{"controls", all},
            {"selectedTab", tabs.currentIndex()},
            {"tabCaptions", captions},
            {"title", controls.window().windowTitle()},
            {"timer", QJsonObject{{"enabled", controls.timerEnabled()},
                                  {"interval", controls.timerInterval()}}},
            {"slider", controls.sliderValue()}};
}

}  // namespace zarnel::tools
