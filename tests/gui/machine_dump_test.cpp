// Fixture machines through form-dump: the Linux provider, the probes and the real window
// together show the PC and hardware tabs' facts.
#include <gtest/gtest.h>

#include <QJsonArray>

#include "tests/gui/form_dump_runner.h"

namespace zarnel {
namespace {

struct MachineRow {
    const char* machine;
    QStringList power;  // Text3 to Text7
    QString processorName;
    QString biosFirstLine;
};

class MachineDump : public ::testing::TestWithParam<MachineRow> {};

TEST_P(MachineDump, PcAndHardwareTabs) {
    const MachineRow& row = GetParam();
    const QJsonObject dump = testing::runFormDump(
        {QStringLiteral("--root"), QStringLiteral(ZARNEL_FIXTURES_DIR "/") + row.machine});
    QStringList power;
    for (const char* field : {"Text3", "Text4", "Text5", "Text6", "Text7"}) {
        power << testing::findControl(dump, field).value_or(QJsonObject{})["text"].toString();
    }
    EXPECT_EQ(power, row.power);
    const QJsonArray processor =
        testing::findControl(dump, "List2").value_or(QJsonObject{})["items"].toArray();
    const QJsonArray bios =
        testing::findControl(dump, "List3").value_or(QJsonObject{})["items"].toArray();
    ASSERT_EQ(processor.size(), 5);
    ASSERT_FALSE(bios.isEmpty());
    EXPECT_EQ(processor[1].toString(), QStringLiteral("名称\t") + row.processorName);
    EXPECT_EQ(bios[0].toString(), row.biosFirstLine);
    EXPECT_TRUE(dump["messages"].toArray().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, MachineDump,
    ::testing::Values(MachineRow{"laptop-two-batteries-discharging",
                                 {"ＤＣ電源", "少い", "残存30％", "6480秒", "21600秒"},
                                 "Intel(R) Core(TM) i7-8650U CPU @ 1.90GHz",
                                 "製造\tLENOVO"},
                      MachineRow{"laptop-charging-high-charge",
                                 {"ＡＣ電源", "不明", "残存80％", "不明", "不明"},
                                 "AMD Ryzen 7 5800U with Radeon Graphics",
                                 "製造\tInsyde Corp."},
                      MachineRow{"desktop-wireless-mouse-battery",
                                 {"ＡＣ電源", "バッテリなし", "不明", "不明", "不明"},
                                 "13th Gen Intel(R) Core(TM) i5-13400",
                                 "製造\tDell Inc."},
                      MachineRow{"arm-board-no-dmi",
                                 {"ＡＣ電源", "バッテリなし", "不明", "不明", "不明"},
                                 "Cortex-A72",
                                 "取得不能"}));

}  // namespace
}  // namespace zarnel
