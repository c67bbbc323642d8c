#include "platform/win32/win32_windows.h"

#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>

#include <map>
#include <optional>
#include <utility>

#include "platform/scaled_canvas.h"
#include "platform/win32/gdi_canvas.h"
#include "platform/win32/gdi_objects.h"
#include "platform/win32/module_instance.h"
#include "platform/win32/window_dpi.h"
#include "platform/window_messages.h"

namespace platform::win32 {
namespace {

HWND hwndOf(WindowHandle window) {
    return reinterpret_cast<HWND>(window.value);
}
WindowHandle handleOf(HWND hwnd) {
    return WindowHandle{reinterpret_cast<std::uintptr_t>(hwnd)};
}
HMENU hmenuOf(MenuHandle menu) {
    return reinterpret_cast<HMENU>(menu.value);
}
MenuHandle menuHandleOf(HMENU hmenu) {
    return MenuHandle{reinterpret_cast<std::uintptr_t>(hmenu)};
}

// The information window's class has a white background and the information
// icon; the editor window's the window-frame colour and the application icon.
constexpr std::string_view kInformationClass = "VelmorinAbout";

// The classes carry no extra bytes: their procedures are found by class atom.
std::map<ATOM, WindowProcedure>& classProcedures() {
    static std::map<ATOM, WindowProcedure> procedures;
    return procedures;
}

// The windows whose drawn size is kept apart from their client area, in
// logical pixels: those the editor draws at a scale other than 1.0, and
// those with a room colour, which a host may make larger than they draw.
// The others draw on device pixels as they are.
struct DrawnWindow {
    Scale scale;
    int width;
    int height;
    std::optional<Colour> room;
};
std::map<HWND, DrawnWindow>& drawnWindows() {
    static std::map<HWND, DrawnWindow> windows;
    return windows;
}

Scale scaleOf(HWND hwnd) {
    const auto it = drawnWindows().find(hwnd);
    return it == drawnWindows().end() ? Scale() : it->second.scale;
}

// The drawing's part erased as the class erases it, the room beyond it in
// its colour; false for a window without a room colour.
bool eraseWithRoom(HWND hwnd, HDC dc) {
    const auto it = drawnWindows().find(hwnd);
    if (it == drawnWindows().end() || !it->second.room) return false;
    const DrawnWindow& drawn = it->second;
    RECT client{};
    GetClientRect(hwnd, &client);
    const RECT drawing{0, 0, drawn.scale.device(drawn.width), drawn.scale.device(drawn.height)};
    const int saved = SaveDC(dc);
    ExcludeClipRect(dc, drawing.left, drawing.top, drawing.right, drawing.bottom);
    const GdiBrush room(*drawn.room);
    FillRect(dc, &client, room.handle());
    RestoreDC(dc, saved);
    FillRect(dc, &drawing, reinterpret_cast<HBRUSH>(GetClassLongPtrA(hwnd, GCLP_HBRBACKGROUND)));
    return true;
}

Rect deviceRect(Scale scale, const Rect& logical) {
    return {scale.device(logical.left), scale.device(logical.top), scale.device(logical.right),
            scale.device(logical.bottom)};
}

// The client-area mouse messages carry device pixels; the editor works in
// logical ones.
LPARAM logicalMousePoint(HWND hwnd, UINT message, LPARAM lParam) {
    if (message < WM_MOUSEMOVE || message > WM_MBUTTONDBLCLK) return lParam;
    const Scale scale = scaleOf(hwnd);
    if (scale.isIdentity()) return lParam;
    const Point device = pointOf(lParam);
    return pointParam({scale.logical(device.x), scale.logical(device.y)});
}

std::unique_ptr<Canvas> logicalCanvas(HWND hwnd, std::unique_ptr<GdiCanvas> device) {
    const auto it = drawnWindows().find(hwnd);
    if (it == drawnWindows().end() || it->second.scale.isIdentity()) return device;
    return std::make_unique<ScaledCanvas>(std::move(device), it->second.scale, it->second.width,
                                          it->second.height);
}

std::map<std::pair<HWND, UINT_PTR>, TimerProcedure>& timerProcedures() {
    static std::map<std::pair<HWND, UINT_PTR>, TimerProcedure> procedures;
    return procedures;
}

LRESULT CALLBACK classWindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto atom = static_cast<ATOM>(GetClassLongPtrA(hwnd, GCW_ATOM));
    const auto it = classProcedures().find(atom);
    const LRESULT answer =
        it == classProcedures().end()
            ? 0
            : it->second(handleOf(hwnd), message, wParam, logicalMousePoint(hwnd, message, lParam));
    switch (message) {
        case WM_NCDESTROY:
            drawnWindows().erase(hwnd);
            break;
        case WM_ERASEBKGND:
            if (eraseWithRoom(hwnd, reinterpret_cast<HDC>(wParam))) return 1;
            break;
        case WM_PAINT:
            // A closed view paints nothing; the window must still count as painted.
            ValidateRect(hwnd, nullptr);
            return 0;
        case WM_COMMAND:
        case WM_CONTEXTMENU:  // not passed on: the host's window would show its own menu
        case WM_DESTROY:
            return answer;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void CALLBACK timerTrampoline(HWND hwnd, UINT message, UINT_PTR id, DWORD time) {
    const auto it = timerProcedures().find({hwnd, id});
    if (it != timerProcedures().end()) it->second(handleOf(hwnd), message, id, time);
}

void appendItems(HMENU menu, const std::vector<MenuItemDescription>& items) {
    for (const MenuItemDescription& item : items) {
        switch (item.kind) {
            case MenuItemDescription::Kind::Command:
                AppendMenuA(menu, MF_STRING, item.id, item.text.c_str());
                break;
            case MenuItemDescription::Kind::Separator:
                AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
                break;
            case MenuItemDescription::Kind::Popup: {
                const HMENU popup = CreatePopupMenu();
                appendItems(popup, item.children);
                AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), item.text.c_str());
                break;
            }
        }
    }
}

}  // namespace

void Win32Windows::initCommonControls() {
    InitCommonControls();
}

bool Win32Windows::registerWindowClass(std::string_view name, WindowProcedure procedure) {
    if (!procedure) return false;
    const std::string className(name);
    WNDCLASSA windowClass{};
    windowClass.style = 0;
    windowClass.lpfnWndProc = classWindowProcedure;
    windowClass.hInstance = moduleInstance();
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    const bool information = className == kInformationClass;
    windowClass.hIcon = LoadIconA(nullptr, information ? IDI_INFORMATION : IDI_APPLICATION);
    windowClass.hbrBackground = information ? static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))
                                            : reinterpret_cast<HBRUSH>(COLOR_WINDOWFRAME + 1);
    windowClass.lpszClassName = className.c_str();
    const ATOM atom = RegisterClassA(&windowClass);
    if (!atom) return false;
    classProcedures()[atom] = procedure;
    return true;
}

void Win32Windows::unregisterWindowClass(std::string_view name) {
    const std::string className(name);
    WNDCLASSA windowClass{};
    const auto atom =
        static_cast<ATOM>(GetClassInfoA(moduleInstance(), className.c_str(), &windowClass));
    if (UnregisterClassA(className.c_str(), moduleInstance())) classProcedures().erase(atom);
}

WindowHandle Win32Windows::createChildWindow(std::string_view className, std::string_view title,
                                             NativeParent parent, int width, int height) {
    const HWND parentWindow = static_cast<HWND>(parent);
    if (!parentWindow || !IsWindow(parentWindow)) return {};
    const std::string cls(className), caption(title);
    return handleOf(CreateWindowExA(0, cls.c_str(), caption.c_str(), WS_CHILD | WS_VISIBLE,
                                    CW_USEDEFAULT, CW_USEDEFAULT, width, height, parentWindow,
                                    nullptr, moduleInstance(), nullptr));
}

WindowHandle Win32Windows::createPopupWindow(std::string_view className, std::string_view title,
                                             WindowHandle owner, const Rect& screenBounds) {
    const std::string cls(className), caption(title);
    return handleOf(CreateWindowExA(
        WS_EX_APPWINDOW, cls.c_str(), caption.c_str(), WS_POPUPWINDOW | WS_VISIBLE | WS_DLGFRAME,
        screenBounds.left, screenBounds.top, screenBounds.right - screenBounds.left,
        screenBounds.bottom - screenBounds.top, hwndOf(owner), nullptr, moduleInstance(), nullptr));
}

void Win32Windows::restoreAndActivate(WindowHandle window) {
    ShowWindow(hwndOf(window), SW_RESTORE);
    SetActiveWindow(hwndOf(window));
}

void Win32Windows::destroyWindow(WindowHandle window) {
    DestroyWindow(hwndOf(window));
}

bool Win32Windows::isWindow(WindowHandle window) const {
    return window && IsWindow(hwndOf(window));
}

void Win32Windows::setUserData(WindowHandle window, void* data) {
    SetWindowLongPtrA(hwndOf(window), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(data));
}

void* Win32Windows::userData(WindowHandle window) const {
    return reinterpret_cast<void*>(GetWindowLongPtrA(hwndOf(window), GWLP_USERDATA));
}

Rect Win32Windows::screenRect(WindowHandle window) const {
    RECT r{};
    GetWindowRect(hwndOf(window), &r);
    return {r.left, r.top, r.right, r.bottom};
}

Point Win32Windows::screenToClient(WindowHandle window, Point screen) const {
    POINT p{screen.x, screen.y};
    ScreenToClient(hwndOf(window), &p);
    const Scale scale = scaleOf(hwndOf(window));
    return {scale.logical(p.x), scale.logical(p.y)};
}

void Win32Windows::setFocus(WindowHandle window) {
    SetFocus(hwndOf(window));
}

void Win32Windows::resizeWindow(WindowHandle window, Scale scale) {
    const HWND hwnd = hwndOf(window);
    if (!isWindow(window)) return;
    // The logical size is the one the window was made with, at 1.0.
    RECT client{};
    GetClientRect(hwnd, &client);
    const auto it = drawnWindows().find(hwnd);
    DrawnWindow logical = it != drawnWindows().end()
                              ? it->second
                              : DrawnWindow{Scale(), client.right, client.bottom, {}};
    logical.scale = scale;
    if (scale.isIdentity() && !logical.room)
        drawnWindows().erase(hwnd);
    else
        drawnWindows()[hwnd] = logical;
    // The client area takes the device size; a frame (the information
    // window's) keeps its own.
    RECT outer{};
    GetWindowRect(hwnd, &outer);
    const int frameWidth = (outer.right - outer.left) - client.right;
    const int frameHeight = (outer.bottom - outer.top) - client.bottom;
    SetWindowPos(hwnd, nullptr, 0, 0, scale.device(logical.width) + frameWidth,
                 scale.device(logical.height) + frameHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(hwnd, nullptr, FALSE);
}

void Win32Windows::setRoomColour(WindowHandle window, Colour colour) {
    const HWND hwnd = hwndOf(window);
    if (!isWindow(window)) return;
    RECT client{};
    GetClientRect(hwnd, &client);
    drawnWindows()
        .try_emplace(hwnd, DrawnWindow{Scale(), client.right, client.bottom, {}})
        .first->second.room = colour;
    InvalidateRect(hwnd, nullptr, TRUE);
}

double Win32Windows::systemScaleFactor(WindowHandle window) const {
    return windowDpi(hwndOf(window)) / static_cast<double>(USER_DEFAULT_SCREEN_DPI);
}

void Win32Windows::showWindow(WindowHandle window, bool visible) {
    ShowWindow(hwndOf(window), visible ? SW_SHOW : SW_HIDE);
}

std::unique_ptr<Canvas> Win32Windows::windowCanvas(WindowHandle window) {
    const HWND hwnd = hwndOf(window);
    // GetDC of no window would be the whole screen's.
    if (!isWindow(window)) return std::make_unique<GdiCanvas>(nullptr, 0, 0, nullptr);
    RECT client{};
    GetClientRect(hwnd, &client);
    return logicalCanvas(hwnd,
                         std::make_unique<GdiCanvas>(GetDC(hwnd), client.right, client.bottom,
                                                     [hwnd](HDC dc) { ReleaseDC(hwnd, dc); }));
}

std::unique_ptr<Canvas> Win32Windows::beginPaint(WindowHandle window) {
    const HWND hwnd = hwndOf(window);
    if (!isWindow(window)) return std::make_unique<GdiCanvas>(nullptr, 0, 0, nullptr);
    RECT client{};
    GetClientRect(hwnd, &client);
    auto paint = std::make_shared<PAINTSTRUCT>();
    const HDC dc = BeginPaint(hwnd, paint.get());
    return logicalCanvas(
        hwnd, std::make_unique<GdiCanvas>(dc, client.right, client.bottom,
                                          [hwnd, paint](HDC) { EndPaint(hwnd, paint.get()); }));
}

void Win32Windows::updateWindow(WindowHandle window) {
    UpdateWindow(hwndOf(window));
}

void Win32Windows::setTimer(WindowHandle window, std::uintptr_t id, std::uint32_t periodMs,
                            TimerProcedure procedure) {
    const HWND hwnd = hwndOf(window);
    timerProcedures()[{hwnd, id}] = procedure;
    if (!SetTimer(hwnd, id, periodMs, timerTrampoline)) timerProcedures().erase({hwnd, id});
}

void Win32Windows::killTimer(WindowHandle window, std::uintptr_t id) {
    KillTimer(hwndOf(window), id);
    timerProcedures().erase({hwndOf(window), id});
}

void Win32Windows::postMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                               std::intptr_t lParam) {
    PostMessageA(hwndOf(window), message, wParam, lParam);
}

MenuHandle Win32Windows::createMenu(const MenuDescription& description) {
    const HMENU menu = CreateMenu();
    appendItems(menu, description);
    return menuHandleOf(menu);
}

MenuHandle Win32Windows::loadMenu(int resourceId, const MenuDescription&) {
    return menuHandleOf(LoadMenuA(moduleInstance(), MAKEINTRESOURCEA(resourceId)));
}

void Win32Windows::destroyMenu(MenuHandle menu) {
    if (menu) DestroyMenu(hmenuOf(menu));
}

void Win32Windows::setWindowMenu(WindowHandle window, MenuHandle menu) {
    // A child window takes no menu bar: the call fails and the menu stays
    // the editor's to destroy.
    SetMenu(hwndOf(window), hmenuOf(menu));
}

void Win32Windows::checkMenuItem(MenuHandle menu, std::uint16_t id, bool checked) {
    CheckMenuItem(hmenuOf(menu), id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void Win32Windows::trackPopupMenu(MenuHandle menu, int index, WindowHandle owner, Point screen) {
    const HMENU popup = GetSubMenu(hmenuOf(menu), index);
    if (popup)
        TrackPopupMenu(popup, TPM_RIGHTBUTTON, screen.x, screen.y, 0, hwndOf(owner), nullptr);
}

WindowHandle Win32Windows::createEditBox(WindowHandle parent, const Rect& bounds,
                                         std::string_view text) {
    const std::string initial(text);
    const Rect device = deviceRect(scaleOf(hwndOf(parent)), bounds);
    // Enter commits a value by adding a second line. Wine keeps the
    // formatting rectangle inside the 15-pixel box, where a second line only
    // fits when the box may scroll; on Windows the taller rectangle holds it.
    return handleOf(CreateWindowExA(
        0, "EDIT", initial.c_str(),
        WS_CHILD | WS_VISIBLE | ES_CENTER | ES_MULTILINE | ES_AUTOVSCROLL, device.left, device.top,
        device.right - device.left, device.bottom - device.top, hwndOf(parent), nullptr,
        moduleInstance(), nullptr));
}

void Win32Windows::setEditFont(WindowHandle edit, const Font& font) {
    SendMessageA(hwndOf(edit), WM_SETFONT,
                 reinterpret_cast<WPARAM>(static_cast<const GdiFont&>(font).handle()), TRUE);
}

// An edit box lies at its editor window's scale.
void Win32Windows::setEditMargins(WindowHandle edit, int left, int right) {
    const Scale scale = scaleOf(GetParent(hwndOf(edit)));
    SendMessageA(hwndOf(edit), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                 MAKELPARAM(scale.device(left), scale.device(right)));
}

void Win32Windows::setEditFormattingRect(WindowHandle edit, const Rect& rect) {
    const Rect device = deviceRect(scaleOf(GetParent(hwndOf(edit))), rect);
    RECT r{device.left, device.top, device.right, device.bottom};
    SendMessageA(hwndOf(edit), EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
}

void Win32Windows::setText(WindowHandle window, std::string_view text) {
    const std::string value(text);
    SetWindowTextA(hwndOf(window), value.c_str());
}

std::string Win32Windows::text(WindowHandle window) const {
    const int length = GetWindowTextLengthA(hwndOf(window));
    std::string value(static_cast<std::size_t>(length) + 1, '\0');
    value.resize(static_cast<std::size_t>(
        GetWindowTextA(hwndOf(window), value.data(), static_cast<int>(value.size()))));
    return value;
}

int Win32Windows::editLineCount(WindowHandle edit) const {
    return static_cast<int>(SendMessageA(hwndOf(edit), EM_GETLINECOUNT, 0, 0));
}

void Win32Windows::setEditSelection(WindowHandle edit, int start, int end) {
    SendMessageA(hwndOf(edit), EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
}

void Win32Windows::messageBox(WindowHandle owner, std::string_view text, std::string_view caption) {
    const std::string body(text), title(caption);
    MessageBoxA(hwndOf(owner), body.c_str(), title.c_str(), MB_OK);
}

bool Win32Windows::chooseColour(WindowHandle owner, Colour initial,
                                std::array<Colour, 16>& customColours) {
    static_assert(sizeof(CHOOSECOLORA) == 72 || sizeof(void*) != 8);
    std::array<COLORREF, 16> custom{};
    std::copy(customColours.begin(), customColours.end(), custom.begin());
    CHOOSECOLORA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = hwndOf(owner);
    dialog.rgbResult = initial;
    dialog.lpCustColors = custom.data();
    dialog.Flags = CC_RGBINIT | CC_FULLOPEN;
    const bool confirmed = ChooseColorA(&dialog) == TRUE;
    std::copy(custom.begin(), custom.end(), customColours.begin());
    return confirmed;
}

}  // namespace platform::win32
