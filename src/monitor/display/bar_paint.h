// What the bar of the monitor window looks like at a given moment, as a pure
// function of its state and size. The Windows side only executes the plan
// with GDI, so every decision (where the fill ends, which part of the text
// lies over the fill, where the border goes) is made and tested here.
#pragma once

#include <cstdint>
#include <string>

namespace skel::monitor::display {

// A colour as the settings hold it: red in the lowest byte; a value with the
// top bit set names a system colour by the index in its low five bits.
using Colour = int32_t;

constexpr bool IsSystemColour(Colour c) {
  return (static_cast<uint32_t>(c) & 0x80000000u) != 0;
}
constexpr int SystemColourIndex(Colour c) {
  return static_cast<int>(static_cast<uint32_t>(c) & 0x1F);
}
constexpr Colour SystemColour(int index) {
  return static_cast<Colour>(0x80000000u | static_cast<uint32_t>(index));
}
constexpr Colour Rgb(int r, int g, int b) {
  return r | (g << 8) | (b << 16);
}

// The system colour indexes this module names.
inline constexpr int kSysColourButtonFace = 15;
inline constexpr int kSysColourButtonShadow = 16;
inline constexpr int kSysColourButtonText = 18;
inline constexpr int kSysColourButtonHighlight = 20;

// Pixel rectangle, right and bottom exclusive.
struct PixelRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Empty() const { return right <= left || bottom <= top; }
  bool operator==(const PixelRect&) const = default;
};

// The bar object's state.
struct BarState {
  int value = 0;     // 0..100; anything else is clamped when drawn
  std::string text;  // shown centred; "" draws no text
  Colour background = Rgb(255, 255, 255);
  Colour textColour = 0;  // over the background
  Colour fillColour = Rgb(0, 0, 255);
  Colour fillTextColour = 0;  // over the fill
  bool border = false;
  bool hasFillGraphic = false;  // tile the graphic instead of the fill colour
};

struct BarLine {
  int x1, y1, x2, y2;  // inclusive end points of a 1-pixel line
  Colour colour;
};

struct BarPaintPlan {
  PixelRect client;   // R
  Colour background;  // step 1
  PixelRect inner;    // I
  bool drawText = false;
  std::string paddedText;  // one space before and after
  Colour textColour = 0;
  Colour fillTextColour = 0;
  PixelRect fill;            // F; empty when the value is 0
  bool tileGraphic = false;  // tiled from client's top-left, unscaled, clipped to F
  Colour fillColour = 0;
  bool border = false;
  BarLine borderLines[4] = {};  // top, left (shadow), right, bottom (highlight)
};

// x of the fill edge for a value within inner edges left..right: value/100,
// clamped to [0, 1], times the width, plus left, rounded half to even.
int FillEdge(int value, int left, int right);

BarPaintPlan PlanBarPaint(const BarState& state, int width, int height);

// How a text of `textWidth` pixels, centred in the inner rectangle, falls
// across the fill: the columns from textLeft to splitX are drawn in the fill
// text colour, the rest in the bar text colour.
struct TextSplit {
  int textLeft = 0;
  int textRight = 0;
  int splitX = 0;           // clamped to [textLeft, textRight]
  int columnsOverFill = 0;  // splitX - textLeft
};
TextSplit SplitTextAtFill(const BarPaintPlan& plan, int textWidth);

}  // namespace skel::monitor::display
