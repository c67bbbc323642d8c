#include "platform/x11/xcb_library.h"

#include <dlfcn.h>

namespace platform::x11 {
namespace {

template <typename Function>
bool bind(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

XcbLibrary* load() {
    // RTLD_LOCAL keeps our copy of the symbols out of the host's namespace;
    // a host that links libxcb itself shares the already loaded library.
    void* core = dlopen("libxcb.so.1", RTLD_NOW | RTLD_LOCAL);
    if (!core) return nullptr;
    static XcbLibrary library;
    bool complete = true;
#define VELMORIN_XCB_BIND(name) complete = bind(core, #name, library.name) && complete;
    VELMORIN_XCB_FUNCTIONS(VELMORIN_XCB_BIND)
    if (!complete) return nullptr;

    // Without the shared-memory library images go over the socket.
    if (void* shm = dlopen("libxcb-shm.so.0", RTLD_NOW | RTLD_LOCAL)) {
        bool shmComplete = true;
#define VELMORIN_XCB_BIND_SHM(name) shmComplete = bind(shm, #name, library.name) && shmComplete;
        VELMORIN_XCB_SHM_FUNCTIONS(VELMORIN_XCB_BIND_SHM)
        auto* id = static_cast<xcb_extension_t*>(dlsym(shm, "xcb_shm_id"));
        if (shmComplete && id) library.shmExtension = id;
    }
#undef VELMORIN_XCB_BIND
#undef VELMORIN_XCB_BIND_SHM
    return &library;
}

}  // namespace

const XcbLibrary* XcbLibrary::get() {
    static const XcbLibrary* library = load();
    return library;
}

}  // namespace platform::x11
