#include "windows/host_window.h"

#include "support/loaded_plugin.h"

namespace {

constexpr const char* kHostClass = "VelmorinTestHost";

ATOM hostClass() {
    static const ATOM atom = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
        windowClass.lpszClassName = kHostClass;
        return RegisterClassA(&windowClass);
    }();
    return atom;
}

}  // namespace

HostWindow::HostWindow(int width, int height, const char* title) {
    hostClass();
    RECT frame{0, 0, width, height};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    window_ = CreateWindowExA(0, kHostClass, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    pumpMessages(50);
}

HostWindow::~HostWindow() {
    destroy();
}

HWND HostWindow::editor() const {
    return window_ ? FindWindowExA(window_, nullptr, "Velmorin", nullptr) : nullptr;
}

void HostWindow::destroy() {
    if (window_) DestroyWindow(window_);
    window_ = nullptr;
}

void pumpMessages(int ms, std::initializer_list<const Plugin*> idle) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < static_cast<DWORD>(ms)) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        for (const Plugin* plugin : idle) plugin->dispatch(effEditIdle);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

namespace {

constexpr UINT kDisplayTick = WM_USER + 5;
constexpr UINT_PTR kEditorTimer = 1;

// Runs the message loop for up to `ms` milliseconds, until `handled` (called
// after each dispatched message) answers true; false when time ran out.
template <typename Handled>
bool runMessagesUntil(int ms, Handled handled) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < static_cast<DWORD>(ms)) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
            if (handled(message)) return true;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return false;
}

}  // namespace

bool runFirstTickOnly(HWND editor, int timeoutMs) {
    const bool ticked = runMessagesUntil(timeoutMs, [editor](const MSG& message) {
        return message.hwnd == editor && message.message == kDisplayTick;
    });
    if (!ticked) return false;
    KillTimer(editor, kEditorTimer);
    pumpMessages(50);
    return true;
}

int countDisplayTicks(HWND editor, int ms) {
    int ticks = 0;
    runMessagesUntil(ms, [editor, &ticks](const MSG& message) {
        if (message.hwnd == editor && message.message == kDisplayTick) ++ticks;
        return false;
    });
    return ticks;
}

Picture captureWindow(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    Picture picture{client.right, client.bottom, {}};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height;  // rows top to bottom
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const HDC windowDc = GetDC(window);
    const HDC memory = CreateCompatibleDC(windowDc);
    const HBITMAP bitmap = CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, picture.width, picture.height, windowDc, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    picture.pixels.assign(pixels,
                          pixels + static_cast<std::size_t>(picture.width) * picture.height);
    for (std::uint32_t& p : picture.pixels) p &= 0xFFFFFF;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, windowDc);
    return picture;
}
