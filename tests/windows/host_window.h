// What a Windows host does around a plug-in's editor: a top-level window to
// open it in, a message loop that also sends the idle request, and a look at
// the pixels of a window.
#pragma once

#include <windows.h>

#include <initializer_list>

#include "windows/bmp_picture.h"

class Plugin;

class HostWindow {
  public:
    // A visible top-level window whose client area is width x height.
    HostWindow(int width, int height, const char* title);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    HWND handle() const { return window_; }
    // The editor's window inside it, or null.
    HWND editor() const;
    // Destroys the window (and every child) now.
    void destroy();

  private:
    HWND window_ = nullptr;
};

// Runs the thread's message loop for `ms` milliseconds, sending effEditIdle
// to each plug-in about every 10 ms.
void pumpMessages(int ms, std::initializer_list<const Plugin*> idle = {});

// Runs the message loop until the editor window has handled its first
// display tick (the message its timer posts), then stops its timer, so the
// window holds the picture of exactly one tick. False after `timeoutMs`.
bool runFirstTickOnly(HWND editor, int timeoutMs);

// Runs the message loop for `ms` milliseconds and counts the display ticks
// the editor window handled: its own timer at work, with no idle call.
int countDisplayTicks(HWND editor, int ms);

// The window's client area as its device context holds it (BitBlt).
Picture captureWindow(HWND window);
