#include "platform/linux/taskbar_x11.h"

#include <xcb/xcb.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "platform/platform.h"

namespace zarnel::linux_x11 {
namespace {

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
ReplyPtr<Reply> owned(Reply* reply) {
    return {reply, &std::free};
}

struct Connection {
    xcb_connection_t* xcb;
    ~Connection() { xcb_disconnect(xcb); }
};

// The names the answer needs, rather than the whole EWMH set: each name interned is a request
// the server answers before start-up goes on.
enum Atom { kWindowType, kDock, kStrutPartial, kStrut, kState, kBelow, kAtomCount };
constexpr std::array<const char*, kAtomCount> kAtomNames = {
    "_NET_WM_WINDOW_TYPE", "_NET_WM_WINDOW_TYPE_DOCK", "_NET_WM_STRUT_PARTIAL", "_NET_WM_STRUT",
    "_NET_WM_STATE",       "_NET_WM_STATE_BELOW"};

// A property is asked for in 32-bit units; the partial strut has twelve of them, the old one
// four, and the first four (left, right, top, bottom) are the widths reserved at each edge.
constexpr std::uint32_t kStrutPartialLength = 12;
constexpr std::uint32_t kStrutLength = 4;
constexpr std::size_t kStrutEdges = 4;
// Properties of window types and struts are lists of 32-bit items.
constexpr std::uint8_t kItemBits = 32;
// Window types, or states, listed on one window: a handful in practice.
constexpr std::uint32_t kWindowTypesLength = 32;
constexpr std::uint32_t kStatesLength = 32;

// Interned only where some client already named them: a display where no window was ever
// typed a dock has no such atom, and then no dock either (XCB_ATOM_NONE).
std::array<xcb_atom_t, kAtomCount> internAtoms(xcb_connection_t* xcb) {
    std::array<xcb_intern_atom_cookie_t, kAtomCount> cookies{};
    for (int i = 0; i < kAtomCount; ++i) {
        cookies[i] = xcb_intern_atom(xcb, 1, static_cast<std::uint16_t>(std::strlen(kAtomNames[i])),
                                     kAtomNames[i]);
    }
    std::array<xcb_atom_t, kAtomCount> atoms{};
    for (int i = 0; i < kAtomCount; ++i) {
        const auto reply = owned(xcb_intern_atom_reply(xcb, cookies[i], nullptr));
        atoms[i] = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    }
    return atoms;
}

xcb_window_t rootOf(xcb_connection_t* xcb, int screenNumber) {
    xcb_screen_iterator_t screen = xcb_setup_roots_iterator(xcb_get_setup(xcb));
    for (int i = 0; i < screenNumber && screen.rem > 0; ++i) xcb_screen_next(&screen);
    return screen.rem > 0 ? screen.data->root : xcb_window_t{XCB_WINDOW_NONE};
}

// The children of each of `parents`, asked all at once: one wait for the server, not one per
// window.
std::vector<xcb_window_t> childrenOf(xcb_connection_t* xcb, std::span<const xcb_window_t> parents) {
    std::vector<xcb_query_tree_cookie_t> cookies;
    cookies.reserve(parents.size());
    for (xcb_window_t parent : parents) cookies.push_back(xcb_query_tree(xcb, parent));
    std::vector<xcb_window_t> children;
    for (xcb_query_tree_cookie_t cookie : cookies) {
        const auto tree = owned(xcb_query_tree_reply(xcb, cookie, nullptr));
        if (!tree) continue;  // gone since it was listed
        const xcb_window_t* first = xcb_query_tree_children(tree.get());
        children.insert(children.end(), first, first + xcb_query_tree_children_length(tree.get()));
    }
    return children;
}

// Top-level windows and their children: a reparenting window manager puts each client inside
// a frame of its own.
std::vector<xcb_window_t> candidateWindows(xcb_connection_t* xcb, xcb_window_t root) {
    std::vector<xcb_window_t> windows = childrenOf(xcb, std::span(&root, 1));
    const std::vector<xcb_window_t> framed = childrenOf(xcb, windows);
    windows.insert(windows.end(), framed.begin(), framed.end());
    return windows;
}

xcb_get_property_cookie_t askProperty(xcb_connection_t* xcb, xcb_window_t window,
                                      xcb_atom_t property, xcb_atom_t type, std::uint32_t length) {
    return xcb_get_property(xcb, 0, window, property, type, 0, length);
}

// The 32-bit items of a property reply; none when the window lacks it or it has another type.
std::span<const std::uint32_t> items(const xcb_get_property_reply_t* reply) {
    if (reply == nullptr || reply->format != kItemBits) return {};
    return {static_cast<const std::uint32_t*>(xcb_get_property_value(reply)),
            static_cast<std::size_t>(xcb_get_property_value_length(reply)) / sizeof(std::uint32_t)};
}

struct Dock {
    xcb_window_t window;
    // Asked to be kept below other windows (a panel set to the bottom layer): window managers
    // then stack it with ordinary windows, which cover it.
    bool below;
};

// The mapped windows typed a dock, asked for all candidates at once.
std::vector<Dock> mappedDocks(xcb_connection_t* xcb,
                              const std::array<xcb_atom_t, kAtomCount>& atoms,
                              std::span<const xcb_window_t> windows) {
    struct Asked {
        xcb_get_window_attributes_cookie_t attributes;
        xcb_get_property_cookie_t types;
        std::optional<xcb_get_property_cookie_t> states;
    };
    // A state no client ever named is on no window: nothing to ask.
    const bool belowNamed = atoms[kState] != XCB_ATOM_NONE && atoms[kBelow] != XCB_ATOM_NONE;
    std::vector<Asked> asked;
    asked.reserve(windows.size());
    for (xcb_window_t window : windows) {
        asked.push_back(
            {xcb_get_window_attributes(xcb, window),
             askProperty(xcb, window, atoms[kWindowType], XCB_ATOM_ATOM, kWindowTypesLength),
             belowNamed ? std::optional(
                              askProperty(xcb, window, atoms[kState], XCB_ATOM_ATOM, kStatesLength))
                        : std::nullopt});
    }
    std::vector<Dock> docks;
    for (std::size_t i = 0; i < windows.size(); ++i) {
        const auto attributes =
            owned(xcb_get_window_attributes_reply(xcb, asked[i].attributes, nullptr));
        const auto types = owned(xcb_get_property_reply(xcb, asked[i].types, nullptr));
        // Every reply is read, so that none is left waiting in the connection.
        const auto states = owned(
            asked[i].states ? xcb_get_property_reply(xcb, *asked[i].states, nullptr) : nullptr);
        const bool viewable = attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
        if (viewable && std::ranges::count(items(types.get()), atoms[kDock]) > 0) {
            docks.push_back(
                {windows[i], std::ranges::count(items(states.get()), atoms[kBelow]) > 0});
        }
    }
    return docks;
}

// Whether some dock reserves no strip of the screen (neither a partial strut nor the older
// whole-edge one with some width at some edge): such a panel hides itself when not in use.
bool someDockHides(xcb_connection_t* xcb, const std::array<xcb_atom_t, kAtomCount>& atoms,
                   std::span<const Dock> docks) {
    // A name no client ever interned is on no window: nothing to ask.
    const auto ask = [xcb, &atoms](xcb_window_t dock, Atom strut, std::uint32_t length) {
        return atoms[strut] == XCB_ATOM_NONE
                   ? std::nullopt
                   : std::optional(askProperty(xcb, dock, atoms[strut], XCB_ATOM_CARDINAL, length));
    };
    const auto anyEdge = [xcb](std::optional<xcb_get_property_cookie_t> asked) {
        if (!asked) return false;
        const auto reply = owned(xcb_get_property_reply(xcb, *asked, nullptr));
        const std::span<const std::uint32_t> widths = items(reply.get());
        return widths.size() >= kStrutEdges &&
               std::any_of(widths.begin(), widths.begin() + kStrutEdges,
                           [](std::uint32_t width) { return width != 0; });
    };
    struct Asked {
        std::optional<xcb_get_property_cookie_t> partial;
        std::optional<xcb_get_property_cookie_t> whole;
    };
    std::vector<Asked> asked;
    asked.reserve(docks.size());
    for (const Dock& dock : docks) {
        asked.push_back({ask(dock.window, kStrutPartial, kStrutPartialLength),
                         ask(dock.window, kStrut, kStrutLength)});
    }
    bool hides = false;
    for (const Asked& a : asked) {
        // Every reply is read, so that none is left waiting in the connection.
        const bool partial = anyEdge(a.partial);
        const bool whole = anyEdge(a.whole);
        hides = hides || !(partial || whole);
    }
    return hides;
}

}  // namespace

std::uint32_t dockTaskbarState(const char* displayName) {
    if (displayName == nullptr || *displayName == '\0') return 0;
    int screenNumber = 0;
    Connection connection{xcb_connect(displayName, &screenNumber)};
    if (xcb_connection_has_error(connection.xcb)) return 0;
    const auto atoms = internAtoms(connection.xcb);
    const xcb_window_t root = rootOf(connection.xcb, screenNumber);
    if (atoms[kWindowType] == XCB_ATOM_NONE || atoms[kDock] == XCB_ATOM_NONE ||
        root == XCB_WINDOW_NONE) {
        return 0;
    }

    const std::vector<Dock> docks =
        mappedDocks(connection.xcb, atoms, candidateWindows(connection.xcb, root));
    if (docks.empty()) return 0;
    const bool onTop = std::ranges::any_of(docks, [](const Dock& dock) { return !dock.below; });
    return (onTop ? app_bar_state::kAlwaysOnTop : 0) |
           (someDockHides(connection.xcb, atoms, docks) ? app_bar_state::kAutoHide : 0);
}

}  // namespace zarnel::linux_x11
