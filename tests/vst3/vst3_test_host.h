// A VST3 host of our own for the tests: loads the built bundle's module as
// hosts do, creates and connects the processor and the controller, and
// offers the host's side of streams, parameter changes and the component
// handler.
#pragma once

#include <vst3_c_api.h>

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "formats/vst3/vst3_object.h"
#include "vst3_host_objects.h"

namespace vst3_test {

using velmorin::host::call;
using velmorin::host::ComponentHandler;
using velmorin::host::HostApplication;
using velmorin::host::MemoryStream;
using velmorin::host::ParameterChanges;
using velmorin::host::queryAs;

class Module {
  public:
    Module();  // loads VELMORIN_VST3_PATH and calls its load entry
    ~Module();
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;
    Steinberg_IPluginFactory* factory() const { return factory_; }
    // A new instance of a class, as `Interface`; null when refused.
    template <typename Interface>
    Interface* create(const Steinberg_TUID classId, const Steinberg_TUID iid) const {
        void* object = nullptr;
        call(factory_, &Steinberg_IPluginFactoryVtbl::createInstance, classId, iid, &object);
        return static_cast<Interface*>(object);
    }

  private:
    void* handle_ = nullptr;
    Steinberg_IPluginFactory* factory_ = nullptr;
};

// The module, loaded once for the whole test program.
const Module& module();

// A processor and its controller, initialized, set up for stereo at
// `rate` in blocks of at most `block`, the controller given its handler.
class Instance {
  public:
    explicit Instance(bool connected = true, double rate = 44100.0, int32_t block = 512);
    // Both initialized with the host's context.
    explicit Instance(HostApplication& host);
    ~Instance();
    Instance(const Instance&) = delete;
    Instance& operator=(const Instance&) = delete;

    Steinberg_Vst_IComponent* component() const { return component_; }
    Steinberg_Vst_IAudioProcessor* processor() const { return processor_; }
    Steinberg_Vst_IEditController* controller() const { return controller_; }
    ComponentHandler& handler() { return *handler_; }

    void activate(bool on);
    // In place when `in` and `out` are the same; what the processor reports
    // goes into `reported`.
    Steinberg_tresult process(const float* inL, const float* inR, float* outL, float* outR,
                              int32_t frames, ParameterChanges* changes = nullptr,
                              ParameterChanges* reported = nullptr);
    std::vector<uint8_t> state() const;
    Steinberg_tresult setState(std::vector<uint8_t> bytes, int32_t chunk = 1 << 30) const;
    Steinberg_tresult setControllerState(std::vector<uint8_t> bytes) const;

  private:
    void create(Steinberg_FUnknown* context, double rate, int32_t block);

    Steinberg_Vst_IComponent* component_ = nullptr;
    Steinberg_Vst_IAudioProcessor* processor_ = nullptr;
    Steinberg_Vst_IEditController* controller_ = nullptr;
    ComponentHandler* handler_ = nullptr;
    bool connected_;
};

}  // namespace vst3_test
