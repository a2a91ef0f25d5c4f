// The window's logic: its window-level variables, the start-up sequence and every event
// handler. It writes through Controls and asks the system through Platform, nothing else.
#pragma once

#include <cstdint>

#include "app/controls.h"
#include "platform/platform.h"

namespace zarnel {

class Form1 {
  public:
    Form1(Controls& controls, Platform& platform);

    // The start-up sequence; runs once, before the window is first shown.
    void Form_Load();

    // Fills the drive list; the window calls it once when it is built, before Form_Load.
    void fillDrive1();
    // Drive1's selection changed: the six disk probes on the new drive.
    void Drive1_Change();
    // An entry of Combo1 was chosen, by the user or by start-up.
    void Combo1_Click();

    // The window is asked to close, by any means. The close is never refused: `cancel` is
    // left as the window passed it.
    void Form_QueryUnload(std::int16_t& cancel, std::int16_t unloadMode);
    // A tab of SSTab1 was selected, or Picture4 clicked: the next tick redraws the pie.
    void SSTab1_Click(std::int16_t previousTab);
    void Picture4_Click();
    // The menu items: open the web address held in Text30 (book) or Text29 (game).
    void book_Click();
    void game_Click();

    void Timer1_Timer();
    void Slider1_Change();
    void Command2_Click();

    // Window-level variables of the memory monitor; 64-bit so that every machine's memory
    // reads right.
    std::int64_t TotalBytes = 0;
    std::int64_t UsedBytes = 0;
    std::int32_t PieFreeMB = 0;  // the free figure, in whole MB, that the pie shows
    float GraphTime = 0;         // ticks x 0.2, accumulated in single precision
    std::int32_t LastSecond = 0;
    PixelRect ScrollRect;
    PixelRect ClipRect;
    std::int32_t ScrollDX = 0;
    std::int32_t ScrollDY = 0;

  private:
    // Selects Combo1's first entry and runs its click handler, as a user's pick would.
    void selectFirstFolder();
    // Memory figures and the pie.
    void Memorii();
    // Graph start-up: prepares Picture1, builds the grid and labels and starts the timer.
    void GraphStartUp();
    float GraphX(float t) const;
    float GraphY(std::int64_t bytes) const;
    void GraphGrid();
    void TimeLabels(std::int32_t start);
    void openAddressIn(Ctl field);

    Controls& controls_;
    Platform& platform_;
};

}  // namespace zarnel
