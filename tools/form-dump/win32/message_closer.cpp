#include "tools/form-dump/win32/message_closer.h"

#include <iterator>

#include "ui/win32/text.h"

namespace zarnel::tools {
namespace {

// The one closer of this thread; the hook procedure has no other way to reach it.
thread_local MessageCloser* active = nullptr;

constexpr const wchar_t* kDialogClass = L"#32770";
// The message box's text and icon controls: Windows numbers them 0xFFFF and 0x14, wine 0xFFFF
// and 0x440.
constexpr int kTextId = 0xFFFF;
constexpr int kIconIds[] = {0x14, 0x440};

std::wstring windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::string iconName(HWND box) {
    for (const int id : kIconIds) {
        const auto icon = reinterpret_cast<HICON>(SendDlgItemMessageW(box, id, STM_GETICON, 0, 0));
        if (!icon) continue;
        if (icon == LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_INFORMATION)))
            return "information";
        if (icon == LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_ERROR))) return "critical";
    }
    return "none";
}

}  // namespace

MessageCloser::MessageCloser()
    : hook_(SetWindowsHookExW(WH_CBT, watch, nullptr, GetCurrentThreadId())) {
    active = this;
}

MessageCloser::~MessageCloser() {
    UnhookWindowsHookEx(hook_);
    active = nullptr;
}

LRESULT CALLBACK MessageCloser::watch(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && active) {
        HWND box = reinterpret_cast<HWND>(wParam);
        wchar_t className[16] = {};
        GetClassNameW(box, className, static_cast<int>(std::size(className)));
        if (std::wstring_view(className) == kDialogClass) {
            const HWND textControl = GetDlgItem(box, kTextId);
            active->seen_.push_back(
                {win32::narrow(windowText(box)),
                 textControl ? win32::narrow(windowText(textControl)) : std::string(),
                 iconName(box), GetWindow(box, GW_OWNER) != nullptr});
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
    }
    return CallNextHookEx(active ? active->hook_ : nullptr, code, wParam, lParam);
}

}  // namespace zarnel::tools
