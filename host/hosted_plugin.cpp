#include "hosted_plugin.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <iterator>
#include <utility>

#include "host_error.h"
#include "vst2_bank.h"
#ifdef VELMORIN_HOST_EDIT
#include "vst2_plugin_editor.h"
#endif

namespace velmorin::host {

namespace {

// Names, labels and displays may be longer than hosts promise to take.
constexpr std::size_t kTextSize = 256;

// VSTPluginMain, or else the older name main.
VstPluginMainProc entryOf(const PluginLibrary& library) {
    void* entry = library.symbol("VSTPluginMain");
    if (!entry) entry = library.symbol("main");
    if (!entry) throw HostError(library.what(), "exports neither VSTPluginMain nor main");
    return reinterpret_cast<VstPluginMainProc>(entry);
}

AEffect* createEffect(const PluginLibrary& library, HostContext* context) {
    const VstPluginMainProc entry = entryOf(library);
    ContextDuringEntry during(context);
    AEffect* effect = entry(hostCallback);
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

std::string fourCharacters(int32_t code) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const auto c = static_cast<unsigned char>((code >> shift) & 0xff);
        text += std::isprint(c) ? static_cast<char>(c) : '.';
    }
    return text;
}

const char* categoryName(intptr_t category) {
    static const char* const kNames[] = {"unknown",     "effect",      "synth",   "analysis",
                                         "mastering",   "spacializer", "room fx", "surround fx",
                                         "restoration", "offline",     "shell",   "generator"};
    if (category < 0 || category >= static_cast<intptr_t>(std::size(kNames))) return "other";
    return kNames[category];
}

std::string flagNames(int32_t flags) {
    static const std::pair<int32_t, const char*> kFlags[] = {
        {effFlagsHasEditor, "editor"},
        {effFlagsCanReplacing, "replacing"},
        {effFlagsProgramChunks, "chunks"},
        {effFlagsIsSynth, "synth"},
        {effFlagsNoSoundInStop, "no sound in stop"},
        {effFlagsCanDoubleReplacing, "double"}};
    std::string names;
    for (const auto& [flag, name] : kFlags) {
        if (flags & flag) names += (names.empty() ? "" : ", ") + std::string(name);
    }
    return names.empty() ? "none" : names;
}

std::string hex(unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08x", value);
    return text;
}

}  // namespace

void HostedPlugin::Closer::operator()(AEffect* effect) const {
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
}

HostedPlugin::HostedPlugin(const std::filesystem::path& path) : HostedPlugin(PluginLibrary(path)) {}

HostedPlugin::HostedPlugin(PluginLibrary library)
    : library_(std::move(library)),
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

std::vector<std::pair<std::string, std::string>> HostedPlugin::identity() const {
    const AEffect& e = *effect_;
    const intptr_t category = dispatch(effGetPlugCategory);
    char flags[16];
    std::snprintf(flags, sizeof flags, "0x%x", static_cast<unsigned>(e.flags));
    return {
        {"name", name()},
        {"vendor", text(effGetVendorString)},
        {"product", text(effGetProductString)},
        {"vendor version", std::to_string(dispatch(effGetVendorVersion))},
        {"VST version", std::to_string(dispatch(effGetVstVersion))},
        {"effect version", std::to_string(e.version)},
        {"unique id",
         fourCharacters(e.uniqueID) + " (" + hex(static_cast<unsigned>(e.uniqueID)) + ")"},
        {"category", std::string(categoryName(category)) + " (" + std::to_string(category) + ")"},
        {"inputs/outputs", std::to_string(e.numInputs) + "/" + std::to_string(e.numOutputs)},
        {"latency", std::to_string(e.initialDelay) + " samples"},
        {"flags", std::string(flags) + " (" + flagNames(e.flags) + ")"},
    };
}

std::vector<std::string> HostedPlugin::programNames() const {
    const int32_t current = program();
    std::vector<std::string> names;
    for (int32_t index = 0; index < effect_->numPrograms; ++index) {
        selectProgram(index);
        names.push_back(programName());
    }
    selectProgram(current);
    return names;
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

std::vector<uint8_t> HostedPlugin::saveState() const {
    return saveVst2Bank(*this);
}

void HostedPlugin::loadState(const std::vector<uint8_t>& state) {
    loadVst2Bank(*this, state);
}

#ifdef VELMORIN_HOST_EDIT
std::unique_ptr<PluginEditor> HostedPlugin::editor() {
    // velmorin edit's window follows the rectangle after each idle call.
    context_->followsEditorSize = true;
    return std::make_unique<Vst2PluginEditor>(*this);
}
#endif

}  // namespace velmorin::host
