// The window as JSON: every control and control-array element with its place, visibility,
// focus order and contents.
#pragma once

#include <QJsonObject>

namespace zarnel::qt {
class QtControls;
}

namespace zarnel::tools {

QJsonObject dumpControls(const qt::QtControls& controls);

}  // namespace zarnel::tools
