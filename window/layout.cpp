#include "window/layout.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>

#include "window/colours.h"
#include "window/special_folders.h"

namespace zarnel {
namespace {

using enum Ctl;
using K = Kind;

using namespace colour;

std::vector<std::string_view> combo1Entries() {
    std::vector<std::string_view> entries;
    for (const FolderEntry& folder : kCombo1Folders) entries.push_back(folder.caption);
    return entries;
}

constexpr std::array<std::string_view, layout::kTabCount> kTabCaptions = {
    "メモリ", "パソコン", "ハードディスク", "ハード情報"};

const std::vector<LayoutRow>& rows() {
    // One row per control, read like a property sheet.
    // clang-format off
    static const std::vector<LayoutRow> table = {
        {.name = Form1, .kind = K::Window, .width = layout::kClientWidth, .height = layout::kClientHeight, .caption = layout::kWindowCaption},
        {.name = book, .kind = K::MenuItem, .caption = "Book"},
        {.name = game, .kind = K::MenuItem, .caption = "Game"},
        {.name = SSTab1, .kind = K::TabControl, .container = Form1, .width = 5775, .height = 6495, .tabOrder = 0},

        // Tab 0, memory.
        {.name = Frame3, .kind = K::Frame, .container = SSTab1, .tabPage = 0, .left = 120, .top = 360, .width = 3015, .height = 1815, .caption = "メモリ情報", .tabOrder = 51, .font = FontRole::FrameCaption},
        {.name = Frame10, .kind = K::Frame, .container = SSTab1, .tabPage = 0, .left = 3240, .top = 360, .width = 2415, .height = 1815, .caption = "円グラフ", .tabOrder = 1},
        {.name = Frame9, .kind = K::Frame, .container = SSTab1, .tabPage = 0, .left = 120, .top = 2280, .width = 5175, .height = 4095, .caption = "線グラフ", .tabOrder = 60, .font = FontRole::FrameCaption},
        {.name = Timer1, .kind = K::Timer, .container = SSTab1, .tabPage = 0, .value = 300, .enabled = false},

        {.name = Label23, .kind = K::Label, .container = Frame3, .left = 240, .top = 360, .width = 975, .height = 255, .caption = "メモリ使用率", .tabOrder = 59, .align = Align::Right},
        {.name = Text23, .kind = K::TextBox, .container = Frame3, .left = 1320, .top = 360, .width = 1095, .height = 270, .caption = "Text23", .tabOrder = 55, .align = Align::Right},
        {.name = Label25, .kind = K::Label, .container = Frame3, .left = 240, .top = 720, .width = 975, .height = 255, .caption = "使用メモリ", .tabOrder = 58, .align = Align::Right},
        {.name = Text24, .kind = K::TextBox, .container = Frame3, .left = 1320, .top = 720, .width = 1095, .height = 270, .caption = "Text24", .tabOrder = 54, .align = Align::Right},
        {.name = Label26, .kind = K::Label, .container = Frame3, .left = 240, .top = 1080, .width = 975, .height = 255, .caption = "空きメモリ", .tabOrder = 57, .align = Align::Right},
        {.name = Text25, .kind = K::TextBox, .container = Frame3, .left = 1320, .top = 1080, .width = 1095, .height = 270, .caption = "Text25", .tabOrder = 53, .align = Align::Right},
        {.name = Label27, .kind = K::Label, .container = Frame3, .left = 240, .top = 1440, .width = 975, .height = 255, .caption = "総メモリ", .tabOrder = 56, .align = Align::Right},
        {.name = Text26, .kind = K::TextBox, .container = Frame3, .left = 1320, .top = 1440, .width = 1095, .height = 270, .caption = "Text26", .tabOrder = 52, .align = Align::Right},

        {.name = Picture4, .kind = K::PictureBox, .container = Frame10, .left = 120, .top = 240, .width = 2175, .height = 1455, .tabOrder = 2, .foreColor = kBlack, .fillColor = kCyan},
        {.name = Label31, .kind = K::Label, .container = Picture4, .left = 1440, .top = 120, .width = 615, .height = 255, .caption = "使用中", .tabOrder = 6},
        {.name = Text27, .kind = K::TextBox, .container = Picture4, .left = 1440, .top = 360, .width = 615, .height = 270, .caption = "Text27", .tabOrder = 4, .align = Align::Right, .backColor = kRed},
        {.name = Label32, .kind = K::Label, .container = Picture4, .left = 1440, .top = 720, .width = 615, .height = 255, .caption = "空き", .tabOrder = 5},
        {.name = Text28, .kind = K::TextBox, .container = Picture4, .left = 1440, .top = 960, .width = 615, .height = 270, .caption = "Text28", .tabOrder = 3, .align = Align::Right, .backColor = kCyan},

        {.name = Picture1, .kind = K::PictureBox, .container = Frame9, .left = 600, .top = 360, .width = 4335, .height = 2775, .tabOrder = 62},
        {.name = Text30, .kind = K::TextBox, .container = Picture1, .left = 0, .top = 0, .width = 1815, .height = 270, .caption = "https://bookshop.org/", .tabOrder = 84, .visible = false},
        {.name = Text29, .kind = K::TextBox, .container = Picture1, .left = 0, .top = 360, .width = 1815, .height = 270, .caption = "https://lichess.org/", .tabOrder = 83, .visible = false},
        {.name = Picture2, .kind = K::PictureBox, .container = Picture1, .left = 1320, .top = 1200, .width = 735, .height = 735, .tabOrder = 63, .backColor = kWindowBackground, .foreColor = kWindowText, .flat = true},
        {.name = Picture3, .kind = K::PictureBox, .container = Picture1, .left = 2880, .top = 1200, .width = 735, .height = 735, .tabOrder = 64, .backColor = kWindowBackground, .foreColor = kWindowText, .flat = true},
        {.name = lblX, .kind = K::Label, .container = Frame9, .left = 120, .top = 1920, .width = 375, .height = 195, .caption = "0", .tabOrder = 69, .align = Align::Center},
        {.name = lblY, .kind = K::Label, .container = Frame9, .left = 2400, .top = 3240, .width = 375, .height = 195, .caption = "0", .tabOrder = 68, .align = Align::Right},
        {.name = Label24, .kind = K::Label, .container = Frame9, .left = 240, .top = 3480, .width = 615, .height = 255, .caption = "0.005秒", .tabOrder = 67},
        {.name = Label28, .kind = K::Label, .container = Frame9, .left = 1680, .top = 3480, .width = 2175, .height = 255, .caption = "線グラフ時間スピード変化", .tabOrder = 66},
        {.name = Label29, .kind = K::Label, .container = Frame9, .left = 4440, .top = 3480, .width = 615, .height = 255, .caption = "1秒", .tabOrder = 65, .align = Align::Right},
        {.name = Slider1, .kind = K::Slider, .container = Frame9, .left = 240, .top = 3720, .width = 4815, .height = 255, .tabOrder = 61, .minimum = 5, .maximum = 1000, .value = 300},

        // Tab 1, the PC.
        {.name = Frame1, .kind = K::Frame, .container = SSTab1, .tabPage = 1, .left = 120, .top = 360, .width = 5535, .height = 2415, .caption = "パソコン情報", .tabOrder = 70, .font = FontRole::FrameCaption},
        {.name = Frame2, .kind = K::Frame, .container = SSTab1, .tabPage = 1, .left = 120, .top = 2880, .width = 5535, .height = 1335, .caption = "電源情報", .tabOrder = 16, .font = FontRole::FrameCaption},
        {.name = Frame5, .kind = K::Frame, .container = SSTab1, .tabPage = 1, .left = 120, .top = 4320, .width = 4575, .height = 975, .caption = "タスクバーの設定を取得", .tabOrder = 11, .font = FontRole::FrameCaption},

        {.name = Label1, .kind = K::Label, .container = Frame1, .left = 480, .top = 240, .width = 1335, .height = 255, .caption = "コンピュータ名：", .tabOrder = 80, .align = Align::Right},
        {.name = Text1, .kind = K::TextBox, .container = Frame1, .left = 1920, .top = 240, .width = 3495, .height = 270, .caption = "Text1", .tabOrder = 74, .backColor = kWhite},
        {.name = Label2, .kind = K::Label, .container = Frame1, .left = 120, .top = 600, .width = 1695, .height = 255, .caption = "ログインユーザー名：", .tabOrder = 79, .align = Align::Right},
        {.name = Text2, .kind = K::TextBox, .container = Frame1, .left = 1920, .top = 600, .width = 3495, .height = 270, .caption = "Text2", .tabOrder = 73, .backColor = kWhite},
        {.name = Label11, .kind = K::Label, .container = Frame1, .left = 600, .top = 960, .width = 1215, .height = 255, .caption = "ＤＮＳホスト名：", .tabOrder = 81, .align = Align::Right},
        {.name = Text13, .kind = K::TextBox, .container = Frame1, .left = 1920, .top = 960, .width = 3495, .height = 270, .caption = "Text13", .tabOrder = 75},
        {.name = Label12, .kind = K::Label, .container = Frame1, .left = 480, .top = 1320, .width = 1335, .height = 255, .caption = "ＤＮＳドメイン名：", .tabOrder = 82, .align = Align::Right},
        {.name = Text14, .kind = K::TextBox, .container = Frame1, .left = 1920, .top = 1320, .width = 3495, .height = 270, .caption = "Text14", .tabOrder = 76},
        {.name = Label7, .kind = K::Label, .container = Frame1, .left = 1080, .top = 1680, .width = 735, .height = 255, .caption = "会社名：", .tabOrder = 77, .align = Align::Right},
        {.name = Text11, .kind = K::TextBox, .container = Frame1, .left = 1920, .top = 1680, .width = 3495, .height = 270, .caption = "Text11", .tabOrder = 71},
        {.name = Label9, .kind = K::Label, .container = Frame1, .left = 1080, .top = 2040, .width = 735, .height = 255, .caption = "登録者：", .tabOrder = 78, .align = Align::Right},
        {.name = Text12, .kind = K::TextBox, .container = Frame1, .left = 1920, .top = 2040, .width = 3495, .height = 270, .caption = "Text12", .tabOrder = 72},

        {.name = Label3, .kind = K::Label, .container = Frame2, .left = 120, .top = 240, .width = 1335, .height = 255, .caption = "種別：", .tabOrder = 25, .align = Align::Right},
        {.name = Text3, .kind = K::TextBox, .container = Frame2, .left = 1440, .top = 240, .width = 1935, .height = 270, .caption = "Text3", .tabOrder = 17},
        {.name = Label6, .kind = K::Label, .container = Frame2, .left = 120, .top = 600, .width = 1335, .height = 255, .caption = "充電：", .tabOrder = 24, .align = Align::Right},
        {.name = Text4, .kind = K::TextBox, .container = Frame2, .left = 1440, .top = 600, .width = 1935, .height = 270, .caption = "Text4", .tabOrder = 18},
        {.name = Text5, .kind = K::TextBox, .container = Frame2, .left = 3600, .top = 600, .width = 1815, .height = 270, .caption = "Text5", .tabOrder = 19},
        {.name = Label8, .kind = K::Label, .container = Frame2, .left = 120, .top = 960, .width = 1335, .height = 255, .caption = "残留/完全充電：", .tabOrder = 23, .align = Align::Right},
        {.name = Text6, .kind = K::TextBox, .container = Frame2, .left = 1440, .top = 960, .width = 1935, .height = 270, .caption = "Text6", .tabOrder = 20},
        {.name = Label10, .kind = K::Label, .container = Frame2, .left = 3480, .top = 1080, .width = 135, .height = 255, .caption = "/", .tabOrder = 22},
        {.name = Text7, .kind = K::TextBox, .container = Frame2, .left = 3600, .top = 960, .width = 1815, .height = 270, .caption = "Text7", .tabOrder = 21},

        {.name = Label4, .kind = K::Label, .container = Frame5, .left = 360, .top = 240, .width = 1215, .height = 255, .caption = "自動的に隠す：", .tabOrder = 14, .align = Align::Right},
        {.name = Text9, .kind = K::TextBox, .container = Frame5, .left = 1560, .top = 240, .width = 2895, .height = 270, .caption = "Text9", .tabOrder = 12},
        {.name = Label5, .kind = K::Label, .container = Frame5, .left = 120, .top = 600, .width = 1455, .height = 255, .caption = "常に手前に表示：", .tabOrder = 15, .align = Align::Right},
        {.name = Text10, .kind = K::TextBox, .container = Frame5, .left = 1560, .top = 600, .width = 2895, .height = 270, .caption = "Text10", .tabOrder = 13},

        // Tab 2, the hard disk.
        {.name = Frame8, .kind = K::Frame, .container = SSTab1, .tabPage = 2, .left = 120, .top = 360, .width = 5535, .height = 4575, .caption = "ディスクの容量取得", .tabOrder = 29, .font = FontRole::FrameCaption},
        {.name = Frame4, .kind = K::Frame, .container = SSTab1, .tabPage = 2, .left = 120, .top = 5160, .width = 5535, .height = 1215, .caption = "システムで定義されているフォルダを取得", .tabOrder = 26, .font = FontRole::FrameCaption},

        {.name = Label13, .kind = K::Label, .container = Frame8, .left = 480, .top = 240, .width = 1215, .height = 255, .caption = "ドライブ：", .tabOrder = 50, .align = Align::Right},
        {.name = Drive1, .kind = K::DriveList, .container = Frame8, .left = 1800, .top = 240, .width = 3615, .height = 300, .tabOrder = 38},
        {.name = Label14, .kind = K::Label, .container = Frame8, .left = 480, .top = 600, .width = 1215, .height = 255, .caption = "空き容量：", .tabOrder = 49, .align = Align::Right},
        {.name = Text15, .kind = K::TextBox, .container = Frame8, .left = 1800, .top = 600, .width = 3615, .height = 270, .caption = "Text15", .tabOrder = 40},
        {.name = Label16, .kind = K::Label, .container = Frame8, .left = 480, .top = 960, .width = 1215, .height = 255, .caption = "使用容量：", .tabOrder = 47, .align = Align::Right},
        {.name = Text17, .kind = K::TextBox, .container = Frame8, .left = 1800, .top = 960, .width = 3615, .height = 270, .caption = "Text17", .tabOrder = 37},
        {.name = Label15, .kind = K::Label, .container = Frame8, .left = 480, .top = 1320, .width = 1215, .height = 255, .caption = "総容量：", .tabOrder = 48, .align = Align::Right},
        {.name = Text16, .kind = K::TextBox, .container = Frame8, .left = 1800, .top = 1320, .width = 3615, .height = 270, .caption = "Text16", .tabOrder = 39},
        {.name = Label17, .kind = K::Label, .container = Frame8, .left = 480, .top = 1680, .width = 1215, .height = 255, .caption = "種類：", .tabOrder = 46, .align = Align::Right},
        {.name = Text18, .kind = K::TextBox, .container = Frame8, .left = 1800, .top = 1680, .width = 3615, .height = 270, .caption = "Text18", .tabOrder = 36},
        {.name = Label18, .kind = K::Label, .container = Frame8, .left = 480, .top = 2040, .width = 1215, .height = 255, .caption = "ボリューム名：", .tabOrder = 45, .align = Align::Right},
        {.name = Text19, .kind = K::TextBox, .container = Frame8, .left = 1800, .top = 2040, .width = 3615, .height = 270, .caption = "Text19", .tabOrder = 35},
        {.name = Label19, .kind = K::Label, .container = Frame8, .left = 240, .top = 2400, .width = 1455, .height = 255, .caption = "シリアルナンバー：", .tabOrder = 44, .align = Align::Right},
        {.name = Text20, .kind = K::TextBox, .container = Frame8, .left = 1800, .top = 2400, .width = 3615, .height = 270, .caption = "Text20", .tabOrder = 34},
        {.name = Label21, .kind = K::Label, .container = Frame8, .left = 120, .top = 2760, .width = 1575, .height = 255, .caption = "ファイルシステム名：", .tabOrder = 42, .align = Align::Right},
        {.name = Text21, .kind = K::TextBox, .container = Frame8, .left = 1800, .top = 2760, .width = 3615, .height = 270, .caption = "Text21", .tabOrder = 32},
        {.name = Label22, .kind = K::Label, .container = Frame8, .left = 120, .top = 3120, .width = 1575, .height = 255, .caption = "ファイル名最大長：", .tabOrder = 41, .align = Align::Right},
        {.name = Text22, .kind = K::TextBox, .container = Frame8, .left = 1800, .top = 3120, .width = 3615, .height = 270, .caption = "Text22", .tabOrder = 31},
        {.name = Label20, .kind = K::Label, .container = Frame8, .left = 360, .top = 3480, .width = 1335, .height = 255, .caption = "属性：", .tabOrder = 43, .align = Align::Right},
        {.name = List4, .kind = K::ListBox, .container = Frame8, .left = 1800, .top = 3480, .width = 3615, .height = 960, .tabOrder = 33},
        {.name = Command2, .kind = K::CommandButton, .container = Frame8, .left = 1680, .top = 4680, .width = 1095, .height = 375, .caption = "Command2", .tabOrder = 30},

        {.name = Combo1, .kind = K::ComboBox, .container = Frame4, .left = 120, .top = 240, .width = 2895, .height = 300, .tabOrder = 27, .entries = combo1Entries()},
        {.name = Text8, .kind = K::TextBox, .container = Frame4, .left = 120, .top = 600, .width = 5295, .height = 495, .caption = "Text8", .tabOrder = 28, .multiLine = true},

        // Tab 3, the hardware.
        {.name = Frame6, .kind = K::Frame, .container = SSTab1, .tabPage = 3, .left = 120, .top = 360, .width = 5535, .height = 1695, .caption = "プロセッサ情報を取得", .tabOrder = 7, .font = FontRole::FrameCaption},
        {.name = Frame7, .kind = K::Frame, .container = SSTab1, .tabPage = 3, .left = 120, .top = 2160, .width = 5535, .height = 1695, .caption = "ＢＩＯＳ情報を取得", .tabOrder = 9, .font = FontRole::FrameCaption},
        {.name = List2, .kind = K::ListBox, .container = Frame6, .left = 120, .top = 240, .width = 5295, .height = 1320, .tabOrder = 8},
        {.name = List3, .kind = K::ListBox, .container = Frame7, .left = 120, .top = 240, .width = 5295, .height = 1320, .tabOrder = 10},
    };
    // clang-format on
    return table;
}

}  // namespace

std::span<const LayoutRow> layoutTable() {
    return rows();
}

const LayoutRow& layoutRow(Ctl name) {
    const auto& table = rows();
    const auto it = std::find_if(table.begin(), table.end(),
                                 [name](const LayoutRow& row) { return row.name == name; });
    if (it == table.end())
        throw std::logic_error("no layout row for " + std::string(ctlName(name)));
    return *it;
}

std::span<const std::string_view> tabCaptions() {
    return kTabCaptions;
}

}  // namespace zarnel
