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

namespace vst3_test {

using velmorin::vst3::call;

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

// Another interface of an object, counted; null when it has none.
template <typename Interface, typename From>
Interface* queryAs(From* object, const Steinberg_TUID iid) {
    void* face = nullptr;
    auto* unknown = reinterpret_cast<Steinberg_FUnknown*>(object);
    if (object == nullptr ||
        call(unknown, &Steinberg_FUnknownVtbl::queryInterface, iid, &face) != Steinberg_kResultOk)
        return nullptr;
    return static_cast<Interface*>(face);
}

// A stream in memory; `chunk` limits what one read hands over.
class MemoryStream : public velmorin::vst3::Object {
  public:
    explicit MemoryStream(std::vector<uint8_t> bytes = {}, int32_t chunk = 1 << 30);
    Steinberg_IBStream* stream() { return face_.as<Steinberg_IBStream>(); }
    const std::vector<uint8_t>& bytes() const { return bytes_; }

    std::vector<uint8_t> bytes_;
    int64_t at_ = 0;
    int32_t chunk_;

  private:
    void* faceFor(const Steinberg_TUID iid) override;
    velmorin::vst3::Face face_;
};

// One block's parameter changes: a queue per id, points in the order added.
class ParameterChanges : public velmorin::vst3::Object {
  public:
    ParameterChanges();
    void add(Steinberg_Vst_ParamID id, int32_t offset, double value);
    Steinberg_Vst_IParameterChanges* changes() {
        return face_.as<Steinberg_Vst_IParameterChanges>();
    }

    ~ParameterChanges() override;

    struct Queue : velmorin::vst3::Object {
        Queue();
        void* faceFor(const Steinberg_TUID iid) override;
        Steinberg_Vst_ParamID id = 0;
        std::vector<std::pair<int32_t, double>> points;
        velmorin::vst3::Face face{};
    };
    std::vector<Queue*> queues_;

  private:
    void* faceFor(const Steinberg_TUID iid) override;
    velmorin::vst3::Face face_;
};

// Records what the controller asks of the host.
class ComponentHandler : public velmorin::vst3::Object {
  public:
    ComponentHandler();
    Steinberg_Vst_IComponentHandler* handler() {
        return face_.as<Steinberg_Vst_IComponentHandler>();
    }
    std::vector<int32_t> restarts;
    struct Edit {
        char kind;  // 'b'egin, 'p'erform, 'e'nd
        Steinberg_Vst_ParamID id;
        double value;
        bool operator==(const Edit&) const = default;
    };
    std::vector<Edit> edits;

  private:
    void* faceFor(const Steinberg_TUID iid) override;
    velmorin::vst3::Face face_;
};

// The host's context: makes the messages processor and controller send
// each other (IMessage with an IAttributeList) and counts them by id.
class HostApplication : public velmorin::vst3::Object {
  public:
    HostApplication();
    Steinberg_FUnknown* context() { return face_.as<Steinberg_FUnknown>(); }
    std::vector<std::string> made;  // the ids of the messages made, in order

  private:
    void* faceFor(const Steinberg_TUID iid) override;
    velmorin::vst3::Face face_;
};

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
    // In place when `in` and `out` are the same.
    Steinberg_tresult process(const float* inL, const float* inR, float* outL, float* outR,
                              int32_t frames, ParameterChanges* changes = nullptr);
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
