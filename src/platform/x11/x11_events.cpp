// What the server reports, turned into the window procedure's messages, edit
// box typing, menu and dialog input.
#include "platform/window_messages.h"
#include "platform/x11/key_symbols.h"
#include "platform/x11/pointer_messages.h"
#include "platform/x11/x11_windows.h"

namespace platform::x11 {
namespace {

constexpr std::uint16_t kShiftMask = 1;
constexpr std::uint16_t kLockMask = 2;

// The printable character of a key symbol, or 0.
char characterOf(std::uint32_t symbol) {
    if (symbol >= 0x20 && symbol <= 0x7E) return static_cast<char>(symbol);
    if (symbol >= kKeyKeypad0 && symbol <= kKeyKeypad9)
        return static_cast<char>('0' + (symbol - kKeyKeypad0));
    if (symbol == kKeyKeypadDecimal) return '.';
    if (symbol == kKeyKeypadSubtract) return '-';
    if (symbol == kKeyKeypadAdd) return '+';
    return 0;
}

}  // namespace

void X11Windows::handleEvent(const xcb_generic_event_t& event) {
    switch (event.response_type & 0x7F) {
        case XCB_EXPOSE: {
            const auto& e = reinterpret_cast<const xcb_expose_event_t&>(event);
            // The pixels are all kept: the server gets them again.
            if (Record* record = find(byNativeWindow(e.window)))
                record->damage->add({e.x, e.y, e.x + e.width, e.y + e.height});
            break;
        }
        case XCB_BUTTON_PRESS:
            onButton(reinterpret_cast<const xcb_button_press_event_t&>(event), true);
            break;
        case XCB_BUTTON_RELEASE:
            onButton(reinterpret_cast<const xcb_button_press_event_t&>(event), false);
            break;
        case XCB_MOTION_NOTIFY:
            onMotion(reinterpret_cast<const xcb_motion_notify_event_t&>(event));
            break;
        case XCB_KEY_PRESS:
            onKey(reinterpret_cast<const xcb_key_press_event_t&>(event));
            break;
        case XCB_DESTROY_NOTIFY:
            onDestroyed(reinterpret_cast<const xcb_destroy_notify_event_t&>(event).window);
            break;
        case XCB_CONFIGURE_NOTIFY:
            onConfigured(reinterpret_cast<const xcb_configure_notify_event_t&>(event));
            break;
        case XCB_CLIENT_MESSAGE: {
            // The window manager's close button: a dialog is cancelled, an
            // owned window closes.
            const auto& e = reinterpret_cast<const xcb_client_message_event_t&>(event);
            const WindowHandle window = byNativeWindow(e.window);
            const Record* record = find(window);
            if (!record || e.type != connection_->wmProtocols() ||
                e.data.data32[0] != connection_->wmDeleteWindow())
                break;
            if (record->dialog) record->dialog->cancel();
            if (record->kind == Kind::Owned) destroyWindow(window);
            break;
        }
        default:
            break;  // errors of requests nobody checks, and the rest
    }
}

void X11Windows::onDestroyed(xcb_window_t xid) {
    // The host destroyed its window and ours with it.
    const WindowHandle window = byNativeWindow(xid);
    Record* record = find(window);
    if (!record) return;  // ours already, or never ours
    record->xidGone = true;
    destroyWindow(window);
}

void X11Windows::onConfigured(const xcb_configure_notify_event_t& event) {
    const Point size{event.width, event.height};
    for (auto& [value, record] : windows_) {
        if (record.destroying) continue;
        if (record.hostSize && record.host == event.window) {
            // The host's window changed: ours covers its room again.
            record.hostSize = size;
            fitWindow(record);
        } else if (record.xid == event.window) {
            // A host may size our window itself (as one resizing the
            // plug-in's window to its own does); it keeps any room it gave,
            // but never less than the host's window has.
            record.windowSize = size;
            const Point fitting = fittingSize(record);
            if (size.x < fitting.x || size.y < fitting.y) fitWindow(record);
        }
    }
}

void X11Windows::onButton(const xcb_button_press_event_t& event, bool press) {
    const WindowHandle window = byNativeWindow(event.event);
    Record* record = find(window);
    if (!popupLevels_.empty()) {
        // While a menu is open it has every click: on a level it chooses,
        // anywhere else it closes the menu and is used up.
        const auto action = press ? PointerAction::Press : PointerAction::Release;
        if (record && record->kind == Kind::Popup) {
            popupPointer(window, event.event_x, event.event_y, action);
        } else if (press) {
            closePopup();
            swallowRelease_ = event.detail;
        }
        return;
    }
    if (!press && (event.detail == swallowRelease_ || swallowRelease_ == kAnyButton)) {
        swallowRelease_ = 0;  // the rest of the click that closed a menu
        return;
    }
    if (!record) return;
    if (dialog_ && window != dialog_) return;  // a dialog waits for an answer
    if (record->kind == Kind::Dialog) {
        if (press && event.detail == kLeftButton)
            record->dialog->click(record->scale.logical(event.event_x),
                                  record->scale.logical(event.event_y));
        repaintOwnDrawn(window);
        return;
    }
    if (record->kind == Kind::EditBox) {
        // A press in the box puts the caret at its end and keeps the focus.
        if (press && event.detail == kLeftButton) {
            record->field.select(static_cast<int>(record->field.text().size()), -1);
            setFocus(window);
            repaintOwnDrawn(window);
        }
        return;
    }
    const bool inside = event.event_x >= 0 && event.event_y >= 0 &&
                        event.event_x < record->pixels->width &&
                        event.event_y < record->pixels->height;
    if (!inside) return;  // a release after a drag out of the window
    const std::intptr_t point = logicalPoint(*record, event.event_x, event.event_y);
    if (event.detail == kLeftButton) {
        const auto keys = press ? keyStateFlags(event.state, kLeftButton)
                                : keyStateFlags(event.state, 0, kLeftButton);
        send(window, press ? kMsgLeftButtonDown : kMsgLeftButtonUp, keys, point);
    } else if (event.detail == kRightButton && !press) {
        // The menu request follows the release, with the point on the screen.
        send(window, kMsgContextMenu, window.value, pointParam(event.root_x, event.root_y));
    }
}

void X11Windows::onMotion(const xcb_motion_notify_event_t& event) {
    const WindowHandle window = byNativeWindow(event.event);
    const Record* record = find(window);
    if (!popupLevels_.empty()) {
        if (record && record->kind == Kind::Popup)
            popupPointer(window, event.event_x, event.event_y, PointerAction::Move);
        return;
    }
    if (!record || !record->procedure || dialog_) return;
    // As without a mouse capture, moves reach the window only over it.
    if (event.event_x < 0 || event.event_y < 0 || event.event_x >= record->pixels->width ||
        event.event_y >= record->pixels->height)
        return;
    send(window, kMsgMouseMove, keyStateFlags(event.state),
         logicalPoint(*record, event.event_x, event.event_y));
}

void X11Windows::onKey(const xcb_key_press_event_t& event) {
    const bool shifted = ((event.state & kShiftMask) != 0) != ((event.state & kLockMask) != 0);
    const std::uint32_t symbol = connection_->keySymbol(event.detail, shifted);
    if (!popupLevels_.empty()) {
        popupKey(symbol);
        return;
    }
    if (dialog_) {
        Record* record = find(dialog_);
        if (record && (symbol == kKeyReturn || symbol == kKeyKeypadEnter))
            record->dialog->confirm();
        if (record && symbol == kKeyEscape) record->dialog->cancel();
        return;
    }
    // Keys go to the edit box that has the focus, wherever the pointer is.
    const Record* focused = find(focus_);
    if (focused && focused->kind == Kind::EditBox) onEditKey(focus_, symbol);
}

void X11Windows::onEditKey(WindowHandle edit, std::uint32_t symbol) {
    Record* record = find(edit);
    bool changed = false;
    switch (symbol) {
        case kKeyReturn:
        case kKeyKeypadEnter:
            changed = record->field.press(TextField::Key::Enter);
            break;
        case kKeyBackSpace:
            changed = record->field.press(TextField::Key::Backspace);
            break;
        case kKeyDelete:
            changed = record->field.press(TextField::Key::Delete);
            break;
        case kKeyLeft:
            record->field.press(TextField::Key::Left);
            break;
        case kKeyRight:
            record->field.press(TextField::Key::Right);
            break;
        case kKeyHome:
            record->field.press(TextField::Key::Home);
            break;
        case kKeyEnd:
            record->field.press(TextField::Key::End);
            break;
        default:
            if (const char c = characterOf(symbol)) changed = record->field.type(std::string(1, c));
            break;
    }
    repaintOwnDrawn(edit);
    // The owner hears of every change, as from an edit control.
    if (changed)
        send(record->parent, kMsgCommand, std::uintptr_t{kEditChanged} << 16,
             static_cast<std::intptr_t>(edit.value));
}

}  // namespace platform::x11
