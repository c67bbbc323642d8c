#include "editor_window.h"

#include <chrono>
#include <utility>

namespace velmorin::host {

EditorWindow::EditorWindow(std::unique_ptr<PluginEditor> editor, const std::string& title)
    : editor_(std::move(editor)),
      size_(editor_->size()),
      window_(size_.first, size_.second, title) {}

bool EditorWindow::run() {
    if (window_.closed()) return false;
    editor_->run(std::chrono::milliseconds(33));
    // The editor may have asked for another size (its "Size" menu).
    if (const std::pair<int, int> now = editor_->size(); now != size_) {
        size_ = now;
        window_.resize(size_.first, size_.second);
    }
    return true;
}

}  // namespace velmorin::host
