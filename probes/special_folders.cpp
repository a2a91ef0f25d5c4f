#include "probes/special_folders.h"

#include <exception>
#include <string>

#include "window/special_folders.h"

namespace zarnel {

int folderNumber(std::string_view entry) {
    for (const FolderEntry& folder : kCombo1Folders) {
        if (folder.caption == entry) return folder.csidl;
    }
    return csidl::kDesktop;
}

void Combo1_Click(Controls& controls, Platform& platform) {
    std::string path(kMaxPath, '\0');
    const int csidl = folderNumber(controls.text(Ctl::Combo1)) | kCsidlFlagCreate;
    // The status is not examined: a failed lookup leaves the buffer all NUL, so Text8 empties.
    try {
        platform.getFolderPath(controls.hWnd(), csidl, path);
    } catch (const std::exception&) {
        // A system without the folder service knows no folder; the window still opens.
        path.assign(kMaxPath, '\0');
    }
    controls.setText(Ctl::Text8, textBeforeNul(platform.ansi(), path));
}

}  // namespace zarnel
