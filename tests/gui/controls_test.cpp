// The Qt window through the Controls interface: what the logic writes is what shows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTabBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <QTimer>
#include <QtTest/QTest>
#include <algorithm>
#include <memory>

#include "ui/qt/fonts.h"
#include "ui/qt/frame_box.h"
#include "ui/qt/main_window.h"
#include "ui/qt/picture_box.h"
#include "ui/qt/qt_controls.h"
#include "ui/qt/tab_control.h"
#include "ui/qt/units.h"

namespace zarnel {
namespace {

using qt::QtControls;

class ControlsTest : public ::testing::Test {
  protected:
    ControlsTest() : controls(window) {}

    qt::MainWindow window;
    QtControls controls;
};

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool seen = false;
    QString face;
};

// Closes the first modal box that appears, remembering what it showed.
void closeNextModal(SeenBox& seen) {
    QTimer::singleShot(10, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return closeNextModal(seen);
        seen = {box->windowTitle(), box->text(), box->icon(), true, box->font().family()};
        box->accept();
    });
}

TEST_F(ControlsTest, MessageBoxIsModalAndCanBeClosed) {
    const struct {
        MessageIcon icon;
        QMessageBox::Icon shown;
    } cases[] = {{MessageIcon::Information, QMessageBox::Information},
                 {MessageIcon::Error, QMessageBox::Critical}};
    for (const auto& c : cases) {
        SeenBox seen;
        closeNextModal(seen);
        controls.messageBox("電源の状態を取得できません。", c.icon, "エラー");
        ASSERT_TRUE(seen.seen);
        EXPECT_EQ(seen.title, QStringLiteral("エラー"));
        EXPECT_EQ(seen.text, QStringLiteral("電源の状態を取得できません。"));
        EXPECT_EQ(seen.icon, c.shown);
        // In the window's own Japanese face, not the desktop's Latin one.
        EXPECT_EQ(seen.face.toStdString(),
                  controls.widget(Ctl::Label31)->font().family().toStdString());
    }
}

TEST_F(ControlsTest, LoadedElementIsAHiddenCopyOfElementZero) {
    controls.setText(Ctl::lblX, "5");
    controls.setAlignment(Ctl::lblX, Align::Right);
    controls.load(Ctl::lblX, 1);
    EXPECT_EQ(controls.count(Ctl::lblX), 2);
    EXPECT_FALSE(controls.visible(Ctl::lblX, 1));
    EXPECT_EQ(controls.text(Ctl::lblX, 1), "5");
    const Geometry g = controls.geometry(Ctl::lblX, 1);
    const Geometry first = controls.geometry(Ctl::lblX);
    EXPECT_EQ(g.left, first.left);
    EXPECT_EQ(g.top, first.top);
    EXPECT_EQ(g.width, first.width);
    EXPECT_EQ(g.height, first.height);
    QWidget* copy = controls.widget(Ctl::lblX, 1);
    QWidget* original = controls.widget(Ctl::lblX);
    EXPECT_EQ(copy->parentWidget(), original->parentWidget());
    EXPECT_EQ(copy->font(), original->font());
    EXPECT_EQ(qobject_cast<QLabel*>(copy)->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_THROW(controls.load(Ctl::lblX, 1), std::invalid_argument);
}

TEST_F(ControlsTest, LoadedPictureKeepsTheTemplateColours) {
    controls.setBackColor(Ctl::Picture2, 0x005000);
    controls.load(Ctl::Picture2, 3);
    EXPECT_EQ(controls.pictureBox(Ctl::Picture2, 3).image().pixel(0, 0), qRgb(0, 0x50, 0));
}

TEST_F(ControlsTest, GeometryKeepsFractionalTwipsAndPlacesWholePixels) {
    const Geometry line{228.158f, 0, 10, 2775};
    controls.setGeometry(Ctl::Picture3, line);
    const Geometry back = controls.geometry(Ctl::Picture3);
    EXPECT_FLOAT_EQ(back.left, 228.158f);
    EXPECT_FLOAT_EQ(back.width, 10);
    EXPECT_EQ(controls.widget(Ctl::Picture3)->geometry(), QRect(15, 0, 1, 185));
}

TEST_F(ControlsTest, AutoSizedLabelFollowsItsCaption) {
    controls.setAutoSize(Ctl::lblY, true);
    controls.setText(Ctl::lblY, "1000");
    const float wide = controls.geometry(Ctl::lblY).width;
    controls.setText(Ctl::lblY, "1");
    const float narrow = controls.geometry(Ctl::lblY).width;
    EXPECT_LT(narrow, wide);
    EXPECT_EQ(narrow, static_cast<float>(controls.widget(Ctl::lblY)->width() * 15));
}

// A field's own right-click menu (to copy a figure) speaks the window's language: every
// command carries a Japanese character, where Qt's untranslated ones are plain ASCII.
TEST_F(ControlsTest, AFieldsCopyMenuIsInJapanese) {
    auto* field = qobject_cast<QLineEdit*>(controls.widget(Ctl::Text26));
    ASSERT_NE(field, nullptr);
    const std::unique_ptr<QMenu> menu(field->createStandardContextMenu());
    ASSERT_FALSE(menu->actions().isEmpty());
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator()) continue;
        const QString text = action->text();
        EXPECT_TRUE(std::any_of(text.begin(), text.end(), [](QChar c) {
            return c.unicode() > 0x7f;
        })) << text.toStdString();
    }
}

TEST_F(ControlsTest, SelectingFromCodeRaisesNoEvent) {
    QComboBox& folders = controls.comboBox(Ctl::Combo1);
    QComboBox& drives = controls.comboBox(Ctl::Drive1);
    QSignalSpy picked(&folders, &QComboBox::activated);
    QSignalSpy folderChanged(&folders, &QComboBox::currentIndexChanged);
    QSignalSpy driveChanged(&drives, &QComboBox::currentIndexChanged);
    controls.setListIndex(Ctl::Combo1, 0);
    controls.setDrives({"c: [/]", "d: [/home]"}, 1);
    EXPECT_EQ(picked.count() + folderChanged.count() + driveChanged.count(), 0);
    EXPECT_EQ(controls.text(Ctl::Combo1), "デスクトップ");
    EXPECT_EQ(controls.text(Ctl::Drive1), "d: [/home]");
    EXPECT_EQ(controls.listIndex(Ctl::Drive1), 1);
    EXPECT_EQ(controls.items(Ctl::Drive1), (std::vector<std::string>{"c: [/]", "d: [/home]"}));
}

// A control reads as what it shows now: the tab in front, the selected line, the folder picked
// by its name (the dump tool records these for every tab).
TEST_F(ControlsTest, TextIsWhatTheControlShowsNow) {
    controls.tabControl().setCurrentIndex(2);
    EXPECT_EQ(controls.text(Ctl::SSTab1), "ハードディスク");
    controls.addItem(Ctl::List2, "製造元：GenuineExample");
    controls.addItem(Ctl::List2, "名前：Example CPU");
    controls.setListIndex(Ctl::List2, 1);
    EXPECT_EQ(controls.text(Ctl::List2), "名前：Example CPU");
    controls.setText(Ctl::Combo1, "マイドキュメント");
    EXPECT_EQ(controls.comboBox(Ctl::Combo1).currentText(), QStringLiteral("マイドキュメント"));
}

TEST_F(ControlsTest, ListBoxAppendsAndClears) {
    controls.addItem(Ctl::List2, "製造元：GenuineExample");
    controls.addItem(Ctl::List2, "名前：Example CPU");
    EXPECT_EQ(controls.items(Ctl::List2),
              (std::vector<std::string>{"製造元：GenuineExample", "名前：Example CPU"}));
    controls.clear(Ctl::List2);
    EXPECT_TRUE(controls.items(Ctl::List2).empty());
}

// A line wider than its list is reached from the keyboard too: Left and Right scroll it, and
// where nothing is hidden the keys do what they did.
TEST_F(ControlsTest, ListBoxScrollsALongLineSidewaysFromTheKeyboard) {
    window.show();
    controls.tabControl().setCurrentIndex(3);
    controls.addItem(Ctl::List2, "製造元：GenuineExample");
    controls.addItem(Ctl::List2, "名前：" + std::string(120, 'X'));
    auto* list = qobject_cast<QListWidget*>(controls.widget(Ctl::List2));
    ASSERT_NE(list, nullptr);
    QApplication::processEvents();
    const QScrollBar* bar = list->horizontalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Right);
    EXPECT_GT(bar->value(), 0);
    QTest::keyClick(list, Qt::Key_Left);
    EXPECT_EQ(bar->value(), 0);
    QTest::keyClick(list, Qt::Key_Right, Qt::KeypadModifier);
    EXPECT_GT(bar->value(), 0);

    controls.clear(Ctl::List2);
    controls.addItem(Ctl::List2, "製造元：GenuineExample");
    QApplication::processEvents();
    ASSERT_EQ(bar->maximum(), 0);
    QTest::keyClick(list, Qt::Key_Right);
    EXPECT_EQ(bar->value(), 0);
}

TEST_F(ControlsTest, TimerStartsOffWithTheDesignedInterval) {
    EXPECT_FALSE(controls.timerEnabled());
    EXPECT_EQ(controls.timerInterval(), 300);
    controls.setTimerInterval(5);
    controls.setTimerEnabled(true);
    EXPECT_TRUE(controls.timerEnabled());
    EXPECT_EQ(controls.timer().interval(), 5);
    EXPECT_EQ(controls.sliderValue(), 300);
}

TEST_F(ControlsTest, ClickOnThePieCountsButNotOnItsLegend) {
    window.show();
    QSignalSpy clicks(&controls.pictureBox(Ctl::Picture4), &qt::PictureBox::clicked);
    QTest::mouseClick(controls.widget(Ctl::Label31), Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 0);
    QTest::mouseClick(controls.pictureBox(Ctl::Picture4).surface(), Qt::LeftButton, {},
                      QPoint(20, 20));
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(ControlsTest, SelectingATabReportsThePreviousOneAndShowsItsPage) {
    window.show();
    QSignalSpy selected(&controls.tabControl(), &qt::TabControl::tabSelected);
    controls.tabControl().setCurrentIndex(2);
    ASSERT_EQ(selected.count(), 1);
    EXPECT_EQ(selected.at(0).at(0).toInt(), 0);
    EXPECT_TRUE(controls.widget(Ctl::Frame8)->isVisible());
    EXPECT_FALSE(controls.widget(Ctl::Frame3)->isVisible());
}

// From any control, as in every tabbed desktop program; round the ends, back as well as on.
TEST_F(ControlsTest, ControlTabAndControlPageKeysSwitchTabs) {
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    qt::TabControl& tabs = controls.tabControl();
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int from;
        int to;
    } cases[] = {
        {Qt::Key_Tab, Qt::ControlModifier, 0, 1},
        {Qt::Key_PageDown, Qt::ControlModifier, 1, 2},
        {Qt::Key_Tab, Qt::ControlModifier, 3, 0},
        {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 0, 3},
        // What a keyboard's Ctrl+Shift+Tab is matched as, native key and all.
        {Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier, 1, 0},
        {Qt::Key_PageUp, Qt::ControlModifier, 2, 1},
        // The slider takes PageDown for itself, but not with Ctrl.
        {Qt::Key_PageDown, Qt::ControlModifier, 0, 1},
    };
    for (const auto& c : cases) {
        tabs.setCurrentIndex(c.from);
        QWidget* focus = c.from == 0 ? controls.widget(Ctl::Slider1) : tabs.tabBar();
        focus->setFocus();
        QTest::keyClick(focus, c.key, c.modifiers);
        EXPECT_EQ(tabs.currentIndex(), c.to) << c.from << " key " << c.key;
    }
    EXPECT_EQ(controls.sliderValue(), layoutRow(Ctl::Slider1).value);
}

// Tab leaves the folder's path field for the next control, as it leaves every other field,
// and the path stays as it was.
TEST_F(ControlsTest, TabLeavesTheFolderPathFieldUnchanged) {
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    controls.tabControl().setCurrentIndex(2);
    controls.setText(Ctl::Text8, "/home/hanako/デスクトップ");
    QWidget* path = controls.widget(Ctl::Text8);
    path->setFocus();
    QTest::keyClick(path, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), controls.widget(Ctl::Command2));
    EXPECT_EQ(controls.text(Ctl::Text8), "/home/hanako/デスクトップ");
}

// Whatever face stands in for the captions, each tab lies within the designed strip and is
// tall enough for its caption's line.
TEST_F(ControlsTest, EveryTabCaptionShowsWholeInTheStrip) {
    window.show();
    QApplication::processEvents();
    const QTabBar& bar = *controls.tabControl().tabBar();
    ASSERT_EQ(bar.height(), qt::toPixels(layout::kTabStripHeight));
    for (int i = 0; i < bar.count(); ++i) {
        const QRect tab = bar.tabRect(i);
        EXPECT_TRUE(bar.rect().contains(tab)) << i << ": tab height " << tab.height();
        EXPECT_LE(QFontMetrics(bar.font()).height(), tab.height()) << i;
    }
}

// The room above a frame's first control is about one em: a caption centred in the line of a
// face with a tall line reached down into it. Placed by its ink, it keeps within its own
// height from the top edge, whatever the face's line.
TEST(FrameCaption, InkKeepsWithinItsOwnHeightFromTheTop) {
    // Capitals have a line far taller than their ink in any face.
    const QString caption = QStringLiteral("ABC");
    qt::FrameBox frame(caption, nullptr);
    QPalette palette = frame.palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    frame.setPalette(palette);
    frame.resize(300, 80);
    for (const int pixels : {12, 15, 20}) {
        QFont font = frame.font();
        font.setPixelSize(pixels);
        frame.setFont(font);
        const QImage image = frame.grab().toImage();
        const int inkHeight = QFontMetrics(font).tightBoundingRect(caption).height();
        int lowest = -1;
        const int captionRight = QFontMetrics(font).horizontalAdvance(caption);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 4; x < captionRight; ++x) {
                if (qGray(image.pixel(x, y)) < 128) lowest = std::max(lowest, y);
            }
        }
        ASSERT_GE(lowest, 0) << pixels << " px: no caption drawn";
        EXPECT_LT(lowest, inkHeight) << pixels << " px";
    }
}

// A tab away, or the box hidden by the program, clears a box without a persistent image (the
// tab's click has it drawn again); a minimise does not, nor the window shrinking into scroll
// bars, as nothing draws it again then.
TEST_F(ControlsTest, PieWithoutPersistentImageIsGoneWhenPutAwayNotWhenTheWindowMinimisesOrShrinks) {
    const struct {
        bool autoRedraw;
        QRgb afterReturn;
    } cases[] = {{false, qRgb(0, 0, 0)}, {true, qRgb(0, 255, 255)}};
    window.show();
    for (const auto& c : cases) {
        qt::PictureBox& pie = controls.pictureBox(Ctl::Picture4);
        pie.setAutoRedraw(c.autoRedraw);
        pie.setBackColor(0x000000);
        pie.pieWedge(600, 600, 450, 0, 6.28f);
        controls.tabControl().setCurrentIndex(1);
        controls.tabControl().setCurrentIndex(0);
        EXPECT_EQ(pie.image().pixel(30, 50), c.afterReturn) << c.autoRedraw;
    }
    qt::PictureBox& pie = controls.pictureBox(Ctl::Picture4);
    pie.setAutoRedraw(false);
    pie.pieWedge(600, 600, 450, 0, 6.28f);
    window.showMinimized();
    QApplication::processEvents();
    window.showNormal();
    QApplication::processEvents();
    EXPECT_EQ(pie.image().pixel(30, 50), qRgb(0, 255, 255));

    window.resize(window.client()->width() / 2, window.client()->height() / 2);
    QApplication::processEvents();
    ASSERT_NE(window.centralWidget(), window.client()) << "the client moved into a scroll area";
    EXPECT_EQ(pie.image().pixel(30, 50), qRgb(0, 255, 255));

    controls.setVisible(Ctl::Picture4, false);
    controls.setVisible(Ctl::Picture4, true);
    EXPECT_EQ(pie.image().pixel(30, 50), qRgb(0, 0, 0));
}

TEST_F(ControlsTest, WindowHasItsIconAtEverySizeOnceShownAndAHandle) {
    window.show();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !window.windowIcon().isNull(); }));
    const QIcon icon = window.windowIcon();
    const QList<QSize> sizes = icon.availableSizes();
    for (const int side : {16, 22, 24, 32, 48, 64, 128})
        EXPECT_TRUE(sizes.contains(QSize(side, side))) << side;
    // The theme's larger icons stay out of the window's own property.
    EXPECT_FALSE(sizes.contains(QSize(256, 256)));
    EXPECT_NE(controls.hWnd(), 0);
    EXPECT_EQ(controls.text(Ctl::Form1), "Form1");
    EXPECT_EQ(controls.text(Ctl::book), "Book");
    EXPECT_EQ(controls.text(Ctl::SSTab1), "メモリ");
}

// The folder's path field is two lines high, and both lines of a path that wraps show whole:
// Qt's usual margins, or a face with a tall line spacing (Noto's Japanese Gothic, the usual one
// on many desktops), would cut the second in half.
TEST_F(ControlsTest, BothLinesOfTheFolderPathShowWhole) {
    constexpr int kDiskTab = 2;
    controls.tabControl().setCurrentIndex(kDiskTab);
    window.show();
    auto* field = qobject_cast<QPlainTextEdit*>(controls.widget(Ctl::Text8));
    ASSERT_NE(field, nullptr);
    std::string path = "/home/user";
    for (int folder = 0; folder < 6; ++folder) path += "/a-long-folder-name";
    controls.setText(Ctl::Text8, path);
    field->grab();  // laid out as it is drawn
    const QTextLayout* lines = field->document()->firstBlock().layout();
    ASSERT_GE(lines->lineCount(), 2) << "the path does not wrap";
    QTextCursor secondLine(field->document());
    secondLine.setPosition(lines->lineAt(1).textStart());
    const int secondBottom = field->cursorRect(secondLine).bottom();
    EXPECT_LE(secondBottom, field->viewport()->height());
    const auto bothLinesFit = [field] {
        return 2 * QFontMetrics(field->font()).lineSpacing() <=
               field->viewport()->height() - 2 * field->document()->documentMargin();
    };
    EXPECT_TRUE(bothLinesFit());

    // Where the face's lines are too tall for the field (as Noto's are for its laid-out
    // height), the face is made smaller until both fit.
    const QFont laidOut = field->font();
    field->resize(field->width(), field->height() * 2 / 3);
    EXPECT_TRUE(bothLinesFit());
    EXPECT_LT(field->font().pointSizeF(), laidOut.pointSizeF());
}

// The folder shown again unchanged (a late answer shows the chosen folder again) leaves the
// reader's place in the path where it was; a new path starts at its beginning.
TEST_F(ControlsTest, TheFolderPathShownAgainKeepsTheCaret) {
    auto* field = qobject_cast<QPlainTextEdit*>(controls.widget(Ctl::Text8));
    ASSERT_NE(field, nullptr);
    controls.setText(Ctl::Text8, "/home/user/Desktop");
    field->moveCursor(QTextCursor::End);
    const int end = field->textCursor().position();
    ASSERT_GT(end, 0);
    controls.setText(Ctl::Text8, "/home/user/Desktop");
    EXPECT_EQ(field->textCursor().position(), end);
    controls.setText(Ctl::Text8, "/home/user/Documents");
    EXPECT_EQ(field->textCursor().position(), 0);
}

// A desktop with a global menu would take the bar out of the window and, taking only menus with
// items, drop both of ours: they are plain items. (No global menu runs offscreen: what keeps it
// away is the application's setting, made before the bar.)
TEST_F(ControlsTest, MenuItemsStayInTheWindowsOwnBar) {
    EXPECT_TRUE(QCoreApplication::testAttribute(Qt::AA_DontUseNativeMenuBar));
    window.show();
    QMenuBar* bar = window.menuBar();
    EXPECT_FALSE(bar->isNativeMenuBar());
    for (const Ctl item : {Ctl::book, Ctl::game}) {
        EXPECT_FALSE(bar->actionGeometry(&controls.menuItem(item)).isEmpty())
            << controls.text(item);
    }
}

// Named by an alias, or by a face the machine lacks, each script of the captions costs Qt a
// second fallback search at start-up. The test machine has a Japanese Gothic installed.
// A Japanese locale lists the faces by their Japanese names: the name given must still be one
// of an installed face, not an alias of ours.
TEST(WindowFonts, AreNamedByTheInstalledFaceItself) {
    EXPECT_TRUE(QFontDatabase::hasFamily(qt::defaultFont().family()))
        << qt::defaultFont().family().toStdString();
    EXPECT_TRUE(QFontDatabase::hasFamily(qt::frameCaptionFont().family()))
        << qt::frameCaptionFont().family().toStdString();
}

// A theme plug-in (qt6ct) sets its own application font a moment after start-up.
TEST_F(ControlsTest, KeepTheirFaceWhenTheDesktopSetsTheApplicationFont) {
    const QFont before = QApplication::font();
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 14));
    QCoreApplication::processEvents();
    for (const Ctl ctl : {Ctl::Label31, Ctl::Label23, Ctl::Text23}) {
        EXPECT_EQ(controls.widget(ctl)->font(), qt::defaultFont()) << ctlName(ctl);
    }
    EXPECT_EQ(controls.tabControl().tabBar()->font(), qt::defaultFont());
    EXPECT_EQ(controls.widget(Ctl::Frame3)->font(), qt::frameCaptionFont());
    QApplication::setFont(before);
}

TEST_F(ControlsTest, ClosingAsksTheHandlersUnlessTheProgramEnded) {
    int asked = 0;
    QObject::connect(&window, &qt::MainWindow::closeRequested, [&asked] { ++asked; });
    window.show();
    window.close();
    EXPECT_EQ(asked, 1);
    window.show();
    controls.endProgram();
    EXPECT_TRUE(controls.ended());
    EXPECT_FALSE(controls.timerEnabled());
    window.close();
    EXPECT_EQ(asked, 1);
}

// Every caption shows whole in its label, whatever face stands in for the designed one.
TEST_F(ControlsTest, CaptionsFitTheirLabels) {
    for (const LayoutRow& row : layoutTable()) {
        if (row.kind != Kind::Label) continue;
        const auto* label = qobject_cast<QLabel*>(controls.widget(row.name));
        ASSERT_NE(label, nullptr) << ctlName(row.name);
        EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()),
                  label->contentsRect().width())
            << ctlName(row.name) << " " << row.caption;
    }
}

// The smallest type a figure is shrunk to, and a figure that fits no field at any size.
constexpr double kSmallestPoints = 4;
constexpr std::size_t kHopelesslyWide = 80;

// The pixels a line edit lays its text out in, as the style places it: its contents less its
// text margins and the two pixels Qt keeps free on either side.
int textArea(const QLineEdit& edit) {
    constexpr int kQtSideMargin = 2;
    QStyleOptionFrame option;
    option.initFrom(&edit);
    option.lineWidth = edit.hasFrame()
                           ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit)
                           : 0;
    option.state |= QStyle::State_Sunken;
    const QRect contents =
        edit.style()->subElementRect(QStyle::SE_LineEditContents, &option, &edit);
    const QMargins margins = edit.textMargins();
    return contents.width() - margins.left() - margins.right() - 2 * kQtSideMargin;
}

// Growing a digit at a time, a figure stays within the area its field lays text out in at
// every size above the smallest, and is drawn no smaller than that needs: half a point larger
// would not fit. One that fits at no size shows its start.
TEST_F(ControlsTest, FixedFieldsKeepEveryFigureInTheirTextAreaAndShowAHopelessOnesStart) {
    constexpr int kLongestFigure = 24;
    constexpr double kHalfPoint = 0.5;
    for (const Ctl field : {Ctl::Text28, Ctl::Text24, Ctl::Text16}) {
        auto& edit = *qobject_cast<QLineEdit*>(controls.widget(field));
        const double usual = edit.font().pointSizeF();
        std::string figure;
        for (int digits = 1; digits <= kLongestFigure; ++digits) {
            figure += static_cast<char>('0' + digits % 10);
            controls.setText(field, figure + "M");
            if (edit.font().pointSizeF() <= kSmallestPoints) break;
            EXPECT_LE(QFontMetrics(edit.font()).horizontalAdvance(edit.text()), textArea(edit))
                << ctlName(field) << " " << figure;
            if (edit.font().pointSizeF() >= usual) continue;
            QFont larger = edit.font();
            larger.setPointSizeF(edit.font().pointSizeF() + kHalfPoint);
            EXPECT_GT(QFontMetrics(larger).horizontalAdvance(edit.text()), textArea(edit))
                << ctlName(field) << " " << figure << " shrunk further than it needs";
        }
        controls.setText(field, std::string(kHopelesslyWide, '8') + "1");
        EXPECT_EQ(edit.cursorPosition(), 0) << ctlName(field);
    }
}

// A figure wider than its fixed field is drawn smaller, never cut; one that fits keeps the
// window's font.
TEST_F(ControlsTest, FiguresTooWideForTheirFieldShrinkInsteadOfBeingCut) {
    const struct {
        Ctl field;
        const char* fits;
        const char* tooWide;
    } fields[] = {{Ctl::Text28, "230M", "1500000M"},
                  {Ctl::lblY, "540", "1500000"}};  // a 1.5 TB server
    for (const auto& f : fields) {
        QWidget* widget = controls.widget(f.field);
        const QFont normal = widget->font();
        controls.setText(f.field, f.fits);
        EXPECT_EQ(widget->font().pointSizeF(), normal.pointSizeF()) << f.fits;

        controls.setText(f.field, f.tooWide);
        EXPECT_LT(widget->font().pointSizeF(), normal.pointSizeF()) << f.tooWide;
        const int shown = QFontMetrics(widget->font()).horizontalAdvance(f.tooWide);
        EXPECT_LE(shown, widget->width()) << f.tooWide;

        // One that no size fits stops at the smallest readable one.
        controls.setText(f.field, std::string(kHopelesslyWide, '8'));
        EXPECT_GE(widget->font().pointSizeF(), kSmallestPoints);

        controls.setText(f.field, f.fits);  // back to a short figure: back to the usual size
        EXPECT_EQ(widget->font().pointSizeF(), normal.pointSizeF()) << f.fits;
    }
}

}  // namespace
}  // namespace zarnel
