#include "tools/form-dump/kind_names.h"

namespace zarnel::tools {

std::string_view kindName(Kind kind) {
    switch (kind) {
        case Kind::Window:
            return "window";
        case Kind::MenuItem:
            return "menuItem";
        case Kind::TabControl:
            return "tabControl";
        case Kind::Frame:
            return "frame";
        case Kind::Label:
            return "label";
        case Kind::TextBox:
            return "textBox";
        case Kind::ListBox:
            return "listBox";
        case Kind::ComboBox:
            return "comboBox";
        case Kind::DriveList:
            return "driveList";
        case Kind::PictureBox:
            return "pictureBox";
        case Kind::CommandButton:
            return "commandButton";
        case Kind::Timer:
            return "timer";
        case Kind::Slider:
            return "slider";
    }
    return {};
}

}  // namespace zarnel::tools
