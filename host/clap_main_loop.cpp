#include "clap_main_loop.h"

#include "clap_host_data.h"

#include <poll.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace velmorin::host {

namespace {

ClapMainLoop& loopOf(const clap_host_t* host) {
    return static_cast<ClapHostData*>(host->host_data)->loop;
}

const clap_host_timer_support_t kTimerSupport = {
    [](const clap_host_t* host, uint32_t periodMs, clap_id* id) {
        return id != nullptr && loopOf(host).registerTimer(periodMs, *id);
    },
    [](const clap_host_t* host, clap_id id) { return loopOf(host).unregisterTimer(id); },
};

const clap_host_posix_fd_support_t kPosixFdSupport = {
    [](const clap_host_t* host, int fd, clap_posix_fd_flags_t flags) {
        return loopOf(host).registerFd(fd, flags);
    },
    [](const clap_host_t* host, int fd, clap_posix_fd_flags_t flags) {
        return loopOf(host).modifyFd(fd, flags);
    },
    [](const clap_host_t* host, int fd) { return loopOf(host).unregisterFd(fd); },
};

// The edit command's window follows the gui's size after each period, so a
// resize the gui asks for is accepted; nothing else is offered.
const clap_host_gui_t kGui = {
    [](const clap_host_t*) {},
    [](const clap_host_t*, uint32_t width, uint32_t height) { return width > 0 && height > 0; },
    [](const clap_host_t*) { return false; },
    [](const clap_host_t*) { return false; },
    [](const clap_host_t*, bool) {},
};

short pollEvents(clap_posix_fd_flags_t flags) {
    short events = 0;
    if (flags & CLAP_POSIX_FD_READ) events |= POLLIN;
    if (flags & CLAP_POSIX_FD_WRITE) events |= POLLOUT;
    return events;
}

clap_posix_fd_flags_t readyFlags(short revents) {
    clap_posix_fd_flags_t flags = 0;
    if (revents & POLLIN) flags |= CLAP_POSIX_FD_READ;
    if (revents & POLLOUT) flags |= CLAP_POSIX_FD_WRITE;
    if (revents & (POLLERR | POLLHUP | POLLNVAL)) flags |= CLAP_POSIX_FD_ERROR;
    return flags;
}

}  // namespace

const void* ClapMainLoop::extension(const char* id) {
    if (std::strcmp(id, CLAP_EXT_TIMER_SUPPORT) == 0) return &kTimerSupport;
    if (std::strcmp(id, CLAP_EXT_POSIX_FD_SUPPORT) == 0) return &kPosixFdSupport;
    if (std::strcmp(id, CLAP_EXT_GUI) == 0) return &kGui;
    return nullptr;
}

bool ClapMainLoop::registerTimer(uint32_t periodMs, clap_id& id) {
    // A period of 0 would keep the loop spinning.
    const Clock::duration period = std::chrono::milliseconds(std::max<uint32_t>(periodMs, 1));
    id = nextTimer_++;
    timers_[id] = {period, Clock::now() + period};
    return true;
}

bool ClapMainLoop::unregisterTimer(clap_id id) {
    return timers_.erase(id) == 1;
}

bool ClapMainLoop::registerFd(int fd, clap_posix_fd_flags_t flags) {
    return fd >= 0 && fds_.emplace(fd, flags).second;
}

bool ClapMainLoop::modifyFd(int fd, clap_posix_fd_flags_t flags) {
    const auto found = fds_.find(fd);
    if (found == fds_.end()) return false;
    found->second = flags;
    return true;
}

bool ClapMainLoop::unregisterFd(int fd) {
    return fds_.erase(fd) == 1;
}

void ClapMainLoop::run(const clap_plugin_t& plugin, std::chrono::milliseconds period) {
    const Clock::time_point end = Clock::now() + period;
    for (Clock::time_point now = Clock::now(); now < end; now = Clock::now()) {
        fireDueTimers(plugin, now);
        Clock::time_point wake = end;
        for (const auto& [id, timer] : timers_) wake = std::min(wake, timer.due);
        waitForDescriptors(plugin, wake);
    }
}

// The plug-in may register and unregister from inside a callback: each due
// timer is looked up again before it fires.
void ClapMainLoop::fireDueTimers(const clap_plugin_t& plugin, Clock::time_point now) {
    const auto* support = static_cast<const clap_plugin_timer_support_t*>(
        plugin.get_extension(&plugin, CLAP_EXT_TIMER_SUPPORT));
    std::vector<clap_id> due;
    for (const auto& [id, timer] : timers_)
        if (timer.due <= now) due.push_back(id);
    for (const clap_id id : due) {
        const auto found = timers_.find(id);
        if (found == timers_.end()) continue;
        found->second.due = now + found->second.period;
        if (support && support->on_timer) support->on_timer(&plugin, id);
    }
}

void ClapMainLoop::waitForDescriptors(const clap_plugin_t& plugin, Clock::time_point until) {
    std::vector<pollfd> watched;
    for (const auto& [fd, flags] : fds_) watched.push_back({fd, pollEvents(flags), 0});
    const auto timeout = std::chrono::ceil<std::chrono::milliseconds>(until - Clock::now()).count();
    if (poll(watched.data(), watched.size(), static_cast<int>(std::max<long long>(timeout, 0))) <=
        0)
        return;
    const auto* support = static_cast<const clap_plugin_posix_fd_support_t*>(
        plugin.get_extension(&plugin, CLAP_EXT_POSIX_FD_SUPPORT));
    for (const pollfd& entry : watched) {
        if (entry.revents == 0 || !fds_.count(entry.fd)) continue;
        if (support && support->on_fd) support->on_fd(&plugin, entry.fd, readyFlags(entry.revents));
    }
}

}  // namespace velmorin::host
