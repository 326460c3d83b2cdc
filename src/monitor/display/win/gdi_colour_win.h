// Colours of the settings as GDI takes them: a value with the top bit set is
// the current system colour of that index.
#pragma once

#include <windows.h>

#include "monitor/display/bar_paint.h"

namespace skel::monitor::display::win {

inline COLORREF ResolveColour(Colour colour) {
  if (IsSystemColour(colour)) return GetSysColor(SystemColourIndex(colour));
  return static_cast<COLORREF>(colour) & 0xFFFFFF;
}

}  // namespace skel::monitor::display::win
