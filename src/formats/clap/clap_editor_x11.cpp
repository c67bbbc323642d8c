// The CLAP editor's X11 part: the module's X windows, pumped by the host's
// timer and its watch on the X connection.
#include <clap/id.h>

#include <cstdint>
#include <optional>

#include "editor/editor_timer.h"
#include "formats/clap/clap_editor.h"
#include "formats/x11/x11_editor_platform.h"

namespace velmorin::clap_format {

namespace {

platform::x11::X11Windows& windows() {
    return X11EditorPlatform::process().windows;
}

class X11Windowing : public ClapEditor::Windowing {
  public:
    explicit X11Windowing(const HostServices& host) : host_(host) {}

    void* parent(const clap_window_t& window) const override {
        return reinterpret_cast<void*>(static_cast<std::uintptr_t>(window.x11));
    }
    void opened(const ADEditor& editor) override { startTicks(editor); }
    void closing() override { stopTicks(); }
    void changed() override { windows().pump(); }
    void tick(const ADEditor& editor) override {
        windows().pump();
        // The user may have picked another display speed: the host's timer
        // follows the editor's.
        if (timer_ && timerPeriodMs(editor.view().prefs.displaySpeed) != timerPeriod_) {
            stopTicks();
            startTicks(editor);
        }
    }

  private:
    void startTicks(const ADEditor& editor) {
        timerPeriod_ = timerPeriodMs(editor.view().prefs.displaySpeed);
        clap_id id = CLAP_INVALID_ID;
        if (host_.registerTimer(timerPeriod_, id)) timer_ = id;
        const int fd = windows().connectionFd();
        if (fd >= 0 && host_.registerReadableFd(fd)) fd_ = fd;
    }
    void stopTicks() {
        if (timer_) host_.unregisterTimer(*timer_);
        if (fd_ >= 0) host_.unregisterFd(fd_);
        timer_.reset();
        fd_ = -1;
    }

    const HostServices& host_;
    std::optional<clap_id> timer_;
    uint32_t timerPeriod_ = 0;
    int fd_ = -1;
};

}  // namespace

const char* const ClapEditor::kWindowApi = CLAP_WINDOW_API_X11;
const bool ClapEditor::kTickedByHost = true;

const EditorPlatform& ClapEditor::services() {
    return X11EditorPlatform::process().services;
}

std::unique_ptr<ClapEditor::Windowing> ClapEditor::makeWindowing(const HostServices& host) {
    return std::make_unique<X11Windowing>(host);
}

}  // namespace velmorin::clap_format
