// The window-level handlers: redraw requests, web links, closing, the slider and Command2.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/errors.h"
#include "tests/support/memory_tab_window.h"

namespace zarnel {
namespace {

using testing::MemoryTabWindow;

TEST(WindowEvents, TabClickAndPieClickAskForARedraw) {
    MemoryTabWindow tab;
    tab.form.Form_Load();
    tab.tick();
    ASSERT_EQ(tab.memory.PieFreeMB, 230);
    tab.pie().operations.clear();
    tab.form.SSTab1_Click(0);
    EXPECT_EQ(tab.memory.PieFreeMB, 1);
    EXPECT_TRUE(tab.pie().operations.empty()) << "while the timer runs, the tick draws";
    tab.tick();
    tab.form.Picture4_Click();
    EXPECT_EQ(tab.memory.PieFreeMB, 1);
}

TEST(WindowEvents, PieIsDrawnAtOnceWhenNoTickWillCome) {
    MemoryTabWindow tab;
    tab.platform.failures["GetSystemPowerStatus"] = win32_error::kNotSupported;
    tab.form.Form_Load();
    const std::vector<std::string> drawn = tab.pie().operations;
    ASSERT_EQ(drawn.size(), 2U);
    ASSERT_FALSE(tab.controls.timerEnabled());

    // Memory moves on, but with no tick the figures stand still: the pie shows what the legend
    // shows.
    tab.setMemory(536'346'624, 100'000'000);
    for (const auto click :
         {+[](Form1& f) { f.SSTab1_Click(0); }, +[](Form1& f) { f.Picture4_Click(); }}) {
        tab.pie().operations.clear();
        tab.platform.calls.clear();
        click(tab.form);
        EXPECT_EQ(tab.pie().operations, drawn);
        EXPECT_TRUE(tab.platform.calls.empty());
        EXPECT_EQ(tab.controls.text(Ctl::Text28), "230M");
    }
}

// Closing is never refused: not from the close box, the code, the session's end or the task list.
TEST(WindowEvents, QueryUnloadLetsEveryKindOfCloseThrough) {
    MemoryTabWindow tab;
    tab.form.Form_Load();
    // Every reason a form is asked about: the close box (0), the code (1), the session's end
    // (2), the task list (3), a parent form (4) and an owner form (5).
    constexpr std::int16_t kLastMode = 5;
    for (std::int16_t mode = 0; mode <= kLastMode; ++mode) {
        std::int16_t cancel = 0;
        tab.form.Form_QueryUnload(cancel, mode);
        EXPECT_EQ(cancel, 0) << "unload mode " << mode;
    }
}

struct LinkRow {
    std::string_view name;
    void (Form1::*handler)();
    Ctl field;
};

class WebLinks : public ::testing::TestWithParam<LinkRow> {};

TEST_P(WebLinks, OpenTheAddressHeldInTheHiddenField) {
    MemoryTabWindow tab;
    const LinkRow& row = GetParam();
    const std::string address = tab.controls.text(row.field);
    ASSERT_TRUE(address.starts_with("https://"));
    (tab.form.*row.handler)();
    EXPECT_EQ(tab.platform.calls,
              std::vector<std::string>{"ShellExecuteA(" + std::to_string(tab.controls.hWnd()) +
                                       ",open," + address + ",,,1)"});
}

TEST_P(WebLinks, ReadTheFieldAtTheMomentOfTheClick) {
    MemoryTabWindow tab;
    const LinkRow& row = GetParam();
    tab.controls.setText(row.field, "https://example.org/ページ");
    tab.platform.setCodePage("CP932");
    (tab.form.*row.handler)();
    ASSERT_EQ(tab.platform.calls.size(), 1U);
    // The address crosses into the platform in its code page.
    EXPECT_NE(tab.platform.calls[0].find(tab.platform.ansi().fromText("ページ")),
              std::string::npos);
}

TEST_P(WebLinks, FailingShellIsSilent) {
    MemoryTabWindow tab;
    tab.form.Form_Load();
    const std::string before = tab.controls.text(Ctl::Text25);
    tab.platform.failures["ShellExecuteA"] = win32_error::kFileNotFound;
    (tab.form.*GetParam().handler)();
    EXPECT_TRUE(tab.controls.messages.empty());
    EXPECT_FALSE(tab.controls.ended);
    EXPECT_EQ(tab.controls.text(Ctl::Text25), before);
}

INSTANTIATE_TEST_SUITE_P(WindowEvents, WebLinks,
                         ::testing::Values(LinkRow{"Book", &Form1::book_Click, Ctl::Text30},
                                           LinkRow{"Game", &Form1::game_Click, Ctl::Text29}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(WindowEvents, Command2StopsTheTimerAndEndsTheProgram) {
    MemoryTabWindow tab;
    tab.form.Form_Load();
    ASSERT_TRUE(tab.controls.timerEnabled());
    tab.memory.Command2_Click();
    EXPECT_FALSE(tab.controls.timerEnabled());
    EXPECT_TRUE(tab.controls.ended);
}

class Slider : public ::testing::TestWithParam<int> {};

TEST_P(Slider, SetsTheTickIntervalWithoutChangingTheStep) {
    MemoryTabWindow tab;
    tab.form.Form_Load();
    tab.controls.setSliderValue(GetParam());
    tab.memory.Slider1_Change();
    tab.tick();
    EXPECT_EQ(tab.controls.timerInterval(), GetParam());
    EXPECT_FLOAT_EQ(tab.memory.GraphTime, 0.2F);
}

// Each new interval starts the timer's count again: changes as fast as a held key makes them
// would keep it from ever ticking. A running timer takes the last one at its next tick.
TEST(WindowEvents, AHeldSliderKeyLeavesTheTimerTicking) {
    MemoryTabWindow tab;
    tab.form.Form_Load();
    for (int value = 301; value <= 320; ++value) {
        tab.controls.setSliderValue(value);
        tab.memory.Slider1_Change();
    }
    EXPECT_EQ(tab.controls.timerInterval(), 300);
    tab.tick();
    EXPECT_EQ(tab.controls.timerInterval(), 320);

    // A timer that never started (start-up stopped before it) has no tick to wait for.
    tab.controls.setTimerEnabled(false);
    tab.controls.setSliderValue(5);
    tab.memory.Slider1_Change();
    EXPECT_EQ(tab.controls.timerInterval(), 5);
}

INSTANTIATE_TEST_SUITE_P(WindowEvents, Slider, ::testing::Values(5, 300, 1000));

}  // namespace
}  // namespace zarnel
