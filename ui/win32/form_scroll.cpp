#include "ui/win32/form_scroll.h"

#include <algorithm>

namespace zarnel::win32 {
namespace {

// Pixels a click on a bar's arrow, or a line of the wheel, moves.
constexpr LONG kLineStep = 16;

LONG& along(POINT& point, int bar) {
    return bar == SB_HORZ ? point.x : point.y;
}

LONG along(SIZE size, int bar) {
    return bar == SB_HORZ ? size.cx : size.cy;
}

}  // namespace

LONG FormScroll::largest(int bar) const {
    return std::max<LONG>(0, along(content_, bar) - along(client_, bar));
}

bool FormScroll::resized(HWND form, SIZE room, SIZE bars, SIZE content) {
    // A bar takes room from the other direction, which may then need its own bar too; judged
    // from the room without either, so that a window grown back to its contents sheds both.
    bool vertical = content.cy > room.cy;
    const bool horizontal = content.cx > room.cx - (vertical ? bars.cx : 0);
    vertical = vertical || content.cy > room.cy - (horizontal ? bars.cy : 0);
    client_ = {room.cx - (vertical ? bars.cx : 0), room.cy - (horizontal ? bars.cy : 0)};
    content_ = content;
    for (const int bar : {SB_HORZ, SB_VERT}) {
        // A page as large as the range hides the bar.
        SCROLLINFO info{sizeof(info),
                        SIF_RANGE | SIF_PAGE,
                        0,
                        along(content, bar) - 1,
                        static_cast<UINT>(std::max<LONG>(0, along(client_, bar))),
                        0,
                        0};
        SetScrollInfo(form, bar, &info, TRUE);
    }
    const bool moved = moveTo(form, offset_);
    // The position within the new range, where a new scale moved it without a move.
    SetScrollPos(form, SB_HORZ, offset_.x, TRUE);
    SetScrollPos(form, SB_VERT, offset_.y, TRUE);
    return moved;
}

void FormScroll::rescale(int from, int to) {
    offset_ = {MulDiv(offset_.x, to, from), MulDiv(offset_.y, to, from)};
    wheelRest_ = {};
}

bool FormScroll::requested(HWND form, int bar, WORD request, WORD thumb) {
    POINT wanted = offset_;
    LONG& position = along(wanted, bar);
    const LONG page = along(client_, bar);
    switch (request) {
        case SB_LINEUP:
            position -= kLineStep;
            break;
        case SB_LINEDOWN:
            position += kLineStep;
            break;
        case SB_PAGEUP:
            position -= page;
            break;
        case SB_PAGEDOWN:
            position += page;
            break;
        case SB_TOP:
            position = 0;
            break;
        case SB_BOTTOM:
            position = largest(bar);
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            position = thumb;
            break;
        default:
            return false;
    }
    return moveTo(form, wanted);
}

bool FormScroll::wheeled(HWND form, int bar, int delta, UINT stepsPerNotch) {
    // A page a notch, or the set lines (or characters, sideways), never more than the page.
    const long long page = along(client_, bar);
    const long long notch = stepsPerNotch == WHEEL_PAGESCROLL
                                ? page
                                : std::min(page, static_cast<long long>(stepsPerNotch) * kLineStep);
    // A fine wheel or a touchpad turns a notch in many small steps: what each leaves short of a
    // pixel is kept for the next, and dropped when the wheel turns the other way. A notch is a
    // page at most and the wheel's delta a short: the sum fits a LONG.
    long long& rest = bar == SB_HORZ ? wheelRest_.x : wheelRest_.y;
    if ((rest < 0) != (delta < 0)) rest = 0;
    rest += static_cast<long long>(delta) * notch;
    const long long pixels = rest / WHEEL_DELTA;
    rest -= pixels * WHEEL_DELTA;
    // Turned away from the user the wheel goes up; tilted right it goes right.
    POINT wanted = offset_;
    along(wanted, bar) += static_cast<LONG>(bar == SB_HORZ ? pixels : -pixels);
    return moveTo(form, wanted);
}

bool FormScroll::reveal(HWND form, const RECT& area) {
    POINT wanted = offset_;
    const auto show = [&](int bar, LONG first, LONG last) {
        LONG& position = along(wanted, bar);
        const LONG page = along(client_, bar);
        if (last - position > page) position = last - page;
        if (first < position) position = first;
    };
    show(SB_HORZ, area.left, area.right);
    show(SB_VERT, area.top, area.bottom);
    return moveTo(form, wanted);
}

bool FormScroll::moveTo(HWND form, POINT wanted) {
    wanted.x = std::clamp<LONG>(wanted.x, 0, largest(SB_HORZ));
    wanted.y = std::clamp<LONG>(wanted.y, 0, largest(SB_VERT));
    if (wanted.x == offset_.x && wanted.y == offset_.y) return false;
    offset_ = wanted;
    SetScrollPos(form, SB_HORZ, offset_.x, TRUE);
    SetScrollPos(form, SB_VERT, offset_.y, TRUE);
    return true;
}

}  // namespace zarnel::win32
