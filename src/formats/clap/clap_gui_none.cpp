#include "formats/clap/clap_gui.h"

namespace velmorin::clap_format {

const void* editorExtensionTable(const char*) {
    return nullptr;
}

}  // namespace velmorin::clap_format
