#include "tests/gui/form_dump_runner.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>

namespace zarnel::testing {
namespace {

constexpr int kRunMilliseconds = 60000;

}  // namespace

QJsonObject runFormDump(const QStringList& arguments, const QProcessEnvironment& environment) {
    QProcess tool;
    tool.setProcessEnvironment(environment);
    tool.start(QStringLiteral(ZARNEL_FORM_DUMP), arguments);
    if (!tool.waitForFinished(kRunMilliseconds)) {
        tool.kill();
        tool.waitForFinished();
        ADD_FAILURE() << "form-dump did not finish";
        return {};
    }
    EXPECT_EQ(tool.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(tool.readAllStandardOutput(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return json.object();
}

QString scenarioFile(const QString& name) {
    return QStringLiteral(ZARNEL_GUI_SCENARIOS "/") + name;
}

std::optional<QJsonObject> findControl(const QJsonObject& dump, const QString& name, int index) {
    for (const QJsonValue& value : dump["controls"].toArray()) {
        const QJsonObject control = value.toObject();
        if (control["name"].toString() == name && control["index"].toInt() == index) return control;
    }
    return std::nullopt;
}

}  // namespace zarnel::testing
