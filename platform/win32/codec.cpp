#include "platform/codec.h"

#include "platform/win32/code_page.h"

namespace zarnel {
namespace {

// The codec over the system's own code page tables.
class Win32Codec : public AnsiCodec {
  public:
    explicit Win32Codec(const std::string& codePage)
        : number_(win32::codePageNumber(codePage)), name_(win32::codePageName(number_)) {}

    const std::string& codePage() const override { return name_; }
    std::string toText(std::string_view ansi) const override {
        return win32::decode(number_, ansi);
    }
    std::string fromText(std::string_view text) const override {
        return win32::encode(number_, text);
    }

  private:
    unsigned number_;
    std::string name_;
};

}  // namespace

std::unique_ptr<AnsiCodec> makeAnsiCodec(std::string codePage) {
    return std::make_unique<Win32Codec>(codePage);
}

}  // namespace zarnel
