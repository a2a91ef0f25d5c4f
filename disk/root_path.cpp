#include "disk/root_path.h"

namespace zarnel {
namespace {

constexpr std::size_t kRootCharacters = 2;

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

std::string rootPathOf(std::string_view driveEntry) {
    // Characters, not bytes: the entry is UTF-8 text.
    std::size_t end = 0;
    for (std::size_t taken = 0; taken < kRootCharacters && end < driveEntry.size(); ++taken) {
        ++end;
        while (end < driveEntry.size() && isContinuationByte(driveEntry[end])) ++end;
    }
    return std::string(driveEntry.substr(0, end)) + "\\";
}

std::string rootPath(const Controls& controls) {
    return rootPathOf(controls.text(Ctl::Drive1));
}

}  // namespace zarnel
