// Plays audio through a plug-in the way a host's audio thread does, with no
// sound card: block after block at the pace of the sample rate, the file
// starting over at its end. The output is not kept.
#pragma once

#include <atomic>
#include <thread>

#include "audio_buffer.h"
#include "plugin_instance.h"

namespace velmorin::host {

class LoopedPlayer {
  public:
    // Starts at once; the plug-in must be running (effMainsChanged 1).
    LoopedPlayer(PluginInstance& plugin, const AudioBuffer& audio);
    ~LoopedPlayer();  // stops after the block in hand
    LoopedPlayer(const LoopedPlayer&) = delete;
    LoopedPlayer& operator=(const LoopedPlayer&) = delete;

  private:
    void run();

    PluginInstance& plugin_;
    const AudioBuffer& audio_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace velmorin::host
