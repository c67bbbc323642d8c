#include "vst3/vst3_test_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace vst3_test {

using namespace velmorin::vst3;

namespace {

#ifdef _WIN32
void* openModule() {
    return LoadLibraryA(VELMORIN_VST3_PATH);
}
void* symbol(void* handle, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
}
void closeModule(void* handle) {
    FreeLibrary(static_cast<HMODULE>(handle));
}
constexpr const char* kLoadEntry = "InitDll";
constexpr const char* kUnloadEntry = "ExitDll";
using LoadEntry = bool (*)();
bool callLoad(void* entry) {
    return reinterpret_cast<LoadEntry>(entry)();
}
#else
void* openModule() {
    return dlopen(VELMORIN_VST3_PATH, RTLD_NOW | RTLD_LOCAL);
}
void* symbol(void* handle, const char* name) {
    return dlsym(handle, name);
}
void closeModule(void* handle) {
    dlclose(handle);
}
constexpr const char* kLoadEntry = "ModuleEntry";
constexpr const char* kUnloadEntry = "ModuleExit";
bool callLoad(void* entry) {
    return reinterpret_cast<bool (*)(void*)>(entry)(nullptr);
}
#endif

using FactoryEntry = Steinberg_IPluginFactory*(SMTG_STDMETHODCALLTYPE*)();

// IBStream over MemoryStream.
Steinberg_tresult SMTG_STDMETHODCALLTYPE streamRead(void* face, void* buffer, Steinberg_int32 size,
                                                    Steinberg_int32* done) {
    MemoryStream& self = ownerOf<MemoryStream>(face);
    const auto left = static_cast<int64_t>(self.bytes_.size()) - self.at_;
    const auto count = static_cast<int32_t>(
        std::clamp<int64_t>(std::min<int64_t>(size, self.chunk_), 0, std::max<int64_t>(left, 0)));
    std::memcpy(buffer, self.bytes_.data() + self.at_, static_cast<size_t>(count));
    self.at_ += count;
    if (done != nullptr) *done = count;
    return Steinberg_kResultOk;
}

Steinberg_tresult SMTG_STDMETHODCALLTYPE streamWrite(void* face, void* buffer, Steinberg_int32 size,
                                                     Steinberg_int32* done) {
    MemoryStream& self = ownerOf<MemoryStream>(face);
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    self.bytes_.resize(static_cast<size_t>(self.at_));
    self.bytes_.insert(self.bytes_.end(), bytes, bytes + size);
    self.at_ += size;
    if (done != nullptr) *done = size;
    return Steinberg_kResultOk;
}

Steinberg_tresult SMTG_STDMETHODCALLTYPE streamSeek(void* face, Steinberg_int64 position,
                                                    Steinberg_int32 mode, Steinberg_int64* result) {
    MemoryStream& self = ownerOf<MemoryStream>(face);
    const int64_t base = mode == Steinberg_IBStream_IStreamSeekMode_kIBSeekCur ? self.at_
                         : mode == Steinberg_IBStream_IStreamSeekMode_kIBSeekEnd
                             ? static_cast<int64_t>(self.bytes_.size())
                             : 0;
    self.at_ = std::clamp<int64_t>(base + position, 0, static_cast<int64_t>(self.bytes_.size()));
    if (result != nullptr) *result = self.at_;
    return Steinberg_kResultOk;
}

Steinberg_tresult SMTG_STDMETHODCALLTYPE streamTell(void* face, Steinberg_int64* position) {
    if (position != nullptr) *position = ownerOf<MemoryStream>(face).at_;
    return Steinberg_kResultOk;
}

const Steinberg_IBStreamVtbl kStreamTable = {queryFace,   addRefFace, releaseFace, streamRead,
                                             streamWrite, streamSeek, streamTell};

// IParamValueQueue and IParameterChanges over ParameterChanges.
using Queue = ParameterChanges::Queue;

const Steinberg_Vst_IParamValueQueueVtbl kQueueTable = {
    queryFace,
    addRefFace,
    releaseFace,
    [](void* face) SMTG_STDMETHODCALLTYPE { return ownerOf<Queue>(face).id; },
    [](void* face) SMTG_STDMETHODCALLTYPE {
        return static_cast<Steinberg_int32>(ownerOf<Queue>(face).points.size());
    },
    [](void* face, Steinberg_int32 index, Steinberg_int32* offset, Steinberg_Vst_ParamValue* value)
        SMTG_STDMETHODCALLTYPE -> Steinberg_tresult {
            const auto& points = ownerOf<Queue>(face).points;
            if (index < 0 || index >= static_cast<int32_t>(points.size()))
                return Steinberg_kInvalidArgument;
            *offset = points[index].first;
            *value = points[index].second;
            return Steinberg_kResultOk;
        },
    [](void*, Steinberg_int32, Steinberg_Vst_ParamValue, Steinberg_int32*)
        SMTG_STDMETHODCALLTYPE -> Steinberg_tresult { return Steinberg_kResultFalse; },
};

const Steinberg_Vst_IParameterChangesVtbl kChangesTable = {
    queryFace,
    addRefFace,
    releaseFace,
    [](void* face) SMTG_STDMETHODCALLTYPE {
        return static_cast<Steinberg_int32>(ownerOf<ParameterChanges>(face).queues_.size());
    },
    [](void* face, Steinberg_int32 index)
        SMTG_STDMETHODCALLTYPE -> Steinberg_Vst_IParamValueQueue* {
            auto& queues = ownerOf<ParameterChanges>(face).queues_;
            if (index < 0 || index >= static_cast<int32_t>(queues.size())) return nullptr;
            return queues[index]->face.as<Steinberg_Vst_IParamValueQueue>();
        },
    [](void*, const Steinberg_Vst_ParamID*, Steinberg_int32*)
        SMTG_STDMETHODCALLTYPE -> Steinberg_Vst_IParamValueQueue* { return nullptr; },
};

const Steinberg_Vst_IComponentHandlerVtbl kHandlerTable = {
    queryFace,
    addRefFace,
    releaseFace,
    [](void* face, Steinberg_Vst_ParamID id) SMTG_STDMETHODCALLTYPE {
        ownerOf<ComponentHandler>(face).edits.push_back({'b', id, 0.0});
        return Steinberg_kResultOk;
    },
    [](void* face, Steinberg_Vst_ParamID id, Steinberg_Vst_ParamValue value)
        SMTG_STDMETHODCALLTYPE {
            ownerOf<ComponentHandler>(face).edits.push_back({'p', id, value});
            return Steinberg_kResultOk;
        },
    [](void* face, Steinberg_Vst_ParamID id) SMTG_STDMETHODCALLTYPE {
        ownerOf<ComponentHandler>(face).edits.push_back({'e', id, 0.0});
        return Steinberg_kResultOk;
    },
    [](void* face, Steinberg_int32 flags) SMTG_STDMETHODCALLTYPE {
        ownerOf<ComponentHandler>(face).restarts.push_back(flags);
        return Steinberg_kResultOk;
    },
};

// A message with its attributes, as the host makes it.
class Message final : public Object {
  public:
    explicit Message(HostApplication& host) : host_(host) {
        message_ = {&kMessageTable, this};
        attributes_ = {&kAttributesTable, this};
    }

  private:
    void* faceFor(const Steinberg_TUID iid) override {
        if (sameId(iid, Steinberg_Vst_IMessage_iid)) return &message_;
        if (sameId(iid, Steinberg_Vst_IAttributeList_iid)) return &attributes_;
        return nullptr;
    }

    static const Steinberg_Vst_IMessageVtbl kMessageTable;
    static const Steinberg_Vst_IAttributeListVtbl kAttributesTable;

    HostApplication& host_;
    std::string id_;
    std::map<std::string, int64_t> ints_;
    std::map<std::string, std::vector<uint8_t>> binaries_;
    Face message_, attributes_;
};

const Steinberg_Vst_IMessageVtbl Message::kMessageTable = {
    queryFace,
    addRefFace,
    releaseFace,
    [](void* face) SMTG_STDMETHODCALLTYPE -> Steinberg_FIDString {
        return ownerOf<Message>(face).id_.c_str();
    },
    [](void* face, Steinberg_FIDString id) SMTG_STDMETHODCALLTYPE {
        Message& self = ownerOf<Message>(face);
        self.id_ = id != nullptr ? id : "";
        self.host_.made.push_back(self.id_);
    },
    [](void* face) SMTG_STDMETHODCALLTYPE {
        return ownerOf<Message>(face).attributes_.as<Steinberg_Vst_IAttributeList>();
    },
};

const Steinberg_Vst_IAttributeListVtbl Message::kAttributesTable = {
    queryFace,
    addRefFace,
    releaseFace,
    [](void* face, const char* id, Steinberg_int64 value) SMTG_STDMETHODCALLTYPE {
        ownerOf<Message>(face).ints_[id] = value;
        return Steinberg_kResultOk;
    },
    [](void* face, const char* id, Steinberg_int64* value) SMTG_STDMETHODCALLTYPE {
        const auto& ints = ownerOf<Message>(face).ints_;
        const auto found = ints.find(id);
        if (found == ints.end()) return Steinberg_kResultFalse;
        *value = found->second;
        return Steinberg_kResultOk;
    },
    [](void*, const char*, double) SMTG_STDMETHODCALLTYPE { return Steinberg_kResultFalse; },
    [](void*, const char*, double*) SMTG_STDMETHODCALLTYPE { return Steinberg_kResultFalse; },
    [](void*, const char*, const Steinberg_Vst_TChar*)
        SMTG_STDMETHODCALLTYPE { return Steinberg_kResultFalse; },
    [](void*, const char*, Steinberg_Vst_TChar*, Steinberg_uint32)
        SMTG_STDMETHODCALLTYPE { return Steinberg_kResultFalse; },
    [](void* face, const char* id, const void* data, Steinberg_uint32 size) SMTG_STDMETHODCALLTYPE {
        const auto* bytes = static_cast<const uint8_t*>(data);
        ownerOf<Message>(face).binaries_[id].assign(bytes, bytes + size);
        return Steinberg_kResultOk;
    },
    [](void* face, const char* id, const void** data, Steinberg_uint32* size)
        SMTG_STDMETHODCALLTYPE {
            const auto& binaries = ownerOf<Message>(face).binaries_;
            const auto found = binaries.find(id);
            if (found == binaries.end()) return Steinberg_kResultFalse;
            *data = found->second.data();
            *size = static_cast<Steinberg_uint32>(found->second.size());
            return Steinberg_kResultOk;
        },
};

const Steinberg_Vst_IHostApplicationVtbl kHostTable = {
    queryFace,
    addRefFace,
    releaseFace,
    [](void*, Steinberg_Vst_String128 name) SMTG_STDMETHODCALLTYPE {
        copyText(name, 128, "Velmorin VST3 test host");
        return Steinberg_kResultOk;
    },
    [](void* face, Steinberg_TUID classId, Steinberg_TUID iid, void** object)
        SMTG_STDMETHODCALLTYPE -> Steinberg_tresult {
            *object = nullptr;
            if (!sameId(classId, Steinberg_Vst_IMessage_iid)) return Steinberg_kNoInterface;
            auto* message = new Message(ownerOf<HostApplication>(face));
            const Steinberg_tresult result = message->query(iid, object);
            message->release();
            return result;
        },
};

}  // namespace

HostApplication::HostApplication() : face_{&kHostTable, this} {}

void* HostApplication::faceFor(const Steinberg_TUID iid) {
    return sameId(iid, Steinberg_Vst_IHostApplication_iid) ? &face_ : nullptr;
}

Module::Module() {
    handle_ = openModule();
    if (handle_ == nullptr) return;
    void* load = symbol(handle_, kLoadEntry);
    auto entry = reinterpret_cast<FactoryEntry>(symbol(handle_, "GetPluginFactory"));
    if (load != nullptr && callLoad(load) && entry != nullptr) factory_ = entry();
}

Module::~Module() {
    if (factory_ != nullptr) call(factory_, &Steinberg_IPluginFactoryVtbl::release);
    if (void* unload = handle_ != nullptr ? symbol(handle_, kUnloadEntry) : nullptr)
        reinterpret_cast<bool (*)()>(unload)();
    if (handle_ != nullptr) closeModule(handle_);
}

const Module& module() {
    static const Module loaded;
    return loaded;
}

MemoryStream::MemoryStream(std::vector<uint8_t> bytes, int32_t chunk)
    : bytes_(std::move(bytes)), chunk_(chunk), face_{&kStreamTable, this} {}

void* MemoryStream::faceFor(const Steinberg_TUID iid) {
    return sameId(iid, Steinberg_IBStream_iid) ? &face_ : nullptr;
}

ParameterChanges::Queue::Queue() : face{&kQueueTable, this} {}

void* ParameterChanges::Queue::faceFor(const Steinberg_TUID iid) {
    return sameId(iid, Steinberg_Vst_IParamValueQueue_iid) ? &face : nullptr;
}

ParameterChanges::ParameterChanges() : face_{&kChangesTable, this} {}

ParameterChanges::~ParameterChanges() {
    for (Queue* queue : queues_) queue->release();
}

void ParameterChanges::add(Steinberg_Vst_ParamID id, int32_t offset, double value) {
    auto found = std::find_if(queues_.begin(), queues_.end(),
                              [id](const Queue* queue) { return queue->id == id; });
    if (found == queues_.end()) {
        queues_.push_back(new Queue);
        queues_.back()->id = id;
        found = queues_.end() - 1;
    }
    (*found)->points.emplace_back(offset, value);
}

void* ParameterChanges::faceFor(const Steinberg_TUID iid) {
    return sameId(iid, Steinberg_Vst_IParameterChanges_iid) ? &face_ : nullptr;
}

ComponentHandler::ComponentHandler() : face_{&kHandlerTable, this} {}

void* ComponentHandler::faceFor(const Steinberg_TUID iid) {
    return sameId(iid, Steinberg_Vst_IComponentHandler_iid) ? &face_ : nullptr;
}

Instance::Instance(bool connected, double rate, int32_t block) : connected_(connected) {
    create(nullptr, rate, block);
}

Instance::Instance(HostApplication& host) : connected_(true) {
    create(host.context(), 44100.0, 512);
}

void Instance::create(Steinberg_FUnknown* context, double rate, int32_t block) {
    Steinberg_TUID processorClass{}, controllerClass{};
    Steinberg_PClassInfo info{};
    call(module().factory(), &Steinberg_IPluginFactoryVtbl::getClassInfo, 0, &info);
    std::memcpy(processorClass, info.cid, sizeof processorClass);
    component_ =
        module().create<Steinberg_Vst_IComponent>(processorClass, Steinberg_Vst_IComponent_iid);
    EXPECT_NE(component_, nullptr);
    call(component_, &Steinberg_Vst_IComponentVtbl::initialize, context);
    processor_ =
        queryAs<Steinberg_Vst_IAudioProcessor>(component_, Steinberg_Vst_IAudioProcessor_iid);
    call(component_, &Steinberg_Vst_IComponentVtbl::getControllerClassId, controllerClass);
    controller_ = module().create<Steinberg_Vst_IEditController>(controllerClass,
                                                                 Steinberg_Vst_IEditController_iid);
    EXPECT_NE(controller_, nullptr);
    call(controller_, &Steinberg_Vst_IEditControllerVtbl::initialize, context);
    handler_ = new ComponentHandler;
    call(controller_, &Steinberg_Vst_IEditControllerVtbl::setComponentHandler, handler_->handler());
    if (connected_) {
        auto* one =
            queryAs<Steinberg_Vst_IConnectionPoint>(component_, Steinberg_Vst_IConnectionPoint_iid);
        auto* other = queryAs<Steinberg_Vst_IConnectionPoint>(controller_,
                                                              Steinberg_Vst_IConnectionPoint_iid);
        EXPECT_EQ(call(one, &Steinberg_Vst_IConnectionPointVtbl::connect, other),
                  Steinberg_kResultOk);
        EXPECT_EQ(call(other, &Steinberg_Vst_IConnectionPointVtbl::connect, one),
                  Steinberg_kResultOk);
        call(one, &Steinberg_Vst_IConnectionPointVtbl::release);
        call(other, &Steinberg_Vst_IConnectionPointVtbl::release);
    }
    Steinberg_Vst_ProcessSetup setup{Steinberg_Vst_ProcessModes_kRealtime,
                                     Steinberg_Vst_SymbolicSampleSizes_kSample32, block, rate};
    EXPECT_EQ(call(processor_, &Steinberg_Vst_IAudioProcessorVtbl::setupProcessing, &setup),
              Steinberg_kResultOk);
}

Instance::~Instance() {
    if (connected_) {
        auto* one =
            queryAs<Steinberg_Vst_IConnectionPoint>(component_, Steinberg_Vst_IConnectionPoint_iid);
        auto* other = queryAs<Steinberg_Vst_IConnectionPoint>(controller_,
                                                              Steinberg_Vst_IConnectionPoint_iid);
        call(one, &Steinberg_Vst_IConnectionPointVtbl::disconnect, other);
        call(other, &Steinberg_Vst_IConnectionPointVtbl::disconnect, one);
        call(one, &Steinberg_Vst_IConnectionPointVtbl::release);
        call(other, &Steinberg_Vst_IConnectionPointVtbl::release);
    }
    call(controller_, &Steinberg_Vst_IEditControllerVtbl::terminate);
    call(component_, &Steinberg_Vst_IComponentVtbl::terminate);
    call(processor_, &Steinberg_Vst_IAudioProcessorVtbl::release);
    call(controller_, &Steinberg_Vst_IEditControllerVtbl::release);
    call(component_, &Steinberg_Vst_IComponentVtbl::release);
    handler_->release();
}

void Instance::activate(bool on) {
    if (on) {
        EXPECT_EQ(call(component_, &Steinberg_Vst_IComponentVtbl::setActive, 1),
                  Steinberg_kResultOk);
        call(processor_, &Steinberg_Vst_IAudioProcessorVtbl::setProcessing, 1);
    } else {
        call(processor_, &Steinberg_Vst_IAudioProcessorVtbl::setProcessing, 0);
        call(component_, &Steinberg_Vst_IComponentVtbl::setActive, 0);
    }
}

Steinberg_tresult Instance::process(const float* inL, const float* inR, float* outL, float* outR,
                                    int32_t frames, ParameterChanges* changes) {
    float* inputs[2] = {const_cast<float*>(inL), const_cast<float*>(inR)};
    float* outputs[2] = {outL, outR};
    Steinberg_Vst_AudioBusBuffers in{}, out{};
    in.numChannels = out.numChannels = 2;
    in.Steinberg_Vst_AudioBusBuffers_channelBuffers32 = inputs;
    out.Steinberg_Vst_AudioBusBuffers_channelBuffers32 = outputs;
    Steinberg_Vst_ProcessData data{};
    data.processMode = Steinberg_Vst_ProcessModes_kRealtime;
    data.symbolicSampleSize = Steinberg_Vst_SymbolicSampleSizes_kSample32;
    data.numSamples = frames;
    data.numInputs = data.numOutputs = 1;
    data.inputs = &in;
    data.outputs = &out;
    data.inputParameterChanges = changes != nullptr ? changes->changes() : nullptr;
    return call(processor_, &Steinberg_Vst_IAudioProcessorVtbl::process, &data);
}

std::vector<uint8_t> Instance::state() const {
    auto* stream = new MemoryStream;
    EXPECT_EQ(call(component_, &Steinberg_Vst_IComponentVtbl::getState, stream->stream()),
              Steinberg_kResultOk);
    std::vector<uint8_t> bytes = stream->bytes();
    stream->release();
    return bytes;
}

Steinberg_tresult Instance::setState(std::vector<uint8_t> bytes, int32_t chunk) const {
    auto* stream = new MemoryStream(std::move(bytes), chunk);
    const Steinberg_tresult result =
        call(component_, &Steinberg_Vst_IComponentVtbl::setState, stream->stream());
    stream->release();
    return result;
}

Steinberg_tresult Instance::setControllerState(std::vector<uint8_t> bytes) const {
    auto* stream = new MemoryStream(std::move(bytes));
    const Steinberg_tresult result =
        call(controller_, &Steinberg_Vst_IEditControllerVtbl::setComponentState, stream->stream());
    stream->release();
    return result;
}

}  // namespace vst3_test
