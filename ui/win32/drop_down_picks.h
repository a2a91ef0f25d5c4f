// Which changes of a drop-down list's selection are the user's picks. Windows tells each step
// of the arrow keys through the open list as a change, and runs through entries the user only
// browses past: a pick is a change while the list is closed, or the entry the open list closes
// on. Windows may tell a click's change before or after the list closes; either way it is one
// pick.
#pragma once

#include <map>
#include <optional>

#include "window/controls.h"

namespace zarnel::win32 {

class DropDownPicks {
  public:
    // The list of `ctl` opened on `selection`, or the program chose it (a refilled list moves
    // the chosen entry): a selection that is no pick of the user's. Chosen while the list is
    // `open`, whatever it closes on is a pick: the user may have browsed to it first.
    void settled(Ctl ctl, int selection, bool open = false);
    // Whether the selection changed to `selection` by a pick, told while the list is `open`.
    bool changed(Ctl ctl, int selection, bool open);
    // Whether the list closing on `selection` is a pick.
    bool closed(Ctl ctl, int selection);

  private:
    struct List {
        int openedOn = -1;
        // The pick made as the list closed, whose change Windows may still tell.
        std::optional<int> pickedOnClosing;
    };
    std::map<Ctl, List> lists_;
};

}  // namespace zarnel::win32
