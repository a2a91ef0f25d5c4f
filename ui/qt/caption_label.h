// A label of the window. A class of its own, though it adds nothing to QLabel: Qt asks the
// accessibility factories about an object by its most derived class first, and Qt's own
// factory claims anything named QLabel before ours could shape an axis or a decoration.
#pragma once

#include <QLabel>

namespace zarnel::qt {

class CaptionLabel : public QLabel {
    Q_OBJECT

  public:
    using QLabel::QLabel;
};

}  // namespace zarnel::qt
