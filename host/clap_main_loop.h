// The host's side of CLAP's timer and file descriptor support (and of its
// gui's resize requests): what one plug-in registered, and the main loop
// that calls it back when a timer is due or a descriptor is ready, as a DAW's
// event loop does. Main thread only.
#pragma once

#include <clap/clap.h>

#include <chrono>
#include <map>

namespace velmorin::host {

class ClapMainLoop {
  public:
    // The host extensions the loop offers, for a host whose host_data points
    // at a ClapHostData; null for any other.
    static const void* extension(const char* id);

    // Calls PLUGIN back for about PERIOD, waiting in poll in between.
    void run(const clap_plugin_t& plugin, std::chrono::milliseconds period);

    bool registerTimer(uint32_t periodMs, clap_id& id);
    bool unregisterTimer(clap_id id);
    bool registerFd(int fd, clap_posix_fd_flags_t flags);
    bool modifyFd(int fd, clap_posix_fd_flags_t flags);
    bool unregisterFd(int fd);

  private:
    using Clock = std::chrono::steady_clock;
    struct Timer {
        Clock::duration period;
        Clock::time_point due;
    };

    void fireDueTimers(const clap_plugin_t& plugin, Clock::time_point now);
    void waitForDescriptors(const clap_plugin_t& plugin, Clock::time_point until);

    std::map<clap_id, Timer> timers_;
    clap_id nextTimer_ = 0;
    std::map<int, clap_posix_fd_flags_t> fds_;
};

}  // namespace velmorin::host
