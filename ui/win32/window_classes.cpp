#include "ui/win32/window_classes.h"

#include <commctrl.h>

#include "ui/win32/picture_box.h"
#include "ui/win32/resources.h"

namespace zarnel::win32 {
namespace {

// Every frame is a group box, so all share the button class's procedure. The common controls'
// SetWindowSubclass would find its data through a window property on every message, one more
// round trip to the window system each under wine (an edit box tells its frame of each change).
WNDPROC buttonProcedure = nullptr;

// Controls notify their parent only; a container passes these on to the form.
bool isForwarded(UINT message) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_HSCROLL:
        case WM_VSCROLL:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
            return true;
        default:
            return false;
    }
}

LRESULT forward(HWND container, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageW(GetAncestor(container, GA_ROOT), message, wParam, lParam);
}

PictureBox* pictureOf(HWND box) {
    return reinterpret_cast<PictureBox*>(GetWindowLongPtrW(box, GWLP_USERDATA));
}

LRESULT CALLBACK pictureProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    if (isForwarded(message)) return forward(box, message, wParam, lParam);
    PictureBox* picture = pictureOf(box);
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // the image covers the whole client area
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            HDC dc = BeginPaint(box, &paint);
            if (picture) {
                picture->paint(dc);
                picture->painted();
            }
            EndPaint(box, &paint);
            return 0;
        }
        case WM_PRINTCLIENT:
            if (picture) picture->paint(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_SIZE:
            if (picture) picture->resize();
            return 0;
        case WM_SHOWWINDOW:
            if (picture && !wParam) picture->hidden();
            break;
        case WM_GETOBJECT:
            if (picture) {
                if (const LRESULT object = picture->accessibleObject(wParam, lParam)) return object;
            }
            break;
        case WM_LBUTTONUP: {
            const auto id = static_cast<WORD>(GetDlgCtrlID(box));
            forward(box, WM_COMMAND, MAKEWPARAM(id, kPictureClicked),
                    reinterpret_cast<LPARAM>(box));
            return 0;
        }
        default:
            break;
    }
    return DefWindowProcW(box, message, wParam, lParam);
}

LRESULT CALLBACK frameProcedure(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
    if (isForwarded(message)) return forward(frame, message, wParam, lParam);
    if (message == WM_ERASEBKGND) {
        // A group box leaves its inside unpainted; over the tab control that shows garbage.
        RECT client{};
        GetClientRect(frame, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    return CallWindowProcW(buttonProcedure, frame, message, wParam, lParam);
}

}  // namespace

void registerClasses(WNDPROC formProcedure) {
    static const bool registered = [formProcedure] {
        HINSTANCE instance = GetModuleHandleW(nullptr);
        const INITCOMMONCONTROLSEX common{sizeof(INITCOMMONCONTROLSEX),
                                          ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&common);

        WNDCLASSEXW form{};
        form.cbSize = sizeof(form);
        form.lpfnWndProc = formProcedure;
        form.hInstance = instance;
        form.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        form.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        form.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(ZARNEL_ICON));
        form.lpszClassName = kFormClass;
        RegisterClassExW(&form);

        WNDCLASSEXW picture{};
        picture.cbSize = sizeof(picture);
        picture.lpfnWndProc = pictureProcedure;
        picture.hInstance = instance;
        picture.hCursor = form.hCursor;
        picture.lpszClassName = kPictureClass;
        RegisterClassExW(&picture);
        return true;
    }();
    (void)registered;
}

void forwardToForm(HWND frame) {
    const auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(frameProcedure)));
    if (!buttonProcedure) buttonProcedure = previous;
}

}  // namespace zarnel::win32
