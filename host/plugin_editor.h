// A plug-in's editor as `velmorin edit` shows it, whatever the format: its
// size first, so the host can make a window to fit, then embedded in that
// window and given the host's attention until the window closes. Destroying
// it closes the editor.
#pragma once

#include <chrono>
#include <cstdint>
#include <utility>

namespace velmorin::host {

class PluginEditor {
  public:
    virtual ~PluginEditor() = default;

    // Draws it FACTOR times as large where it lets the user choose
    // Automatic (1.0 is an ordinary screen); before size and open.
    virtual void setScale(double factor) = 0;
    // Width and height of its content, in pixels; it may change while open.
    virtual std::pair<int, int> size() const = 0;
    // Embeds it in the X window PARENT and shows it; HostError when it cannot.
    virtual void open(std::uintptr_t parent) = 0;
    // What a host's main loop gives an editor for about PERIOD: idle calls,
    // timers, watched descriptors.
    virtual void run(std::chrono::milliseconds period) = 0;
};

}  // namespace velmorin::host
