// Runs the built form-dump tool and reads its JSON.
#pragma once

#include <QJsonObject>
#include <QProcessEnvironment>
#include <QStringList>
#include <optional>

namespace zarnel::testing {

// The tool's output for these arguments; fails the current test on a bad run.
QJsonObject runFormDump(const QStringList& arguments, const QProcessEnvironment& environment =
                                                          QProcessEnvironment::systemEnvironment());
// The fake machine every dump of these tests answers from.
QString scenarioFile(const QString& name);
// The entry of a control (element `index` of an array), if the dump has it.
std::optional<QJsonObject> findControl(const QJsonObject& dump, const QString& name, int index = 0);

}  // namespace zarnel::testing
