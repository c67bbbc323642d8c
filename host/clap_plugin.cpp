#include "clap_plugin.h"

#include <algorithm>
#include <cstdio>

#include "host_error.h"
#ifdef VELMORIN_HOST_EDIT
#include "clap_plugin_editor.h"
#endif

namespace velmorin::host {

namespace {

// Plain values are shown this way by plug-ins that give no text for them.
std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

std::string version(const clap_version_t& v) {
    return std::to_string(v.major) + "." + std::to_string(v.minor) + "." +
           std::to_string(v.revision);
}

const clap_plugin_entry_t* entryOf(const PluginLibrary& library) {
    const auto* entry = static_cast<const clap_plugin_entry_t*>(library.symbol("clap_entry"));
    if (!entry) throw HostError(library.what(), "exports no clap_entry");
    if (!clap_version_is_compatible(entry->clap_version)) {
        throw HostError(library.what(), "is built for CLAP " + version(entry->clap_version) +
                                            ", which this host cannot load");
    }
    if (!entry->init || !entry->deinit || !entry->get_factory ||
        !entry->init(library.path().string().c_str())) {
        throw HostError(library.what(), "its clap_entry failed to initialize");
    }
    return entry;
}

const clap_host_t kHostTemplate = {
    CLAP_VERSION_INIT,
    nullptr,
    "velmorin",
    "QuandorWeb",
    nullptr,
    "1.5",
#ifdef VELMORIN_HOST_EDIT
    // What a gui needs on Linux to tick and to read its X connection.
    [](const clap_host_t*, const char* id) { return ClapMainLoop::extension(id); },
#else
    [](const clap_host_t*, const char*) -> const void* { return nullptr; },
#endif
    // A render restarts the plug-in anyway; velmorin live does it when asked.
    [](const clap_host_t* host) {
        static_cast<ClapHostData*>(host->host_data)->restartRequested = true;
    },
    [](const clap_host_t*) {},
    [](const clap_host_t*) {},
};

}  // namespace

ClapPlugin::ClapPlugin(PluginLibrary library)
    : library_(std::move(library)), entry_(entryOf(library_)), host_(kHostTemplate) {
    host_.host_data = &hostData_;
    const auto* factory =
        static_cast<const clap_plugin_factory_t*>(entry_->get_factory(CLAP_PLUGIN_FACTORY_ID));
    if (!factory || factory->get_plugin_count(factory) == 0)
        throw HostError(what(), "offers no plug-in");
    descriptor_ = factory->get_plugin_descriptor(factory, 0);
    if (!descriptor_ || !descriptor_->id) throw HostError(what(), "describes no plug-in");
    plugin_.reset(factory->create_plugin(factory, &host_, descriptor_->id));
    if (!plugin_) throw HostError(what(), std::string("did not create ") + descriptor_->id);
    if (!plugin_->init(plugin_.get())) {
        throw HostError(what(), std::string(descriptor_->id) + " failed to initialize");
    }
    checkAudioPorts();
    params_ = extension<clap_plugin_params_t>(CLAP_EXT_PARAMS);
    latency_ = extension<clap_plugin_latency_t>(CLAP_EXT_LATENCY);
    state_ = extension<clap_plugin_state_t>(CLAP_EXT_STATE);
    presetLoad_ =
        extension<clap_plugin_preset_load_t>(CLAP_EXT_PRESET_LOAD, CLAP_EXT_PRESET_LOAD_COMPAT);
    readParameters();
    if (presetLoad_) presets_ = discoverPresets(*entry_, descriptor_->id);
}

ClapPlugin::~ClapPlugin() {
    if (running_) stop();
}

template <typename Extension>
const Extension* ClapPlugin::extension(const char* id, const char* compatId) const {
    const void* found = plugin_->get_extension(plugin_.get(), id);
    if (!found && compatId) found = plugin_->get_extension(plugin_.get(), compatId);
    return static_cast<const Extension*>(found);
}

void ClapPlugin::checkAudioPorts() const {
    const auto* ports = extension<clap_plugin_audio_ports_t>(CLAP_EXT_AUDIO_PORTS);
    uint32_t channels[2] = {0, 0};
    uint32_t counts[2] = {0, 0};
    for (const bool isInput : {true, false}) {
        if (!ports) break;
        counts[isInput] = ports->count(plugin_.get(), isInput);
        clap_audio_port_info_t info{};
        if (counts[isInput] > 0 && ports->get(plugin_.get(), 0, isInput, &info))
            channels[isInput] = info.channel_count;
    }
    if (counts[1] != 1 || counts[0] != 1 || channels[1] != 2 || channels[0] != 2) {
        throw HostError(what(), "cannot process 2 inputs into 2 outputs (it has " +
                                    std::to_string(counts[1]) + " input and " +
                                    std::to_string(counts[0]) + " output ports, the first of " +
                                    std::to_string(channels[1]) + " and " +
                                    std::to_string(channels[0]) + " channels)");
    }
}

void ClapPlugin::readParameters() {
    if (!params_) return;
    const uint32_t count = params_->count(plugin_.get());
    for (uint32_t index = 0; index < count; ++index) {
        clap_param_info_t info{};
        if (!params_->get_info(plugin_.get(), index, &info))
            throw HostError(what(), "does not describe its parameter " + std::to_string(index));
        parameters_.push_back({info.id, info.cookie, info.name});
    }
}

std::vector<std::pair<std::string, std::string>> ClapPlugin::identity() const {
    std::string features;
    for (const char* const* feature = descriptor_->features; feature && *feature; ++feature)
        features += (features.empty() ? "" : ", ") + std::string(*feature);
    const auto text = [](const char* value) { return std::string(value ? value : ""); };
    return {
        {"name", name()},
        {"vendor", text(descriptor_->vendor)},
        {"id", descriptor_->id},
        {"version", text(descriptor_->version)},
        {"CLAP version", version(descriptor_->clap_version)},
        {"description", text(descriptor_->description)},
        {"features", features.empty() ? "none" : features},
        {"inputs/outputs", "2/2"},
    };
}

std::string ClapPlugin::parameterDisplay(int32_t index) const {
    const Parameter& parameter = parameters_[index];
    double value = 0.0;
    params_->get_value(plugin_.get(), parameter.id, &value);
    char text[CLAP_NAME_SIZE] = {};
    if (!params_->value_to_text(plugin_.get(), parameter.id, value, text, sizeof text))
        return number(value);
    text[sizeof text - 1] = '\0';
    return text;
}

float ClapPlugin::parameter(int32_t index) const {
    double value = 0.0;
    params_->get_value(plugin_.get(), parameters_[index].id, &value);
    return static_cast<float>(value);
}

void ClapPlugin::setParameter(int32_t index, float value) const {
    pending_.add(parameters_[index].id, parameters_[index].cookie, value);
    // Stopped, the plug-in takes values through flush at once.
    if (running_) return;
    params_->flush(plugin_.get(), pending_.list(), droppedEvents());
    pending_.clear();
}

std::vector<std::string> ClapPlugin::programNames() const {
    std::vector<std::string> names;
    for (const ClapPreset& preset : presets_) names.push_back(preset.name);
    return names;
}

void ClapPlugin::selectProgram(int32_t program) const {
    const ClapPreset& preset = presets_[program];
    if (!presetLoad_->from_location(plugin_.get(), preset.locationKind,
                                    preset.location ? preset.location->c_str() : nullptr,
                                    preset.loadKey ? preset.loadKey->c_str() : nullptr)) {
        throw HostError(what(), "could not load its preset '" + preset.name + "'");
    }
    program_ = program;
}

std::string ClapPlugin::programName() const {
    return program_ < 0 ? "" : presets_[program_].name;
}

void ClapPlugin::prepare(double sampleRate, int32_t blockSize) {
    if (running_) stop();
    sampleRate_ = sampleRate;
    blockSize_ = blockSize;
}

void ClapPlugin::start() {
    // Activated only now, so that the latency it reports follows the settings.
    if (!plugin_->activate(plugin_.get(), sampleRate_, 1, static_cast<uint32_t>(blockSize_))) {
        throw HostError(what(), "could not be activated at " + number(sampleRate_) + " Hz");
    }
    if (!plugin_->start_processing(plugin_.get())) {
        plugin_->deactivate(plugin_.get());
        throw HostError(what(), "could not start processing");
    }
    steadyTime_ = 0;
    running_ = true;
}

void ClapPlugin::stop() {
    plugin_->stop_processing(plugin_.get());
    plugin_->deactivate(plugin_.get());
    running_ = false;
}

int32_t ClapPlugin::latency() const {
    return latency_ && running_ ? static_cast<int32_t>(latency_->get(plugin_.get())) : 0;
}

void ClapPlugin::process(const float* const* inputs, float* const* outputs, int32_t frames) {
    // The buffers take float** for both sides.
    float* in[2] = {const_cast<float*>(inputs[0]), const_cast<float*>(inputs[1])};
    clap_audio_buffer_t input = {in, nullptr, 2, 0, 0};
    clap_audio_buffer_t output = {const_cast<float**>(outputs), nullptr, 2, 0, 0};
    const clap_process_t process = {static_cast<int64_t>(steadyTime_),
                                    static_cast<uint32_t>(frames),
                                    nullptr,
                                    &input,
                                    &output,
                                    1,
                                    1,
                                    pending_.list(),
                                    droppedEvents()};
    const clap_process_status status = plugin_->process(plugin_.get(), &process);
    pending_.clear();
    steadyTime_ += static_cast<uint64_t>(frames);
    if (status == CLAP_PROCESS_ERROR) throw HostError(what(), "failed to process a block");
}

std::vector<uint8_t> ClapPlugin::saveState() const {
    if (!state_) throw HostError(what(), "keeps no state");
    std::vector<uint8_t> bytes;
    const clap_ostream_t stream = {
        &bytes, [](const clap_ostream_t* out, const void* data, uint64_t size) -> int64_t {
            auto& into = *static_cast<std::vector<uint8_t>*>(out->ctx);
            const auto* from = static_cast<const uint8_t*>(data);
            into.insert(into.end(), from, from + size);
            return static_cast<int64_t>(size);
        }};
    if (!state_->save(plugin_.get(), &stream)) throw HostError(what(), "could not save its state");
    return bytes;
}

void ClapPlugin::loadState(const std::vector<uint8_t>& state) {
    if (!state_) throw HostError(what(), "keeps no state");
    struct Source {
        const std::vector<uint8_t>& bytes;
        std::size_t at;
    } source{state, 0};
    const clap_istream_t stream = {
        &source, [](const clap_istream_t* in, void* buffer, uint64_t size) -> int64_t {
            auto& from = *static_cast<Source*>(in->ctx);
            const std::size_t count = std::min<std::size_t>(size, from.bytes.size() - from.at);
            std::copy_n(from.bytes.data() + from.at, count, static_cast<uint8_t*>(buffer));
            from.at += count;
            return static_cast<int64_t>(count);
        }};
    if (!state_->load(plugin_.get(), &stream)) throw HostError(what(), "refused the state");
}

#ifdef VELMORIN_HOST_EDIT
std::unique_ptr<PluginEditor> ClapPlugin::editor() {
    return std::make_unique<ClapPluginEditor>(*plugin_, hostData_.loop, what());
}
#endif

}  // namespace velmorin::host
