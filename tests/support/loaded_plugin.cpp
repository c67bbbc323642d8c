#include "support/loaded_plugin.h"

#include <algorithm>
#include <stdexcept>

#include "support/dynamic_library.h"

std::vector<HostCall>& RecordingHost::calls() {
    static std::vector<HostCall> recorded;
    return recorded;
}

intptr_t& RecordingHost::versionAnswer() {
    static intptr_t answer = 2400;
    return answer;
}

intptr_t& RecordingHost::sizeWindowAnswer() {
    static intptr_t answer = 0;
    return answer;
}

intptr_t RecordingHost::callback(AEffect* effect, int32_t opcode, int32_t index, intptr_t value,
                                 void* ptr, float opt) {
    calls().push_back({effect, opcode, index, value, ptr, opt});
    if (opcode == audioMasterSizeWindow) return sizeWindowAnswer();
    return opcode == audioMasterVersion ? versionAnswer() : 0;
}

LoadedPluginLibrary::LoadedPluginLibrary() {
    handle_ = dlopen(VELMORIN_PLUGIN_PATH, RTLD_NOW | RTLD_LOCAL);
    if (!handle_) throw std::runtime_error(dlerror());
    entry_ = reinterpret_cast<VstPluginMainProc>(dlsym(handle_, "VSTPluginMain"));
    if (!entry_) throw std::runtime_error("VSTPluginMain not found");
}

LoadedPluginLibrary::~LoadedPluginLibrary() {
    dlclose(handle_);
}

LoadedPluginLibrary& Plugin::library() {
    static LoadedPluginLibrary loaded;
    return loaded;
}

Plugin::Plugin() : effect_(library().entry()(RecordingHost::callback)) {
    if (!effect_) throw std::runtime_error("VSTPluginMain returned null");
}

Plugin::~Plugin() {
    close();
}

intptr_t Plugin::close() {
    if (!effect_) return 0;
    const intptr_t answer = effect_->dispatcher(effect_, effClose, 0, 0, nullptr, 0.0f);
    effect_ = nullptr;
    return answer;
}

intptr_t Plugin::dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                          float opt) const {
    return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
}

void Plugin::process(float* left, float* right, float* outLeft, float* outRight,
                     int32_t frames) const {
    float* inputs[2] = {left, right};
    float* outputs[2] = {outLeft, outRight};
    effect_->processReplacing(effect_, inputs, outputs, frames);
}

std::string Plugin::text(int32_t opcode, int32_t index) const {
    char buffer[kTextBufferSize];
    std::fill(buffer, buffer + sizeof buffer, '\x7f');
    dispatch(opcode, index, 0, buffer);
    return std::string(buffer);
}
