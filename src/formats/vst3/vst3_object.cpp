#include "formats/vst3/vst3_object.h"

#include <algorithm>
#include <cstring>

namespace velmorin::vst3 {

bool sameId(const Steinberg_TUID a, const Steinberg_TUID b) {
    return std::memcmp(a, b, sizeof(Steinberg_TUID)) == 0;
}

Steinberg_uint32 Object::release() {
    const Steinberg_uint32 left = --references_;
    if (left == 0) delete this;
    return left;
}

Steinberg_tresult Object::query(const Steinberg_TUID iid, void** face) {
    if (face == nullptr) return Steinberg_kInvalidArgument;
    *face = iid != nullptr ? faceFor(iid) : nullptr;
    if (*face == nullptr) return Steinberg_kNoInterface;
    addRef();
    return Steinberg_kResultOk;
}

Steinberg_tresult SMTG_STDMETHODCALLTYPE queryFace(void* face, const Steinberg_TUID iid,
                                                   void** object) {
    Face& self = *static_cast<Face*>(face);
    if (iid != nullptr && object != nullptr && sameId(iid, Steinberg_FUnknown_iid)) {
        *object = face;
        self.owner->addRef();
        return Steinberg_kResultOk;
    }
    return self.owner->query(iid, object);
}

Steinberg_uint32 SMTG_STDMETHODCALLTYPE addRefFace(void* face) {
    return static_cast<Face*>(face)->owner->addRef();
}

Steinberg_uint32 SMTG_STDMETHODCALLTYPE releaseFace(void* face) {
    return static_cast<Face*>(face)->owner->release();
}

void copyText(Steinberg_char16* to, size_t capacity, std::string_view from) {
    if (to == nullptr || capacity == 0) return;
    const size_t count = std::min(from.size(), capacity - 1);
    for (size_t i = 0; i < count; ++i) to[i] = static_cast<unsigned char>(from[i]);
    to[count] = 0;
}

void copyText(char* to, size_t capacity, std::string_view from) {
    if (to == nullptr || capacity == 0) return;
    const size_t count = std::min(from.size(), capacity - 1);
    std::memcpy(to, from.data(), count);
    to[count] = '\0';
}

std::string narrowText(const Steinberg_char16* from, size_t capacity) {
    std::string text;
    for (size_t i = 0; from != nullptr && i < capacity && from[i] != 0; ++i)
        text += from[i] < 0x80 ? static_cast<char>(from[i]) : '?';
    return text;
}

}  // namespace velmorin::vst3
