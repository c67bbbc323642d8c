// A plug-in's editor in a window of its own, as velmorin edit and velmorin
// live show it: the window follows the editor's size, and closing it ends
// the editor's run.
#pragma once

#include <memory>
#include <string>

#include "host_window.h"
#include "plugin_editor.h"

namespace velmorin::host {

class EditorWindow {
  public:
    // Makes the window at the editor's size; throws HostError without a display.
    EditorWindow(std::unique_ptr<PluginEditor> editor, const std::string& title);
    ~EditorWindow() { close(); }
    EditorWindow(const EditorWindow&) = delete;
    EditorWindow& operator=(const EditorWindow&) = delete;

    // Embeds the editor and shows it.
    void open() { editor_->open(window_.id()); }
    // Gives the editor about a thirtieth of a second, as hosts call its idle;
    // false once the user closed the window.
    bool run();
    // Closes the editor; the window goes with this object.
    void close() { editor_.reset(); }
    bool serverGone() const { return window_.serverGone(); }

  private:
    std::unique_ptr<PluginEditor> editor_;
    std::pair<int, int> size_;
    HostWindow window_;
};

}  // namespace velmorin::host
