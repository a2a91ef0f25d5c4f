// The entry an option such as --drive N names, checked against the entries there are: a
// mistyped number would dump another entry and call it a success. Shared by both form dumps.
#pragma once

#include <string>

namespace zarnel::tools {

// `text` as one of entries 0 to `count` - 1; otherwise throws std::invalid_argument saying
// "bad OPTION: TEXT (0 to LAST)".
int entryNumber(const std::string& option, const std::string& text, int count);

}  // namespace zarnel::tools
