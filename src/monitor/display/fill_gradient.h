// The two built-in bar fill graphics: a horizontal gradient from green on
// the left through yellow to red on the right, with a light horizontal sheen
// across the upper rows. 154 x 12 for the normal bar, 77 x 12 for compact.
// Drawn in code so the program carries no image files for them.
#pragma once

#include <cstdint>
#include <vector>

namespace skel::monitor::display {

inline constexpr int kFillGraphicWidth = 154;
inline constexpr int kCompactFillGraphicWidth = 77;
inline constexpr int kFillGraphicHeight = 12;

struct RgbPixel {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const RgbPixel&) const = default;
};

// Row-major, top row first, width * height pixels.
std::vector<RgbPixel> MakeFillGradient(int width, int height);

}  // namespace skel::monitor::display
