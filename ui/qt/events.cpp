#include "ui/qt/events.h"

#include <QComboBox>

#include "app/form1.h"
#include "ui/qt/qt_controls.h"

namespace zarnel::qt {

// One line per handled event. The window offers: TabControl::tabSelected(previous),
// PictureBox::clicked, QAction::triggered (menu items), QComboBox::activated (Combo1, user
// picks only), QComboBox::currentIndexChanged (Drive1), QSlider::valueChanged,
// QTimer::timeout, QPushButton::clicked and MainWindow::closeRequested.
void startForm(QtControls& controls, Form1& form) {
    form.fillDrive1();  // the drive list is filled as the window is built, before loading
    form.Form_Load();
    QObject::connect(&controls.comboBox(Ctl::Drive1), &QComboBox::currentIndexChanged,
                     [&form] { form.Drive1_Change(); });
    QObject::connect(&controls.comboBox(Ctl::Combo1), &QComboBox::activated,
                     [&form] { form.Combo1_Click(); });
}

}  // namespace zarnel::qt
