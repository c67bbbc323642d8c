// The host's side of the VST3 interfaces, as `velmorin` and the tests
// offer it to a plug-in: a stream in memory, one block's parameter changes,
// the component handler, and the host's context with the messages it makes.
#pragma once

#include <vst3_c_api.h>

#include <atomic>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "formats/vst3/vst3_object.h"

namespace velmorin::host {

using vst3::call;

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
class MemoryStream : public vst3::Object {
  public:
    explicit MemoryStream(std::vector<uint8_t> bytes = {}, int32_t chunk = 1 << 30);
    Steinberg_IBStream* stream() { return face_.as<Steinberg_IBStream>(); }
    const std::vector<uint8_t>& bytes() const { return bytes_; }

    std::vector<uint8_t> bytes_;
    int64_t at_ = 0;
    int32_t chunk_;

  private:
    void* faceFor(const Steinberg_TUID iid) override;
    vst3::Face face_;
};

// One block's parameter changes: a queue per id, points in the order added.
class ParameterChanges : public vst3::Object {
  public:
    ParameterChanges();
    void add(Steinberg_Vst_ParamID id, int32_t offset, double value);
    void clear();
    Steinberg_Vst_IParameterChanges* changes() {
        return face_.as<Steinberg_Vst_IParameterChanges>();
    }

    ~ParameterChanges() override;

    struct Queue : vst3::Object {
        Queue();
        void* faceFor(const Steinberg_TUID iid) override;
        Steinberg_Vst_ParamID id = 0;
        std::vector<std::pair<int32_t, double>> points;
        vst3::Face face{};
    };
    // The queue of a parameter, added when it has none.
    Queue& queueFor(Steinberg_Vst_ParamID id);
    std::vector<Queue*> queues_;

  private:
    void* faceFor(const Steinberg_TUID iid) override;
    vst3::Face face_;
};

// Records what the controller asks of the host.
class ComponentHandler : public vst3::Object {
  public:
    ComponentHandler();
    Steinberg_Vst_IComponentHandler* handler() {
        return face_.as<Steinberg_Vst_IComponentHandler>();
    }
    std::vector<int32_t> restarts;
    // Set when a restart asks for the processor to be stopped and started
    // again (its latency or its buses changed, or it must be reloaded).
    std::atomic<bool> restartRequested{false};
    struct Edit {
        char kind;  // 'b'egin, 'p'erform, 'e'nd
        Steinberg_Vst_ParamID id;
        double value;
        bool operator==(const Edit&) const = default;
    };
    std::vector<Edit> edits;

  private:
    void* faceFor(const Steinberg_TUID iid) override;
    vst3::Face face_;
};

// The host's context: makes the messages processor and controller send
// each other (IMessage with an IAttributeList) and counts them by id.
class HostApplication : public vst3::Object {
  public:
    HostApplication();
    Steinberg_FUnknown* context() { return face_.as<Steinberg_FUnknown>(); }
    std::vector<std::string> made;  // the ids of the messages made, in order

  private:
    void* faceFor(const Steinberg_TUID iid) override;
    vst3::Face face_;
};

}  // namespace velmorin::host
