// One plug-in instance as the commands drive it, whatever its format:
// identity, parameters and programs, then prepare, start, process, stop.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#ifdef VELMORIN_HOST_EDIT
#include "plugin_editor.h"
#endif

namespace velmorin::host {

// How a format counts the values parameter() and setParameter() carry.
enum class ValueScale {
    normalized,  // VST 2.4: 0 to 1
    plain,       // CLAP, VST3: the parameter's own range and steps (Velmorin's: as its editor shows)
};

class PluginInstance {
  public:
    virtual ~PluginInstance() = default;

    // How errors about this plug-in name it.
    virtual std::string what() const = 0;
    // What `velmorin info` shows first, as label and text, in order.
    virtual std::vector<std::pair<std::string, std::string>> identity() const = 0;
    virtual std::string name() const = 0;

    virtual int32_t parameterCount() const = 0;
    virtual std::string parameterName(int32_t index) const = 0;
    virtual std::string parameterLabel(int32_t index) const = 0;
    virtual std::string parameterDisplay(int32_t index) const = 0;
    virtual ValueScale valueScale() const = 0;
    // The value a host sends for the parameter, as the format counts it.
    virtual float parameter(int32_t index) const = 0;
    virtual void setParameter(int32_t index, float value) const = 0;

    virtual int32_t programCount() const = 0;
    virtual std::vector<std::string> programNames() const = 0;
    virtual int32_t program() const = 0;
    virtual void selectProgram(int32_t program) const = 0;
    virtual std::string programName() const = 0;

    // Only while stopped: hosts change these with the effect suspended.
    virtual void prepare(double sampleRate, int32_t blockSize) = 0;
    virtual void start() = 0;
    virtual void stop() = 0;
    virtual int32_t blockSize() const = 0;
    virtual int32_t latency() const = 0;
    // Two inputs and two outputs of at most the block size.
    virtual void process(const float* const* inputs, float* const* outputs, int32_t frames) = 0;
    // Whether the plug-in asked, from any thread, to be stopped and started
    // again (as a CLAP plug-in does when its latency changes); asking
    // clears the request.
    virtual bool takeRestartRequest() = 0;

    // Everything the user set, in the format's own form (a CLAP state stream,
    // a VST 2.4 bank), for the same plug-in's loadState; main thread.
    virtual std::vector<uint8_t> saveState() const = 0;
    // Throws HostError saying why when the plug-in refuses STATE; what it
    // had taken by then is its business, so callers reload the defaults.
    virtual void loadState(const std::vector<uint8_t>& state) = 0;

#ifdef VELMORIN_HOST_EDIT
    // The plug-in's editor, not yet in a window; HostError when it has none.
    virtual std::unique_ptr<PluginEditor> editor() = 0;
#endif
};

}  // namespace velmorin::host
