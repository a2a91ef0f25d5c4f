#include "ui/win32/drop_down_picks.h"

namespace zarnel::win32 {

void DropDownPicks::settled(Ctl ctl, int selection, bool open) {
    constexpr int kNoEntry = -1;
    List& list = lists_[ctl];
    // A pick made as the list closed, whose change Windows has not told yet, stays expected
    // through a refill (changes of volumes wait for the list to close) or a new opening, where
    // the entry now is: told, it is no second pick.
    const bool pickToldAlready = !open && list.pickedOnClosing.has_value();
    list = {.openedOn = open ? kNoEntry : selection,
            .pickedOnClosing = pickToldAlready ? std::optional(selection) : std::nullopt};
}

bool DropDownPicks::changed(Ctl ctl, int selection, bool open) {
    if (open) return false;
    List& list = lists_[ctl];
    const bool toldAlready = list.pickedOnClosing == selection;
    list.pickedOnClosing.reset();
    // A click's change told before its list closes: the closing is no pick of its own.
    list.openedOn = selection;
    return !toldAlready;
}

bool DropDownPicks::closed(Ctl ctl, int selection) {
    List& list = lists_[ctl];
    if (list.openedOn == selection) return false;
    list.openedOn = selection;
    list.pickedOnClosing = selection;
    return true;
}

}  // namespace zarnel::win32
