// The codec over the system's code-page tables: "UTF-8", "CP<number>" or "ACP", the ANSI code
// page of the system (932 on Japanese Windows).
#include "platform/codec.h"

#include <utility>

#include "platform/win32/code_page.h"

namespace zarnel {
namespace {

class Win32Codec final : public AnsiCodec {
  public:
    explicit Win32Codec(unsigned codePage)
        : number_(codePage), codePage_(win32::codePageName(codePage)) {}

    const std::string& codePage() const override { return codePage_; }
    std::string toText(std::string_view ansi) const override {
        return win32::decode(number_, ansi);
    }
    std::string fromText(std::string_view text) const override {
        return win32::encode(number_, text);
    }

  private:
    unsigned number_;
    std::string codePage_;
};

}  // namespace

std::unique_ptr<AnsiCodec> makeAnsiCodec(std::string codePage) {
    return std::make_unique<Win32Codec>(win32::codePageNumber(codePage));
}

}  // namespace zarnel
