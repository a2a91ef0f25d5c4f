#include "platform/linux/taskbar_x11.h"

#include <xcb/xcb.h>
#include <xcb/xcb_ewmh.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/platform.h"

namespace zarnel::linux_x11 {
namespace {

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

struct Connection {
    xcb_connection_t* xcb;
    ~Connection() { xcb_disconnect(xcb); }
};

struct Ewmh {
    xcb_ewmh_connection_t atoms{};
    bool ready = false;
    ~Ewmh() {
        if (ready) xcb_ewmh_connection_wipe(&atoms);
    }
};

// The children of `parent`, appended to `out`.
void appendChildren(xcb_connection_t* xcb, xcb_window_t parent, std::vector<xcb_window_t>& out) {
    ReplyPtr<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(xcb, xcb_query_tree(xcb, parent), nullptr), &std::free);
    if (!tree) return;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    const int count = xcb_query_tree_children_length(tree.get());
    for (int i = 0; i < count; ++i) out.push_back(children[i]);
}

// Top-level windows and their children: a reparenting window manager puts each client inside
// a frame of its own.
std::vector<xcb_window_t> candidateWindows(xcb_connection_t* xcb, xcb_window_t root) {
    std::vector<xcb_window_t> topLevel;
    appendChildren(xcb, root, topLevel);
    std::vector<xcb_window_t> windows = topLevel;
    for (xcb_window_t top : topLevel) appendChildren(xcb, top, windows);
    return windows;
}

bool viewable(xcb_connection_t* xcb, xcb_window_t window) {
    ReplyPtr<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(xcb, xcb_get_window_attributes(xcb, window), nullptr),
        &std::free);
    return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

bool isDock(xcb_ewmh_connection_t& ewmh, xcb_window_t window) {
    xcb_ewmh_get_atoms_reply_t types{};
    if (!xcb_ewmh_get_wm_window_type_reply(&ewmh, xcb_ewmh_get_wm_window_type(&ewmh, window),
                                           &types, nullptr)) {
        return false;
    }
    const bool dock = std::find(types.atoms, types.atoms + types.atoms_len,
                                ewmh._NET_WM_WINDOW_TYPE_DOCK) != types.atoms + types.atoms_len;
    xcb_ewmh_get_atoms_reply_wipe(&types);
    return dock;
}

bool reservesStrut(xcb_ewmh_connection_t& ewmh, xcb_window_t window) {
    const auto any = [](const auto& s) { return s.left || s.right || s.top || s.bottom; };
    xcb_ewmh_wm_strut_partial_t partial{};
    if (xcb_ewmh_get_wm_strut_partial_reply(&ewmh, xcb_ewmh_get_wm_strut_partial(&ewmh, window),
                                            &partial, nullptr) &&
        any(partial)) {
        return true;
    }
    xcb_ewmh_get_extents_reply_t strut{};
    return xcb_ewmh_get_wm_strut_reply(&ewmh, xcb_ewmh_get_wm_strut(&ewmh, window), &strut,
                                       nullptr) &&
           any(strut);
}

}  // namespace

std::uint32_t dockTaskbarState(const char* displayName) {
    if (displayName == nullptr || *displayName == '\0') return 0;
    int screenNumber = 0;
    Connection connection{xcb_connect(displayName, &screenNumber)};
    if (xcb_connection_has_error(connection.xcb)) return 0;
    Ewmh ewmh;
    ewmh.ready = xcb_ewmh_init_atoms_replies(
                     &ewmh.atoms, xcb_ewmh_init_atoms(connection.xcb, &ewmh.atoms), nullptr) != 0;
    if (!ewmh.ready || screenNumber >= ewmh.atoms.nb_screens) return 0;

    std::uint32_t state = 0;
    const xcb_window_t root = ewmh.atoms.screens[screenNumber]->root;
    for (xcb_window_t window : candidateWindows(connection.xcb, root)) {
        if (!viewable(connection.xcb, window) || !isDock(ewmh.atoms, window)) continue;
        state |= app_bar_state::kAlwaysOnTop;
        if (!reservesStrut(ewmh.atoms, window)) state |= app_bar_state::kAutoHide;
    }
    return state;
}

}  // namespace zarnel::linux_x11
