// The editor of the Windows plug-in: drawn with GDI in a child window of the
// host's, its preferences in the registry.
#pragma once

#include "formats/vst2/adelay_edit.h"

ADelayEdit::EditorFactory windowsEditorFactory();
