#include "ui/qt/widget_factory.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <stdexcept>

#include "ui/qt/caption_label.h"
#include "ui/qt/colours.h"
#include "ui/qt/fonts.h"
#include "ui/qt/frame_box.h"
#include "ui/qt/list_box.h"
#include "ui/qt/multi_line_field.h"
#include "ui/qt/picture_box.h"
#include "ui/qt/tab_control.h"
#include "ui/qt/units.h"
#include "ui/qt/wheel_focus.h"

namespace zarnel::qt {
namespace {

// The one multi-line field, the chosen folder's path, is laid out two lines high.
constexpr int kMultiLineRows = 2;

Qt::Alignment horizontal(Align align) {
    switch (align) {
        case Align::Right:
            return Qt::AlignRight;
        case Align::Center:
            return Qt::AlignHCenter;
        case Align::Left:
            break;
    }
    return Qt::AlignLeft;
}

QWidget* createTextBox(const LayoutRow& row, QWidget* parent) {
    if (row.multiLine) return new MultiLineField(toQString(row.caption), kMultiLineRows, parent);
    auto* edit = new QLineEdit(toQString(row.caption), parent);
    // Filled with its container's colour under the rounded edge, so the field counts as opaque:
    // the memory figures change at every tick, and a see-through field repaints the frame, the
    // tabs and the window beneath it each time.
    edit->setAutoFillBackground(true);
    return edit;
}

QWidget* createList(const LayoutRow& row, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    for (const std::string_view entry : row.entries) combo->addItem(toQString(entry));
    combo->setCurrentIndex(-1);
    takeTheWheelOnlyWithFocus(*combo);
    return combo;
}

QWidget* createSlider(const LayoutRow& row, QWidget* parent) {
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setRange(row.minimum, row.maximum);
    slider->setValue(row.value);
    // Page Up, Page Down and a click in the groove move a fifth of the way, as on Windows: Qt's
    // ten steps would take a hundred presses to cross the range.
    constexpr int kPagesPerRange = 5;
    slider->setPageStep((row.maximum - row.minimum) / kPagesPerRange);
    // A drag changes the value once, where the thumb is let go: the places it passes on the
    // way are no choice of speed.
    slider->setTracking(false);
    takeTheWheelOnlyWithFocus(*slider);
    return slider;
}

QWidget* createPictureBox(const LayoutRow& row, QWidget* parent) {
    auto* box = new PictureBox(row.flat, parent);
    if (row.backColor) box->setBackColor(*row.backColor);
    if (row.foreColor) box->setForeColor(*row.foreColor);
    if (row.fillColor) box->setFillColor(*row.fillColor);
    return box;
}

QWidget* createBare(const LayoutRow& row, QWidget* parent) {
    switch (row.kind) {
        case Kind::TabControl:
            return new TabControl(tabCaptions(), toPixels(layout::kTabStripHeight), parent);
        case Kind::Frame:
            return new FrameBox(toQString(row.caption), parent);
        case Kind::Label: {
            auto* label = new CaptionLabel(toQString(row.caption), parent);
            // Captions are plain text: no rich-text sniffing at every change.
            label->setTextFormat(Qt::PlainText);
            // A label takes its own clicks, so they never count as a click on its container.
            label->setAttribute(Qt::WA_NoMousePropagation);
            return label;
        }
        case Kind::TextBox:
            return createTextBox(row, parent);
        case Kind::ListBox:
            return new ListBox(parent);
        case Kind::ComboBox:
        case Kind::DriveList:
            return createList(row, parent);
        case Kind::PictureBox:
            return createPictureBox(row, parent);
        case Kind::CommandButton:
            return new QPushButton(toQString(row.caption), parent);
        case Kind::Slider:
            return createSlider(row, parent);
        case Kind::Window:
        case Kind::MenuItem:
        case Kind::Timer:
            break;
    }
    throw std::logic_error("no widget for " + std::string(ctlName(row.name)));
}

}  // namespace

QWidget* createWidget(const LayoutRow& row, QWidget* parent) {
    QWidget* widget = createBare(row, parent);
    useFont(*widget, row.font == FontRole::FrameCaption ? frameCaptionFont() : defaultFont());
    applyAlignment(widget, row.align);
    if (row.backColor && row.kind != Kind::PictureBox) applyBackColour(widget, *row.backColor);
    if (row.foreColor && row.kind != Kind::PictureBox) {
        const QColor colour = toQColor(*row.foreColor, *widget);
        QPalette palette = widget->palette();
        palette.setColor(QPalette::WindowText, colour);
        palette.setColor(QPalette::Text, colour);
        widget->setPalette(palette);
    }
    return widget;
}

void applyBackColour(QWidget* widget, Colour colour) {
    if (auto* box = qobject_cast<PictureBox*>(widget)) {
        box->setBackColor(colour);
        return;
    }
    const QColor value = toQColor(colour, *widget);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, value);
    palette.setColor(QPalette::Base, value);
    palette.setColor(QPalette::Text, readableOn(value, palette.color(QPalette::Text)));
    palette.setColor(QPalette::WindowText, readableOn(value, palette.color(QPalette::WindowText)));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void applyAlignment(QWidget* widget, Align align) {
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setAlignment(horizontal(align) | Qt::AlignTop);
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setAlignment(horizontal(align) | Qt::AlignVCenter);
    }
}

}  // namespace zarnel::qt
