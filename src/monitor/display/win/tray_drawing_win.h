// Drawing of the tray's percentage icon and of the band sample squares.
#pragma once

#include <windows.h>

#include "common/win/unique_any.h"
#include "monitor/display/tray_logic.h"

namespace skel::monitor::display::win {

// The band's font for a square of `pixels`: the point size is meant for the
// 16-pixel icon at 96 DPI and grows with the square, so a larger icon (a
// high-DPI taskbar) is drawn sharp instead of scaled up.
skel::win::UniqueFont MakeTrayFont(const TrayFont& font, int pixels);

// Clears `rect` to the background and draws the text on one line, centred
// both ways and clipped to the rectangle.
void DrawTrayText(HDC dc, const RECT& rect, const TrayDrawing& drawing, HFONT font);

// The percentage icon: the drawing at size x size, pixels of exactly
// kTrayTransparentKey transparent.
skel::win::UniqueIcon MakePercentIcon(const TrayDrawing& drawing, int size);

}  // namespace skel::monitor::display::win
