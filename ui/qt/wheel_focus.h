// The wheel turns a choice (a drive, a folder, the graph's speed) only once the user has gone to
// it, by clicking or by the keyboard. Over one that merely passes under the pointer, as the
// window is scrolled, the wheel goes on to scroll the window.
#pragma once

#include <QWidget>

namespace zarnel::qt {

void takeTheWheelOnlyWithFocus(QWidget& choice);

}  // namespace zarnel::qt
