// The real window, as form-dump sees it, against the layout it is built from.
#include <gtest/gtest.h>

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QJsonArray>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>

#include "tests/gui/form_dump_runner.h"
#include "ui/qt/fonts.h"
#include "ui/qt/units.h"
#include "window/layout.h"

namespace zarnel {
namespace {

using testing::findControl;
using testing::runFormDump;
using testing::scenarioFile;

constexpr int kTabStops = 85;

// One run per set of arguments, shared by the tests that read it.
const QJsonObject& dumpOf(const QStringList& extra = {}) {
    static std::map<QStringList, QJsonObject> runs;
    const auto found = runs.find(extra);
    if (found != runs.end()) return found->second;
    const QStringList arguments =
        QStringList{QStringLiteral("--scenario"), scenarioFile("power_fails.scenario")} + extra;
    return runs.emplace(extra, runFormDump(arguments)).first->second;
}

const QJsonObject& dumpOfTab(int tab) {
    return dumpOf({QStringLiteral("--tab"), QString::number(tab)});
}

QString nameOf(Ctl ctl) {
    return qt::toQString(ctlName(ctl));
}

QJsonObject control(const QJsonObject& dump, Ctl ctl) {
    const auto found = findControl(dump, nameOf(ctl));
    EXPECT_TRUE(found) << ctlName(ctl) << " is missing";
    return found.value_or(QJsonObject{});
}

QJsonObject rect(double left, double top, double width, double height) {
    return {{"left", left}, {"top", top}, {"width", width}, {"height", height}};
}

bool hasWidget(Kind kind) {
    return kind != Kind::MenuItem && kind != Kind::Timer && kind != Kind::Window;
}

bool keepsCaption(Kind kind) {
    return kind == Kind::Label || kind == Kind::Frame || kind == Kind::CommandButton ||
           kind == Kind::MenuItem;
}

TEST(LayoutDump, EveryControlSitsInItsContainerWhereTheLayoutPutsIt) {
    const QJsonObject& dump = dumpOf();
    for (const LayoutRow& row : layoutTable()) {
        SCOPED_TRACE(ctlName(row.name));
        const QJsonObject entry = control(dump, row.name);
        EXPECT_EQ(entry["container"].toString(), row.container ? nameOf(*row.container) : "");
        if (!hasWidget(row.kind)) continue;
        EXPECT_EQ(entry["twips"].toObject(), rect(row.left, row.top, row.width, row.height));
    }
}

TEST(LayoutDump, CaptionsAndEntriesAreTheDesignedOnes) {
    const QJsonObject& dump = dumpOf();
    EXPECT_EQ(dump["title"].toString(), QStringLiteral("Form1"));
    QJsonArray captions;
    for (const std::string_view caption : tabCaptions()) captions.append(qt::toQString(caption));
    EXPECT_EQ(dump["tabCaptions"].toArray(), captions);
    for (const LayoutRow& row : layoutTable()) {
        SCOPED_TRACE(ctlName(row.name));
        const QJsonObject entry = control(dump, row.name);
        if (keepsCaption(row.kind)) {
            EXPECT_EQ(entry["text"].toString(), qt::toQString(row.caption));
        }
        if (row.kind != Kind::ComboBox) continue;
        QJsonArray entries;
        for (const std::string_view e : row.entries) entries.append(qt::toQString(e));
        EXPECT_EQ(entry["items"].toArray(), entries);
    }
}

TEST(LayoutDump, ClientAreaHasTheDesignedSize) {
    const QJsonObject form = control(dumpOf(), Ctl::Form1);
    EXPECT_EQ(form["px"].toObject(), rect(0, 0, layout::kClientWidth / layout::kTwipsPerPixel,
                                          layout::kClientHeight / layout::kTwipsPerPixel));
}

TEST(LayoutDump, TabOrderUsesEachNumberOnce) {
    std::vector<int> orders;
    for (const QJsonValue& value : dumpOf()["controls"].toArray()) {
        const int order = value.toObject()["tabOrder"].toInt();
        if (order != kNoTabOrder) orders.push_back(order);
    }
    std::sort(orders.begin(), orders.end());
    std::vector<int> expected(kTabStops);
    std::iota(expected.begin(), expected.end(), 0);
    EXPECT_EQ(orders, expected);
}

TEST(LayoutDump, TabKeyFollowsTheTabOrderAndReachesCommand2) {
    const QJsonObject& dump = dumpOfTab(2);
    const QJsonArray chain = dump["focusChain"].toArray();
    ASSERT_FALSE(chain.isEmpty());
    EXPECT_TRUE(chain.contains(QStringLiteral("Command2")));
    int previous = -1;
    for (const QJsonValue& name : chain) {
        const int order = findControl(dump, name.toString()).value()["tabOrder"].toInt();
        EXPECT_GT(order, previous) << name.toString().toStdString();
        previous = order;
    }
    EXPECT_FALSE(control(dump, Ctl::Command2)["onScreen"].toBool());
    EXPECT_TRUE(control(dump, Ctl::Command2)["visible"].toBool());
}

TEST(LayoutDump, ResizingTheWindowMovesNothing) {
    const QJsonObject& before = dumpOf();
    const QJsonObject& after = dumpOf({QStringLiteral("--resize"), QStringLiteral("800x700")});
    EXPECT_EQ(control(after, Ctl::Form1)["windowPx"].toObject()["width"].toInt(), 800);
    for (const LayoutRow& row : layoutTable()) {
        if (!hasWidget(row.kind)) continue;
        SCOPED_TRACE(ctlName(row.name));
        EXPECT_EQ(control(after, row.name)["windowPx"], control(before, row.name)["windowPx"]);
    }
}

TEST(LayoutDump, UnwrittenFieldsShowTheirOwnNames) {
    // The power query fails, so start-up stops before the folder and taskbar fields.
    const QJsonObject& dump = dumpOf();
    for (const Ctl field : {Ctl::Text8, Ctl::Text9, Ctl::Text10})
        EXPECT_EQ(control(dump, field)["text"].toString(), nameOf(field));
    EXPECT_EQ(control(dump, Ctl::Text1)["text"].toString(), QStringLiteral("ZARNELTEST"));
    EXPECT_EQ(control(dump, Ctl::Combo1)["listIndex"].toInt(), -1);
    EXPECT_FALSE(dump["timer"].toObject()["enabled"].toBool());
    EXPECT_EQ(dump["slider"].toInt(), layoutRow(Ctl::Slider1).value);
}

// The Japanese Gothic faces by their own names and, where installed, as the font database
// names them (in Japanese under a Japanese locale).
QStringList gothicFaceNames() {
    QStringList names;
    for (const QString face : {"IPAPGothic", "Noto Sans CJK JP", "VL PGothic"}) {
        names << face;
        if (QFontDatabase::hasFamily(face)) names << QFontInfo(QFont(face)).family();
    }
    return names;
}

TEST(LayoutDump, FrameCaptionsUseTheLargerJapaneseFace) {
    const QJsonObject& dump = dumpOf();
    for (const LayoutRow& row : layoutTable()) {
        if (!hasWidget(row.kind)) continue;
        SCOPED_TRACE(ctlName(row.name));
        const QJsonObject font = control(dump, row.name)["font"].toObject();
        const double points = row.font == FontRole::FrameCaption ? layout::kFrameFontPoints
                                                                 : qt::defaultFont().pointSizeF();
        // A caption too wide for its label in the installed face is set smaller ("0.005秒").
        if (row.kind == Kind::Label) {
            EXPECT_LE(font["pointSize"].toDouble(), points);
        } else {
            EXPECT_DOUBLE_EQ(font["pointSize"].toDouble(), points);
        }
        EXPECT_TRUE(gothicFaceNames().contains(font["family"].toString()))
            << font["family"].toString().toStdString();
    }
}

TEST(LayoutDump, BuildsFromAnyMachineRoot) {
    // An empty tree is a machine that reports nothing: the window still opens whole.
    const QTemporaryDir empty;
    ASSERT_TRUE(empty.isValid());
    const QJsonObject dump = runFormDump({QStringLiteral("--root"), empty.path()});
    for (const LayoutRow& row : layoutTable()) {
        EXPECT_TRUE(findControl(dump, nameOf(row.name))) << ctlName(row.name);
    }
}

TEST(LayoutDump, HighDensityScreensKeepTheLayoutInLogicalPixels) {
    QProcessEnvironment doubled = QProcessEnvironment::systemEnvironment();
    doubled.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("2"));
    const QJsonObject scaled =
        runFormDump({QStringLiteral("--scenario"), scenarioFile("power_fails.scenario")}, doubled);
    for (const LayoutRow& row : layoutTable()) {
        if (!hasWidget(row.kind)) continue;
        SCOPED_TRACE(ctlName(row.name));
        EXPECT_EQ(control(scaled, row.name)["windowPx"], control(dumpOf(), row.name)["windowPx"]);
    }
}

TEST(LayoutDump, SavesOnePictureOfTheWholeWindowPerTab) {
    const QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QJsonObject dump =
        runFormDump({QStringLiteral("--scenario"), scenarioFile("power_fails.scenario"),
                     QStringLiteral("--png"), folder.path()});
    const int clientWidth = control(dump, Ctl::Form1)["px"].toObject()["width"].toInt();
    QImage first;
    for (int tab = 0; tab < layout::kTabCount; ++tab) {
        const QImage picture(folder.filePath(QStringLiteral("tab%1.png").arg(tab)));
        ASSERT_FALSE(picture.isNull()) << tab;
        EXPECT_EQ(picture.width(), clientWidth);
        if (tab == 0) first = picture;
        EXPECT_EQ(tab == 0, picture == first) << "each tab shows something else";
    }
    EXPECT_EQ(dump["selectedTab"].toInt(), 0);
}

class TabDump : public ::testing::TestWithParam<int> {};

TEST_P(TabDump, OnlyTheSelectedTabsFramesShow) {
    const int tab = GetParam();
    const QJsonObject& dump = dumpOfTab(tab);
    EXPECT_EQ(dump["selectedTab"].toInt(), tab);
    for (const LayoutRow& row : layoutTable()) {
        if (row.kind != Kind::Frame) continue;
        SCOPED_TRACE(ctlName(row.name));
        EXPECT_EQ(control(dump, row.name)["onScreen"].toBool(), row.tabPage == tab);
    }
}

TEST_P(TabDump, HiddenAndClippedControlsNeverShow) {
    const QJsonObject& dump = dumpOfTab(GetParam());
    for (const Ctl hidden : {Ctl::Text29, Ctl::Text30, Ctl::Command2}) {
        SCOPED_TRACE(ctlName(hidden));
        EXPECT_FALSE(control(dump, hidden)["onScreen"].toBool());
    }
}

INSTANTIATE_TEST_SUITE_P(EachTab, TabDump, ::testing::Range(0, layout::kTabCount));

}  // namespace
}  // namespace zarnel
