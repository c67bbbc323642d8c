// The few POSIX loader calls the test harnesses make (dlopen, dlsym,
// dlclose, dlerror), over LoadLibrary on Windows.
#pragma once

#if defined(_WIN32)
#include <windows.h>

namespace {
inline void* dlopen(const char* path, int) {
    return reinterpret_cast<void*>(LoadLibraryA(path));
}
inline void* dlsym(void* handle, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
}
inline int dlclose(void* handle) {
    return FreeLibrary(static_cast<HMODULE>(handle)) ? 0 : 1;
}
inline const char* dlerror() {
    return "LoadLibrary failed";
}
constexpr int RTLD_NOW = 0;
constexpr int RTLD_LOCAL = 0;
}  // namespace
#else
#include <dlfcn.h>
#endif
