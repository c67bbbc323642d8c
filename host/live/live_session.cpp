#include "live/live_session.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "host_error.h"

namespace velmorin::host {

namespace {

// JACK asks the new period size synchronously and gives up on a client that
// takes too long; the main thread tends well within this.
constexpr auto kFormatWait = std::chrono::seconds(2);

// The plug-in is prepared for periods up to JACK's largest, so that a new
// period size takes no suspend: a suspend empties the plug-in's delay lines
// and the audio would stop for its latency.
constexpr uint32_t kLargestPeriod = 8192;

const char* const kInputNames[2] = {"in_1", "in_2"};
const char* const kOutputNames[2] = {"out_1", "out_2"};

jack_client_t* openClient(const std::string& name) {
    jack_status_t status{};
    jack_client_t* client = jack_client_open(name.c_str(), JackNoStartServer, &status);
    if (client) return client;
    if (status & JackServerFailed) {
        throw HostError("JACK",
                        "no server is running (start one, or run velmorin through "
                        "pw-jack where PipeWire plays the sound)");
    }
    if (status & JackNameNotUnique)
        throw HostError("JACK", "the client name " + name + " is taken");
    throw HostError("JACK", "cannot open a client (status " + std::to_string(status) + ")");
}

jack_port_t* registerPort(jack_client_t* client, const char* name, unsigned long flags) {
    jack_port_t* port = jack_port_register(client, name, JACK_DEFAULT_AUDIO_TYPE, flags, 0);
    if (!port) throw HostError("JACK", std::string("cannot make the port ") + name);
    return port;
}

// Connected already is as good as connected now.
void join(jack_client_t* client, const std::string& from, const std::string& to) {
    const int result = jack_connect(client, from.c_str(), to.c_str());
    if (result != 0 && result != EEXIST)
        throw HostError("--connect", "cannot connect " + from + " to " + to);
}

}  // namespace

LiveSession::LiveSession(PluginInstance& plugin, FileLoop* file, const std::string& name)
    : plugin_(plugin), file_(file), processor_(plugin, file), client_(openClient(name)) {
    for (int channel = 0; channel < 2; ++channel) {
        inputs_[channel] = registerPort(client_.get(), kInputNames[channel], JackPortIsInput);
        outputs_[channel] = registerPort(client_.get(), kOutputNames[channel], JackPortIsOutput);
    }
    applyFormat(jack_get_buffer_size(client_.get()), jack_get_sample_rate(client_.get()));
    latency_ = plugin_.latency();
    registerCallbacks();
    if (jack_activate(client_.get()) != 0) throw HostError("JACK", "cannot activate the client");
    active_ = true;
}

LiveSession::~LiveSession() {
    {
        // A server thread waiting on a new period size must not hold up the end.
        std::lock_guard<std::mutex> lock(mutex_);
        closing_ = true;
        changed_.notify_all();
    }
    deactivate();
    client_.reset();
}

void LiveSession::registerCallbacks() {
    jack_client_t* client = client_.get();
    jack_set_process_callback(
        client,
        [](jack_nframes_t frames, void* self) {
            static_cast<LiveSession*>(self)->process(frames);
            return 0;
        },
        this);
    jack_set_buffer_size_callback(
        client,
        [](jack_nframes_t frames, void* self) {
            static_cast<LiveSession*>(self)->askFormat(frames, 0);
            return 0;
        },
        this);
    jack_set_sample_rate_callback(
        client,
        [](jack_nframes_t rate, void* self) {
            static_cast<LiveSession*>(self)->askFormat(0, rate);
            return 0;
        },
        this);
    jack_set_latency_callback(
        client,
        [](jack_latency_callback_mode_t mode, void* self) {
            static_cast<LiveSession*>(self)->reportLatency(mode);
        },
        this);
    jack_set_xrun_callback(
        client,
        [](void* self) {
            ++static_cast<LiveSession*>(self)->xruns_;
            return 0;
        },
        this);
    jack_on_info_shutdown(
        client,
        [](jack_status_t, const char* reason, void* data) {
            auto* self = static_cast<LiveSession*>(data);
            std::strncpy(self->goneReason_, reason && *reason ? reason : "no reason given",
                         sizeof self->goneReason_ - 1);
            self->gone_.store(true);
        },
        this);
}

void LiveSession::process(jack_nframes_t frames) {
    const float* inputs[2];
    float* outputs[2];
    for (int channel = 0; channel < 2; ++channel) {
        inputs[channel] = static_cast<const float*>(jack_port_get_buffer(inputs_[channel], frames));
        outputs[channel] = static_cast<float*>(jack_port_get_buffer(outputs_[channel], frames));
    }
    processor_.process(inputs, outputs, frames, sampleRate_.load(std::memory_order_relaxed));
}

void LiveSession::askFormat(uint32_t frames, uint32_t sampleRate) {
    // JACK may tell the client from the thread that registers the callback.
    if (std::this_thread::get_id() == mainThread_) {
        applyFormat(frames ? frames : capacity_, sampleRate ? sampleRate : sampleRate_.load());
        return;
    }
    std::unique_lock<std::mutex> lock(mutex_);
    if (frames) wantedFrames_ = frames;
    if (sampleRate) wantedRate_ = sampleRate;
    const uint64_t ticket = ++asked_;
    changed_.notify_all();
    changed_.wait_for(lock, kFormatWait, [&] { return applied_ >= ticket || closing_ || gone_; });
}

void LiveSession::applyFormat(uint32_t frames, uint32_t sampleRate) {
    if (sampleRate == sampleRate_ && frames <= capacity_) return;
    const uint32_t capacity = std::max(frames, kLargestPeriod);
    processor_.pause();
    plugin_.prepare(sampleRate, static_cast<int32_t>(capacity));
    if (file_) {
        file_->setSampleRate(static_cast<int>(sampleRate));
        file_->setMaxFrames(capacity);
    }
    plugin_.start();
    capacity_ = capacity;
    sampleRate_ = sampleRate;
    processor_.resume();
}

void LiveSession::tend() {
    uint32_t frames = 0;
    uint32_t sampleRate = 0;
    uint64_t ticket = 0;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (applied_ != asked_) {
            frames = wantedFrames_ ? wantedFrames_ : capacity_;
            sampleRate = wantedRate_ ? wantedRate_ : sampleRate_.load();
            ticket = asked_;
        }
    }
    if (ticket) {
        applyFormat(frames, sampleRate);
        std::lock_guard<std::mutex> lock(mutex_);
        applied_ = ticket;
        changed_.notify_all();
    }
    if (plugin_.takeRestartRequest()) {
        processor_.pause();
        plugin_.stop();
        plugin_.start();
        processor_.resume();
    }
    if (const int32_t latency = plugin_.latency(); latency != latency_) {
        latency_ = latency;
        if (active_) jack_recompute_total_latencies(client_.get());
    }
}

void LiveSession::wait(std::chrono::milliseconds period) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait_for(lock, period, [this] { return applied_ != asked_ || gone_; });
}

std::optional<std::string> LiveSession::serverGone() const {
    if (!gone_.load()) return std::nullopt;
    return std::string(goneReason_);
}

void LiveSession::reportLatency(jack_latency_callback_mode_t mode) {
    // Ours adds to what reaches the inputs (capture) or leaves the outputs
    // (playback), so other clients can line their audio up.
    const auto added = static_cast<jack_nframes_t>(latency_.load());
    const bool capture = mode == JackCaptureLatency;
    for (int channel = 0; channel < 2; ++channel) {
        jack_latency_range_t range{};
        jack_port_get_latency_range(capture ? inputs_[channel] : outputs_[channel], mode, &range);
        range.min += added;
        range.max += added;
        jack_port_set_latency_range(capture ? outputs_[channel] : inputs_[channel], mode, &range);
    }
}

void LiveSession::connect(const std::optional<PortConnections>& connections) {
    jack_client_t* client = client_.get();
    const std::vector<std::string> sources =
        connections ? resolvePorts(client, connections->inputs, JackPortIsOutput)
                    : std::vector<std::string>{};
    const std::vector<std::string> destinations =
        connections ? resolvePorts(client, connections->outputs, JackPortIsInput)
                    : physicalPlaybackPorts(client);
    for (std::size_t channel = 0; channel < 2; ++channel) {
        const std::string in = jack_port_name(inputs_[channel]);
        const std::string out = jack_port_name(outputs_[channel]);
        if (channel < sources.size()) join(client, sources[channel], in);
        if (channel < destinations.size()) join(client, out, destinations[channel]);
    }
}

void LiveSession::deactivate() {
    if (!active_) return;
    active_ = false;
    if (!serverGone()) jack_deactivate(client_.get());
}

}  // namespace velmorin::host
