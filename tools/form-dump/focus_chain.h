// The controls that the Tab key visits, in order, found by pressing it.
#pragma once

#include <QStringList>

class QWidget;

namespace zarnel::qt {
class QtControls;
}

namespace zarnel::tools {

// Starts on the tab strip and presses Tab until focus comes back there; names carry the
// element index of array elements ("lblX(3)").
QStringList focusChain(const qt::QtControls& controls);

// The control name of a widget or of the control it is part of; empty if none.
QString controlName(const qt::QtControls& controls, const QWidget* widget);

}  // namespace zarnel::tools
