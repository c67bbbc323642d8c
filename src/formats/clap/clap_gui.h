// The editor's extension tables: gui, and the timer-support and
// posix-fd-support callbacks that drive it. Linux has them (X11, embedded);
// elsewhere there is no editor yet and every id is answered with null.
#pragma once

namespace velmorin::clap_format {

const void* editorExtensionTable(const char* id);

}  // namespace velmorin::clap_format
