#include "vst3_plugin.h"

#include <cstring>
#include <optional>

#include "host_error.h"
#ifdef VELMORIN_HOST_EDIT
#include "vst3_plugin_editor.h"
#endif

namespace velmorin::host {

namespace {

#ifdef _WIN32
constexpr const char* kArchitecture = "x86_64-win";
constexpr const char* kModuleSuffix = ".vst3";
using LoadEntry = bool (*)();
constexpr const char* kUnloadEntry = "ExitDll";
#else
constexpr const char* kArchitecture = "x86_64-linux";
constexpr const char* kModuleSuffix = ".so";
using LoadEntry = bool (*)(void*);
constexpr const char* kUnloadEntry = "ModuleExit";
#endif
using UnloadEntry = bool (*)();
using FactoryEntry = Steinberg_IPluginFactory*(SMTG_STDMETHODCALLTYPE*)();

Steinberg_IPluginFactory* factoryOf(const PluginLibrary& library) {
#ifdef _WIN32
    auto load = reinterpret_cast<LoadEntry>(library.symbol("InitDll"));
    if (load && !load()) throw HostError(library.what(), "its InitDll failed");
#else
    auto load = reinterpret_cast<LoadEntry>(library.symbol("ModuleEntry"));
    if (load && !load(library.handle())) throw HostError(library.what(), "its ModuleEntry failed");
#endif
    auto entry = reinterpret_cast<FactoryEntry>(library.symbol("GetPluginFactory"));
    if (!entry) throw HostError(library.what(), "exports no GetPluginFactory");
    Steinberg_IPluginFactory* factory = entry();
    if (!factory) throw HostError(library.what(), "offers no plug-in factory");
    return factory;
}

std::string text(const Steinberg_Vst_TChar* from) {
    return vst3::narrowText(from, 128);
}

template <typename Interface>
void release(Interface*& object) {
    if (object) call(object, &std::remove_reference_t<decltype(*object->lpVtbl)>::release);
    object = nullptr;
}

}  // namespace

std::filesystem::path vst3ModuleOf(const std::filesystem::path& bundle) {
    return bundle / "Contents" / kArchitecture / (bundle.stem().string() + kModuleSuffix);
}

Vst3Plugin::Vst3Plugin(PluginLibrary library)
    : library_(std::move(library)),
      factory_(factoryOf(library_)),
      host_(new HostApplication),
      handler_(new ComponentHandler),
      pending_(new ParameterChanges) {
    try {
        createClasses();
        checkBuses();
        readParameters();
        readPrograms();
    } catch (...) {
        close();
        throw;
    }
}

Vst3Plugin::~Vst3Plugin() {
    close();
}

void Vst3Plugin::close() {
    if (running_) stop();
    if (points_[0] && points_[1]) {
        call(points_[0], &Steinberg_Vst_IConnectionPointVtbl::disconnect, points_[1]);
        call(points_[1], &Steinberg_Vst_IConnectionPointVtbl::disconnect, points_[0]);
    }
    release(points_[0]);
    release(points_[1]);
    // A controller that is the component itself ends with it.
    if (controller_ && separateController_)
        call(controller_, &Steinberg_Vst_IEditControllerVtbl::terminate);
    if (component_) call(component_, &Steinberg_Vst_IComponentVtbl::terminate);
    release(processor_);
    release(controller_);
    release(component_);
    release(factory_);
    if (pending_) pending_->release();
    if (handler_) handler_->release();
    if (host_) host_->release();
    pending_ = nullptr;
    handler_ = nullptr;
    host_ = nullptr;
    if (auto unload = reinterpret_cast<UnloadEntry>(library_.symbol(kUnloadEntry))) unload();
}

void Vst3Plugin::createClasses() {
    const Steinberg_int32 count = call(factory_, &Steinberg_IPluginFactoryVtbl::countClasses);
    auto* factory2 = queryAs<Steinberg_IPluginFactory2>(factory_, Steinberg_IPluginFactory2_iid);
    for (Steinberg_int32 index = 0; index < count && !component_; ++index) {
        Steinberg_PClassInfo2 info{};
        if (factory2) {
            call(factory2, &Steinberg_IPluginFactory2Vtbl::getClassInfo2, index, &info);
        } else {
            Steinberg_PClassInfo basic{};
            call(factory_, &Steinberg_IPluginFactoryVtbl::getClassInfo, index, &basic);
            std::memcpy(info.cid, basic.cid, sizeof info.cid);
            std::memcpy(info.category, basic.category, sizeof info.category);
            std::memcpy(info.name, basic.name, sizeof info.name);
        }
        if (std::strncmp(info.category, "Audio Module Class", sizeof info.category) != 0) continue;
        void* object = nullptr;
        call(factory_, &Steinberg_IPluginFactoryVtbl::createInstance, info.cid,
             Steinberg_Vst_IComponent_iid, &object);
        component_ = static_cast<Steinberg_Vst_IComponent*>(object);
        info_ = info;
    }
    release(factory2);
    if (!component_) throw HostError(what(), "offers no audio effect");
    if (call(component_, &Steinberg_Vst_IComponentVtbl::initialize, host_->context()) !=
        Steinberg_kResultOk)
        throw HostError(what(), std::string(info_.name) + " failed to initialize");
    processor_ =
        queryAs<Steinberg_Vst_IAudioProcessor>(component_, Steinberg_Vst_IAudioProcessor_iid);
    if (!processor_) throw HostError(what(), std::string(info_.name) + " processes no audio");

    // The controller: the component itself, or a class of its own.
    controller_ =
        queryAs<Steinberg_Vst_IEditController>(component_, Steinberg_Vst_IEditController_iid);
    Steinberg_TUID controllerClass{};
    if (!controller_ && call(component_, &Steinberg_Vst_IComponentVtbl::getControllerClassId,
                             controllerClass) == Steinberg_kResultOk) {
        void* object = nullptr;
        call(factory_, &Steinberg_IPluginFactoryVtbl::createInstance, controllerClass,
             Steinberg_Vst_IEditController_iid, &object);
        controller_ = static_cast<Steinberg_Vst_IEditController*>(object);
        separateController_ = controller_ != nullptr;
        if (controller_ && call(controller_, &Steinberg_Vst_IEditControllerVtbl::initialize,
                                host_->context()) != Steinberg_kResultOk)
            throw HostError(what(), std::string(info_.name) + "'s controller failed to initialize");
        points_[0] =
            queryAs<Steinberg_Vst_IConnectionPoint>(component_, Steinberg_Vst_IConnectionPoint_iid);
        points_[1] = queryAs<Steinberg_Vst_IConnectionPoint>(controller_,
                                                             Steinberg_Vst_IConnectionPoint_iid);
        if (points_[0] && points_[1]) {
            call(points_[0], &Steinberg_Vst_IConnectionPointVtbl::connect, points_[1]);
            call(points_[1], &Steinberg_Vst_IConnectionPointVtbl::connect, points_[0]);
        }
    }
    if (!controller_) throw HostError(what(), std::string(info_.name) + " has no controller");
    call(controller_, &Steinberg_Vst_IEditControllerVtbl::setComponentHandler, handler_->handler());
    // The controller starts from the component's state, as hosts do.
    auto* state = new MemoryStream;
    if (call(component_, &Steinberg_Vst_IComponentVtbl::getState, state->stream()) ==
        Steinberg_kResultOk) {
        call(state->stream(), &Steinberg_IBStreamVtbl::seek, Steinberg_int64{0},
             static_cast<Steinberg_int32>(Steinberg_IBStream_IStreamSeekMode_kIBSeekSet), nullptr);
        call(controller_, &Steinberg_Vst_IEditControllerVtbl::setComponentState, state->stream());
    }
    state->release();
}

void Vst3Plugin::checkBuses() const {
    int32_t channels[2] = {0, 0};
    for (int direction :
         {Steinberg_Vst_BusDirections_kInput, Steinberg_Vst_BusDirections_kOutput}) {
        Steinberg_Vst_BusInfo bus{};
        if (call(component_, &Steinberg_Vst_IComponentVtbl::getBusCount,
                 Steinberg_Vst_MediaTypes_kAudio, direction) > 0 &&
            call(component_, &Steinberg_Vst_IComponentVtbl::getBusInfo,
                 Steinberg_Vst_MediaTypes_kAudio, direction, 0, &bus) == Steinberg_kResultOk)
            channels[direction] = bus.channelCount;
    }
    Steinberg_Vst_SpeakerArrangement stereo[2] = {Steinberg_Vst_SpeakerArr_kStereo,
                                                  Steinberg_Vst_SpeakerArr_kStereo};
    if (channels[0] != 2 || channels[1] != 2 ||
        call(processor_, &Steinberg_Vst_IAudioProcessorVtbl::setBusArrangements, &stereo[0], 1,
             &stereo[1], 1) != Steinberg_kResultTrue)
        throw HostError(what(), "cannot process 2 inputs into 2 outputs (its first buses have " +
                                    std::to_string(channels[0]) + " and " +
                                    std::to_string(channels[1]) + " channels)");
}

void Vst3Plugin::readParameters() {
    const Steinberg_int32 count =
        call(controller_, &Steinberg_Vst_IEditControllerVtbl::getParameterCount);
    for (Steinberg_int32 index = 0; index < count; ++index) {
        Steinberg_Vst_ParameterInfo info{};
        if (call(controller_, &Steinberg_Vst_IEditControllerVtbl::getParameterInfo, index, &info) !=
            Steinberg_kResultOk)
            throw HostError(what(), "does not describe its parameter " + std::to_string(index));
        if (info.flags & Steinberg_Vst_ParameterInfo_ParameterFlags_kIsProgramChange) {
            programParameter_ = info.id;
            continue;
        }
        // Meters the plug-in reports: nothing a user could set.
        if (info.flags & Steinberg_Vst_ParameterInfo_ParameterFlags_kIsReadOnly) continue;
        parameters_.push_back({info.id, text(info.title), text(info.units)});
    }
}

void Vst3Plugin::readPrograms() {
    auto* units = queryAs<Steinberg_Vst_IUnitInfo>(controller_, Steinberg_Vst_IUnitInfo_iid);
    if (!units) return;
    Steinberg_Vst_UnitInfo root{};
    Steinberg_Vst_ProgramListInfo list{};
    // The root unit's list, which the program-change parameter chooses from.
    for (Steinberg_int32 index = 0; index < call(units, &Steinberg_Vst_IUnitInfoVtbl::getUnitCount);
         ++index) {
        Steinberg_Vst_UnitInfo unit{};
        if (call(units, &Steinberg_Vst_IUnitInfoVtbl::getUnitInfo, index, &unit) ==
                Steinberg_kResultOk &&
            unit.id == Steinberg_Vst_kRootUnitId)
            root = unit;
    }
    for (Steinberg_int32 index = 0;
         index < call(units, &Steinberg_Vst_IUnitInfoVtbl::getProgramListCount); ++index) {
        Steinberg_Vst_ProgramListInfo info{};
        if (call(units, &Steinberg_Vst_IUnitInfoVtbl::getProgramListInfo, index, &info) ==
                Steinberg_kResultOk &&
            info.id == root.programListId)
            list = info;
    }
    for (Steinberg_int32 program = 0; program < list.programCount && root.programListId >= 0;
         ++program) {
        Steinberg_Vst_String128 name{};
        call(units, &Steinberg_Vst_IUnitInfoVtbl::getProgramName, list.id, program, name);
        programs_.push_back(text(name));
    }
    call(units, &Steinberg_Vst_IUnitInfoVtbl::release);
}

std::vector<std::pair<std::string, std::string>> Vst3Plugin::identity() const {
    Steinberg_PFactoryInfo factory{};
    call(factory_, &Steinberg_IPluginFactoryVtbl::getFactoryInfo, &factory);
    const auto field = [](const char* value, size_t size) {
        return std::string(value, strnlen(value, size));
    };
    return {
        {"name", name()},
        {"vendor", info_.vendor[0] ? field(info_.vendor, sizeof info_.vendor)
                                   : field(factory.vendor, sizeof factory.vendor)},
        {"version", field(info_.version, sizeof info_.version)},
        {"VST3 SDK", field(info_.sdkVersion, sizeof info_.sdkVersion)},
        {"category", field(info_.subCategories, sizeof info_.subCategories)},
        {"url", field(factory.url, sizeof factory.url)},
        {"inputs/outputs", "2/2"},
    };
}

std::string Vst3Plugin::parameterDisplay(int32_t index) const {
    const Steinberg_Vst_ParamID id = parameters_[index].id;
    Steinberg_Vst_String128 shown{};
    call(controller_, &Steinberg_Vst_IEditControllerVtbl::getParamStringByValue, id,
         call(controller_, &Steinberg_Vst_IEditControllerVtbl::getParamNormalized, id), shown);
    return text(shown);
}

float Vst3Plugin::parameter(int32_t index) const {
    const Steinberg_Vst_ParamID id = parameters_[index].id;
    return static_cast<float>(
        call(controller_, &Steinberg_Vst_IEditControllerVtbl::normalizedParamToPlain, id,
             call(controller_, &Steinberg_Vst_IEditControllerVtbl::getParamNormalized, id)));
}

void Vst3Plugin::setParameter(int32_t index, float value) const {
    const Steinberg_Vst_ParamID id = parameters_[index].id;
    change(id, call(controller_, &Steinberg_Vst_IEditControllerVtbl::plainParamToNormalized, id,
                    static_cast<double>(value)));
}

void Vst3Plugin::change(Steinberg_Vst_ParamID id, double normalized) const {
    call(controller_, &Steinberg_Vst_IEditControllerVtbl::setParamNormalized, id, normalized);
    pending_->add(id, 0, normalized);
}

void Vst3Plugin::selectProgram(int32_t program) const {
    const int32_t last = programCount() - 1;
    change(programParameter_, last > 0 ? static_cast<double>(program) / last : 0.0);
    program_ = program;
}

std::string Vst3Plugin::programName() const {
    return program_ < 0 ? "" : programs_[program_];
}

void Vst3Plugin::prepare(double sampleRate, int32_t blockSize) {
    if (running_) stop();
    sampleRate_ = sampleRate;
    blockSize_ = blockSize;
    Steinberg_Vst_ProcessSetup setup{Steinberg_Vst_ProcessModes_kOffline,
                                     Steinberg_Vst_SymbolicSampleSizes_kSample32, blockSize,
                                     sampleRate};
    if (call(processor_, &Steinberg_Vst_IAudioProcessorVtbl::setupProcessing, &setup) !=
        Steinberg_kResultOk)
        throw HostError(what(), "cannot process blocks of " + std::to_string(blockSize) +
                                    " frames at " + std::to_string(sampleRate) + " Hz");
}

void Vst3Plugin::start() {
    if (call(component_, &Steinberg_Vst_IComponentVtbl::setActive, 1) != Steinberg_kResultOk)
        throw HostError(what(), "could not be activated");
    call(processor_, &Steinberg_Vst_IAudioProcessorVtbl::setProcessing, 1);
    running_ = true;
}

void Vst3Plugin::stop() {
    call(processor_, &Steinberg_Vst_IAudioProcessorVtbl::setProcessing, 0);
    call(component_, &Steinberg_Vst_IComponentVtbl::setActive, 0);
    running_ = false;
}

int32_t Vst3Plugin::latency() const {
    return running_ ? static_cast<int32_t>(
                          call(processor_, &Steinberg_Vst_IAudioProcessorVtbl::getLatencySamples))
                    : 0;
}

void Vst3Plugin::process(const float* const* inputs, float* const* outputs, int32_t frames) {
    float* in[2] = {const_cast<float*>(inputs[0]), const_cast<float*>(inputs[1])};
    float* out[2] = {outputs[0], outputs[1]};
    Steinberg_Vst_AudioBusBuffers input{}, output{};
    input.numChannels = output.numChannels = 2;
    input.Steinberg_Vst_AudioBusBuffers_channelBuffers32 = in;
    output.Steinberg_Vst_AudioBusBuffers_channelBuffers32 = out;
    Steinberg_Vst_ProcessData data{};
    data.processMode = Steinberg_Vst_ProcessModes_kOffline;
    data.symbolicSampleSize = Steinberg_Vst_SymbolicSampleSizes_kSample32;
    data.numSamples = frames;
    data.numInputs = data.numOutputs = 1;
    data.inputs = &input;
    data.outputs = &output;
    data.inputParameterChanges = pending_->changes();
    const Steinberg_tresult result =
        call(processor_, &Steinberg_Vst_IAudioProcessorVtbl::process, &data);
    pending_->clear();
    if (result != Steinberg_kResultOk) throw HostError(what(), "failed to process a block");
}

namespace {

void appendPart(std::vector<uint8_t>& out, const std::vector<uint8_t>& part) {
    const auto size = static_cast<uint32_t>(part.size());
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(size >> shift));
    out.insert(out.end(), part.begin(), part.end());
}

// The next part from `at`; none when the bytes end before it does.
std::optional<std::vector<uint8_t>> nextPart(const std::vector<uint8_t>& in, size_t& at) {
    if (in.size() - at < 4) return std::nullopt;
    uint32_t size = 0;
    for (int shift = 0; shift < 32; shift += 8) size |= uint32_t{in[at++]} << shift;
    if (in.size() - at < size) return std::nullopt;
    std::vector<uint8_t> part(in.begin() + static_cast<std::ptrdiff_t>(at),
                              in.begin() + static_cast<std::ptrdiff_t>(at + size));
    at += size;
    return part;
}

}  // namespace

std::vector<uint8_t> Vst3Plugin::saveState() const {
    std::vector<uint8_t> state;
    for (const bool component : {true, false}) {
        auto* stream = new MemoryStream;
        const Steinberg_tresult result =
            component
                ? call(component_, &Steinberg_Vst_IComponentVtbl::getState, stream->stream())
                : call(controller_, &Steinberg_Vst_IEditControllerVtbl::getState, stream->stream());
        const std::vector<uint8_t> part = stream->bytes();
        stream->release();
        if (result != Steinberg_kResultOk && component)
            throw HostError(what(), "did not save its state");
        appendPart(state, part);
    }
    return state;
}

void Vst3Plugin::loadState(const std::vector<uint8_t>& state) {
    size_t at = 0;
    const std::optional<std::vector<uint8_t>> component = nextPart(state, at);
    const std::optional<std::vector<uint8_t>> controller = nextPart(state, at);
    if (!component || !controller || at != state.size())
        throw HostError(what(), "cannot take a state that is not a VST3 state of velmorin's");
    // The component first, then the controller told of it, as hosts restore.
    const auto load = [](Steinberg_IBStream* stream, auto* object, auto function) {
        return call(object, function, stream) == Steinberg_kResultOk;
    };
    auto* stream = new MemoryStream(*component);
    bool taken = load(stream->stream(), component_, &Steinberg_Vst_IComponentVtbl::setState);
    stream->release();
    stream = new MemoryStream(*component);
    taken = taken && load(stream->stream(), controller_,
                          &Steinberg_Vst_IEditControllerVtbl::setComponentState);
    stream->release();
    stream = new MemoryStream(*controller);
    taken = taken && (controller->empty() || load(stream->stream(), controller_,
                                                  &Steinberg_Vst_IEditControllerVtbl::setState));
    stream->release();
    if (!taken) throw HostError(what(), "refused the state");
}

#ifdef VELMORIN_HOST_EDIT
std::unique_ptr<PluginEditor> Vst3Plugin::editor() {
    return std::make_unique<Vst3PluginEditor>(controller_, what());
}
#endif

}  // namespace velmorin::host
