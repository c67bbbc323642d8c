#include "formats/clap/host_services.h"

#include <cassert>

namespace velmorin::clap_format {

void HostServices::connect() {
    if (host_.get_extension == nullptr) return;
    threadCheck_ = extension<clap_host_thread_check_t>(CLAP_EXT_THREAD_CHECK);
    latency_ = extension<clap_host_latency_t>(CLAP_EXT_LATENCY);
    tail_ = extension<clap_host_tail_t>(CLAP_EXT_TAIL);
    params_ = extension<clap_host_params_t>(CLAP_EXT_PARAMS);
    timers_ = extension<clap_host_timer_support_t>(CLAP_EXT_TIMER_SUPPORT);
    fds_ = extension<clap_host_posix_fd_support_t>(CLAP_EXT_POSIX_FD_SUPPORT);
    gui_ = extension<clap_host_gui_t>(CLAP_EXT_GUI);
}

void HostServices::expectMainThread() const {
    assert(threadCheck_ == nullptr || threadCheck_->is_main_thread(&host_));
}

void HostServices::expectAudioThread() const {
    assert(threadCheck_ == nullptr || threadCheck_->is_audio_thread(&host_));
}

void HostServices::requestRestart() const {
    if (host_.request_restart != nullptr) host_.request_restart(&host_);
}

void HostServices::latencyChanged() const {
    if (latency_ != nullptr && latency_->changed != nullptr) latency_->changed(&host_);
}

void HostServices::tailChanged() const {
    if (tail_ != nullptr && tail_->changed != nullptr) tail_->changed(&host_);
}

void HostServices::rescanValues() const {
    if (params_ != nullptr && params_->rescan != nullptr)
        params_->rescan(&host_, CLAP_PARAM_RESCAN_VALUES);
}

void HostServices::requestFlush() const {
    if (params_ != nullptr && params_->request_flush != nullptr) params_->request_flush(&host_);
}

bool HostServices::registerTimer(uint32_t periodMs, clap_id& id) const {
    return timers_ != nullptr && timers_->register_timer != nullptr &&
           timers_->register_timer(&host_, periodMs, &id);
}

void HostServices::unregisterTimer(clap_id id) const {
    if (timers_ != nullptr && timers_->unregister_timer != nullptr)
        timers_->unregister_timer(&host_, id);
}

bool HostServices::registerReadableFd(int fd) const {
    return fds_ != nullptr && fds_->register_fd != nullptr &&
           fds_->register_fd(&host_, fd, CLAP_POSIX_FD_READ | CLAP_POSIX_FD_ERROR);
}

void HostServices::unregisterFd(int fd) const {
    if (fds_ != nullptr && fds_->unregister_fd != nullptr) fds_->unregister_fd(&host_, fd);
}

bool HostServices::requestResize(uint32_t width, uint32_t height) const {
    return gui_ != nullptr && gui_->request_resize != nullptr &&
           gui_->request_resize(&host_, width, height);
}

}  // namespace velmorin::clap_format
