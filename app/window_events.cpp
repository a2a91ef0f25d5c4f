// The small window-level handlers that belong to no probe.
#include "app/form1.h"

namespace zarnel {

void Form1::Form_QueryUnload(std::int16_t&, std::int16_t) {
    // Closing is never refused, whatever the reason; the window and its timer go with it.
}

void Form1::SSTab1_Click(std::int16_t) {
    memory_.PieRedrawRequest();
}

void Form1::Picture4_Click() {
    memory_.PieRedrawRequest();
}

void Form1::book_Click() {
    openAddressIn(Ctl::Text30);
}

void Form1::game_Click() {
    openAddressIn(Ctl::Text29);
}

void Form1::openAddressIn(Ctl field) {
    // The shell's answer is not examined: a failure to open is silent.
    platform_.shellOpen(controls_.hWnd(), platform_.ansi().fromText(controls_.text(field)));
}

}  // namespace zarnel
