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

// Whether every byte of `text` belongs to a well-formed UTF-8 character.
bool isUtf8(std::string_view text);

// `text` without the UTF-8 character its last bytes begin but do not finish: what a limit in
// bytes leaves of a character it cuts.
std::string_view withoutCutCharacter(std::string_view text);

// UTF-8 text cut to at most `bytes` bytes without splitting a character.
std::string cutUtf8(std::string text, std::size_t bytes);

}  // namespace zarnel::linux_fs
