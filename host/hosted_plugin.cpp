#include "hosted_plugin.h"

#include <algorithm>
#include <cstdio>

#include "host_error.h"

namespace velmorin::host {

namespace {

// Names, labels and displays may be longer than hosts promise to take.
constexpr std::size_t kTextSize = 256;

AEffect* createEffect(const PluginLibrary& library, HostContext* context) {
    ContextDuringEntry during(context);
    AEffect* effect = library.entry()(hostCallback);
    if (!effect) throw HostError(library.what(), "the entry point returned no effect");
    if (effect->magic != kEffectMagic) {
        char magic[16];
        std::snprintf(magic, sizeof magic, "0x%08x", static_cast<unsigned>(effect->magic));
        // A record of unknown layout: nothing can be sent to it, not even effClose.
        throw HostError(library.what(),
                        std::string("wrong magic ") + magic + ", not a VST 2.4 effect");
    }
    effect->user = context;
    return effect;
}

}  // namespace

void HostedPlugin::Closer::operator()(AEffect* effect) const {
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
}

HostedPlugin::HostedPlugin(const std::filesystem::path& path)
    : library_(path),
      context_(std::make_unique<HostContext>()),
      effect_(createEffect(library_, context_.get())) {
    dispatch(effOpen);
    if (effect_->numInputs < 2 || effect_->numOutputs < 2) {
        throw HostError(what(), "cannot process 2 inputs into 2 outputs (it has " +
                                    std::to_string(effect_->numInputs) + " in, " +
                                    std::to_string(effect_->numOutputs) + " out)");
    }
    if (!(effect_->flags & effFlagsCanReplacing) || !effect_->processReplacing) {
        throw HostError(what(), "cannot process 2 inputs into 2 outputs (no processReplacing)");
    }
    inputs_ = std::make_unique<float*[]>(effect_->numInputs);
    outputs_ = std::make_unique<float*[]>(effect_->numOutputs);
}

HostedPlugin::~HostedPlugin() {
    if (running_) stop();
}

intptr_t HostedPlugin::dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                float opt) const {
    return effect_->dispatcher(effect_.get(), opcode, index, value, ptr, opt);
}

std::string HostedPlugin::text(int32_t opcode, int32_t index) const {
    char buffer[kTextSize] = {};
    dispatch(opcode, index, 0, buffer);
    buffer[kTextSize - 1] = '\0';
    return buffer;
}

float HostedPlugin::parameter(int32_t index) const {
    return effect_->getParameter(effect_.get(), index);
}

void HostedPlugin::setParameter(int32_t index, float value) const {
    effect_->setParameter(effect_.get(), index, value);
}

void HostedPlugin::prepare(double sampleRate, int32_t blockSize) {
    if (running_) stop();
    context_->sampleRate = sampleRate;
    context_->blockSize = blockSize;
    dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
    dispatch(effSetBlockSize, 0, blockSize);
    const int32_t extra = std::max(effect_->numInputs, effect_->numOutputs) - 2;
    spare_ = std::make_unique<float[]>(static_cast<std::size_t>(blockSize) * (extra + 1));
    for (int32_t channel = 2; channel < effect_->numInputs; ++channel)
        inputs_[channel] = &spare_[0];
    for (int32_t channel = 2; channel < effect_->numOutputs; ++channel) {
        outputs_[channel] = &spare_[static_cast<std::size_t>(blockSize) * (channel - 1)];
    }
}

void HostedPlugin::start() {
    context_->samplePosition = 0.0;
    dispatch(effMainsChanged, 0, 1);
    running_ = true;
}

void HostedPlugin::stop() {
    dispatch(effMainsChanged, 0, 0);
    running_ = false;
}

void HostedPlugin::process(const float* const* inputs, float* const* outputs, int32_t frames) {
    inputs_[0] = const_cast<float*>(inputs[0]);  // the interface takes float** for both sides
    inputs_[1] = const_cast<float*>(inputs[1]);
    outputs_[0] = outputs[0];
    outputs_[1] = outputs[1];
    effect_->processReplacing(effect_.get(), inputs_.get(), outputs_.get(), frames);
    context_->samplePosition += frames;
}

}  // namespace velmorin::host
