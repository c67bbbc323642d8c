// The plug-in on the audio server's graph: a JACK client (PipeWire's JACK
// library serves as well) with two inputs and two outputs, running the
// plug-in in its process callback at the server's rate and period. Other
// threads' news reaches the main thread, which changes the plug-in with the
// callback paused: a new period size or sample rate, a restart the plug-in
// asks for, a new latency to report to the graph.
#pragma once

#include <jack/jack.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "live/file_loop.h"
#include "live/live_processor.h"
#include "live/port_connections.h"
#include "plugin_instance.h"

namespace velmorin::host {

class LiveSession {
  public:
    // Opens the client named NAME (the server may add a suffix), prepares
    // and starts the plug-in at the server's rate and period, and
    // activates. Throws HostError when there is no server.
    LiveSession(PluginInstance& plugin, FileLoop* file, const std::string& name);
    // Stops the callbacks, then closes the client; the plug-in stays started.
    ~LiveSession();
    LiveSession(const LiveSession&) = delete;
    LiveSession& operator=(const LiveSession&) = delete;

    std::string clientName() const { return jack_get_client_name(client_.get()); }
    // CONNECTIONS, or by default the outputs to the first two physical
    // playback ports. Throws HostError for ports that are not there.
    void connect(const std::optional<PortConnections>& connections);

    // Main thread, several times a second: what the other threads asked for.
    void tend();
    // Waits up to PERIOD for something to tend.
    void wait(std::chrono::milliseconds period);
    // The server's reason, once it shut down or went away.
    std::optional<std::string> serverGone() const;

    // Ends the callbacks: no more audio reaches the plug-in.
    void deactivate();
    uint64_t xruns() const { return xruns_.load(); }
    CallbackLoad load() const { return processor_.load(); }

  private:
    struct ClientCloser {
        void operator()(jack_client_t* client) const { jack_client_close(client); }
    };

    void registerCallbacks();
    // From the server's threads: waits until the main thread has applied it.
    void askFormat(uint32_t frames, uint32_t sampleRate);
    void applyFormat(uint32_t frames, uint32_t sampleRate);
    void reportLatency(jack_latency_callback_mode_t mode);
    void process(jack_nframes_t frames);

    PluginInstance& plugin_;
    FileLoop* file_;
    LiveProcessor processor_;
    std::unique_ptr<jack_client_t, ClientCloser> client_;
    jack_port_t* inputs_[2] = {};
    jack_port_t* outputs_[2] = {};
    const std::thread::id mainThread_ = std::this_thread::get_id();
    bool active_ = false;

    // What the main thread prepared the plug-in for: the largest period it
    // takes, and the rate, which the callback reads.
    uint32_t capacity_ = 0;
    std::atomic<uint32_t> sampleRate_{0};
    std::atomic<int32_t> latency_{0};
    std::atomic<uint64_t> xruns_{0};

    // Requests from the server's threads, answered by tend().
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    uint32_t wantedFrames_ = 0;
    uint32_t wantedRate_ = 0;
    uint64_t asked_ = 0;
    uint64_t applied_ = 0;
    bool closing_ = false;
    // Set from JACK's shutdown callback, which may only set flags.
    std::atomic<bool> gone_{false};
    char goneReason_[256] = {};
};

}  // namespace velmorin::host
