#include "tools/form-dump/win32/dump.h"

#include <cmath>

#include "tools/form-dump/kind_names.h"
#include "ui/win32/scale.h"
#include "ui/win32/text.h"
#include "ui/win32/win32_controls.h"
#include "window/layout.h"

namespace zarnel::tools {
namespace {

constexpr double kPointsPerInch = 72;

Json rectObject(double left, double top, double width, double height) {
    return Json::Object{{"left", left}, {"top", top}, {"width", width}, {"height", height}};
}

Json rectObject(const RECT& r) {
    return rectObject(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

// A window's outer rectangle in the client coordinates of `reference`.
RECT rectIn(HWND window, HWND reference) {
    RECT r{};
    GetWindowRect(window, &r);
    MapWindowPoints(HWND_DESKTOP, reference, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

RECT clientOnScreen(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Shown and not cut away by any container's edges.
bool onScreen(HWND window, HWND form) {
    if (!IsWindowVisible(window)) return false;
    if (window == form) return true;
    RECT area{};
    GetWindowRect(window, &area);
    for (HWND holder = GetParent(window); holder; holder = GetParent(holder)) {
        const RECT client = clientOnScreen(holder);
        if (!IntersectRect(&area, &area, &client)) return false;
        if (holder == form) break;
    }
    return true;
}

Json fontObject(const win32::Win32Controls& controls, HWND window, HFONT font) {
    HDC dc = GetDC(window);
    HGDIOBJ previous = SelectObject(dc, font);
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(window, dc);
    const double points =
        (metrics.tmHeight - metrics.tmInternalLeading) * kPointsPerInch / controls.scale().dpi();
    return Json::Object{{"family", win32::narrow(face)}, {"pointSize", points}};
}

Json entries(const win32::Win32Controls& controls, Ctl ctl) {
    Json::Array list;
    for (const std::string& entry : controls.items(ctl)) list.emplace_back(entry);
    return list;
}

Json dumpElement(const win32::Win32Controls& controls, const LayoutRow& row, int index) {
    Json::Object entry{
        {"name", std::string(ctlName(row.name))},
        {"index", index},
        {"kind", std::string(kindName(row.kind))},
        {"container", row.container ? Json(std::string(ctlName(*row.container))) : Json()},
        {"tabPage", row.tabPage},
        {"tabOrder", index == 0 ? row.tabOrder : kNoTabOrder},
        {"visible", controls.visible(row.name, index)}};
    if (row.kind == Kind::Timer) return entry;
    entry["text"] = controls.text(row.name, index);
    if (row.kind == Kind::MenuItem) return entry;

    const Geometry g = controls.geometry(row.name, index);
    entry["twips"] = rectObject(g.left, g.top, g.width, g.height);
    HWND window = controls.handle(row.name, index);
    HWND form = controls.window();
    if (window == form) {
        RECT client{};
        GetClientRect(form, &client);
        entry["px"] = rectObject(client);
        entry["windowPx"] = rectObject(client);
    } else {
        entry["px"] = rectObject(rectIn(window, controls.handle(*row.container)));
        entry["windowPx"] = rectObject(rectIn(window, form));
    }
    entry["onScreen"] = onScreen(window, form);
    entry["font"] = fontObject(controls, window, controls.font(row.name, index));
    if (row.kind == Kind::ListBox || row.kind == Kind::ComboBox || row.kind == Kind::DriveList) {
        entry["items"] = entries(controls, row.name);
        entry["listIndex"] = controls.listIndex(row.name);
    }
    return entry;
}

std::string elementName(Ctl ctl, int index) {
    const std::string name(ctlName(ctl));
    return index == 0 ? name : name + "(" + std::to_string(index) + ")";
}

}  // namespace

Json::Object dumpControls(const win32::Win32Controls& controls) {
    Json::Array all;
    for (const LayoutRow& row : layoutTable()) {
        const std::vector<int> indices = row.kind == Kind::MenuItem || row.kind == Kind::Timer
                                             ? std::vector<int>{0}
                                             : controls.indices(row.name);
        for (const int index : indices) all.push_back(dumpElement(controls, row, index));
    }
    Json::Array captions;
    for (const std::string_view caption : tabCaptions())
        captions.emplace_back(std::string(caption));
    return {{"controls", all},
            {"selectedTab", controls.selectedTab()},
            {"tabCaptions", captions},
            {"title", controls.text(Ctl::Form1)},
            {"timer", Json::Object{{"enabled", controls.timerEnabled()},
                                   {"interval", controls.timerInterval()}}},
            {"slider", controls.sliderValue()}};
}

std::string controlName(const win32::Win32Controls& controls, HWND window) {
    for (HWND w = window; w; w = GetParent(w)) {
        for (const LayoutRow& row : layoutTable()) {
            for (const int index : controls.indices(row.name)) {
                if (controls.handle(row.name, index) == w) return elementName(row.name, index);
            }
        }
    }
    return {};
}

}  // namespace zarnel::tools
