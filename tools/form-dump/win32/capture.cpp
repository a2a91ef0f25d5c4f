#include "tools/form-dump/win32/capture.h"

namespace zarnel::tools {
namespace {

constexpr int kBitsPerPixel = 32;
constexpr int kDibBytesPerPixel = 4;
constexpr int kRed = 2;  // a 32-bit DIB holds blue, green, red, unused
constexpr int kGreen = 1;
constexpr int kBlue = 0;

}  // namespace

RgbImage captureClient(HWND window) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    return captureShown(window);
}

RgbImage captureShown(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    RgbImage image{.width = client.right, .height = client.bottom, .rgb = {}};

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = kBitsPerPixel;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, image.width, image.height, screen, 0, 0, SRCCOPY | CAPTUREBLT);
    GdiFlush();

    const auto* pixels = static_cast<const std::uint8_t*>(bits);
    const auto count =
        static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
    image.rgb.reserve(count * kRgbBytesPerPixel);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* pixel = pixels + i * kDibBytesPerPixel;
        image.rgb.insert(image.rgb.end(), {pixel[kRed], pixel[kGreen], pixel[kBlue]});
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return image;
}

}  // namespace zarnel::tools
