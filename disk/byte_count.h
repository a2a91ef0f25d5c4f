// Byte counts of the space figures, exact over the whole unsigned 64-bit range.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace zarnel {

// "#,##0": whole digits grouped in threes by `separator`, at least one digit.
std::string formatByteCount(std::uint64_t bytes, std::string_view separator);

// The user's thousands separator, as text; the comma where the system tells none.
std::string thousandsSeparator(Platform& platform);

// Total minus the caller's available bytes; never below zero, even when a file system reports
// more available than total.
std::uint64_t usedByteCount(std::uint64_t totalBytes, std::uint64_t availableBytes);

}  // namespace zarnel
