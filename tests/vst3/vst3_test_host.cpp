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

}  // namespace

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
                                    int32_t frames, ParameterChanges* changes,
                                    ParameterChanges* reported) {
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
    data.outputParameterChanges = reported != nullptr ? reported->changes() : nullptr;
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
