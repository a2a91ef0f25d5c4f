// A text box of several lines (the chosen folder's path, which may wrap): the lines it was laid
// out to hold fit its height whatever the face.
#pragma once

#include <QPlainTextEdit>

namespace zarnel::qt {

class MultiLineField : public QPlainTextEdit {
  public:
    MultiLineField(const QString& text, int lines, QWidget* parent);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    int lines_;
};

}  // namespace zarnel::qt
