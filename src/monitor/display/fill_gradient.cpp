#include "monitor/display/fill_gradient.h"

#include <algorithm>
#include <cmath>

namespace skel::monitor::display {
namespace {

// The hue runs green (0) -> yellow (0.5) -> red (1) at full brightness; a
// slightly deep tone keeps black text readable on it.
RgbPixel HueAt(double t) {
  constexpr double kTone = 230.0;
  double r = t < 0.5 ? kTone * (t / 0.5) : kTone;
  double g = t < 0.5 ? kTone : kTone * ((1.0 - t) / 0.5);
  return {static_cast<uint8_t>(std::lround(r)), static_cast<uint8_t>(std::lround(g)), 0};
}

// The sheen: strongest on the second row, fading out by the middle, and a
// faint darkening towards the bottom edge for depth.
double SheenAt(int row, int height) {
  double y = (row + 0.5) / height;
  if (y < 0.5) return std::max(0.0, 0.55 * (1.0 - std::abs(y - 0.17) / 0.33));
  return -0.18 * (y - 0.5) / 0.5;
}

uint8_t Mix(uint8_t base, double sheen) {
  double v = sheen >= 0 ? base + (255.0 - base) * sheen : base * (1.0 + sheen);
  return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

}  // namespace

std::vector<RgbPixel> MakeFillGradient(int width, int height) {
  std::vector<RgbPixel> pixels;
  if (width <= 0 || height <= 0) return pixels;
  pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
  for (int x = 0; x < width; ++x) {
    double t = width == 1 ? 0.0 : static_cast<double>(x) / (width - 1);
    RgbPixel hue = HueAt(t);
    for (int y = 0; y < height; ++y) {
      double s = SheenAt(y, height);
      pixels[static_cast<size_t>(y) * width + x] = {Mix(hue.r, s), Mix(hue.g, s), Mix(hue.b, s)};
    }
  }
  return pixels;
}

}  // namespace skel::monitor::display
