// The window built from the layout table, and the Controls interface over its widgets.
#pragma once

#include <map>
#include <vector>

#include "ui/qt/label_sizes.h"
#include "window/controls.h"
#include "window/element_map.h"
#include "window/layout.h"

class QAction;
class QComboBox;
class QPushButton;
class QSlider;
class QTimer;
class QWidget;

namespace zarnel::qt {

class MainWindow;
class PictureBox;
class TabControl;

class QtControls : public Controls {
  public:
    // Builds the window and every control; the window owns them all.
    explicit QtControls(MainWindow& window);

    MainWindow& window() const { return window_; }
    // The widget of a control (element `index` of an array); none for the menu items and
    // the timer.
    QWidget* widget(Ctl ctl, int index = 0) const;
    TabControl& tabControl() const;
    PictureBox& pictureBox(Ctl ctl, int index = 0) const;
    QAction& menuItem(Ctl ctl) const;
    QComboBox& comboBox(Ctl ctl) const;
    QSlider& slider() const;
    QPushButton& button(Ctl ctl) const;
    QTimer& timer() const { return *timer_; }
    bool ended() const { return ended_; }

    std::string text(Ctl ctl, int index = 0) const override;
    void setText(Ctl ctl, std::string_view text, int index = 0) override;
    void addItem(Ctl list, std::string_view entry) override;
    void clear(Ctl list) override;
    std::vector<std::string> items(Ctl list) const override;
    int listIndex(Ctl ctl) const override;
    void setListIndex(Ctl ctl, int index) override;
    void setDrives(const std::vector<std::string>& entries, int selected) override;
    bool timerEnabled() const override;
    void setTimerEnabled(bool on) override;
    int timerInterval() const override;
    void setTimerInterval(int milliseconds) override;
    int sliderValue() const override;
    void messageBox(std::string_view text, MessageIcon icon, std::string_view title) override;
    void load(Ctl array, int index) override;
    int count(Ctl array) const override;
    std::vector<int> indices(Ctl ctl) const override;
    Geometry geometry(Ctl ctl, int index = 0) const override;
    void setGeometry(Ctl ctl, const Geometry& geometry, int index = 0) override;
    bool visible(Ctl ctl, int index = 0) const override;
    void setVisible(Ctl ctl, bool visible, int index = 0) override;
    void setBackColor(Ctl ctl, Colour colour, int index = 0) override;
    void setAlignment(Ctl ctl, Align align, int index = 0) override;
    void setAutoSize(Ctl ctl, bool on, int index = 0) override;
    void bringToFront(Ctl ctl, int index = 0) override;
    Picture& picture(Ctl ctl) override;
    float twipsPerPixelX() const override;
    std::intptr_t hWnd() const override;
    void endProgram() override;

  private:
    struct Element {
        QWidget* widget = nullptr;
        Geometry geometry;  // twips as last set, kept exactly
        bool autoSize = false;
    };

    void build(const LayoutRow& row);
    QWidget* parentFor(const LayoutRow& row) const;
    void place(Element& element);
    void fit(Element& element);
    void applyTabOrder();

    MainWindow& window_;
    TabControl* tabs_ = nullptr;
    QTimer* timer_ = nullptr;
    std::map<Ctl, QAction*> menuItems_;
    ElementMap<Element> elements_;
    LabelSizes labelSizes_;
    bool ended_ = false;
};

}  // namespace zarnel::qt
