#include "tools/form-dump/entry_number.h"

#include <stdexcept>

namespace zarnel::tools {

int entryNumber(const std::string& option, const std::string& text, int count) {
    std::size_t used = 0;
    int value = -1;
    try {
        value = std::stoi(text, &used);
    } catch (const std::logic_error&) {
        used = 0;
    }
    if (used == 0 || used != text.size() || value < 0 || value >= count) {
        throw std::invalid_argument("bad " + option + ": " + text + " (0 to " +
                                    std::to_string(count - 1) + ")");
    }
    return value;
}

}  // namespace zarnel::tools
