#include "formats/vst3/vst3_processor.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>

#include "formats/settings/effect_settings.h"
#include "formats/vst3/vst3_identity.h"
#include "formats/vst3/vst3_messages.h"
#include "formats/vst3/vst3_meters.h"
#include "formats/vst3/vst3_parameters.h"
#include "formats/vst3/vst3_stream.h"

namespace velmorin::vst3 {

namespace {

// Queues beyond these (a host sends one per parameter) are not read.
constexpr int32_t kMaxQueues = 64;
constexpr int32_t kMaxFramesPerCall = 1 << 20;

bool isStereo(const Steinberg_Vst_AudioBusBuffers* buses, Steinberg_int32 count) {
    if (buses == nullptr || count < 1 || buses[0].numChannels < 2) return false;
    Steinberg_Vst_Sample32** channels = buses[0].Steinberg_Vst_AudioBusBuffers_channelBuffers32;
    return channels != nullptr && channels[0] != nullptr && channels[1] != nullptr;
}

bool isMainAudioBus(Steinberg_Vst_MediaType type, Steinberg_Vst_BusDirection direction,
                    Steinberg_int32 index) {
    return type == Steinberg_Vst_MediaTypes_kAudio && index == 0 &&
           (direction == Steinberg_Vst_BusDirections_kInput ||
            direction == Steinberg_Vst_BusDirections_kOutput);
}

// Bit c set where channel c of the block is all zeros.
Steinberg_uint64 silentChannels(float* const* channels, int32_t frames) {
    Steinberg_uint64 flags = 0;
    for (int c = 0; c < 2; ++c) {
        const float* x = channels[c];
        if (std::all_of(x, x + frames, [](float v) { return v == 0.0f; })) flags |= 1u << c;
    }
    return flags;
}

}  // namespace

Processor::Processor() {
    static const Steinberg_Vst_IComponentVtbl component = {
        queryFace, addRefFace, releaseFace, initialize,  terminate, controllerClassId, setIoMode,
        busCount,  busInfo,    routingInfo, activateBus, setActive, setState,          getState};
    static const Steinberg_Vst_IAudioProcessorVtbl processor = {
        queryFace,     addRefFace,           releaseFace,    setArrangements,
        arrangement,   canProcessSampleSize, latencySamples, setupProcessing,
        setProcessing, processEntry,         tailSamples};
    static const Steinberg_Vst_IProcessContextRequirementsVtbl requirements = {
        queryFace, addRefFace, releaseFace, contextRequirements};
    static const Steinberg_Vst_IConnectionPointVtbl connection = {
        queryFace, addRefFace, releaseFace, connect, disconnect, notify};
    component_ = {&component, this};
    processor_ = {&processor, this};
    requirements_ = {&requirements, this};
    connection_ = {&connection, this};
}

Processor::~Processor() {
    dropPeer();
    dropHost();
}

void* Processor::faceFor(const Steinberg_TUID iid) {
    if (sameId(iid, Steinberg_IPluginBase_iid) || sameId(iid, Steinberg_Vst_IComponent_iid))
        return &component_;
    if (sameId(iid, Steinberg_Vst_IAudioProcessor_iid)) return &processor_;
    if (sameId(iid, Steinberg_Vst_IProcessContextRequirements_iid)) return &requirements_;
    if (sameId(iid, Steinberg_Vst_IConnectionPoint_iid)) return &connection_;
    return nullptr;
}

Steinberg_tresult Processor::initialize(void* face, Steinberg_FUnknown* context) {
    Processor& self = ownerOf<Processor>(face);
    self.dropHost();
    self.host_ = hostApplicationOf(context);
    return Steinberg_kResultOk;
}

Steinberg_tresult Processor::terminate(void* face) {
    Processor& self = ownerOf<Processor>(face);
    self.dropPeer();
    self.dropHost();
    return Steinberg_kResultOk;
}

Steinberg_tresult Processor::controllerClassId(void*, Steinberg_TUID classId) {
    if (classId == nullptr) return Steinberg_kInvalidArgument;
    std::copy(std::begin(kControllerClass), std::end(kControllerClass), classId);
    return Steinberg_kResultOk;
}

Steinberg_tresult Processor::setIoMode(void*, Steinberg_Vst_IoMode) {
    return Steinberg_kResultOk;
}

Steinberg_int32 Processor::busCount(void*, Steinberg_Vst_MediaType type,
                                    Steinberg_Vst_BusDirection direction) {
    return isMainAudioBus(type, direction, 0) ? 1 : 0;
}

Steinberg_tresult Processor::busInfo(void*, Steinberg_Vst_MediaType type,
                                     Steinberg_Vst_BusDirection direction, Steinberg_int32 index,
                                     Steinberg_Vst_BusInfo* bus) {
    if (bus == nullptr || !isMainAudioBus(type, direction, index))
        return Steinberg_kInvalidArgument;
    *bus = {};
    bus->mediaType = type;
    bus->direction = direction;
    bus->channelCount = 2;
    copyText(bus->name, 128,
             direction == Steinberg_Vst_BusDirections_kInput ? "Stereo In" : "Stereo Out");
    bus->busType = Steinberg_Vst_BusTypes_kMain;
    bus->flags = Steinberg_Vst_BusInfo_BusFlags_kDefaultActive;
    return Steinberg_kResultOk;
}

Steinberg_tresult Processor::routingInfo(void*, Steinberg_Vst_RoutingInfo*,
                                         Steinberg_Vst_RoutingInfo*) {
    return Steinberg_kNotImplemented;
}

Steinberg_tresult Processor::activateBus(void*, Steinberg_Vst_MediaType type,
                                         Steinberg_Vst_BusDirection direction,
                                         Steinberg_int32 index, Steinberg_TBool) {
    return isMainAudioBus(type, direction, index) ? Steinberg_kResultOk
                                                  : Steinberg_kInvalidArgument;
}

Steinberg_tresult Processor::setActive(void* face, Steinberg_TBool state) {
    Processor& self = ownerOf<Processor>(face);
    if (state != 0) {
        self.latencyInForce_ = self.effect_.signalDelay();
        self.bypass_.prepare(self.latencyInForce_, self.maxFrames_, self.sampleRate_);
        self.silence_.assign(static_cast<size_t>(self.maxFrames_), 0.0f);
        self.active_ = true;
    } else if (self.active_) {
        self.active_ = false;
        self.effect_.suspend();
    }
    return Steinberg_kResultOk;
}

Steinberg_tresult Processor::setState(void* face, Steinberg_IBStream* stream) {
    Processor& self = ownerOf<Processor>(face);
    const std::optional<ProcessorState> state = readState(stream);
    if (!state) return Steinberg_kResultFalse;
    restoreSettings(self.effect_, state->settings);
    self.programChosen_.set(state->settings.program);
    self.bypass_.setBypassed(state->bypassed);
    return Steinberg_kResultOk;
}

Steinberg_tresult Processor::getState(void* face, Steinberg_IBStream* stream) {
    const Processor& self = ownerOf<Processor>(face);
    return writeState(stream, {settingsOf(self.effect_), self.bypass_.bypassed()})
               ? Steinberg_kResultOk
               : Steinberg_kResultFalse;
}

Steinberg_tresult Processor::setArrangements(void*, Steinberg_Vst_SpeakerArrangement* inputs,
                                             Steinberg_int32 inputCount,
                                             Steinberg_Vst_SpeakerArrangement* outputs,
                                             Steinberg_int32 outputCount) {
    const bool stereo = inputs != nullptr && outputs != nullptr && inputCount == 1 &&
                        outputCount == 1 && inputs[0] == Steinberg_Vst_SpeakerArr_kStereo &&
                        outputs[0] == Steinberg_Vst_SpeakerArr_kStereo;
    return stereo ? Steinberg_kResultTrue : Steinberg_kResultFalse;
}

Steinberg_tresult Processor::arrangement(void*, Steinberg_Vst_BusDirection direction,
                                         Steinberg_int32 index,
                                         Steinberg_Vst_SpeakerArrangement* arrangement) {
    if (arrangement == nullptr ||
        !isMainAudioBus(Steinberg_Vst_MediaTypes_kAudio, direction, index))
        return Steinberg_kInvalidArgument;
    *arrangement = Steinberg_Vst_SpeakerArr_kStereo;
    return Steinberg_kResultOk;
}

Steinberg_tresult Processor::canProcessSampleSize(void*, Steinberg_int32 size) {
    return size == Steinberg_Vst_SymbolicSampleSizes_kSample32 ? Steinberg_kResultTrue
                                                               : Steinberg_kResultFalse;
}

// The delay the signal has now; the host asks again after the controller
// tells it of a change (restartComponent) and reactivates.
Steinberg_uint32 Processor::latencySamples(void* face) {
    return static_cast<Steinberg_uint32>(ownerOf<Processor>(face).effect_.signalDelay());
}

Steinberg_tresult Processor::setupProcessing(void* face, Steinberg_Vst_ProcessSetup* setup) {
    Processor& self = ownerOf<Processor>(face);
    if (setup == nullptr || self.active_) return Steinberg_kResultFalse;
    if (setup->symbolicSampleSize != Steinberg_Vst_SymbolicSampleSizes_kSample32 ||
        !(setup->sampleRate > 0.0 && setup->sampleRate < 1e7) || setup->maxSamplesPerBlock <= 0)
        return Steinberg_kResultFalse;
    self.sampleRate_ = setup->sampleRate;
    self.maxFrames_ = std::min(setup->maxSamplesPerBlock, kMaxFramesPerCall);
    return Steinberg_kResultOk;
}

Steinberg_tresult Processor::setProcessing(void*, Steinberg_TBool) {
    return Steinberg_kResultOk;
}

Steinberg_tresult Processor::processEntry(void* face, Steinberg_Vst_ProcessData* data) {
    if (data == nullptr) return Steinberg_kInvalidArgument;
    return ownerOf<Processor>(face).process(*data);
}

Steinberg_uint32 Processor::tailSamples(void* face) {
    const std::optional<int32_t> frames = ownerOf<Processor>(face).effect_.tailFrames();
    return frames ? static_cast<Steinberg_uint32>(*frames) : Steinberg_Vst_kInfiniteTail;
}

Steinberg_uint32 Processor::contextRequirements(void*) {
    return 0;
}

Steinberg_tresult Processor::connect(void* face, Steinberg_Vst_IConnectionPoint* other) {
    Processor& self = ownerOf<Processor>(face);
    if (other == nullptr) return Steinberg_kInvalidArgument;
    if (self.peer_ != nullptr) return Steinberg_kResultFalse;
    self.peer_ = other;
    call(other, &Steinberg_Vst_IConnectionPointVtbl::addRef);
    return Steinberg_kResultOk;
}

Steinberg_tresult Processor::disconnect(void* face, Steinberg_Vst_IConnectionPoint* other) {
    Processor& self = ownerOf<Processor>(face);
    if (other == nullptr || other != self.peer_) return Steinberg_kResultFalse;
    self.dropPeer();
    return Steinberg_kResultOk;
}

// On the host's main thread: the editor's settings, and its request for
// the display feed, answered at once.
Steinberg_tresult Processor::notify(void* face, Steinberg_Vst_IMessage* message) {
    Processor& self = ownerOf<Processor>(face);
    if (message == nullptr) return Steinberg_kInvalidArgument;
    if (isMessage(message, kSettings))
        return applySettingsMessage(message, self.effect_) ? Steinberg_kResultOk
                                                           : Steinberg_kResultFalse;
    if (!isMessage(message, kFeedRequest)) return Steinberg_kResultFalse;
    Steinberg_Vst_IMessage* answer = newMessage(self.host_, kFeed);
    if (answer == nullptr) return Steinberg_kResultFalse;
    writeFeed(answer, takeFeed(self.effect_));
    send(self.peer_, answer);
    return Steinberg_kResultOk;
}

void Processor::dropHost() {
    if (host_ == nullptr) return;
    call(host_, &Steinberg_Vst_IHostApplicationVtbl::release);
    host_ = nullptr;
}

void Processor::dropPeer() {
    if (peer_ == nullptr) return;
    call(peer_, &Steinberg_Vst_IConnectionPointVtbl::release);
    peer_ = nullptr;
}

Steinberg_tresult Processor::process(Steinberg_Vst_ProcessData& data) {
    if (data.symbolicSampleSize != Steinberg_Vst_SymbolicSampleSizes_kSample32)
        return Steinberg_kInvalidArgument;
    const int32_t frames = std::max<int32_t>(data.numSamples, 0);
    const bool audio = active_ && frames > 0 && isStereo(data.inputs, data.numInputs) &&
                       isStereo(data.outputs, data.numOutputs);
    blockExtremes_ = LaneExtremes{};
    runWithChanges(data.inputParameterChanges, data, audio);
    if (frames == 0) return Steinberg_kResultOk;
    if (!audio) return active_ ? Steinberg_kInvalidArgument : Steinberg_kNotInitialized;
    reportMeters(data.outputParameterChanges,
                 meterFigures(blockExtremes_, effect_.engine().outputGain.get()), frames - 1);
    // The Output value the normalizer arrived at, so that the host's copy
    // (and what it saves or automates) is the effect's own.
    if (const std::optional<int32_t> output = effect_.followNormalizer())
        reportValue(data.outputParameterChanges, kOutput, frames - 1,
                    normalizedOf(kOutput, static_cast<float>(*output)));
    data.outputs[0].silenceFlags =
        silentChannels(data.outputs[0].Steinberg_Vst_AudioBusBuffers_channelBuffers32, frames);
    return Steinberg_kResultOk;
}

// The block is split at each point of each queue, in time order, so that a
// value takes effect at its frame; a point out of order counts from where
// the block has got to.
void Processor::runWithChanges(Steinberg_Vst_IParameterChanges* changes,
                               const Steinberg_Vst_ProcessData& data, bool audio) {
    const int32_t frames = audio ? data.numSamples : 0;
    std::array<Steinberg_Vst_IParamValueQueue*, kMaxQueues> queues{};
    std::array<Steinberg_int32, kMaxQueues> next{}, count{};
    int32_t queueCount = 0;
    if (changes != nullptr) {
        queueCount = std::clamp<int32_t>(
            call(changes, &Steinberg_Vst_IParameterChangesVtbl::getParameterCount), 0, kMaxQueues);
    }
    for (int32_t q = 0; q < queueCount; ++q) {
        queues[q] = call(changes, &Steinberg_Vst_IParameterChangesVtbl::getParameterData, q);
        count[q] = queues[q] != nullptr
                       ? call(queues[q], &Steinberg_Vst_IParamValueQueueVtbl::getPointCount)
                       : 0;
    }
    int32_t done = 0;
    for (;;) {
        int32_t earliest = -1;
        int32_t at = INT32_MAX;
        double value = 0.0;
        for (int32_t q = 0; q < queueCount; ++q) {
            Steinberg_int32 offset = 0;
            double pointValue = 0.0;
            while (next[q] < count[q] &&
                   call(queues[q], &Steinberg_Vst_IParamValueQueueVtbl::getPoint, next[q], &offset,
                        &pointValue) != Steinberg_kResultOk)
                ++next[q];
            if (next[q] >= count[q]) continue;
            const int32_t pointAt = std::clamp<int32_t>(offset, done, frames);
            if (pointAt < at) {
                earliest = q;
                at = pointAt;
                value = pointValue;
            }
        }
        if (earliest < 0) break;
        if (at > done) {
            run(data, done, at - done);
            done = at;
        }
        applyChange(call(queues[earliest], &Steinberg_Vst_IParamValueQueueVtbl::getParameterId),
                    value);
        ++next[earliest];
    }
    if (frames > done) run(data, done, frames - done);
}

void Processor::applyChange(Steinberg_Vst_ParamID id, double normalized) {
    if (isCoreParameter(id)) {
        const auto index = static_cast<int32_t>(id);
        effect_.setParameter(index, coreValueOf(index, normalized));
    } else if (id == kProgramParameter) {
        // The program's own values, exactly, also where they lie between a
        // parameter's steps; a host sending the same choice again keeps edits.
        const auto program = static_cast<int32_t>(
            std::lround(std::clamp(normalized, 0.0, 1.0) * (kNumPrograms - 1)));
        if (program == programChosen_.get()) return;
        programChosen_.set(program);
        selectProgramValues(effect_, factorySettings(effect_, program));
    } else if (id == kHostBypassParameter) {
        bypass_.setBypassed(normalized >= 0.5);
    }
}

void Processor::run(const Steinberg_Vst_ProcessData& data, int32_t offset, int32_t frames) {
    // A host may send more than it announced: in pieces the buffers hold.
    while (frames > 0) {
        const int32_t piece = std::min(frames, maxFrames_);
        runPiece(data, offset, piece);
        offset += piece;
        frames -= piece;
    }
}

void Processor::runPiece(const Steinberg_Vst_ProcessData& data, int32_t offset, int32_t frames) {
    const Steinberg_Vst_AudioBusBuffers& in = data.inputs[0];
    const Steinberg_Vst_AudioBusBuffers& out = data.outputs[0];
    float* inputs[2];
    float* outputs[2];
    for (int c = 0; c < 2; ++c) {
        // A channel the host flags silent is read as silence, whatever it holds.
        const bool silent = (in.silenceFlags >> c) & 1u;
        inputs[c] = silent ? silence_.data()
                           : in.Steinberg_Vst_AudioBusBuffers_channelBuffers32[c] + offset;
        outputs[c] = out.Steinberg_Vst_AudioBusBuffers_channelBuffers32[c] + offset;
    }
    bypass_.take(inputs, frames);
    effect_.process(static_cast<float>(sampleRate_), inputs, outputs, frames);
    blockExtremes_.merge(effect_.engine().lastBlock.extremes);
    bypass_.apply(outputs, frames);
}

}  // namespace velmorin::vst3
