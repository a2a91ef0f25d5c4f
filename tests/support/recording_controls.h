// An in-memory window for the logic's tests: every control starts as the layout table
// describes it, and every write is kept so a test can read it back.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "window/controls.h"
#include "window/element_map.h"

namespace zarnel::testing {

struct ShownMessage {
    std::string text;
    MessageIcon icon;
    std::string title;
};

// Records each drawing call as a line ("line 0,1387.5-0,1579.06 #0000ff").
class RecordingPicture : public Picture {
  public:
    std::vector<std::string> operations;
    bool autoRedraw = false;
    Colour backColor = 0;
    Colour fillColor = 0;
    float x = 0;
    float y = 0;

    void setAutoRedraw(bool on) override;
    void setBackColor(Colour colour) override;
    void setFillColor(Colour colour) override;
    float currentX() const override { return x; }
    float currentY() const override { return y; }
    void setCurrentX(float value) override { x = value; }
    void setCurrentY(float value) override { y = value; }
    void lineTo(float toX, float toY, Colour colour) override;
    void pieWedge(float centreX, float centreY, float radius, float startAngle,
                  float endAngle) override;
    void scroll(int dx, int dy, const PixelRect& scrollRect, const PixelRect& clipRect) override;
};

class RecordingControls : public Controls {
  public:
    // Width a fitted label takes per character of its caption, in twips.
    static constexpr float kFittedCharWidth = 90;

    RecordingControls();

    std::vector<ShownMessage> messages;
    bool ended = false;
    int drivesFilled = 0;  // calls of setDrives: each refill closes an open list

    std::string text(Ctl ctl, int index = 0) const override;
    void setText(Ctl ctl, std::string_view text, int index = 0) override;
    void addItem(Ctl list, std::string_view entry) override;
    void clear(Ctl list) override;
    std::vector<std::string> items(Ctl list) const override;
    int listIndex(Ctl ctl) const override;
    void setListIndex(Ctl ctl, int index) override;
    void setDrives(const std::vector<std::string>& entries, int selected) override;
    bool timerEnabled() const override { return timerEnabled_; }
    void setTimerEnabled(bool on) override { timerEnabled_ = on; }
    int timerInterval() const override { return timerInterval_; }
    void setTimerInterval(int milliseconds) override { timerInterval_ = milliseconds; }
    int sliderValue() const override { return sliderValue_; }
    void setSliderValue(int value) { sliderValue_ = value; }
    void messageBox(std::string_view text, MessageIcon icon, std::string_view title) override;
    void load(Ctl array, int index) override;
    int count(Ctl array) const override;
    std::vector<int> indices(Ctl ctl) const override;
    Geometry geometry(Ctl ctl, int index = 0) const override;
    void setGeometry(Ctl ctl, const Geometry& geometry, int index = 0) override;
    bool visible(Ctl ctl, int index = 0) const override;
    void setVisible(Ctl ctl, bool visible, int index = 0) override;
    void setBackColor(Ctl ctl, Colour colour, int index = 0) override;
    Colour backColor(Ctl ctl, int index = 0) const;
    void setAlignment(Ctl ctl, Align align, int index = 0) override;
    Align alignment(Ctl ctl, int index = 0) const;
    void setAutoSize(Ctl ctl, bool on, int index = 0) override;
    void bringToFront(Ctl ctl, int index = 0) override;
    Picture& picture(Ctl ctl) override;
    RecordingPicture& recordedPicture(Ctl ctl) { return pictures_[ctl]; }
    float twipsPerPixelX() const override;
    std::intptr_t hWnd() const override;
    void endProgram() override { ended = true; }

  private:
    struct Element {
        std::string text;
        Geometry geometry;
        bool visible = true;
        Colour backColor = 0;
        Align align = Align::Left;
        bool autoSize = false;
    };
    void fit(Element& label);

    ElementMap<Element> elements_;
    std::map<Ctl, std::vector<std::string>> lists_;
    std::map<Ctl, int> listIndex_;
    std::map<Ctl, RecordingPicture> pictures_;
    bool timerEnabled_ = false;
    int timerInterval_ = 0;
    int sliderValue_ = 0;
};

}  // namespace zarnel::testing
