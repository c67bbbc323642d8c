#include "formats/vst2/adelay_edit.h"

#include <new>

ADelayEdit::ADelayEdit(audioMasterCallback host, const EditorFactory& makeEditor) : ADelay(host) {
    setUniqueID(fourCharCode('Q', 'd', 'V', 'l'));
    if (!makeEditor) return;
    try {
        setEditor(makeEditor(*this));
    } catch (const std::bad_alloc&) {
        setEditor(nullptr);  // without memory for an editor the effect goes on without one
    }
}

ADelayEdit::~ADelayEdit() = default;
