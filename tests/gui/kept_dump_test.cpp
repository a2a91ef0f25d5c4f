// The Qt window's dump that the native window's tests compare against (tests/win32ui) must be
// the Qt window's dump of today: a change to the Qt window shows here until the file is renewed
// with: form-dump --scenario tests/gui/scenarios/two_petabytes.scenario >
// tests/win32ui/qt_window.json
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

#include "tests/gui/form_dump_runner.h"

namespace zarnel {
namespace {

// The face that stands in for the Japanese Gothic depends on the fonts installed.
QJsonObject withoutFontFamilies(QJsonObject dump) {
    QJsonArray controls;
    for (const QJsonValue& value : dump["controls"].toArray()) {
        QJsonObject control = value.toObject();
        if (control.contains("font")) {
            QJsonObject font = control["font"].toObject();
            font.remove("family");
            control["font"] = font;
        }
        controls.append(control);
    }
    dump["controls"] = controls;
    return dump;
}

TEST(KeptDump, TheNativeWindowsReferenceIsTheQtWindowOfToday) {
    QFile kept(QStringLiteral(ZARNEL_KEPT_QT_DUMP));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    const QJsonObject expected = QJsonDocument::fromJson(kept.readAll()).object();
    ASSERT_FALSE(expected.isEmpty());
    const QJsonObject today = testing::runFormDump(
        {QStringLiteral("--scenario"), testing::scenarioFile("two_petabytes.scenario")});
    // Compared as text, so that a difference reads as JSON.
    EXPECT_EQ(QJsonDocument(withoutFontFamilies(today)).toJson().toStdString(),
              QJsonDocument(withoutFontFamilies(expected)).toJson().toStdString());
}

}  // namespace
}  // namespace zarnel
