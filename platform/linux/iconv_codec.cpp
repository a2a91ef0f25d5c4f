// The codec over iconv: glibc knows every code page the window may meet, CP932 included.
#include <iconv.h>

#include <cerrno>
#include <stdexcept>
#include <utility>

#include "platform/codec.h"
#include "platform/unicode.h"

namespace zarnel {
namespace {

constexpr std::string_view kUtf8 = "UTF-8";
// iconv writes into this many bytes at a time and is called again while it runs out of room
// (E2BIG), so the size sets only how many calls a long text takes.
constexpr std::size_t kOutputChunkBytes = 256;

bool isUtf8(std::string_view codePage) {
    return codePage == kUtf8 || codePage == "UTF8";
}

// The bytes of the UTF-8 character that starts `text`: its lead byte's length when the
// continuation bytes are there, else 1 (a stray byte is a character of its own). Lenient,
// unlike utf8CharacterLength: an overlong form or a surrogate that iconv refuses counts as one
// character here, so it gets one replacement, not one per byte.
std::size_t lenientUtf8Length(std::string_view text) {
    constexpr unsigned char kLeadOfFour = 0xF0;
    constexpr unsigned char kLeadOfThree = 0xE0;
    constexpr unsigned char kLeadOfTwo = 0xC0;
    constexpr unsigned char kContinuationMask = 0xC0;
    constexpr unsigned char kContinuation = 0x80;
    const auto lead = static_cast<unsigned char>(text.front());
    const std::size_t length = lead >= kLeadOfFour    ? 4
                               : lead >= kLeadOfThree ? 3
                               : lead >= kLeadOfTwo   ? 2
                                                      : 1;
    if (length > text.size()) return 1;
    for (std::size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(text[i]) & kContinuationMask) != kContinuation) return 1;
    }
    return length;
}

// How far to skip past input that does not convert: one byte of the code page, or one whole
// UTF-8 character, so that "é" lacking from a page is one replacement, not one per byte.
using SkipRule = std::size_t (*)(std::string_view);
std::size_t oneByte(std::string_view) {
    return 1;
}

// Converts in one pass, putting `replacement` (already in the target encoding) where a
// sequence does not convert, so a bad byte never loses the rest of the text.
std::string convert(const std::string& from, const std::string& to, std::string_view input,
                    std::string_view replacement, SkipRule skip) {
    iconv_t cd = iconv_open(to.c_str(), from.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        throw std::invalid_argument("no converter from " + from + " to " + to);
    }
    std::string out;
    char buffer[kOutputChunkBytes];
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        const int failure = rc == static_cast<size_t>(-1) ? errno : 0;  // before append allocates
        out.append(buffer, static_cast<size_t>(outPtr - buffer));
        if (failure != 0 && failure != E2BIG) {
            // EILSEQ or EINVAL (truncated sequence): replace what did not convert and go on.
            out.append(replacement);
            const std::size_t skipped = skip(std::string_view(in, inLeft));
            in += skipped;
            inLeft -= skipped;
        }
    }
    iconv_close(cd);
    return out;
}

// `text` with each byte that starts no well-formed character replaced.
std::string wellFormedUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const std::size_t length = utf8CharacterLength(text);
        if (length == 0) {
            out += kReplacementCharacter;
            text.remove_prefix(1);
        } else {
            out += text.substr(0, length);
            text.remove_prefix(length);
        }
    }
    return out;
}

class IconvCodec final : public AnsiCodec {
  public:
    explicit IconvCodec(std::string codePage) : codePage_(std::move(codePage)) {
        if (!isUtf8(codePage_)) {
            convert(codePage_, std::string(kUtf8), {}, {}, oneByte);  // fail now on an unknown page
        }
    }

    const std::string& codePage() const override { return codePage_; }

    std::string toText(std::string_view ansi) const override {
        // A malformed byte from the system must not reach a widget; glibc's UTF-8 lets the old
        // five- and six-byte forms and code points past U+10FFFF through.
        if (isUtf8(codePage_)) return wellFormedUtf8(ansi);
        return convert(codePage_, std::string(kUtf8), ansi, kReplacementCharacter, oneByte);
    }

    std::string fromText(std::string_view text) const override {
        if (isUtf8(codePage_)) return std::string(text);
        return convert(std::string(kUtf8), codePage_, text, "?", lenientUtf8Length);
    }

  private:
    std::string codePage_;
};

}  // namespace

std::unique_ptr<AnsiCodec> makeAnsiCodec(std::string codePage) {
    return std::make_unique<IconvCodec>(std::move(codePage));
}

}  // namespace zarnel
