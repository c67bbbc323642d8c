#include "formats/lv2/lv2_effect.h"

#include <algorithm>
#include <bit>
#include <limits>

#include "formats/lv2/meter_ports.h"
#include "formats/lv2/port_values.h"
#include "params/program_bank.h"
#include "params/shown_value.h"

namespace velmorin::lv2 {
namespace {

uint32_t bitsOf(float value) {
    return std::bit_cast<uint32_t>(value);
}

}  // namespace

Lv2Effect::Lv2Effect(double sampleRate, LV2_URID_Map* map, const InlineDisplayQueue* queue)
    : sampleRate_(static_cast<float>(sampleRate)), map_(map), inlineDisplay_(queue, sampleRate) {
    if (map) feedWriter_.emplace(map);
    markParametersApplied();
    applied_[kNormalizeTargetPort] = bitsOf(static_cast<float>(effect_.normalizeTarget()));
    applied_[kDcRemovalPort] = bitsOf(static_cast<float>(effect_.dcRemoval()));
}

void Lv2Effect::connectPort(uint32_t port, void* data) {
    if (port < kNumPorts) ports_[port] = data;
}

void Lv2Effect::markParametersApplied() {
    for (int32_t index = 0; index < kNumParameters; ++index) {
        applied_[index] = bitsOf(shownValueOf(index, effect_.storedValue(index)));
    }
}

void Lv2Effect::restoreProgram(int32_t program) {
    effect_.setProgram(program);
    markParametersApplied();
}

std::optional<float> Lv2Effect::changedControl(uint32_t port) {
    const auto* value = static_cast<const float*>(ports_[port]);
    if (!value || bitsOf(*value) == applied_[port]) return std::nullopt;
    applied_[port] = bitsOf(*value);
    return *value;
}

void Lv2Effect::applyChangedPorts() {
    // Settings first: the normalize target shapes what ThrLimiter links.
    if (const auto value = changedControl(kNormalizeTargetPort)) {
        effect_.setNormalizeTarget(normalizeTargetOfPort(*value));
    }
    if (const auto value = changedControl(kDcRemovalPort)) {
        effect_.setDcRemoval(dcRemovalOfPort(*value));
    }
    // In the order a program replays, so several ports changed at once (a
    // preset) leave the state a program selection would.
    for (int32_t index : kReplayOrder) {
        if (const auto value = changedControl(static_cast<uint32_t>(index))) {
            applyParameterPort(index, *value);
        }
    }
}

void Lv2Effect::applyParameterPort(int32_t index, float value) {
    const float stored = storedOfShownValue(index, value);
    // Applied, it would set the gain that value stands for: above the one
    // the normalizer reached, as the value is truncated and may be blocks old.
    if (index == kOutput && followed_.contains(static_cast<int32_t>(stored))) return;
    effect_.setParameter(index, stored);
}

void Lv2Effect::run(uint32_t frames) {
    applyChangedPorts();
    float* inputs[2] = {static_cast<float*>(ports_[kInputLeftPort]),
                        static_cast<float*>(ports_[kInputRightPort])};
    float* outputs[2] = {static_cast<float*>(ports_[kOutputLeftPort]),
                         static_cast<float*>(ports_[kOutputRightPort])};
    const bool connected = inputs[0] && inputs[1] && outputs[0] && outputs[1];
    // Hosts never run blocks this long; the core counts frames in 32 bits.
    const auto count =
        static_cast<int32_t>(std::min<uint32_t>(frames, std::numeric_limits<int32_t>::max()));
    if (connected && count > 0) effect_.process(sampleRate_, inputs, outputs, count);
    // The engine keeps the Output value the normalizer arrived at, as the
    // other formats' editors have it kept; the UI writes it to the port.
    if (const auto output = effect_.followNormalizer()) followed_.add(*output);
    writeMeters(frames);
    writeOutputs();
}

void Lv2Effect::writeMeters(uint32_t frames) {
    const EngineState& engine = effect_.engine();
    const MeterFigures figures = meterFigures(engine.lastBlock.extremes, engine.outputGain.get());
    inlineDisplay_.update(figures, frames);
    float values[kNumMeterOutputs];
    meterOutputValues(figures, values);
    for (int32_t i = 0; i < kNumMeterOutputs; ++i) {
        if (auto* port = static_cast<float*>(ports_[kMeterPorts[i].index])) *port = values[i];
    }
}

void Lv2Effect::writeOutputs() {
    if (auto* latency = static_cast<float*>(ports_[kLatencyPort])) {
        *latency = effect_.reportedLatency() > 0 ? static_cast<float>(kLookAheadDelay) : 0.0f;
    }
    auto* feed = static_cast<LV2_Atom_Sequence*>(ports_[kDisplayFeedPort]);
    if (!feed) return;
    if (!feedWriter_) {
        feed->atom.size = 0;
        return;
    }
    EngineState& engine = effect_.engine();
    feedWriter_->write(feed, {.waves = engine.feed.waves.take(),
                              .sums = engine.feed.output.take(),
                              .outputGain = engine.outputGain.get(),
                              .limiterThresholdGain = engine.limiterThresholdGain.get(),
                              .outputRelinked = engine.outputRelinked.exchange(0) != 0});
}

}  // namespace velmorin::lv2
