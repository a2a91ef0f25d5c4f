// The top-level window: menu bar over a client area whose controls are placed by hand, so
// resizing the window moves nothing. A window made smaller than its client area (by a small
// screen or by the user) scrolls it.
#pragma once

#include <QMainWindow>

class QCloseEvent;
class QScrollArea;

namespace zarnel::qt {

class MainWindow : public QMainWindow {
    Q_OBJECT

  public:
    MainWindow();

    QWidget* client() const { return client_; }
    // Sizes the window so that its client area below the menu bar has this size.
    void setClientSize(QSize size);
    // After this the window closes without asking anyone.
    void dropCloseHandlers() { closeHandlers_ = false; }

  signals:
    // The window is asked to close; a handler may ignore the event to refuse.
    void closeRequested(QCloseEvent* event);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    // Puts the client area in a scroll area, from now on.
    void scrollClient();
    // The width a vertical scroll bar takes from the client.
    int scrollBarWidth() const;

    QWidget* client_;
    QSize clientSize_;  // as last set; invalid before
    QScrollArea* scroller_ = nullptr;
    bool closeHandlers_ = true;
    bool iconSet_ = false;
};

}  // namespace zarnel::qt
