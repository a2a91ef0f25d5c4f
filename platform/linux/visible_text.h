// Text read from the machine (mount points, labels, firmware strings) as it may be shown: a
// control character would break a list entry or a field, or act on a terminal, and a byte that
// is not UTF-8 would reach the window as a replacement mark that matches nothing.
#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>

namespace zarnel::linux_fs {

// Every C0 control character, DEL and byte outside a well-formed UTF-8 character written as
// "\x" and two hex digits, the form udev uses for such bytes; everything else as it is. Ends
// before the first character or escape that would take it past `maxBytes`.
std::string visibleText(std::string_view text,
                        std::size_t maxBytes = std::numeric_limits<std::size_t>::max());

// Whether every byte of `text` belongs to a well-formed UTF-8 character.
bool isUtf8(std::string_view text);

// `text` without the UTF-8 character its last bytes begin but do not finish: what a limit in
// bytes leaves of a character it cuts.
std::string_view withoutCutCharacter(std::string_view text);

}  // namespace zarnel::linux_fs
