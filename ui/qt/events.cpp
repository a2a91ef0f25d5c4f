#include "ui/qt/events.h"

#include "app/form1.h"
#include "ui/qt/qt_controls.h"

namespace zarnel::qt {

// One line per handled event. The window offers: TabControl::tabSelected(previous),
// PictureBox::clicked, QAction::triggered (menu items), QComboBox::activated (Combo1, user
// picks only), QComboBox::currentIndexChanged (Drive1), QSlider::valueChanged,
// QTimer::timeout, QPushButton::clicked and MainWindow::closeRequested.
void startForm(QtControls&, Form1& form) {
    form.Form_Load();
}

}  // namespace zarnel::qt
