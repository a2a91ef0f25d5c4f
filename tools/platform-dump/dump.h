// Every question the window asks of the platform, asked of one provider and written as JSON
// with each call's result and last error: what a machine reports, without the window.
#pragma once

#include "platform/platform.h"
#include "tools/platform-dump/json_writer.h"

namespace zarnel::tools {

void dumpPlatform(Platform& platform, JsonWriter& json);

}  // namespace zarnel::tools
