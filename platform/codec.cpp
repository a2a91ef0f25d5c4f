#include "platform/codec.h"

namespace zarnel {

std::string textBeforeNul(const AnsiCodec& codec, std::string_view buffer) {
    return codec.toText(buffer.substr(0, buffer.find('\0')));
}

}  // namespace zarnel
