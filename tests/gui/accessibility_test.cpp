// The real window as a screen reader walks it: every figure named, decoration left out.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <set>

#include "app/form1.h"
#include "platform/fake/fake_platform.h"
#include "ui/qt/events.h"
#include "ui/qt/main_window.h"
#include "ui/qt/qt_controls.h"

namespace zarnel {
namespace {

constexpr std::uint64_t kTotal = 4'095'000'000;
constexpr std::uint64_t kAvailable = 1'180'000'000;

// Roles that only hold other objects; everything else must say what it is.
bool isContainer(QAccessible::Role role) {
    static const std::set<QAccessible::Role> kContainers = {
        QAccessible::Client, QAccessible::Grouping,    QAccessible::Pane,
        QAccessible::Window, QAccessible::PageTabList, QAccessible::MenuBar,
    };
    return kContainers.contains(role);
}

struct Node {
    QAccessibleInterface* iface;
    QObject* object;
    QString name;
    QAccessible::Role role;
};

void walk(QAccessibleInterface* iface, std::vector<Node>& nodes) {
    nodes.push_back({iface, iface->object(), iface->text(QAccessible::Name), iface->role()});
    for (int i = 0; i < iface->childCount(); ++i) {
        QAccessibleInterface* child = iface->child(i);
        ASSERT_NE(child, nullptr) << i << " of " << nodes.back().name.toStdString();
        walk(child, nodes);
    }
}

class AccessibleWindow : public ::testing::Test {
  protected:
    AccessibleWindow() : controls(window), form(controls, platform) {
        platform.records.memory.ullTotalPhys = kTotal;
        platform.records.memory.ullAvailPhys = kAvailable;
        qt::startForm(controls, platform, form);
        controls.timer().stop();
        walk(QAccessible::queryAccessibleInterface(&window), nodes);
    }

    const Node& nodeOf(Ctl ctl) const {
        QObject* widget = controls.widget(ctl);
        for (const Node& node : nodes)
            if (node.object == widget) return node;
        throw std::out_of_range(std::string(ctlName(ctl)) + " is not in the tree");
    }
    std::string nameOf(Ctl ctl) const { return nodeOf(ctl).name.toStdString(); }

    FakePlatform platform;
    qt::MainWindow window;
    qt::QtControls controls;
    Form1 form;
    std::vector<Node> nodes;
};

TEST_F(AccessibleWindow, FieldsAndListsAreNamedByTheirRowLabelOrFrame) {
    const struct {
        Ctl field;
        const char* name;
    } cases[] = {
        {Ctl::Text23, "メモリ使用率"},
        {Ctl::Text24, "使用メモリ"},
        {Ctl::Text25, "空きメモリ"},
        {Ctl::Text26, "総メモリ"},
        {Ctl::Text27, "使用中"},
        {Ctl::Text28, "空き"},
        {Ctl::Text1, "コンピュータ名："},
        {Ctl::Text5, "充電："},
        {Ctl::Text7, "残留/完全充電："},
        {Ctl::Text15, "空き容量："},
        {Ctl::List4, "属性："},
        {Ctl::List2, "プロセッサ情報を取得"},
        {Ctl::List3, "ＢＩＯＳ情報を取得"},
        {Ctl::Slider1, "線グラフ時間スピード変化"},
    };
    for (const auto& c : cases)
        EXPECT_NE(nameOf(c.field).find(c.name), std::string::npos)
            << ctlName(c.field) << " reads as " << nameOf(c.field);
    // Two fields of one row do not read alike.
    EXPECT_NE(nameOf(Ctl::Text4), nameOf(Ctl::Text5));
    EXPECT_NE(nameOf(Ctl::Text6), nameOf(Ctl::Text7));
}

// "Labelled by", as a screen reader follows it; a drop-down is named by its entry on this
// desktop and read out with the label it is labelled by.
TEST_F(AccessibleWindow, RowLabelOrFrameLabelsTheControl) {
    const struct {
        Ctl control;
        Ctl label;
    } cases[] = {
        {Ctl::Text24, Ctl::Label25},
        {Ctl::Text27, Ctl::Label31},
        {Ctl::Drive1, Ctl::Label13},
        {Ctl::Combo1, Ctl::Frame4},
        // A row of two fields: the first is labelled by the row's label.
        {Ctl::Text4, Ctl::Label6},
        {Ctl::Text6, Ctl::Label8},
    };
    for (const auto& c : cases) {
        std::vector<QObject*> labels;
        for (const auto& [label, relation] : nodeOf(c.control).iface->relations(QAccessible::Label))
            labels.push_back(label->object());
        EXPECT_NE(std::find(labels.begin(), labels.end(), controls.widget(c.label)), labels.end())
            << ctlName(c.control);
    }
    EXPECT_EQ(nameOf(Ctl::Drive1), controls.text(Ctl::Drive1));
}

// A screen reader entering a frame says which it is: the line graph's as well as the others.
TEST_F(AccessibleWindow, FramesAreGroupsNamedByTheirCaptions) {
    const struct {
        Ctl frame;
        const char* caption;
    } cases[] = {
        {Ctl::Frame3, "メモリ情報"}, {Ctl::Frame10, "円グラフ"}, {Ctl::Frame9, "線グラフ"}};
    for (const auto& c : cases) {
        EXPECT_EQ(nameOf(c.frame), c.caption) << ctlName(c.frame);
        EXPECT_EQ(nodeOf(c.frame).role, QAccessible::Grouping) << ctlName(c.frame);
    }
}

// A screen reader places each object by its index in its parent: the containers that leave
// the grid lines out give each member the index it is listed at.
TEST_F(AccessibleWindow, EveryObjectSitsAtItsIndexInItsParent) {
    std::size_t checked = 0;
    for (const Node& node : nodes) {
        for (int i = 0; i < node.iface->childCount(); ++i) {
            EXPECT_EQ(node.iface->indexOfChild(node.iface->child(i)), i)
                << node.object->metaObject()->className() << " " << node.name.toStdString();
            ++checked;
        }
    }
    EXPECT_GT(checked, 100U);
}

TEST_F(AccessibleWindow, FieldsStayEditable) {
    EXPECT_TRUE(nodeOf(Ctl::Text24).iface->state().editable);
    EXPECT_FALSE(nodeOf(Ctl::Text24).iface->state().readOnly);
}

TEST_F(AccessibleWindow, PieAndGraphSayWhatTheyShow) {
    // 4095 MB in all, 1180 free: 2915 used, 71 per cent.
    EXPECT_EQ(nameOf(Ctl::Picture4), "使用中 2915 MB (71%)、空き 1180 MB (29%)");
    EXPECT_EQ(nameOf(Ctl::Picture1), "使用メモリ 2915 MB、時間 0〜16");
    EXPECT_EQ(nodeOf(Ctl::Picture4).role, QAccessible::Chart);
}

TEST_F(AccessibleWindow, EachAxisIsOneObjectWhoseTextFollowsTheLabels) {
    EXPECT_EQ(nameOf(Ctl::lblX), "時間軸 0〜16");
    EXPECT_EQ(nameOf(Ctl::lblY), "メモリ軸 (MB) 0〜4100");
    for (const Ctl axis : {Ctl::lblX, Ctl::lblY}) {
        for (const int index : controls.indices(axis)) {
            if (index == 0) continue;
            QObject* element = controls.widget(axis, index);
            EXPECT_TRUE(std::none_of(nodes.begin(), nodes.end(),
                                     [element](const Node& n) { return n.object == element; }))
                << ctlName(axis) << "(" << index << ") is in the tree";
        }
    }
    // A renumbering as the scrolling chart does it: every time label shifts on by seven.
    for (const int index : controls.indices(Ctl::lblX))
        controls.setText(Ctl::lblX, std::to_string(index + 7), index);
    EXPECT_EQ(nodeOf(Ctl::lblX).iface->text(QAccessible::Name), "時間軸 7〜23");
    EXPECT_EQ(nodeOf(Ctl::Picture1).iface->text(QAccessible::Name),
              "使用メモリ 2915 MB、時間 7〜23");
}

TEST_F(AccessibleWindow, NoGridLineAndNoUnnamedObjectOutsideContainers) {
    std::set<QObject*> gridLines;
    for (const Ctl lines : {Ctl::Picture2, Ctl::Picture3})
        for (const int index : controls.indices(lines))
            gridLines.insert(controls.widget(lines, index));
    ASSERT_GE(gridLines.size(), 30U);
    for (const Node& node : nodes) {
        EXPECT_FALSE(gridLines.contains(node.object)) << "a grid line is in the tree";
        // Qt's own parts of a control: its scroll bars, a drop-down's pop-up list.
        const QAccessibleInterface* parent = node.iface->parent();
        if (node.role == QAccessible::ScrollBar || parent->role() == QAccessible::ComboBox)
            continue;
        if (isContainer(node.role)) continue;
        EXPECT_FALSE(node.name.isEmpty())
            << "unnamed " << node.object->metaObject()->className() << " role " << node.role;
    }
}

}  // namespace
}  // namespace zarnel
