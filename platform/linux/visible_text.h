// Text read from the machine (mount points, labels, firmware strings) as it may be shown: a
// control character would break a list entry or a field, or act on a terminal, and a byte that
// is not UTF-8 would reach the window as a replacement mark that matches nothing.
#pragma once

#include <string>
#include <string_view>

namespace zarnel::linux_fs {

// Every C0 control character, DEL and byte outside a well-formed UTF-8 character written as
// "\x" and two hex digits, the form udev uses for such bytes; everything else as it is.
std::string visibleText(std::string_view text);

}  // namespace zarnel::linux_fs
