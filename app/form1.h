// The window's logic: the start-up sequence and the window-level handlers. It writes through
// Controls and asks the system through Platform, nothing else. The drive list and the folder
// list are handled by the disk and folder probes directly (disk/disk_probes.h,
// probes/special_folders.h); the memory tab's own events go to its MemoryTab.
#pragma once

#include <cstdint>

#include "memory/memory_tab.h"
#include "platform/platform.h"
#include "window/controls.h"

namespace zarnel {

class Form1 {
  public:
    Form1(Controls& controls, Platform& platform);

    // The start-up sequence; runs once, before the window is first shown. The drive list is
    // filled before it (fillDrive1), as the window is built.
    void Form_Load();

    // The window is asked to close, by any means. The close is never refused: `cancel` is
    // left as the window passed it.
    void Form_QueryUnload(std::int16_t& cancel, std::int16_t unloadMode);
    // A tab of SSTab1 was selected, or Picture4 clicked: the next tick redraws the pie.
    void SSTab1_Click(std::int16_t previousTab);
    void Picture4_Click();
    // The menu items: open the web address held in Text30 (book) or Text29 (game).
    void book_Click();
    void game_Click();

    MemoryTab& memory() { return memory_; }

  private:
    // Selects Combo1's first entry and runs its click handler, as a user's pick would.
    void selectFirstFolder();
    void openAddressIn(Ctl field);

    Controls& controls_;
    Platform& platform_;
    MemoryTab memory_;
};

}  // namespace zarnel
