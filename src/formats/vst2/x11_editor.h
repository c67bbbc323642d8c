// The Linux plug-in's editor: the shared editor on the X server's windows.
// The host's idle calls drive the windows; without a display the editor
// exists but does not open.
#pragma once

class AEffEditor;
class ADelayEdit;

namespace velmorin {

// The editor factory of the Linux plug-in.
AEffEditor* makeX11Editor(ADelayEdit& effect);

}  // namespace velmorin
