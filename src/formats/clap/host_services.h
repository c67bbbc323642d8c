// What the plug-in asks of its CLAP host: restarts, rescans, latency and tail
// news, and in debug builds the host's word on which thread a call runs.
// Every extension the host lacks is simply not asked.
#pragma once

#include <clap/ext/latency.h>
#include <clap/ext/params.h>
#include <clap/ext/tail.h>
#include <clap/ext/thread-check.h>
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
};

}  // namespace velmorin::clap_format
