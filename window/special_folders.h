// The entries of Combo1: the special folders the hard-disk tab can show, in the list's order,
// each with its shell folder number (CSIDL).
#pragma once

#include <array>
#include <string_view>

namespace zarnel {

struct FolderEntry {
    std::string_view caption;
    int csidl;
};

inline constexpr std::array<FolderEntry, 16> kCombo1Folders = {{
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

}  // namespace zarnel
