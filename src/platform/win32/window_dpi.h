// The DPI a window is drawn at: 96 on an ordinary screen.
//
// The editor's windows keep the DPI awareness of the host's thread that
// makes them. A child window cannot be more aware than its parent unless
// the host has chosen mixed hosting, so switching the thread's awareness
// around the window's creation would buy nothing and could fail the
// creation: a per-monitor-aware host gives the monitor's DPI, and an
// unaware one 96, its whole window then enlarged by the system.
#pragma once

#include <windows.h>

namespace platform::win32 {

// Where the system knows a DPI per monitor (GetDpiForWindow, Windows 10
// 1607 and later), the window's as its thread's awareness gives it;
// elsewhere, or for no window, the screen's logical pixels per inch.
int windowDpi(HWND window);

}  // namespace platform::win32
