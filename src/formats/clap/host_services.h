// What the plug-in asks of its CLAP host: restarts, rescans, flushes, latency
// and tail news, the editor's timer, file descriptor and size, and in debug builds
// the host's word on which thread a call runs.
// Every extension the host lacks is simply not asked.
#pragma once

#include <clap/ext/gui.h>
#include <clap/ext/latency.h>
#include <clap/ext/params.h>
#include <clap/ext/posix-fd-support.h>
#include <clap/ext/tail.h>
#include <clap/ext/thread-check.h>
#include <clap/ext/timer-support.h>
#include <clap/host.h>

namespace velmorin::clap_format {

class HostServices {
  public:
    explicit HostServices(const clap_host_t& host) : host_(host) {}

    // Hosts answer extension queries from the plug-in's init on.
    void connect();

    // Assert the threading rules where the host can tell (debug builds only).
    void expectMainThread() const;
    void expectAudioThread() const;

    void requestRestart() const;
    void latencyChanged() const;
    void tailChanged() const;
    void rescanValues() const;
    // Asks for a process or flush call that takes the queued gestures.
    void requestFlush() const;

    // False when the host offers no timers or no descriptor watching.
    bool registerTimer(uint32_t periodMs, clap_id& id) const;
    void unregisterTimer(clap_id id) const;
    bool registerReadableFd(int fd) const;
    void unregisterFd(int fd) const;
    // Asks the host to fit the editor's window to a new size in pixels;
    // false when it refuses or cannot.
    bool requestResize(uint32_t width, uint32_t height) const;

  private:
    template <typename Extension>
    const Extension* extension(const char* id) const {
        return static_cast<const Extension*>(host_.get_extension(&host_, id));
    }

    const clap_host_t& host_;
    const clap_host_thread_check_t* threadCheck_ = nullptr;
    const clap_host_latency_t* latency_ = nullptr;
    const clap_host_tail_t* tail_ = nullptr;
    const clap_host_params_t* params_ = nullptr;
    const clap_host_timer_support_t* timers_ = nullptr;
    const clap_host_posix_fd_support_t* fds_ = nullptr;
    const clap_host_gui_t* gui_ = nullptr;
};

}  // namespace velmorin::clap_format
