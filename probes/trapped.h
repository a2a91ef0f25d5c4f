// What a probe shows where its answer would be when the call behind it traps.
#pragma once

#include <string_view>

namespace zarnel {

inline constexpr std::string_view kTrapped = "取得不能";

}  // namespace zarnel
