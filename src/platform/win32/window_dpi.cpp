#include "platform/win32/window_dpi.h"

namespace platform::win32 {
namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

// Looked up rather than imported: the module still loads on older systems.
GetDpiForWindowFunction getDpiForWindow() {
    static const auto function = [] {
        const HMODULE user32 = GetModuleHandleA("user32.dll");
        const FARPROC found = user32 ? GetProcAddress(user32, "GetDpiForWindow") : nullptr;
        return reinterpret_cast<GetDpiForWindowFunction>(reinterpret_cast<void*>(found));
    }();
    return function;
}

}  // namespace

int windowDpi(HWND window) {
    if (window && getDpiForWindow())
        if (const UINT dpi = getDpiForWindow()(window)) return static_cast<int>(dpi);
    const HDC dc = GetDC(window);  // the screen's for no window
    const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSX) : 0;
    if (dc) ReleaseDC(window, dc);
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace platform::win32
