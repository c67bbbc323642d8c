// The context menu: a level per open submenu, each an override-redirect
// window we draw. The pointer and keyboard are grabbed while it is open, so
// a click elsewhere closes it and Escape reaches it.
#include <algorithm>
#include <cstdlib>

#include "platform/window_messages.h"
#include "platform/x11/key_symbols.h"
#include "platform/x11/x11_windows.h"

namespace platform::x11 {
namespace {

using ItemKind = MenuItemDescription::Kind;

}  // namespace

void X11Windows::trackPopupMenu(MenuHandle menu, int index, WindowHandle owner, Point screen) {
    const auto it = menus_.find(menu.value);
    if (it == menus_.end() || !find(owner) || !live() || index < 0 ||
        index >= static_cast<int>(it->second.description.size()) ||
        it->second.description[static_cast<std::size_t>(index)].kind != ItemKind::Popup)
        return;
    closePopup();
    popup_ = Popup{menu, owner};
    openPopupLevel(it->second.description[static_cast<std::size_t>(index)].children, screen);
    if (popupLevels_.empty()) {
        popup_.reset();
        return;
    }
    const XcbLibrary& xcb = connection_->xcb();
    const xcb_window_t grabber = find(popupLevels_.front())->xid;
    const auto pointerEvents =
        XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE | XCB_EVENT_MASK_POINTER_MOTION;
    // Grabs that fail (another client holds one) leave a menu that closes
    // only by a choice or by Escape.
    std::free(xcb.xcb_grab_pointer_reply(
        connection_->raw(),
        xcb.xcb_grab_pointer(connection_->raw(), 1, grabber, pointerEvents, XCB_GRAB_MODE_ASYNC,
                             XCB_GRAB_MODE_ASYNC, XCB_NONE, XCB_NONE, XCB_CURRENT_TIME),
        nullptr));
    std::free(xcb.xcb_grab_keyboard_reply(
        connection_->raw(),
        xcb.xcb_grab_keyboard(connection_->raw(), 1, grabber, XCB_CURRENT_TIME, XCB_GRAB_MODE_ASYNC,
                              XCB_GRAB_MODE_ASYNC),
        nullptr));
    present();
}

void X11Windows::openPopupLevel(const std::vector<MenuItemDescription>& items, Point screen) {
    auto panel = std::make_unique<MenuPanel>(items, menus_.at(popup_->menu.value).checked);
    const Scale scale = windowScale(popup_->owner);
    // Kept on the screen: a menu near the right or bottom edge opens leftward
    // or upward.
    const xcb_screen_t& s = connection_->screen();
    const int x = std::max(0, std::min(screen.x, s.width_in_pixels - scale.device(panel->width())));
    const int y =
        std::max(0, std::min(screen.y, s.height_in_pixels - scale.device(panel->height())));
    const WindowHandle level =
        createPanelWindow(Kind::Popup, {x, y}, {panel->width(), panel->height()}, scale);
    Record* record = find(level);
    if (!record) return;
    record->panel = std::move(panel);
    repaintOwnDrawn(level);
    popupLevels_.push_back(level);
    connection_->xcb().xcb_map_window(connection_->raw(), record->xid);
}

void X11Windows::closePopupLevelsFrom(std::size_t level) {
    while (popupLevels_.size() > level) {
        const WindowHandle window = popupLevels_.back();
        popupLevels_.pop_back();
        destroyWindow(window);
    }
}

void X11Windows::closePopup() {
    if (!popup_) return;
    popup_.reset();
    if (live()) {
        connection_->xcb().xcb_ungrab_pointer(connection_->raw(), XCB_CURRENT_TIME);
        connection_->xcb().xcb_ungrab_keyboard(connection_->raw(), XCB_CURRENT_TIME);
    }
    closePopupLevelsFrom(0);
}

void X11Windows::openSubmenu(std::size_t level, int index) {
    closePopupLevelsFrom(level + 1);
    const Record* record = find(popupLevels_[level]);
    const MenuItemDescription& item = record->panel->items()[static_cast<std::size_t>(index)];
    if (item.kind != ItemKind::Popup) return;
    const Rect at = screenRect(popupLevels_[level]);
    const Scale scale = record->scale;
    const std::vector<MenuItemDescription> children = item.children;
    // Overlapping the parent a little, its first item level with this one.
    openPopupLevel(children,
                   {at.right - scale.device(3),
                    at.top + scale.device(record->panel->itemTop(index)) - scale.device(2)});
}

void X11Windows::choosePopupItem(std::size_t level, int index) {
    const Record* record = find(popupLevels_[level]);
    const MenuItemDescription& item = record->panel->items()[static_cast<std::size_t>(index)];
    if (item.kind == ItemKind::Popup) {
        openSubmenu(level, index);
        return;
    }
    const std::uint16_t id = item.id;
    const WindowHandle owner = popup_->owner;
    closePopup();
    if (live()) connection_->flush();
    send(owner, kMsgCommand, id, 0);
}

void X11Windows::popupPointer(WindowHandle levelWindow, int x, int y, PointerAction action) {
    // The grab reports the pointer over other clients to the outermost
    // level, in its coordinates: find the level really under the pointer.
    const Rect from = screenRect(levelWindow);
    const Point screen{from.left + x, from.top + y};
    for (std::size_t l = popupLevels_.size(); l-- > 0;) {
        const Rect r = screenRect(popupLevels_[l]);
        if (!r.contains(screen.x, screen.y)) continue;
        const Record& record = *find(popupLevels_[l]);
        MenuPanel& panel = *record.panel;
        const int index = panel.itemAt(record.scale.logical(screen.x - r.left),
                                       record.scale.logical(screen.y - r.top));
        if (panel.setHover(index)) repaintOwnDrawn(popupLevels_[l]);
        if (index < 0) return;
        const bool submenu = panel.items()[static_cast<std::size_t>(index)].kind == ItemKind::Popup;
        if (action == PointerAction::Release && !submenu) {
            choosePopupItem(l, index);
        } else if (submenu) {
            if (popupLevels_.size() <= l + 1) openSubmenu(l, index);
        } else {
            closePopupLevelsFrom(l + 1);
        }
        return;
    }
    // Outside every level a press closes the menu and is used up.
    if (action == PointerAction::Press) {
        closePopup();
        swallowRelease_ = kAnyButton;
        return;
    }
    Record* record = find(levelWindow);
    if (record && record->panel->setHover(-1)) repaintOwnDrawn(levelWindow);
}

void X11Windows::popupKey(std::uint32_t symbol) {
    const std::size_t level = popupLevels_.size() - 1;
    Record* record = find(popupLevels_[level]);
    MenuPanel& panel = *record->panel;
    switch (symbol) {
        case kKeyEscape:
            // Escape closes the innermost level, the last one the menu.
            if (level == 0)
                closePopup();
            else
                closePopupLevelsFrom(level);
            return;
        case kKeyLeft:
            if (level > 0) closePopupLevelsFrom(level);
            return;
        case kKeyDown:
        case kKeyUp:
            panel.setHover(panel.neighbour(symbol == kKeyDown ? 1 : -1));
            repaintOwnDrawn(popupLevels_[level]);
            return;
        case kKeyRight:
        case kKeyReturn:
            if (panel.hover() < 0) return;
            if (panel.items()[static_cast<std::size_t>(panel.hover())].kind == ItemKind::Popup) {
                openSubmenu(level, panel.hover());
                if (popupLevels_.size() > level + 1) {
                    Record* child = find(popupLevels_.back());
                    child->panel->setHover(child->panel->neighbour(1));
                    repaintOwnDrawn(popupLevels_.back());
                }
            } else if (symbol == kKeyReturn) {
                choosePopupItem(level, panel.hover());
            }
            return;
        default:
            return;
    }
}

}  // namespace platform::x11
