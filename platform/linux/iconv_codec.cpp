// The codec over iconv: glibc knows every code page the window may meet, CP932 included.
#include <iconv.h>

#include <cerrno>
#include <stdexcept>
#include <utility>

#include "platform/codec.h"

namespace zarnel {
namespace {

constexpr std::string_view kUtf8 = "UTF-8";
constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

bool isUtf8(std::string_view codePage) {
    return codePage == kUtf8 || codePage == "UTF8";
}

// Converts in one pass, putting `replacement` (already in the target encoding) where a
// sequence does not convert, so a bad byte never loses the rest of the text.
std::string convert(const std::string& from, const std::string& to, std::string_view input,
                    std::string_view replacement) {
    iconv_t cd = iconv_open(to.c_str(), from.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        throw std::invalid_argument("no converter from " + from + " to " + to);
    }
    std::string out;
    char buffer[256];
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<size_t>(outPtr - buffer));
        if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
            // EILSEQ or EINVAL (truncated sequence): replace one byte and go on.
            out.append(replacement);
            ++in;
            --inLeft;
        }
    }
    iconv_close(cd);
    return out;
}

class IconvCodec final : public AnsiCodec {
  public:
    explicit IconvCodec(std::string codePage) : codePage_(std::move(codePage)) {
        if (!isUtf8(codePage_)) {
            convert(codePage_, std::string(kUtf8), {}, {});  // fail now on an unknown page
        }
    }

    const std::string& codePage() const override { return codePage_; }

    std::string toText(std::string_view ansi) const override {
        // Even UTF-8 goes through iconv: a malformed byte from the system must not reach a
        // widget.
        return convert(codePage_, std::string(kUtf8), ansi, kReplacementUtf8);
    }

    std::string fromText(std::string_view text) const override {
        if (isUtf8(codePage_)) return std::string(text);
        return convert(std::string(kUtf8), codePage_, text, "?");
    }

  private:
    std::string codePage_;
};

}  // namespace

std::unique_ptr<AnsiCodec> makeAnsiCodec(std::string codePage) {
    return std::make_unique<IconvCodec>(std::move(codePage));
}

}  // namespace zarnel
