#include "formats/clap/clap_editor.h"

#include "editor/editor_timer.h"
#include "formats/x11/x11_editor_platform.h"

namespace velmorin::clap_format {

namespace {

platform::x11::X11Windows& windows() {
    return X11EditorPlatform::process().windows;
}

}  // namespace

ClapEditor::ClapEditor(ClapEffect& effect)
    : host_(effect.host()),
      controls_(effect.effect(), effect.gestures(), effect.host()),
      editor_(controls_, X11EditorPlatform::process().services) {}

ClapEditor::~ClapEditor() {
    // The host stops watching before the connection may close with the
    // last window.
    stopTicks();
    // A closed editor leaves its window to its host window, but a CLAP host
    // may keep that window for another editor: it goes now.
    const platform::WindowHandle window = editor_.view().window;
    editor_.close();
    windows().destroyWindow(window);
    windows().pump();
}

bool ClapEditor::open(std::uintptr_t parent) {
    if (editor_.isOpen()) return true;
    if (!editor_.open(reinterpret_cast<void*>(parent))) return false;
    startTicks();
    // Shown at once, not only at the host's next tick.
    windows().pump();
    return true;
}

bool ClapEditor::show(bool visible) {
    if (!editor_.isOpen()) return false;
    windows().showWindow(editor_.view().window, visible);
    windows().pump();
    return true;
}

void ClapEditor::tick() {
    windows().pump();
    // The user may have picked another display speed: the host's timer
    // follows the editor's.
    if (timer_ && timerPeriodMs(editor_.view().prefs.displaySpeed) != timerPeriod_) {
        stopTicks();
        startTicks();
    }
}

void ClapEditor::startTicks() {
    timerPeriod_ = timerPeriodMs(editor_.view().prefs.displaySpeed);
    clap_id id = CLAP_INVALID_ID;
    if (host_.registerTimer(timerPeriod_, id)) timer_ = id;
    const int fd = windows().connectionFd();
    if (fd >= 0 && host_.registerReadableFd(fd)) fd_ = fd;
}

void ClapEditor::stopTicks() {
    if (timer_) host_.unregisterTimer(*timer_);
    if (fd_ >= 0) host_.unregisterFd(fd_);
    timer_.reset();
    fd_ = -1;
}

}  // namespace velmorin::clap_format
