// The editor's extension tables: gui on every platform (an embedded X11
// window on Linux, an embedded Win32 window on Windows), and where the host
// ticks the editor (X11) the timer-support and posix-fd-support callbacks
// that drive it. Other ids are answered with null.
#pragma once

namespace velmorin::clap_format {

const void* editorExtensionTable(const char* id);

}  // namespace velmorin::clap_format
