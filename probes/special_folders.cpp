#include "probes/special_folders.h"

#include <string>

#include "window/special_folders.h"

namespace zarnel {
namespace {

constexpr int kCsidlDesktop = 0;

}  // namespace

int folderNumber(std::string_view entry) {
    for (const FolderEntry& folder : kCombo1Folders) {
        if (folder.caption == entry) return folder.csidl;
    }
    return kCsidlDesktop;
}

void Combo1_Click(Controls& controls, Platform& platform) {
    std::string path(kMaxPath, '\0');
    const int csidl = folderNumber(controls.text(Ctl::Combo1)) | kCsidlFlagCreate;
    // The status is not examined: a failed lookup leaves the buffer all NUL, so Text8 empties.
    platform.getFolderPath(controls.hWnd(), csidl, path);
    controls.setText(Ctl::Text8, textBeforeNul(platform.ansi(), path));
}

}  // namespace zarnel
