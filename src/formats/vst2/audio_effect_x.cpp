#include "formats/vst2/audio_effect_x.h"

intptr_t AudioEffectX::dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                  float opt) {
    if (opcode < effNumOpcodes) return AudioEffect::dispatcher(opcode, index, value, ptr, opt);

    switch (opcode) {
        case effCanBeAutomated:
            return canParameterBeAutomated(index) ? 1 : 0;
        case effGetPlugCategory:
            return getPlugCategory();
        case effGetEffectName:
            return ptr && getEffectName(static_cast<char*>(ptr)) ? 1 : 0;
        case effGetVendorString:
            return ptr && getVendorString(static_cast<char*>(ptr)) ? 1 : 0;
        case effGetProductString:
            return ptr && getProductString(static_cast<char*>(ptr)) ? 1 : 0;
        case effGetVendorVersion:
            return getVendorVersion();
        case effCanDo:
            return ptr ? canDo(static_cast<const char*>(ptr)) : -1;
        case effGetVstVersion:
            return getVstVersion();
        case effEditKeyDown:
            return editor && editor->onKeyDown() ? 1 : 0;
        case effEditKeyUp:
            return editor && editor->onKeyUp() ? 1 : 0;
        case effSetEditKnobMode:
            return editor && editor->setKnobMode(static_cast<int32_t>(value)) ? 1 : 0;
        case effGetCurrentMidiProgram:
            return -1;
        case effGetSpeakerArrangement: {
            // Both arguments point at arrangement pointers; we have none to give.
            auto** input = reinterpret_cast<void**>(value);
            auto** output = static_cast<void**>(ptr);
            if (input && output) *input = *output = nullptr;
            return 0;
        }
        case effSetTotalSampleToProcess:
            return value;
        default:
            return 0;
    }
}
