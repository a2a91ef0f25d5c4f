#include "platform/codec.h"

#include "platform/win32/code_page.h"

namespace zarnel {

AnsiCodec::AnsiCodec(std::string codePage)
    : codePage_(win32::codePageName(win32::codePageNumber(codePage))) {}

std::string AnsiCodec::toText(std::string_view ansi) const {
    return win32::decode(win32::codePageNumber(codePage_), ansi);
}

std::string AnsiCodec::fromText(std::string_view text) const {
    return win32::encode(win32::codePageNumber(codePage_), text);
}

std::string textBeforeNul(const AnsiCodec& codec, std::string_view buffer) {
    return codec.toText(buffer.substr(0, buffer.find('\0')));
}

}  // namespace zarnel
