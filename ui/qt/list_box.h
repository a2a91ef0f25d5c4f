// A list box whose lines may be wider than itself (a long processor name): Left and Right
// scroll it sideways, as its scroll bar does for the mouse. A one-column list has no column for
// those keys to move to.
#pragma once

#include <QListWidget>

namespace zarnel::qt {

class ListBox : public QListWidget {
  public:
    using QListWidget::QListWidget;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace zarnel::qt
