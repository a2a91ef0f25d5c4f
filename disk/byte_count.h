// Byte counts of the space figures, exact over the whole unsigned 64-bit range.
#pragma once

#include <cstdint>
#include <string>

namespace zarnel {

// "#,##0": whole digits grouped in threes by commas, at least one digit.
std::string formatByteCount(std::uint64_t bytes);

// Total minus the caller's available bytes; never below zero, even when a file system reports
// more available than total.
std::uint64_t usedByteCount(std::uint64_t totalBytes, std::uint64_t availableBytes);

}  // namespace zarnel
