// The names the dumps give each kind of control, the same in every build of the tool.
#pragma once

#include <string_view>

#include "window/layout.h"

namespace zarnel::tools {

std::string_view kindName(Kind kind);

}  // namespace zarnel::tools
