// A frame: an etched box whose caption sits on its top edge, so the caption's height does
// not push the edge down into the controls placed near the top. The caption is placed by its
// ink, not its line: a face with a tall line (Noto Sans CJK) would otherwise reach down into
// those controls.
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

  private:
    // The caption's ink from its baseline, measured again only when caption or font change:
    // the frame repaints with every control inside it that changes.
    QRect captionInk();

    QString inkTitle_;
    QFont inkFont_;
    QRect ink_;
};

}  // namespace zarnel::qt
