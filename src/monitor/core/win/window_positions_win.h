// Window positions of real windows: the desktop in pixels and twips, and the
// three routines of window_positions.h for a top-level window handle, over
// the registry of the current user.
#pragma once

#include <windows.h>

#include <string_view>

#include "monitor/core/window_positions.h"

namespace skel::monitor::win {

// Twips per pixel of the screen (1440 / dots per inch) and the virtual
// desktop spanning every monitor.
DesktopGeometry CurrentDesktop();

// The window's rectangle in twips.
WindowRectTwips WindowRectInTwips(HWND hwnd, const DesktopGeometry& desktop);

// Saves the window's current top and left under its form name (FrmMain,
// FrmMonitor, ...) when it lies within the desktop.
bool SaveWindowPosition(HWND hwnd, std::string_view formName);
// Saves the given top and left texts (twips) for a window of the handle's
// size, for callers that track their position themselves (after a drag).
bool SaveWindowPosition(HWND hwnd, std::string_view formName, std::string_view topText,
                        std::string_view leftText);
// Moves the window to its stored position, keeping its size; true when moved.
bool RestoreWindowPosition(HWND hwnd, std::string_view formName);
// Forgets every stored position.
bool ResetWindowPositions();

}  // namespace skel::monitor::win
