#include "probes/special_folders.h"

#include <array>
#include <string>

namespace zarnel {
namespace {

constexpr std::array<SpecialFolder, 16> kFolderTable = {{
    {"デスクトップ", 0},               // CSIDL_DESKTOP
    {"プログラムメニュー", 2},         // CSIDL_PROGRAMS
    {"マイドキュメント", 5},           // CSIDL_PERSONAL
    {"お気に入り", 6},                 // CSIDL_FAVORITES
    {"スタートアップ", 7},             // CSIDL_STARTUP
    {"スタートメニュー", 11},          // CSIDL_STARTMENU
    {"フォント", 20},                  // CSIDL_FONTS
    {"テンプレート", 21},              // CSIDL_TEMPLATES
    {"スタートメニュー(共通)", 22},    // CSIDL_COMMON_STARTMENU
    {"プログラムメニュー(共通)", 23},  // CSIDL_COMMON_PROGRAMS
    {"スタートアップ(共通)", 24},      // CSIDL_COMMON_STARTUP
    {"デスクトップ(共通)", 25},        // CSIDL_COMMON_DESKTOPDIRECTORY
    {"お気に入り(共通)", 31},          // CSIDL_COMMON_FAVORITES
    {"ウィンドウズフォルダ", 36},      // CSIDL_WINDOWS
    {"システムフォルダ", 37},          // CSIDL_SYSTEM
    {"Program Files", 38},             // CSIDL_PROGRAM_FILES
}};

constexpr int kCsidlDesktop = 0;

}  // namespace

std::span<const SpecialFolder> specialFolders() {
    return kFolderTable;
}

int folderNumber(std::string_view entry) {
    for (const SpecialFolder& row : kFolderTable) {
        if (row.entry == entry) return row.csidl;
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
