#include "formats/win32/win32_editor_platform.h"

namespace velmorin {

Win32EditorPlatform& Win32EditorPlatform::process() {
    static Win32EditorPlatform platform;
    return platform;
}

}  // namespace velmorin
