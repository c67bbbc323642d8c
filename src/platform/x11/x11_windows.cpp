#include "platform/x11/x11_windows.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/scaled_canvas.h"
#include "platform/window_messages.h"
#include "platform/x11/damage_canvas.h"
#include "platform/x11/system_scale.h"

namespace platform::x11 {
namespace {

bool hasCommand(const std::vector<MenuItemDescription>& items, std::uint16_t id) {
    return std::any_of(items.begin(), items.end(), [id](const MenuItemDescription& item) {
        return (item.kind == MenuItemDescription::Kind::Command && item.id == id) ||
               hasCommand(item.children, id);
    });
}

constexpr std::uint32_t kEditorEvents =
    XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE |
    XCB_EVENT_MASK_POINTER_MOTION | XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_STRUCTURE_NOTIFY;

}  // namespace

X11Windows::X11Windows() = default;

X11Windows::~X11Windows() {
    // Records first: their images still talk to the connection.
    windows_.clear();
    connection_.reset();
}

const X11Windows::Record* X11Windows::find(WindowHandle window) const {
    const auto it = windows_.find(window.value);
    return it == windows_.end() || it->second.destroying ? nullptr : &it->second;
}

X11Windows::Record* X11Windows::find(WindowHandle window) {
    const auto it = windows_.find(window.value);
    return it == windows_.end() || it->second.destroying ? nullptr : &it->second;
}

WindowHandle X11Windows::byNativeWindow(xcb_window_t xid) const {
    for (const auto& [value, record] : windows_)
        if (record.xid == xid && !record.destroying) return WindowHandle{value};
    return {};
}

std::uint32_t X11Windows::nativeWindow(WindowHandle window) const {
    const Record* record = find(window);
    return record ? record->xid : 0;
}

bool X11Windows::usesSharedMemory(WindowHandle window) const {
    const Record* record = find(window);
    return record && record->image && record->image->usesSharedMemory();
}

bool X11Windows::registerWindowClass(std::string_view name, WindowProcedure procedure) {
    // No connection yet: effects register classes without ever showing a
    // window, possibly where there is no display.
    if (!procedure || classes_.count(name)) return false;
    classes_.emplace(std::string(name), procedure);
    return true;
}

void X11Windows::unregisterWindowClass(std::string_view name) {
    const auto it = classes_.find(name);
    if (it != classes_.end()) classes_.erase(it);
}

bool X11Windows::connect() {
    if (connection_ && !connection_->alive() && windows_.empty()) connection_.reset();
    if (!connection_) connection_ = Connection::open();
    return live();
}

void X11Windows::disconnectWhenUnused() {
    // Not from inside a pass over the events: the caller still reads them.
    if (pumpDepth_ == 0 && windows_.empty()) connection_.reset();
}

WindowHandle X11Windows::createNativeWindow(Kind kind, xcb_window_t parentXid, const Rect& bounds,
                                            bool overrideRedirect) {
    if (!connect()) return {};
    const XcbLibrary& xcb = connection_->xcb();
    xcb_connection_t* c = connection_->raw();
    const xcb_window_t xid = connection_->generateId();
    const int w = bounds.right - bounds.left;
    const int h = bounds.bottom - bounds.top;
    // Our own visual and colour map: the host's window may have any depth.
    const std::uint32_t values[] = {0, overrideRedirect ? 1u : 0u, kEditorEvents,
                                    connection_->screen().default_colormap};
    const auto cookie = xcb.xcb_create_window_checked(
        c, connection_->depth(), xid, parentXid ? parentXid : connection_->screen().root,
        static_cast<std::int16_t>(bounds.left), static_cast<std::int16_t>(bounds.top),
        static_cast<std::uint16_t>(w), static_cast<std::uint16_t>(h), 0,
        XCB_WINDOW_CLASS_INPUT_OUTPUT, connection_->visual(),
        XCB_CW_BORDER_PIXEL | XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK | XCB_CW_COLORMAP,
        values);
    if (xcb_generic_error_t* error = xcb.xcb_request_check(c, cookie)) {
        std::free(error);  // an unknown parent, or a server out of resources
        disconnectWhenUnused();
        return {};
    }
    const WindowHandle handle{nextHandle_++};
    Record& record = windows_[handle.value];
    record.kind = kind;
    record.xid = xid;
    record.logicalSize = {w, h};
    record.windowSize = {w, h};
    record.pixels = std::make_shared<PixelBuffer>(w, h);
    record.damage = std::make_shared<DamageRegion>(Rect{0, 0, w, h});
    record.image = std::make_unique<ScreenImage>(*connection_, xid, w, h);
    return handle;
}

WindowHandle X11Windows::createPanelWindow(Kind kind, Point screen, Point size, Scale scale) {
    const Rect bounds{screen.x, screen.y, screen.x + scale.device(size.x),
                      screen.y + scale.device(size.y)};
    // Menus are placed by us, never by the window manager.
    const WindowHandle handle = createNativeWindow(kind, 0, bounds, kind == Kind::Popup);
    if (Record* record = find(handle)) {
        record->scale = scale;
        record->logicalSize = size;
    }
    return handle;
}

Scale X11Windows::windowScale(WindowHandle window) const {
    const Record* record = find(window);
    return record ? record->scale : Scale();
}

WindowHandle X11Windows::createChildWindow(std::string_view className, std::string_view title,
                                           NativeParent parent, int width, int height) {
    const auto cls = classes_.find(className);
    const auto parentId = reinterpret_cast<std::uintptr_t>(parent);
    if (cls == classes_.end() || parentId == 0 || parentId > 0xFFFFFFFFu || width <= 0 ||
        height <= 0 || width > 0x7FFF || height > 0x7FFF)
        return {};
    const WindowHandle handle = createNativeWindow(
        Kind::Editor, static_cast<xcb_window_t>(parentId), {0, 0, width, height}, false);
    Record* record = find(handle);
    if (!record) return {};
    record->procedure = cls->second;
    record->title = std::string(title);
    record->host = static_cast<xcb_window_t>(parentId);
    connection_->xcb().xcb_map_window(connection_->raw(), record->xid);
    connection_->flush();
    return handle;
}

WindowHandle X11Windows::createPopupWindow(std::string_view className, std::string_view title,
                                           WindowHandle owner, const Rect& screenBounds) {
    const auto cls = classes_.find(className);
    const Record* ownerRecord = find(owner);
    if (cls == classes_.end() || screenBounds.empty() || !ownerRecord) return {};
    const xcb_window_t ownerTop = topLevelOf(ownerRecord->xid);
    const WindowHandle handle = createNativeWindow(Kind::Owned, 0, screenBounds, false);
    Record* record = find(handle);
    if (!record) return {};
    record->procedure = cls->second;
    record->parent = owner;
    record->title = std::string(title);
    const XcbLibrary& xcb = connection_->xcb();
    setTitle(record->xid, record->title);
    xcb.xcb_change_property(connection_->raw(), XCB_PROP_MODE_REPLACE, record->xid,
                            XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 32, 1, &ownerTop);
    restoreAndActivate(handle);
    return handle;
}

void X11Windows::restoreAndActivate(WindowHandle window) {
    const Record* record = find(window);
    if (!record || !live()) return;
    const XcbLibrary& xcb = connection_->xcb();
    const std::uint32_t above = XCB_STACK_MODE_ABOVE;
    xcb.xcb_map_window(connection_->raw(), record->xid);
    xcb.xcb_configure_window(connection_->raw(), record->xid, XCB_CONFIG_WINDOW_STACK_MODE, &above);
    xcb.xcb_set_input_focus(connection_->raw(), XCB_INPUT_FOCUS_POINTER_ROOT, record->xid,
                            XCB_CURRENT_TIME);
    connection_->flush();
}

void X11Windows::setTitle(xcb_window_t xid, const std::string& title) {
    const XcbLibrary& xcb = connection_->xcb();
    // A window manager close button asks us, rather than killing the client.
    const xcb_atom_t deleteWindow = connection_->wmDeleteWindow();
    xcb.xcb_change_property(connection_->raw(), XCB_PROP_MODE_REPLACE, xid,
                            connection_->wmProtocols(), XCB_ATOM_ATOM, 32, 1, &deleteWindow);
    xcb.xcb_change_property(connection_->raw(), XCB_PROP_MODE_REPLACE, xid, XCB_ATOM_WM_NAME,
                            XCB_ATOM_STRING, 8, static_cast<std::uint32_t>(title.size()),
                            title.data());
    xcb.xcb_change_property(connection_->raw(), XCB_PROP_MODE_REPLACE, xid,
                            connection_->netWmName(), connection_->utf8String(), 8,
                            static_cast<std::uint32_t>(title.size()), title.data());
}

xcb_window_t X11Windows::topLevelOf(xcb_window_t xid) const {
    // Up the tree until the parent is the root.
    const XcbLibrary& xcb = connection_->xcb();
    for (int depth = 0; depth < 64; ++depth) {
        xcb_query_tree_reply_t* reply = xcb.xcb_query_tree_reply(
            connection_->raw(), xcb.xcb_query_tree(connection_->raw(), xid), nullptr);
        if (!reply) return xid;
        const xcb_window_t parent = reply->parent;
        const xcb_window_t root = reply->root;
        std::free(reply);
        if (parent == root || parent == XCB_NONE) return xid;
        xid = parent;
    }
    return xid;
}

void X11Windows::destroyWindow(WindowHandle window) {
    Record* record = find(window);
    if (!record) return;
    // The window hears of its destruction while it still exists, then its
    // edit boxes go; any later event for it finds nothing.
    if (record->procedure) record->procedure(window, kMsgDestroy, 0, 0);
    record = find(window);
    if (!record) return;
    record->destroying = true;
    std::vector<WindowHandle> children;  // edit boxes and owned windows
    for (const auto& [value, child] : windows_)
        if (child.parent == window) children.push_back(WindowHandle{value});
    for (WindowHandle child : children) destroyWindow(child);

    Record& doomed = windows_.at(window.value);
    doomed.image.reset();
    // The host's size changes are no longer ours to hear, unless another
    // editor fills the same window.
    const auto followsHost = [&doomed](const auto& other) {
        return &other.second != &doomed && other.second.hostSize &&
               other.second.host == doomed.host;
    };
    if (live() && doomed.hostSize && std::none_of(windows_.begin(), windows_.end(), followsHost)) {
        const std::uint32_t noEvents = 0;
        connection_->xcb().xcb_change_window_attributes(connection_->raw(), doomed.host,
                                                        XCB_CW_EVENT_MASK, &noEvents);
    }
    if (live() && !doomed.xidGone)
        connection_->xcb().xcb_destroy_window(connection_->raw(), doomed.xid);
    std::erase_if(timers_, [window](const auto& t) { return t.first.first == window.value; });
    std::erase_if(posted_, [window](const Posted& p) { return p.window == window; });
    if (focus_ == window) focus_ = {};
    if (popup_ && popup_->owner == window) closePopup();
    windows_.erase(window.value);
    if (connection_) connection_->flush();
    disconnectWhenUnused();
}

void X11Windows::setUserData(WindowHandle window, void* data) {
    if (Record* record = find(window)) record->userData = data;
}

void* X11Windows::userData(WindowHandle window) const {
    const Record* record = find(window);
    return record ? record->userData : nullptr;
}

Rect X11Windows::screenRect(WindowHandle window) const {
    const Record* record = find(window);
    if (!record || !live()) return {};
    const XcbLibrary& xcb = connection_->xcb();
    const auto cookie = xcb.xcb_translate_coordinates(connection_->raw(), record->xid,
                                                      connection_->screen().root, 0, 0);
    xcb_translate_coordinates_reply_t* reply =
        xcb.xcb_translate_coordinates_reply(connection_->raw(), cookie, nullptr);
    if (!reply) return {};
    const Rect r{reply->dst_x, reply->dst_y, reply->dst_x + record->pixels->width,
                 reply->dst_y + record->pixels->height};
    std::free(reply);
    return r;
}

Point X11Windows::screenToClient(WindowHandle window, Point screen) const {
    const Rect r = screenRect(window);
    const Record* record = find(window);
    const Scale scale = record ? record->scale : Scale();
    return {scale.logical(screen.x - r.left), scale.logical(screen.y - r.top)};
}

void X11Windows::setFocus(WindowHandle window) {
    Record* record = find(window);
    if (!record) return;
    const WindowHandle before = focus_;
    focus_ = window;
    if (live())
        connection_->xcb().xcb_set_input_focus(connection_->raw(), XCB_INPUT_FOCUS_PARENT,
                                               record->xid, XCB_CURRENT_TIME);
    // The caret shows in the edit box that has the focus only.
    if (before != window) {
        repaintOwnDrawn(before);
        repaintOwnDrawn(window);
    }
}

void X11Windows::showWindow(WindowHandle window, bool visible) {
    Record* record = find(window);
    if (!record || record->visible == visible) return;
    record->visible = visible;
    if (!live()) return;
    const XcbLibrary& xcb = connection_->xcb();
    if (visible) {
        repaintOwnDrawn(window);
        record->damage->addAll();
        xcb.xcb_map_window(connection_->raw(), record->xid);
    } else {
        xcb.xcb_unmap_window(connection_->raw(), record->xid);
    }
}

void X11Windows::resizeWindow(WindowHandle window, Scale scale) {
    Record* record = find(window);
    if (!record || (record->kind != Kind::Editor && record->kind != Kind::Owned)) return;
    const int w = scale.device(record->logicalSize.x);
    const int h = scale.device(record->logicalSize.y);
    record->scale = scale;
    record->pixels = std::make_shared<PixelBuffer>(w, h);
    record->damage = std::make_shared<DamageRegion>(Rect{0, 0, w, h});
    record->invalid = true;
    if (!live()) return;
    record->image = std::make_unique<ScreenImage>(*connection_, record->xid, w, h);
    fitWindow(*record);
    if (record->hostSize) clearRoom(*record);
}

void X11Windows::setRoomColour(WindowHandle window, Colour colour) {
    Record* record = find(window);
    if (!record || record->kind != Kind::Editor || !live()) return;
    const XcbLibrary& xcb = connection_->xcb();
    xcb_connection_t* c = connection_->raw();
    const std::uint32_t background = connection_->pixelOf(colour);
    xcb.xcb_change_window_attributes(c, record->xid, XCB_CW_BACK_PIXEL, &background);
    // Event masks are kept per client: the host's own stays as it is.
    const std::uint32_t hostEvents = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb.xcb_change_window_attributes(c, record->host, XCB_CW_EVENT_MASK, &hostEvents);
    xcb_get_geometry_reply_t* host =
        xcb.xcb_get_geometry_reply(c, xcb.xcb_get_geometry(c, record->host), nullptr);
    if (host) {
        record->hostSize = Point{host->width, host->height};
        std::free(host);
        fitWindow(*record);
    }
    clearRoom(*record);
    connection_->flush();
}

void X11Windows::clearRoom(const Record& record) {
    // A width or height of 0 reaches the window's far edge.
    const XcbLibrary& xcb = connection_->xcb();
    xcb.xcb_clear_area(connection_->raw(), 0, record.xid,
                       static_cast<std::int16_t>(record.pixels->width), 0, 0, 0);
    xcb.xcb_clear_area(connection_->raw(), 0, record.xid, 0,
                       static_cast<std::int16_t>(record.pixels->height), 0, 0);
}

Point X11Windows::fittingSize(const Record& record) {
    const Point drawn{record.pixels->width, record.pixels->height};
    if (!record.hostSize) return drawn;
    return {std::max(drawn.x, record.hostSize->x), std::max(drawn.y, record.hostSize->y)};
}

void X11Windows::fitWindow(Record& record) {
    const Point size = fittingSize(record);
    if (!live() || size == record.windowSize) return;
    record.windowSize = size;
    const std::uint32_t values[] = {static_cast<std::uint32_t>(size.x),
                                    static_cast<std::uint32_t>(size.y)};
    connection_->xcb().xcb_configure_window(
        connection_->raw(), record.xid, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, values);
}

double X11Windows::systemScaleFactor() const {
    if (live()) return x11::systemScaleFactor(*connection_);
    // A host may ask for the editor's size before any window is open.
    const std::unique_ptr<Connection> connection = Connection::open();
    return connection ? x11::systemScaleFactor(*connection) : 1.0;
}

std::unique_ptr<Canvas> X11Windows::canvasOf(const Record& record) {
    auto canvas = std::make_unique<DamageCanvas>(record.pixels, record.damage);
    if (record.scale.isIdentity()) return canvas;
    return std::make_unique<ScaledCanvas>(std::move(canvas), record.scale, record.logicalSize.x,
                                          record.logicalSize.y);
}

std::intptr_t X11Windows::logicalPoint(const Record& record, int x, int y) {
    return pointParam({record.scale.logical(x), record.scale.logical(y)});
}

std::unique_ptr<Canvas> X11Windows::windowCanvas(WindowHandle window) {
    const Record* record = find(window);
    if (!record) return std::make_unique<SoftCanvas>(nullptr);
    return canvasOf(*record);
}

std::unique_ptr<Canvas> X11Windows::beginPaint(WindowHandle window) {
    Record* record = find(window);
    auto canvas = windowCanvas(window);
    if (!record) return canvas;
    // The pixels are kept whole, so the server never needs a repaint: only
    // the first paint of a window, or one asked for, finds it invalid.
    if (!record->invalid) canvas->excludeClip({0, 0, canvas->width(), canvas->height()});
    record->invalid = false;
    return canvas;
}

void X11Windows::updateWindow(WindowHandle window) {
    const Record* record = find(window);
    if (record && record->invalid && record->procedure) send(window, kMsgPaint, 0, 0);
}

void X11Windows::setTimer(WindowHandle window, std::uintptr_t id, std::uint32_t periodMs,
                          TimerProcedure procedure) {
    if (!find(window) || !procedure) return;
    const std::uint32_t period = std::max<std::uint32_t>(periodMs, 1);
    timers_[{window.value, id}] = Timer{
        period, std::chrono::steady_clock::now() + std::chrono::milliseconds(period), procedure};
}

void X11Windows::killTimer(WindowHandle window, std::uintptr_t id) {
    timers_.erase({window.value, id});
}

void X11Windows::postMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                             std::intptr_t lParam) {
    if (find(window)) posted_.push_back({window, message, wParam, lParam});
}

std::intptr_t X11Windows::send(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                               std::intptr_t lParam) {
    const Record* record = find(window);
    if (!record || !record->procedure) return 0;
    return record->procedure(window, message, wParam, lParam);
}

MenuHandle X11Windows::createMenu(const MenuDescription& description) {
    const MenuHandle handle{nextHandle_++};
    menus_[handle.value] = Menu{description, {}};
    return handle;
}

void X11Windows::destroyMenu(MenuHandle menu) {
    if (popup_ && popup_->menu == menu) closePopup();
    menus_.erase(menu.value);
}

void X11Windows::setWindowMenu(WindowHandle window, MenuHandle menu) {
    if (Record* record = find(window); record && menus_.count(menu.value)) record->menu = menu;
}

void X11Windows::checkMenuItem(MenuHandle menu, std::uint16_t id, bool checked) {
    const auto it = menus_.find(menu.value);
    if (it == menus_.end() || !hasCommand(it->second.description, id)) return;
    if (checked)
        it->second.checked.insert(id);
    else
        it->second.checked.erase(id);
}

WindowHandle X11Windows::createEditBox(WindowHandle parent, const Rect& bounds,
                                       std::string_view text) {
    const Record* owner = find(parent);
    if (!owner || owner->kind != Kind::Editor || bounds.empty()) return {};
    const Scale scale = owner->scale;
    const Rect device{scale.device(bounds.left), scale.device(bounds.top),
                      scale.device(bounds.right), scale.device(bounds.bottom)};
    const WindowHandle handle = createNativeWindow(Kind::EditBox, owner->xid, device, false);
    Record* record = find(handle);
    if (!record) return {};
    record->scale = scale;
    record->logicalSize = {bounds.right - bounds.left, bounds.bottom - bounds.top};
    record->parent = parent;
    record->bounds = bounds;
    record->field.setText(text);
    record->look.formatting = {0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top};
    repaintOwnDrawn(handle);
    connection_->xcb().xcb_map_window(connection_->raw(), record->xid);
    return handle;
}

void X11Windows::setEditFont(WindowHandle edit, const Font& font) {
    if (Record* record = find(edit); record && record->kind == Kind::EditBox) {
        record->look.font = &font;
        repaintOwnDrawn(edit);
    }
}

void X11Windows::setEditMargins(WindowHandle edit, int left, int right) {
    if (Record* record = find(edit); record && record->kind == Kind::EditBox) {
        record->look.leftMargin = left;
        record->look.rightMargin = right;
        repaintOwnDrawn(edit);
    }
}

void X11Windows::setEditFormattingRect(WindowHandle edit, const Rect& rect) {
    if (Record* record = find(edit); record && record->kind == Kind::EditBox) {
        record->look.formatting = rect;
        repaintOwnDrawn(edit);
    }
}

void X11Windows::setText(WindowHandle window, std::string_view text) {
    Record* record = find(window);
    if (!record) return;
    if (record->kind != Kind::EditBox) {
        record->title = std::string(text);
        return;
    }
    record->field.setText(text);
    repaintOwnDrawn(window);
}

std::string X11Windows::text(WindowHandle window) const {
    const Record* record = find(window);
    if (!record) return {};
    return record->kind == Kind::EditBox ? record->field.text() : record->title;
}

int X11Windows::editLineCount(WindowHandle edit) const {
    const Record* record = find(edit);
    return record && record->kind == Kind::EditBox ? record->field.lineCount() : 0;
}

void X11Windows::setEditSelection(WindowHandle edit, int start, int end) {
    Record* record = find(edit);
    if (!record || record->kind != Kind::EditBox) return;
    record->field.select(start, end);
    repaintOwnDrawn(edit);
}

void X11Windows::repaintOwnDrawn(WindowHandle window) {
    Record* record = find(window);
    if (!record || record->procedure) return;  // those paint themselves
    const std::unique_ptr<Canvas> canvas = canvasOf(*record);
    if (record->kind == Kind::EditBox) {
        TextField::Look look = record->look;
        look.focused = focus_ == window;
        record->field.paint(*canvas, look);
    } else if (record->panel) {
        record->panel->paint(*canvas);
    } else if (record->dialog) {
        record->dialog->paint(*canvas);
    }
}

void X11Windows::present() {
    if (!live()) return;
    for (auto& [value, record] : windows_) {
        if (record.destroying || !record.image || record.damage->empty()) continue;
        for (const Rect& rect : record.damage->take()) record.image->put(*record.pixels, rect);
    }
    connection_->flush();
}

void X11Windows::pump() {
    ++pumpDepth_;
    if (live()) {
        const XcbLibrary& xcb = connection_->xcb();
        while (xcb_generic_event_t* event =
                   live() ? xcb.xcb_poll_for_event(connection_->raw()) : nullptr) {
            handleEvent(*event);
            std::free(event);
        }
    }
    fireDueTimers();
    dispatchPosted();
    paintInvalidWindows();
    present();
    --pumpDepth_;
    disconnectWhenUnused();
}

void X11Windows::fireDueTimers() {
    const auto now = std::chrono::steady_clock::now();
    std::vector<std::pair<std::uintptr_t, std::uintptr_t>> due;
    for (auto& [key, timer] : timers_) {
        if (timer.due > now) continue;
        due.push_back(key);
        // A late tick fires once; the next one counts from now.
        timer.due = now + std::chrono::milliseconds(timer.period);
    }
    for (const auto& key : due) {
        const auto it = timers_.find(key);
        if (it == timers_.end()) continue;  // killed by an earlier tick
        it->second.procedure(
            WindowHandle{key.first}, kMsgTimer, key.second,
            static_cast<std::uint32_t>(
                std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch())
                    .count()));
    }
}

void X11Windows::dispatchPosted() {
    // Messages posted while these are handled wait for the next pass.
    std::size_t count = posted_.size();
    while (count-- > 0 && !posted_.empty()) {
        const Posted p = posted_.front();
        posted_.pop_front();
        send(p.window, p.message, p.wParam, p.lParam);
    }
}

void X11Windows::paintInvalidWindows() {
    std::vector<WindowHandle> invalid;
    for (const auto& [value, record] : windows_)
        if (!record.destroying && record.invalid && record.procedure)
            invalid.push_back(WindowHandle{value});
    for (WindowHandle window : invalid) {
        send(window, kMsgPaint, 0, 0);
        if (Record* record = find(window)) record->invalid = false;
    }
}

}  // namespace platform::x11
