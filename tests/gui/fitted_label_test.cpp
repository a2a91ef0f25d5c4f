// Auto-sized labels in the real window: the size they fit to is the one Qt's own adjustSize
// gives, whether measured afresh or remembered, and the time axis keeps each number centred
// and readable.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QLabel>
#include <string>

#include "app/form1.h"
#include "memory/graph_scale.h"
#include "platform/fake/fake_platform.h"
#include "ui/qt/main_window.h"
#include "ui/qt/qt_controls.h"

namespace zarnel {
namespace {

constexpr float kTwipsPerPixel = 15;

// The size Qt gives a twin of `label` with the same font, alignment and caption.
QSize adjustedTwin(const QLabel& label) {
    QLabel twin;
    twin.setTextFormat(Qt::PlainText);
    twin.setFont(label.font());
    twin.setAlignment(label.alignment());
    // A caption first: a label that never had one sizes itself to a character.
    twin.setText(QStringLiteral("?"));
    twin.setText(label.text());
    twin.adjustSize();
    return twin.size();
}

struct CaptionRow {
    const char* name;
    Align align;
    std::vector<std::string> captions;
};

class FittedCaptions : public ::testing::TestWithParam<CaptionRow> {};

TEST_P(FittedCaptions, SizeIsWhatAdjustSizeGivesAndFollowsEachChange) {
    qt::MainWindow window;
    qt::QtControls controls(window);
    controls.setAlignment(Ctl::lblY, GetParam().align);
    controls.setAutoSize(Ctl::lblY, true);
    auto& label = *qobject_cast<QLabel*>(controls.widget(Ctl::lblY));
    // Twice over, so that the second round comes from what was remembered.
    for (int round = 0; round < 2; ++round) {
        for (const std::string& caption : GetParam().captions) {
            controls.setText(Ctl::lblY, caption);
            const QSize expected = adjustedTwin(label);
            EXPECT_EQ(label.size(), expected) << caption << " round " << round;
            const Geometry g = controls.geometry(Ctl::lblY);
            EXPECT_EQ(g.width, static_cast<float>(expected.width()) * kTwipsPerPixel) << caption;
            EXPECT_EQ(g.height, static_cast<float>(expected.height()) * kTwipsPerPixel) << caption;
            // Placed elsewhere with another size, it moves and keeps the fitted size.
            controls.setGeometry(Ctl::lblY,
                                 {.left = 300, .top = 450, .width = 5000, .height = 900});
            EXPECT_EQ(label.geometry(), QRect(QPoint(20, 30), expected)) << caption;
        }
    }
}

std::vector<std::string> numbers(int from, int to) {
    std::vector<std::string> captions;
    for (int n = from; n <= to; ++n) captions.push_back(std::to_string(n));
    return captions;
}

INSTANTIATE_TEST_SUITE_P(
    Captions, FittedCaptions,
    ::testing::Values(CaptionRow{"CentredNumbers", Align::Center, numbers(0, 120)},
                      CaptionRow{"WideNumbers", Align::Center, numbers(9980, 10016)},
                      CaptionRow{"LeftNumbers", Align::Left, numbers(0, 40)},
                      CaptionRow{"RightText",
                                 Align::Right,
                                 {"メモリ", "1,999M", "57%", "a b", " x ", "\t1", "2\n3", ""}}),
    [](const auto& row) { return std::string(row.param.name); });

// Numbers of one or two digits are fitted to their caption; from three digits they are wider
// than a unit of the scale and keep to it in smaller type: no number covers or touches the next.
TEST(FittedTimeAxis, EachNumberIsCentredWholeAndClearOfItsNeighboursAfterManyRenumberings) {
    FakePlatform platform;
    qt::MainWindow window;
    qt::QtControls controls(window);
    Form1 form(controls, platform);
    form.Form_Load();
    const Geometry chart = controls.geometry(Ctl::Picture1);
    const QFont normal = controls.widget(Ctl::lblX, 0)->font();
    for (const int start : {0, 1, 2, 7, 95, 9980, 9981, 3, 9984}) {
        // A tick at the fixed edge renumbers from the whole seconds past it.
        form.memory().GraphTime = static_cast<float>(start) + graph::kFixedEdge;
        form.memory().LastSecond = -1;
        form.memory().Timer1_Timer();
        const QLabel* before = nullptr;
        for (int i = 0; i < controls.count(Ctl::lblX); ++i) {
            auto& label = *qobject_cast<QLabel*>(controls.widget(Ctl::lblX, i));
            const std::string number = std::to_string(start + i);
            ASSERT_EQ(label.text().toStdString(), number);
            if (number.size() <= 2) {
                EXPECT_EQ(label.size(), adjustedTwin(label)) << number;
                EXPECT_EQ(label.font().pointSizeF(), normal.pointSizeF()) << number;
                EXPECT_EQ(controls.geometry(Ctl::lblX, i).width,
                          static_cast<float>(label.width()) * kTwipsPerPixel);
            }
            EXPECT_LE(QFontMetrics(label.font()).horizontalAdvance(label.text()),
                      label.contentsRect().width())
                << number;
            if (before) {  // apart, with at least a pixel between them
                EXPECT_LT(before->geometry().right() + 1, label.geometry().left()) << number;
            }
            before = &label;
            const Geometry g = controls.geometry(Ctl::lblX, i);
            const float place =
                chart.width / graph::kTimeUnits * static_cast<float>(i) + chart.left;
            EXPECT_FLOAT_EQ(g.left + g.width / 2, place) << number;
        }
    }
}

}  // namespace
}  // namespace zarnel
