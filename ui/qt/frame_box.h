// A frame: an etched box whose caption sits on its top edge, so the caption's height does
// not push the edge down into the controls placed near the top.
#pragma once

#include <QGroupBox>

namespace zarnel::qt {

class FrameBox : public QGroupBox {
    // Its own class name, so the accessibility factory can shape it (see CaptionLabel).
    Q_OBJECT

  public:
    FrameBox(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace zarnel::qt
