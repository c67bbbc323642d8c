// The module's exports: GetPluginFactory, and the load and unload calls of
// the system (ModuleEntry/ModuleExit on Linux, InitDll/ExitDll on Windows).
// The module keeps no state of its own to set up or take down.
#include "formats/vst3/vst3_factory.h"

#if defined(_WIN32)
#define VELMORIN_VST3_EXPORT extern "C" __declspec(dllexport)
#else
#define VELMORIN_VST3_EXPORT extern "C" __attribute__((visibility("default")))
#endif

VELMORIN_VST3_EXPORT Steinberg_IPluginFactory* SMTG_STDMETHODCALLTYPE GetPluginFactory() {
    return velmorin::vst3::pluginFactory();
}

#if defined(_WIN32)
VELMORIN_VST3_EXPORT bool InitDll() {
    return true;
}
VELMORIN_VST3_EXPORT bool ExitDll() {
    return true;
}
#else
VELMORIN_VST3_EXPORT bool ModuleEntry(void*) {
    return true;
}
VELMORIN_VST3_EXPORT bool ModuleExit() {
    return true;
}
#endif
