// A frame: an etched box whose caption sits on its top edge, so the caption's height does
// not push the edge down into the controls placed near the top.
#pragma once

#include <QGroupBox>

namespace zarnel::qt {

class FrameBox : public QGroupBox {
  public:
    FrameBox(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace zarnel::qt
