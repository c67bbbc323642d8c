#include "formats/clap/clap_effect.h"

#include <algorithm>
#include <charconv>
#include <string_view>

#include <clap/factory/preset-discovery.h>

#include "formats/clap/clap_extensions.h"
#include "formats/clap/clap_parameters.h"
#include "formats/settings/effect_settings.h"
#include "formats/clap/state_stream.h"

namespace velmorin::clap_format {

namespace {

bool isStereo(const clap_audio_buffer_t* buffers, uint32_t count) {
    return buffers != nullptr && count >= 1 && buffers[0].channel_count >= 2 &&
           buffers[0].data32 != nullptr && buffers[0].data32[0] != nullptr &&
           buffers[0].data32[1] != nullptr;
}

uint32_t eventCount(const clap_input_events_t* events) {
    return events != nullptr && events->size != nullptr && events->get != nullptr
               ? events->size(events)
               : 0;
}

// A factory program's load key is its index in decimal, nothing else.
std::optional<int32_t> programOfKey(const char* key) {
    if (key == nullptr) return std::nullopt;
    const std::string_view text(key);
    int32_t program = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), program);
    if (error != std::errc{} || end != text.data() + text.size() ||
        !ProgramBank::isProgramIndex(program))
        return std::nullopt;
    return program;
}

}  // namespace

ClapEffect::ClapEffect(const clap_plugin_descriptor_t& descriptor, const clap_host_t& host)
    : host_(host), tailTold_(tail()), told_(effect_) {
    plugin_ = {&descriptor,     this,           init,  destroy,      activate,  deactivate,
               startProcessing, stopProcessing, reset, processEntry, extension, onMainThread};
}

bool ClapEffect::init(const clap_plugin_t* plugin) {
    of(plugin).host_.connect();
    of(plugin).host_.expectMainThread();
    return true;
}

void ClapEffect::destroy(const clap_plugin_t* plugin) {
    of(plugin).host_.expectMainThread();
    delete &of(plugin);
}

bool ClapEffect::activate(const clap_plugin_t* plugin, double sampleRate, uint32_t, uint32_t) {
    ClapEffect& self = of(plugin);
    self.host_.expectMainThread();
    if (self.active_ || !(sampleRate > 0.0 && sampleRate < 1e7)) return false;
    self.sampleRate_ = static_cast<float>(sampleRate);
    self.latencyInForce_ = self.effect_.signalDelay();
    if (self.latencyTold_ >= 0 && self.latencyTold_ != self.latencyInForce_)
        self.host_.latencyChanged();
    self.latencyTold_ = self.latencyInForce_;
    self.restartRequested_ = false;
    self.active_ = true;
    return true;
}

void ClapEffect::deactivate(const clap_plugin_t* plugin) {
    ClapEffect& self = of(plugin);
    self.host_.expectMainThread();
    if (!self.active_) return;
    self.active_ = false;
    self.effect_.suspend();
}

bool ClapEffect::startProcessing(const clap_plugin_t* plugin) {
    of(plugin).host_.expectAudioThread();
    return of(plugin).active_;
}

void ClapEffect::stopProcessing(const clap_plugin_t* plugin) {
    of(plugin).host_.expectAudioThread();
}

void ClapEffect::reset(const clap_plugin_t* plugin) {
    of(plugin).host_.expectAudioThread();
    of(plugin).effect_.suspend();
}

clap_process_status ClapEffect::processEntry(const clap_plugin_t* plugin,
                                             const clap_process_t* process) {
    ClapEffect& self = of(plugin);
    self.host_.expectAudioThread();
    if (process == nullptr || !self.active_) return CLAP_PROCESS_ERROR;
    return self.process(*process);
}

const void* ClapEffect::extension(const clap_plugin_t*, const char* id) {
    return id != nullptr ? extensionTable(id) : nullptr;
}

void ClapEffect::onMainThread(const clap_plugin_t*) {}

clap_process_status ClapEffect::process(const clap_process_t& process) {
    const bool audio = isStereo(process.audio_inputs, process.audio_inputs_count) &&
                       isStereo(process.audio_outputs, process.audio_outputs_count);
    const uint32_t frames = process.frames_count;
    const uint32_t count = eventCount(process.in_events);
    // The block is split at each event, so a value takes effect at its frame;
    // an event out of order counts from where the block has got to.
    uint32_t done = 0;
    for (uint32_t i = 0; i < count; ++i) {
        const clap_event_header_t* event = process.in_events->get(process.in_events, i);
        if (event == nullptr) continue;
        const uint32_t at = std::clamp(event->time, done, frames);
        if (audio && at > done) {
            run(process.audio_inputs[0], process.audio_outputs[0], done, at - done);
            done = at;
        }
        applyEvent(*event);
    }
    noticeLatency();
    gestures_.emit(process.out_events, told_);
    told_.report(effect_, process.out_events);
    if (!audio) return CLAP_PROCESS_ERROR;
    if (frames > done) run(process.audio_inputs[0], process.audio_outputs[0], done, frames - done);
    process.audio_outputs[0].constant_mask = 0;
    noticeTail();
    return CLAP_PROCESS_CONTINUE;
}

void ClapEffect::run(const clap_audio_buffer_t& in, const clap_audio_buffer_t& out, uint32_t offset,
                     uint32_t frames) {
    float* inputs[2] = {in.data32[0] + offset, in.data32[1] + offset};
    float* outputs[2] = {out.data32[0] + offset, out.data32[1] + offset};
    effect_.process(sampleRate_, inputs, outputs, static_cast<int32_t>(frames));
}

void ClapEffect::applyEvent(const clap_event_header_t& event) {
    if (event.space_id != CLAP_CORE_EVENT_SPACE_ID || event.type != CLAP_EVENT_PARAM_VALUE ||
        event.size < sizeof(clap_event_param_value_t))
        return;
    const auto& change = reinterpret_cast<const clap_event_param_value_t&>(event);
    if (!isParameterId(change.param_id)) return;
    const auto index = static_cast<int32_t>(change.param_id);
    effect_.setParameter(index, coreValueOf(index, change.value));
    // The value kept may lie on the step next to the one sent: the host's
    // own change is not echoed back, only what it moved elsewhere.
    told_.heard(index, clapValueOf(index, effect_.storedValue(index)));
}

void ClapEffect::flush(const clap_input_events_t* events, const clap_output_events_t* out) {
    const uint32_t count = eventCount(events);
    for (uint32_t i = 0; i < count; ++i) {
        if (const clap_event_header_t* event = events->get(events, i)) applyEvent(*event);
    }
    noticeLatency();
    gestures_.emit(out, told_);
    told_.report(effect_, out);
}

bool ClapEffect::saveState(const clap_ostream_t& stream) const {
    host_.expectMainThread();
    return stream.write != nullptr && writeSettings(stream, settingsOf(effect_));
}

bool ClapEffect::loadState(const clap_istream_t& stream) {
    host_.expectMainThread();
    const std::optional<EffectSettings> settings = readSettings(stream);
    if (!settings) return false;
    restoreSettings(effect_, *settings);
    // The host rereads the values it restored; telling it again would mark
    // the session changed.
    told_.restored(effect_);
    afterMainThreadChange();
    return true;
}

bool ClapEffect::loadPreset(uint32_t locationKind, const char*, const char* loadKey) {
    host_.expectMainThread();
    const std::optional<int32_t> program = programOfKey(loadKey);
    if (locationKind != CLAP_PRESET_DISCOVERY_LOCATION_PLUGIN || !program) return false;
    selectSettings(effect_, factorySettings(effect_, *program));
    afterMainThreadChange();
    host_.requestFlush();
    return true;
}

uint32_t ClapEffect::latency() const {
    return static_cast<uint32_t>(active_ ? latencyInForce_ : effect_.signalDelay());
}

uint32_t ClapEffect::tail() const {
    const std::optional<int32_t> frames = effect_.tailFrames();
    return frames ? static_cast<uint32_t>(*frames) : static_cast<uint32_t>(INT32_MAX);
}

void ClapEffect::noticeLatency() {
    if (active_ && effect_.signalDelay() != latencyInForce_ && !restartRequested_.exchange(true))
        host_.requestRestart();
}

void ClapEffect::noticeTail() {
    const uint32_t now = tail();
    if (now == tailTold_) return;
    tailTold_ = now;
    host_.tailChanged();
}

void ClapEffect::afterMainThreadChange() {
    host_.rescanValues();
    noticeLatency();
}

}  // namespace velmorin::clap_format
