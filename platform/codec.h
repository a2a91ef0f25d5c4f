// ANSI <-> text: the logic keeps UTF-8; strings cross the platform boundary in the system's
// ANSI code page (CP932 on Japanese Windows, UTF-8 on Linux).
#pragma once

#include <string>
#include <string_view>

namespace zarnel {

class AnsiCodec {
  public:
    // codePage is an iconv name such as "UTF-8" or "CP932".
    explicit AnsiCodec(std::string codePage = "UTF-8");

    const std::string& codePage() const { return codePage_; }

    // Bytes in the code page to UTF-8 text; a byte that does not decode becomes U+FFFD.
    std::string toText(std::string_view ansi) const;
    // UTF-8 text to bytes in the code page; a character the page lacks becomes '?'.
    std::string fromText(std::string_view text) const;

  private:
    std::string codePage_;
};

// The text of a fixed buffer: its bytes before the first NUL, decoded.
std::string textBeforeNul(const AnsiCodec& codec, std::string_view buffer);

}  // namespace zarnel
