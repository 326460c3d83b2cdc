// Executes a BarPaintPlan with GDI through an off-screen buffer of the bar's
// size, then copies the buffer to the target in one go (no flicker).
#pragma once

#include <windows.h>

#include "monitor/display/bar_paint.h"

namespace skel::monitor::display::win {

struct FillGraphic {
  HBITMAP bitmap = nullptr;  // not owned
  int width = 0;
  int height = 0;
};

// Paints the plan at (x, y) of `target`.
void PaintBar(HDC target, int x, int y, const BarPaintPlan& plan, HFONT font,
              const FillGraphic& graphic);

}  // namespace skel::monitor::display::win
