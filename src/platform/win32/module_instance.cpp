#include "platform/win32/module_instance.h"

namespace platform::win32 {
namespace {

HINSTANCE instance_ = nullptr;

}  // namespace

void setModuleInstance(HINSTANCE instance) {
    instance_ = instance;
}

HINSTANCE moduleInstance() {
    return instance_ ? instance_ : GetModuleHandleA(nullptr);
}

}  // namespace platform::win32
