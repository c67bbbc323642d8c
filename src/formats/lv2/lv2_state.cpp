#include "formats/lv2/lv2_state.h"

#include <cstring>

#include <lv2/atom/atom.h>

#include "formats/lv2/lv2_effect.h"

namespace velmorin::lv2 {
namespace {

struct StateKeys {
    LV2_URID program, programName, atomInt, atomString;
};

StateKeys keysOf(LV2_URID_Map* map) {
    return {map->map(map->handle, kProgramKey), map->map(map->handle, kProgramNameKey),
            map->map(map->handle, LV2_ATOM__Int), map->map(map->handle, LV2_ATOM__String)};
}

// May run while run() does: it reads only values the core keeps in atomics
// and the name, which only restore() (never beside run()) changes.
LV2_State_Status save(LV2_Handle instance, LV2_State_Store_Function store, LV2_State_Handle handle,
                      uint32_t, const LV2_Feature* const*) {
    auto& plugin = *static_cast<Lv2Effect*>(instance);
    if (!plugin.map()) return LV2_STATE_ERR_NO_FEATURE;
    const StateKeys keys = keysOf(plugin.map());
    const int32_t program = plugin.effect().program();
    char name[kProgramNameSize];
    plugin.effect().programName(name);
    name[kProgramNameSize - 1] = '\0';
    LV2_State_Status status = store(handle, keys.program, &program, sizeof program, keys.atomInt,
                                    LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE);
    if (status != LV2_STATE_SUCCESS) return status;
    return store(handle, keys.programName, name, std::strlen(name) + 1, keys.atomString,
                 LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE);
}

// A preset carries its program only; a session also the name it was given.
// Values of the wrong type or size are ignored, as a missing key is.
LV2_State_Status restore(LV2_Handle instance, LV2_State_Retrieve_Function retrieve,
                         LV2_State_Handle handle, uint32_t, const LV2_Feature* const*) {
    auto& plugin = *static_cast<Lv2Effect*>(instance);
    if (!plugin.map()) return LV2_STATE_ERR_NO_FEATURE;
    const StateKeys keys = keysOf(plugin.map());
    size_t size = 0;
    uint32_t type = 0;
    uint32_t flags = 0;
    const void* program = retrieve(handle, keys.program, &size, &type, &flags);
    if (program && type == keys.atomInt && size == sizeof(int32_t)) {
        int32_t index = 0;
        std::memcpy(&index, program, sizeof index);
        if (ProgramBank::isProgramIndex(index)) plugin.restoreProgram(index);
    }
    const void* name = retrieve(handle, keys.programName, &size, &type, &flags);
    if (name && type == keys.atomString && size > 0) {
        // A name with no terminator inside the value is cut where it ends.
        char terminated[kProgramNameSize] = {};
        std::memcpy(terminated, name, std::min(size, sizeof terminated - 1));
        plugin.setProgramName(terminated);
    }
    return LV2_STATE_SUCCESS;
}

}  // namespace

const LV2_State_Interface kStateInterface = {save, restore};

}  // namespace velmorin::lv2
