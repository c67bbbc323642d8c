// What runs in the audio server's process callback: the plug-in between two
// inputs (or a looped file) and two outputs, timed. Everything it touches
// exists before the client is activated; it allocates nothing, takes no
// lock and does no I/O. While another thread changes the plug-in (a new
// period size or sample rate, a restart), it is paused and plays silence.
#pragma once

#include <atomic>
#include <cstdint>

#include "live/file_loop.h"
#include "plugin_instance.h"

namespace velmorin::host {

// The share of the period the plug-in took.
struct CallbackLoad {
    uint64_t periods = 0;
    double mean = 0.0;
    double max = 0.0;
};

class LiveProcessor {
  public:
    // FILE, when there is one, plays instead of the inputs.
    LiveProcessor(PluginInstance& plugin, FileLoop* file) : plugin_(plugin), file_(file) {}

    // One period; FRAMES at most the plug-in's block size, else silence.
    void process(const float* const* inputs, float* const* outputs, uint32_t frames,
                 double sampleRate);

    // Waits for the period in hand to end; the plug-in and the file are the
    // caller's until resume(). Not from the callback.
    void pause();
    void resume() { paused_.store(false); }

    CallbackLoad load() const;

  private:
    PluginInstance& plugin_;
    FileLoop* file_;
    // Each side sets its own flag, then reads the other's (sequentially
    // consistent), so the callback never runs the plug-in while paused.
    std::atomic<bool> paused_{false};
    std::atomic<bool> busy_{false};
    // Written by the callback alone.
    std::atomic<uint64_t> periods_{0};
    std::atomic<double> loadSum_{0.0};
    std::atomic<double> loadMax_{0.0};
};

}  // namespace velmorin::host
