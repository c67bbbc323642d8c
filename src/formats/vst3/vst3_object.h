// Our own small glue over the VST3 C interfaces: objects with one reference
// count and several faces (one C interface each), interface-id comparison and
// the UTF-16 strings the interfaces carry.
#pragma once

#include <vst3_c_api.h>

#include <atomic>
#include <cstddef>
#include <string>
#include <string_view>

namespace velmorin::vst3 {

bool sameId(const Steinberg_TUID a, const Steinberg_TUID b);

// An object the host holds by reference count; it goes with the last release.
class Object {
  public:
    virtual ~Object() = default;
    Steinberg_uint32 addRef() { return ++references_; }
    Steinberg_uint32 release();
    // FUnknown::queryInterface: the face answering `iid`, counted.
    Steinberg_tresult query(const Steinberg_TUID iid, void** face);

  protected:
    // The face for an interface id, or null; FUnknown is left to the caller.
    virtual void* faceFor(const Steinberg_TUID iid) = 0;

  private:
    std::atomic<Steinberg_uint32> references_{1};
};

// One C interface of an object: its function table, as the host sees it,
// then the object it belongs to.
struct Face {
    const void* table;
    Object* owner;

    template <typename Interface>
    Interface* as() {
        return reinterpret_cast<Interface*>(this);
    }
};

template <typename Owner>
Owner& ownerOf(void* face) {
    return static_cast<Owner&>(*static_cast<Face*>(face)->owner);
}

// The FUnknown entries every function table starts with.
Steinberg_tresult SMTG_STDMETHODCALLTYPE queryFace(void* face, const Steinberg_TUID iid,
                                                   void** object);
Steinberg_uint32 SMTG_STDMETHODCALLTYPE addRefFace(void* face);
Steinberg_uint32 SMTG_STDMETHODCALLTYPE releaseFace(void* face);

// Texts: ours are ASCII; a host's characters outside it read as '?'.
void copyText(Steinberg_char16* to, size_t capacity, std::string_view from);
void copyText(char* to, size_t capacity, std::string_view from);
std::string narrowText(const Steinberg_char16* from, size_t capacity);

// Calls a C interface's function through its table: call(p, &Vtbl::f, args).
template <typename Interface, typename Function, typename... Args>
auto call(Interface* object, Function function, Args... args) {
    return ((*object->lpVtbl).*function)(object, args...);
}

}  // namespace velmorin::vst3
