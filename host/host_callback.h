// The host's side of the VST 2.4 conversation: what this host answers when a
// plug-in asks it something through the callback.
#pragma once

#include <cstdint>

#include "formats/vst2/vst2.h"

namespace velmorin::host {

// What one hosted effect may ask about: set by the host before it processes.
struct HostContext {
    double sampleRate = 44100.0;
    int32_t blockSize = 512;
    double samplePosition = 0.0;  // of the block being processed
    VstTimeInfo timeInfo{};       // filled on every audioMasterGetTime
    // Whether an editor's window follows the editor's rectangle (velmorin
    // edit), so a new size the editor asks for is granted.
    bool followsEditorSize = false;
};

constexpr int32_t kHostVstVersion = 2400;
constexpr double kHostTempo = 120.0;

// The callback handed to VSTPluginMain. It finds its context through the
// record's user field, which belongs to the host; during the entry call, before
// the host can set that field, through the context registered below.
intptr_t hostCallback(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                      float opt);

// Makes the callback answer from this context while the current thread creates
// an effect (third-party plug-ins ask for the sample rate from their entry).
class ContextDuringEntry {
  public:
    explicit ContextDuringEntry(HostContext* context);
    ~ContextDuringEntry();
    ContextDuringEntry(const ContextDuringEntry&) = delete;
    ContextDuringEntry& operator=(const ContextDuringEntry&) = delete;
};

}  // namespace velmorin::host
