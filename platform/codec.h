// ANSI <-> text: the logic keeps UTF-8; strings cross the platform boundary in the system's
// ANSI code page (CP932 on Japanese Windows, UTF-8 on Linux).
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace zarnel {

// U+FFFD in UTF-8: what toText puts where bytes do not decode.
inline constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

class AnsiCodec {
  public:
    virtual ~AnsiCodec() = default;

    // The code page's name: "UTF-8", "CP932".
    virtual const std::string& codePage() const = 0;
    // Bytes in the code page to UTF-8 text; a byte sequence that does not decode becomes
    // U+FFFD.
    virtual std::string toText(std::string_view ansi) const = 0;
    // UTF-8 text to bytes in the code page; each character the page lacks becomes one '?'.
    virtual std::string fromText(std::string_view text) const = 0;
};

// The system's codec for a code page ("UTF-8", "CP932"); throws std::invalid_argument for a
// page the system cannot convert. Each system links its own (iconv on Linux).
std::unique_ptr<AnsiCodec> makeAnsiCodec(std::string codePage);

// The text of a fixed buffer: its bytes before the first NUL, decoded.
std::string textBeforeNul(const AnsiCodec& codec, std::string_view buffer);

}  // namespace zarnel
