// A text as a JSON string, for the dump tools' writers.
#pragma once

#include <string>
#include <string_view>

namespace zarnel::tools {

// Appends `text` to `out` in double quotes, with the quote, the backslash and every control
// character escaped; other bytes (UTF-8 included) go through as they are.
void appendJsonString(std::string& out, std::string_view text);

}  // namespace zarnel::tools
