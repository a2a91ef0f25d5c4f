// A row of tabs over a common page area. Each tab's controls sit on a page that covers the
// whole control, so they are placed in the tab control's own coordinates; only the selected
// page is shown.
#pragma once

#include <QWidget>
#include <span>
#include <string_view>
#include <vector>

class QTabBar;

namespace zarnel::qt {

class TabControl : public QWidget {
    Q_OBJECT

  public:
    TabControl(std::span<const std::string_view> captions, int stripHeight, QWidget* parent);

    QWidget* page(int index) const;
    QTabBar* tabBar() const { return bar_; }
    int currentIndex() const;
    void setCurrentIndex(int index);

  signals:
    // A tab was selected; carries the tab selected before.
    void tabSelected(int previous);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    // Ctrl+Tab / Ctrl+PageDown to the next tab, Ctrl+Shift+Tab / Ctrl+PageUp to the previous,
    // round the end.
    void addTabKeys();
    void showPage(int index);

    QTabBar* bar_;
    std::vector<QWidget*> pages_;
    int stripHeight_;
    int shown_ = 0;
};

}  // namespace zarnel::qt
