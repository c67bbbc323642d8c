// The message box and the colour chooser: top-level windows of their own
// that wait for an answer, as the system dialogs do, while the connection's
// events, the timers and posted messages go on.
#include <poll.h>

#include <algorithm>
#include <cstring>

#include "platform/x11/colour_chooser_panel.h"
#include "platform/x11/x11_windows.h"

namespace platform::x11 {

void X11Windows::waitForEvents(std::chrono::milliseconds longest) const {
    pollfd fd{connection_->xcb().xcb_get_file_descriptor(connection_->raw()), POLLIN, 0};
    poll(&fd, 1, static_cast<int>(longest.count()));
}

DialogPanel::Outcome X11Windows::runDialog(DialogPanel& panel, std::string_view caption,
                                           WindowHandle owner) {
    // One dialog at a time; without a display there is nobody to answer.
    if (dialog_ || !connect()) return DialogPanel::Outcome::Cancelled;
    closePopup();
    const Scale scale = windowScale(owner);
    const xcb_screen_t& s = connection_->screen();
    const int x = std::max(0, (s.width_in_pixels - scale.device(panel.width())) / 2);
    const int y = std::max(0, (s.height_in_pixels - scale.device(panel.height())) / 2);
    const WindowHandle window =
        createPanelWindow(Kind::Dialog, {x, y}, {panel.width(), panel.height()}, scale);
    Record* record = find(window);
    if (!record) return DialogPanel::Outcome::Cancelled;
    record->dialog = &panel;
    const XcbLibrary& xcb = connection_->xcb();
    xcb_connection_t* c = connection_->raw();
    setTitle(record->xid, std::string(caption));
    repaintOwnDrawn(window);
    xcb.xcb_map_window(c, record->xid);
    // Enter and Escape answer it wherever the pointer is.
    xcb.xcb_set_input_focus(c, XCB_INPUT_FOCUS_POINTER_ROOT, record->xid, XCB_CURRENT_TIME);
    dialog_ = window;

    while (panel.outcome() == DialogPanel::Outcome::Open && live() && find(window)) {
        pump();
        waitForEvents(std::chrono::milliseconds(20));
    }
    dialog_ = {};
    destroyWindow(window);
    return panel.outcome() == DialogPanel::Outcome::Open ? DialogPanel::Outcome::Cancelled
                                                         : panel.outcome();
}

void X11Windows::messageBox(WindowHandle owner, std::string_view text, std::string_view caption) {
    MessageBoxPanel panel(text);
    runDialog(panel, caption, owner);
}

bool X11Windows::chooseColour(WindowHandle owner, Colour initial,
                              std::array<Colour, 16>& customColours) {
    ColourChooserPanel panel(initial, customColours);
    if (runDialog(panel, "Colour", owner) != DialogPanel::Outcome::Confirmed) return false;
    customColours = panel.customColours();
    return true;
}

}  // namespace platform::x11
