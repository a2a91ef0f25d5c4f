// Optional facts as management-service values: a fact the machine does not give is null, a
// text is shown without its control characters.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/linux/visible_text.h"
#include "platform/platform.h"

namespace zarnel::linux_fs {

inline WmiValue orNull(const std::optional<std::string>& text) {
    if (!text) return std::monostate{};
    return visibleText(*text);
}

inline WmiValue orNull(const std::optional<std::int64_t>& number) {
    if (!number) return std::monostate{};
    return *number;
}

}  // namespace zarnel::linux_fs
