// Work that must wait while a drop-down list is open: refilled then, the list would be cleared
// under the user, its highlighted entry and a screen reader's place in it gone. Qt's combo box
// tells of no closing, so its popup is watched.
#pragma once

#include <QComboBox>
#include <functional>

namespace zarnel::qt {

// Runs `work` now when `list` is closed, else once its popup closes (once, however often it
// was asked for meanwhile). Returns the function that asks for it.
std::function<void()> whenListClosed(QComboBox& list, std::function<void()> work);

}  // namespace zarnel::qt
