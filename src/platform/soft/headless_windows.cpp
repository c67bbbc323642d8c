#include "platform/soft/headless_windows.h"

#include <algorithm>

#include "platform/scaled_canvas.h"
#include "platform/soft/soft_canvas.h"
#include "platform/window_messages.h"

namespace platform {
namespace {

bool hasCommand(const std::vector<MenuItemDescription>& items, std::uint16_t id) {
    return std::any_of(items.begin(), items.end(), [id](const MenuItemDescription& item) {
        return (item.kind == MenuItemDescription::Kind::Command && item.id == id) ||
               hasCommand(item.children, id);
    });
}

std::uintptr_t commandParam(std::uint16_t id, std::uint32_t notification) {
    return (std::uintptr_t{notification} << 16) | id;
}

}  // namespace

void HeadlessWindows::makeClient(WindowRecord& record, int width, int height) const {
    record.size = {width, height};
    record.scale = scale_;
    record.client = std::make_shared<PixelBuffer>(scale_.device(width), scale_.device(height));
}

const HeadlessWindows::WindowRecord* HeadlessWindows::find(WindowHandle window) const {
    const auto it = windows_.find(window.value);
    return it == windows_.end() ? nullptr : &it->second;
}

HeadlessWindows::WindowRecord* HeadlessWindows::find(WindowHandle window) {
    const auto it = windows_.find(window.value);
    return it == windows_.end() ? nullptr : &it->second;
}

bool HeadlessWindows::registerWindowClass(std::string_view name, WindowProcedure procedure) {
    if (failures.classRegistration || !procedure || classes_.count(name)) return false;
    classes_.emplace(std::string(name), procedure);
    return true;
}

void HeadlessWindows::unregisterWindowClass(std::string_view name) {
    const auto it = classes_.find(name);
    if (it != classes_.end()) classes_.erase(it);
}

bool HeadlessWindows::isClassRegistered(std::string_view name) const {
    return classes_.count(name) != 0;
}

WindowHandle HeadlessWindows::createChildWindow(std::string_view className, std::string_view title,
                                                NativeParent parent, int width, int height) {
    const auto cls = classes_.find(className);
    if (failures.windowCreation || cls == classes_.end() || width <= 0 || height <= 0) return {};
    const WindowHandle handle = newHandle();
    WindowRecord& record = windows_[handle.value];
    record.procedure = cls->second;
    record.hostParent = parent;
    makeClient(record, width, height);
    record.text = std::string(title);
    return handle;
}

WindowHandle HeadlessWindows::createPopupWindow(std::string_view className, std::string_view title,
                                                WindowHandle owner, const Rect& screenBounds) {
    const auto cls = classes_.find(className);
    if (failures.windowCreation || cls == classes_.end() || screenBounds.empty()) return {};
    const WindowHandle handle = newHandle();
    WindowRecord& record = windows_[handle.value];
    record.procedure = cls->second;
    record.owner = owner;
    record.screenOrigin = {screenBounds.left, screenBounds.top};
    makeClient(record, screenBounds.right - screenBounds.left,
               screenBounds.bottom - screenBounds.top);
    record.text = std::string(title);
    active_ = handle;
    return handle;
}

void HeadlessWindows::restoreAndActivate(WindowHandle window) {
    WindowRecord* record = find(window);
    if (!record) return;
    record->visible = true;
    record->minimized = false;
    active_ = window;
}

void HeadlessWindows::minimize(WindowHandle window) {
    WindowRecord* record = find(window);
    if (!record) return;
    record->minimized = true;
    if (active_ == window) active_ = {};
}

bool HeadlessWindows::isMinimized(WindowHandle window) const {
    const WindowRecord* record = find(window);
    return record && record->minimized;
}

WindowHandle HeadlessWindows::owner(WindowHandle window) const {
    const WindowRecord* record = find(window);
    return record ? record->owner : WindowHandle{};
}

void HeadlessWindows::destroyWindow(WindowHandle window) {
    WindowRecord* record = find(window);
    if (!record) return;
    // As on Windows: the window hears of its destruction while it still
    // exists, then its children go.
    if (record->procedure) record->procedure(window, kMsgDestroy, 0, 0);
    std::vector<WindowHandle> children;  // edit boxes and owned pop-ups
    for (const auto& [value, child] : windows_)
        if (child.parent == window || child.owner == window)
            children.push_back(WindowHandle{value});
    for (WindowHandle child : children) destroyWindow(child);

    record = find(window);
    if (!record) return;
    if (record->menu) destroyMenu(record->menu);
    std::erase_if(timers_, [window](const auto& t) { return t.first.first == window.value; });
    std::erase_if(posted_, [window](const Posted& p) { return p.window == window; });
    if (focus_ == window) focus_ = {};
    if (active_ == window) active_ = {};
    if (popup_ && popup_->owner == window) popup_.reset();
    windows_.erase(window.value);
}

void HeadlessWindows::destroyChildrenOf(NativeParent parent) {
    std::vector<WindowHandle> doomed;
    for (const auto& [value, record] : windows_)
        if (!record.parent && record.hostParent == parent) doomed.push_back(WindowHandle{value});
    for (WindowHandle window : doomed) destroyWindow(window);
}

void HeadlessWindows::setUserData(WindowHandle window, void* data) {
    if (WindowRecord* record = find(window)) record->userData = data;
}

void* HeadlessWindows::userData(WindowHandle window) const {
    const WindowRecord* record = find(window);
    return record ? record->userData : nullptr;
}

Rect HeadlessWindows::screenRect(WindowHandle window) const {
    const WindowRecord* record = find(window);
    if (!record) return {};
    const Point o = record->edit ? Point{} : record->screenOrigin;
    const Rect size =
        record->edit ? record->edit->bounds : Rect{0, 0, record->size.x, record->size.y};
    return {o.x + size.left, o.y + size.top, o.x + size.right, o.y + size.bottom};
}

Point HeadlessWindows::screenToClient(WindowHandle window, Point screen) const {
    const Rect r = screenRect(window);
    return {screen.x - r.left, screen.y - r.top};
}

void HeadlessWindows::placeOnScreen(WindowHandle window, Point origin) {
    if (WindowRecord* record = find(window)) record->screenOrigin = origin;
}

void HeadlessWindows::setFocus(WindowHandle window) {
    if (find(window)) focus_ = window;
}

void HeadlessWindows::showWindow(WindowHandle window, bool visible) {
    if (WindowRecord* record = find(window)) record->visible = visible;
}

void HeadlessWindows::resizeWindow(WindowHandle window, Scale scale) {
    WindowRecord* record = find(window);
    if (!record) return;
    record->scale = scale;
    record->client =
        std::make_shared<PixelBuffer>(scale.device(record->size.x), scale.device(record->size.y));
    record->invalid = true;
}

bool HeadlessWindows::isVisible(WindowHandle window) const {
    const WindowRecord* record = find(window);
    return record && record->visible;
}

std::unique_ptr<Canvas> HeadlessWindows::windowCanvas(WindowHandle window) {
    const WindowRecord* record = find(window);
    auto canvas = std::make_unique<SoftCanvas>(record ? record->client : nullptr);
    if (!record || record->scale.isIdentity()) return canvas;
    return std::make_unique<ScaledCanvas>(std::move(canvas), record->scale, record->size.x,
                                          record->size.y);
}

std::unique_ptr<Canvas> HeadlessWindows::beginPaint(WindowHandle window) {
    WindowRecord* record = find(window);
    auto canvas = windowCanvas(window);
    if (!record) return canvas;
    // Painting reaches only what was invalid; the headless window is either
    // wholly invalid or wholly valid.
    if (!record->invalid) canvas->excludeClip({0, 0, canvas->width(), canvas->height()});
    record->invalid = false;
    return canvas;
}

void HeadlessWindows::invalidate(WindowHandle window) {
    if (WindowRecord* record = find(window)) record->invalid = true;
}

void HeadlessWindows::updateWindow(WindowHandle window) {
    const WindowRecord* record = find(window);
    if (record && record->invalid && record->procedure) send(window, kMsgPaint, 0, 0);
}

std::shared_ptr<const PixelBuffer> HeadlessWindows::clientPixels(WindowHandle window) const {
    const WindowRecord* record = find(window);
    return record ? record->client : nullptr;
}

void HeadlessWindows::setTimer(WindowHandle window, std::uintptr_t id, std::uint32_t periodMs,
                               TimerProcedure procedure) {
    if (!find(window) || !procedure) return;
    const std::uint32_t period = std::max<std::uint32_t>(periodMs, 1);
    timers_[{window.value, id}] = Timer{period, now_ + period, procedure};
}

void HeadlessWindows::killTimer(WindowHandle window, std::uintptr_t id) {
    timers_.erase({window.value, id});
}

std::optional<std::uint32_t> HeadlessWindows::timerPeriod(WindowHandle window,
                                                          std::uintptr_t id) const {
    const auto it = timers_.find({window.value, id});
    if (it == timers_.end()) return std::nullopt;
    return it->second.period;
}

void HeadlessWindows::advance(std::uint32_t ms) {
    const std::uint64_t end = now_ + ms;
    for (;;) {
        auto next = std::min_element(
            timers_.begin(), timers_.end(),
            [](const auto& a, const auto& b) { return a.second.due < b.second.due; });
        if (next == timers_.end() || next->second.due > end) break;
        const auto [window, id] = next->first;
        const TimerProcedure procedure = next->second.procedure;
        now_ = next->second.due;
        next->second.due += next->second.period;
        procedure(WindowHandle{window}, kMsgTimer, id, static_cast<std::uint32_t>(now_));
        dispatchPostedMessages();
    }
    now_ = end;
}

void HeadlessWindows::postMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                  std::intptr_t lParam) {
    if (find(window)) posted_.push_back({window, message, wParam, lParam});
}

void HeadlessWindows::dispatchPostedMessages() {
    while (!posted_.empty()) {
        const Posted p = posted_.front();
        posted_.pop_front();
        send(p.window, p.message, p.wParam, p.lParam);
    }
}

std::intptr_t HeadlessWindows::send(WindowHandle window, std::uint32_t message,
                                    std::uintptr_t wParam, std::intptr_t lParam) {
    const WindowRecord* record = find(window);
    if (!record || !record->procedure) return 0;
    const bool mouse =
        message == kMsgMouseMove || message == kMsgLeftButtonDown || message == kMsgLeftButtonUp;
    if (mouse && !record->scale.isIdentity()) {
        // The pointer is on a device pixel; the window works in logical ones.
        const Point device = pointOf(lParam);
        lParam = pointParam({record->scale.logical(device.x), record->scale.logical(device.y)});
    }
    return record->procedure(window, message, wParam, lParam);
}

MenuHandle HeadlessWindows::createMenu(const MenuDescription& description) {
    const MenuHandle handle{nextHandle_++};
    menus_[handle.value] = {description, {}};
    return handle;
}

void HeadlessWindows::destroyMenu(MenuHandle menu) {
    menus_.erase(menu.value);
    if (popup_ && popup_->menu == menu) popup_.reset();
}

void HeadlessWindows::setWindowMenu(WindowHandle window, MenuHandle menu) {
    if (WindowRecord* record = find(window); record && isMenu(menu)) record->menu = menu;
}

MenuHandle HeadlessWindows::windowMenu(WindowHandle window) const {
    const WindowRecord* record = find(window);
    return record ? record->menu : MenuHandle{};
}

void HeadlessWindows::checkMenuItem(MenuHandle menu, std::uint16_t id, bool checked) {
    const auto it = menus_.find(menu.value);
    if (it == menus_.end() || !hasCommand(it->second.first, id)) return;
    if (checked)
        it->second.second.insert(id);
    else
        it->second.second.erase(id);
}

bool HeadlessWindows::isMenuItemChecked(MenuHandle menu, std::uint16_t id) const {
    const auto it = menus_.find(menu.value);
    return it != menus_.end() && it->second.second.count(id) != 0;
}

void HeadlessWindows::trackPopupMenu(MenuHandle menu, int index, WindowHandle owner, Point screen) {
    const auto it = menus_.find(menu.value);
    if (it == menus_.end() || !find(owner) || index < 0 ||
        index >= static_cast<int>(it->second.first.size()) ||
        it->second.first[index].kind != MenuItemDescription::Kind::Popup)
        return;
    popup_ = PopupRequest{menu, index, owner, screen};
}

bool HeadlessWindows::chooseMenuCommand(std::uint16_t id) {
    if (!popup_) return false;
    const PopupRequest request = *popup_;
    const auto& items = menus_.at(request.menu.value).first[request.index].children;
    if (!hasCommand(items, id)) return false;
    popup_.reset();
    send(request.owner, kMsgCommand, commandParam(id, 0), 0);
    return true;
}

WindowHandle HeadlessWindows::createEditBox(WindowHandle parent, const Rect& bounds,
                                            std::string_view text) {
    if (!find(parent) || failures.windowCreation) return {};
    const WindowHandle handle = newHandle();
    WindowRecord& record = windows_[handle.value];
    record.parent = parent;
    makeClient(record, bounds.right - bounds.left, bounds.bottom - bounds.top);
    record.text = std::string(text);
    record.edit =
        EditBoxState{bounds, {0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top}};
    return handle;
}

const HeadlessWindows::EditBoxState* HeadlessWindows::editBox(WindowHandle edit) const {
    const WindowRecord* record = find(edit);
    return record && record->edit ? &*record->edit : nullptr;
}

void HeadlessWindows::setEditFont(WindowHandle edit, const Font& font) {
    if (WindowRecord* record = find(edit); record && record->edit) record->edit->font = &font;
}

void HeadlessWindows::setEditMargins(WindowHandle edit, int left, int right) {
    if (WindowRecord* record = find(edit); record && record->edit) {
        record->edit->leftMargin = left;
        record->edit->rightMargin = right;
    }
}

void HeadlessWindows::setEditFormattingRect(WindowHandle edit, const Rect& rect) {
    if (WindowRecord* record = find(edit); record && record->edit) record->edit->formatting = rect;
}

void HeadlessWindows::setText(WindowHandle window, std::string_view text) {
    WindowRecord* record = find(window);
    if (!record) return;
    record->text = std::string(text);
    if (record->edit) record->edit->selectionStart = record->edit->selectionEnd = 0;
}

std::string HeadlessWindows::text(WindowHandle window) const {
    const WindowRecord* record = find(window);
    return record ? record->text : std::string();
}

int HeadlessWindows::editLineCount(WindowHandle edit) const {
    // Hard line breaks only: the boxes are wide enough that nothing typed
    // into them wraps.
    const WindowRecord* record = find(edit);
    if (!record || !record->edit) return 0;
    return 1 + static_cast<int>(std::count(record->text.begin(), record->text.end(), '\n'));
}

void HeadlessWindows::setEditSelection(WindowHandle edit, int start, int end) {
    WindowRecord* record = find(edit);
    if (!record || !record->edit) return;
    const int length = static_cast<int>(record->text.size());
    if (start < 0) {  // a negative start removes the selection
        record->edit->selectionStart = record->edit->selectionEnd;
        return;
    }
    if (end < 0 || end > length) end = length;
    start = std::min(start, length);
    record->edit->selectionStart = std::min(start, end);
    record->edit->selectionEnd = std::max(start, end);
}

void HeadlessWindows::type(WindowHandle edit, std::string_view text) {
    WindowRecord* record = find(edit);
    if (!record || !record->edit) return;
    setText(edit, text);
    const int end = static_cast<int>(record->text.size());
    record->edit->selectionStart = record->edit->selectionEnd = end;
    send(record->parent, kMsgCommand, commandParam(0, kEditChanged),
         static_cast<std::intptr_t>(edit.value));
}

void HeadlessWindows::messageBox(WindowHandle owner, std::string_view text,
                                 std::string_view caption) {
    messageBoxes_.push_back({owner, std::string(text), std::string(caption)});
}

bool HeadlessWindows::chooseColour(WindowHandle, Colour initial,
                                   std::array<Colour, 16>& customColours) {
    ++colourDialogsShown_;
    colourDialogInitial_ = initial;
    if (!colourDialogUser) return false;
    std::array<Colour, 16> edited = customColours;
    if (!colourDialogUser(edited)) return false;
    customColours = edited;
    return true;
}

}  // namespace platform
