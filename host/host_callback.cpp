#include "host_callback.h"

#include <cstring>

namespace velmorin::host {

namespace {

thread_local HostContext* contextDuringEntry = nullptr;

constexpr const char* kHostVendor = "QuandorWeb";
constexpr const char* kHostProduct = "velmorin";
constexpr intptr_t kHostVendorVersion = 1500;
// Hosts receive buffers of at least 64 bytes for these strings.
constexpr std::size_t kHostStringSize = 64;

HostContext* contextOf(AEffect* effect) {
    if (effect && effect->user) return static_cast<HostContext*>(effect->user);
    return contextDuringEntry;
}

VstTimeInfo* timeInfo(HostContext& context) {
    VstTimeInfo& info = context.timeInfo;
    info = VstTimeInfo{};
    info.samplePos = context.samplePosition;
    info.sampleRate = context.sampleRate;
    info.tempo = kHostTempo;
    info.ppqPos = context.samplePosition / context.sampleRate * kHostTempo / 60.0;
    info.barStartPos = static_cast<double>(static_cast<int64_t>(info.ppqPos / 4.0)) * 4.0;
    info.timeSigNumerator = 4;
    info.timeSigDenominator = 4;
    info.flags =
        kVstTransportPlaying | kVstPpqPosValid | kVstTempoValid | kVstBarsValid | kVstTimeSigValid;
    return &info;
}

intptr_t writeString(void* ptr, const char* text) {
    if (!ptr) return 0;
    std::strncpy(static_cast<char*>(ptr), text, kHostStringSize - 1);
    static_cast<char*>(ptr)[kHostStringSize - 1] = '\0';
    return 1;
}

}  // namespace

intptr_t hostCallback(AEffect* effect, int32_t opcode, int32_t, intptr_t, void* ptr, float) {
    switch (opcode) {
        case audioMasterVersion:
            return kHostVstVersion;
        case audioMasterGetVendorString:
            return writeString(ptr, kHostVendor);
        case audioMasterGetProductString:
            return writeString(ptr, kHostProduct);
        case audioMasterGetVendorVersion:
            return kHostVendorVersion;
        default:
            break;
    }
    HostContext* context = contextOf(effect);
    if (!context) return 0;
    switch (opcode) {
        case audioMasterGetSampleRate:
            return static_cast<intptr_t>(context->sampleRate);
        case audioMasterGetBlockSize:
            return context->blockSize;
        case audioMasterGetTime:
            return reinterpret_cast<intptr_t>(timeInfo(*context));
        case audioMasterSizeWindow:
            return context->followsEditorSize ? 1 : 0;
        default:
            return 0;  // current id 0, canDo 0 and everything this host does not offer
    }
}

ContextDuringEntry::ContextDuringEntry(HostContext* context) {
    contextDuringEntry = context;
}

ContextDuringEntry::~ContextDuringEntry() {
    contextDuringEntry = nullptr;
}

}  // namespace velmorin::host
