// UTF-8 inside the logic, UTF-16 at every W function: Japanese shows whatever the ANSI code page.
#pragma once

#include <string>
#include <string_view>

namespace zarnel::win32 {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

}  // namespace zarnel::win32
