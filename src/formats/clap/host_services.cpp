#include "formats/clap/host_services.h"

#include <cassert>

namespace velmorin::clap_format {

void HostServices::connect() {
    if (host_.get_extension == nullptr) return;
    threadCheck_ = extension<clap_host_thread_check_t>(CLAP_EXT_THREAD_CHECK);
    latency_ = extension<clap_host_latency_t>(CLAP_EXT_LATENCY);
    tail_ = extension<clap_host_tail_t>(CLAP_EXT_TAIL);
    params_ = extension<clap_host_params_t>(CLAP_EXT_PARAMS);
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

}  // namespace velmorin::clap_format
