#include "tests/support/recording_controls.h"

#include <charconv>
#include <cstdio>
#include <stdexcept>

#include "window/layout.h"

namespace zarnel::testing {
namespace {

std::string colourText(Colour colour) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "#%06x", colour);
    return buffer;
}

// %g's six significant digits, with a decimal point whatever the locale: a test inside a Qt
// application runs in the user's locale, where the point may be a comma.
std::string number(float value) {
    constexpr int kSignificantDigits = 6;
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                       std::chars_format::general, kSignificantDigits);
    return std::string(buffer, written.ptr);
}

// Counts characters, not bytes, of UTF-8 text.
std::size_t characters(std::string_view text) {
    std::size_t count = 0;
    for (char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

}  // namespace

void RecordingPicture::setAutoRedraw(bool on) {
    autoRedraw = on;
    operations.push_back(on ? "autoredraw on" : "autoredraw off");
}

void RecordingPicture::setBackColor(Colour colour) {
    backColor = colour;
    operations.push_back("clear " + colourText(colour));
}

void RecordingPicture::setFillColor(Colour colour) {
    fillColor = colour;
}

void RecordingPicture::lineTo(float toX, float toY, Colour colour) {
    operations.push_back("line " + number(x) + "," + number(y) + "-" + number(toX) + "," +
                         number(toY) + " " + colourText(colour));
    x = toX;
    y = toY;
}

void RecordingPicture::pieWedge(float centreX, float centreY, float radius, float startAngle,
                                float endAngle) {
    operations.push_back("pie " + number(centreX) + "," + number(centreY) + " r" + number(radius) +
                         " " + number(startAngle) + ".." + number(endAngle) + " " +
                         colourText(fillColor));
}

void RecordingPicture::scroll(int dx, int dy, const PixelRect& scrollRect, const PixelRect&) {
    operations.push_back("scroll " + std::to_string(dx) + "," + std::to_string(dy) + " in " +
                         std::to_string(scrollRect.right) + "x" +
                         std::to_string(scrollRect.bottom));
}

RecordingControls::RecordingControls() {
    for (const LayoutRow& row : layoutTable()) {
        Element& e = elements_.add(row.name, 0);
        e.text = std::string(row.caption);
        e.geometry = {static_cast<float>(row.left), static_cast<float>(row.top),
                      static_cast<float>(row.width), static_cast<float>(row.height)};
        e.visible = row.visible;
        e.backColor = row.backColor.value_or(0);
        e.align = row.align;
        if (row.kind == Kind::ComboBox) {
            lists_[row.name].assign(row.entries.begin(), row.entries.end());
            listIndex_[row.name] = -1;
        }
        if (row.kind == Kind::Timer) {
            timerInterval_ = row.value;
            timerEnabled_ = row.enabled;
        }
        if (row.kind == Kind::Slider) sliderValue_ = row.value;
    }
}

std::string RecordingControls::text(Ctl ctl, int index) const {
    if (const auto list = lists_.find(ctl); list != lists_.end() && listIndex_.contains(ctl)) {
        const int selected = listIndex_.at(ctl);
        return selected < 0 ? std::string() : list->second.at(static_cast<std::size_t>(selected));
    }
    return elements_.at(ctl, index).text;
}

void RecordingControls::setText(Ctl ctl, std::string_view text, int index) {
    Element& e = elements_.at(ctl, index);
    e.text = std::string(text);
    if (e.autoSize) fit(e);
}

void RecordingControls::addItem(Ctl list, std::string_view entry) {
    lists_[list].emplace_back(entry);
}

void RecordingControls::clear(Ctl list) {
    lists_[list].clear();
    listIndex_[list] = -1;  // as a list box drops its selection with its entries
}

std::vector<std::string> RecordingControls::items(Ctl list) const {
    const auto it = lists_.find(list);
    return it == lists_.end() ? std::vector<std::string>() : it->second;
}

int RecordingControls::listIndex(Ctl ctl) const {
    const auto it = listIndex_.find(ctl);
    return it == listIndex_.end() ? -1 : it->second;
}

void RecordingControls::setListIndex(Ctl ctl, int index) {
    listIndex_[ctl] = index;
}

void RecordingControls::setDrives(const std::vector<std::string>& entries, int selected) {
    lists_[Ctl::Drive1] = entries;
    listIndex_[Ctl::Drive1] = selected;
    ++drivesFilled;
}

void RecordingControls::messageBox(std::string_view text, MessageIcon icon,
                                   std::string_view title) {
    messages.push_back({std::string(text), icon, std::string(title)});
}

void RecordingControls::load(Ctl array, int index) {
    Element copy = elements_.at(array, 0);
    copy.visible = false;
    elements_.add(array, index) = copy;
}

int RecordingControls::count(Ctl array) const {
    return elements_.count(array);
}

std::vector<int> RecordingControls::indices(Ctl ctl) const {
    return elements_.indices(ctl);
}

Geometry RecordingControls::geometry(Ctl ctl, int index) const {
    return elements_.at(ctl, index).geometry;
}

void RecordingControls::setGeometry(Ctl ctl, const Geometry& geometry, int index) {
    elements_.at(ctl, index).geometry = geometry;
}

bool RecordingControls::visible(Ctl ctl, int index) const {
    return elements_.at(ctl, index).visible;
}

void RecordingControls::setVisible(Ctl ctl, bool visible, int index) {
    elements_.at(ctl, index).visible = visible;
}

void RecordingControls::setBackColor(Ctl ctl, Colour colour, int index) {
    elements_.at(ctl, index).backColor = colour;
}

Colour RecordingControls::backColor(Ctl ctl, int index) const {
    return elements_.at(ctl, index).backColor;
}

void RecordingControls::setAlignment(Ctl ctl, Align align, int index) {
    elements_.at(ctl, index).align = align;
}

Align RecordingControls::alignment(Ctl ctl, int index) const {
    return elements_.at(ctl, index).align;
}

void RecordingControls::fit(Element& label) {
    label.geometry.width = kFittedCharWidth * static_cast<float>(characters(label.text));
}

void RecordingControls::setAutoSize(Ctl ctl, bool on, int index) {
    Element& e = elements_.at(ctl, index);
    e.autoSize = on;
    if (on) fit(e);
}

void RecordingControls::bringToFront(Ctl ctl, int index) {
    elements_.at(ctl, index);
}

Picture& RecordingControls::picture(Ctl ctl) {
    return pictures_[ctl];
}

float RecordingControls::twipsPerPixelX() const {
    return layout::kTwipsPerPixel;
}

std::intptr_t RecordingControls::hWnd() const {
    constexpr std::intptr_t kRecordedWindowHandle = 0x1234;
    return kRecordedWindowHandle;
}

}  // namespace zarnel::testing
