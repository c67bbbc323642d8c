#include "shell/adelay_edit.h"

ADelayEdit::ADelayEdit(audioMasterCallback host) : ADelay(host) {
    setUniqueID(fourCharCode('Q', 'd', 'V', 'l'));
    // The editor is not built yet: no editor is attached, so the record does
    // not announce one.
}

ADelayEdit::~ADelayEdit() = default;
