#include "monitor/display/bar_paint.h"

#include <gtest/gtest.h>

#include "monitor/display/fill_gradient.h"

namespace skel::monitor::display {
namespace {

TEST(FillEdge, RoundsHalfToEvenAndClamps) {
  struct Case {
    int value, left, right, expected;
  } cases[] = {
      {0, 0, 154, 0},     {100, 0, 154, 154}, {50, 0, 154, 77},
      {50, 1, 153, 77},   {50, 0, 5, 2},                        // 2.5 -> 2
      {50, 0, 7, 4},                                            // 3.5 -> 4
      {50, 0, 3, 2},                                            // 1.5 -> 2
      {150, 0, 154, 154}, {-20, 0, 154, 0},   {37, 0, 77, 28},  // 28.49
      {1, 1, 153, 3},                                           // 2.52 -> 3
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FillEdge(c.value, c.left, c.right), c.expected)
        << c.value << "% of " << c.left << ".." << c.right;
  }
}

TEST(PlanBarPaint, ValueZeroDrawsNoFillAndHundredFillsTheInside) {
  BarState s;
  s.value = 0;
  EXPECT_TRUE(PlanBarPaint(s, 154, 12).fill.Empty());
  s.value = 100;
  EXPECT_EQ(PlanBarPaint(s, 154, 12).fill, (PixelRect{0, 0, 154, 12}));
}

TEST(PlanBarPaint, BorderShrinksTheInsideAndIsSunken) {
  BarState s;
  s.value = 100;
  s.border = true;
  BarPaintPlan p = PlanBarPaint(s, 154, 12);
  EXPECT_EQ(p.inner, (PixelRect{1, 1, 153, 11}));
  // The fill never covers the border.
  EXPECT_EQ(p.fill, (PixelRect{1, 1, 153, 11}));
  ASSERT_TRUE(p.border);
  Colour shadow = SystemColour(kSysColourButtonShadow);
  Colour light = SystemColour(kSysColourButtonHighlight);
  EXPECT_EQ(p.borderLines[0].colour, shadow);  // top
  EXPECT_EQ(p.borderLines[1].colour, shadow);  // left
  EXPECT_EQ(p.borderLines[2].colour, light);   // right
  EXPECT_EQ(p.borderLines[3].colour, light);   // bottom
  EXPECT_EQ(p.borderLines[2].x1, 153);
  EXPECT_EQ(p.borderLines[3].y1, 11);
  EXPECT_TRUE(IsSystemColour(shadow));
  EXPECT_EQ(SystemColourIndex(shadow), kSysColourButtonShadow);
}

TEST(PlanBarPaint, TextGetsOneSpaceEachSideAndBothColours) {
  BarState s;
  s.text = "Memory Used: 3.21 GB";
  s.textColour = Rgb(1, 2, 3);
  s.fillTextColour = Rgb(4, 5, 6);
  s.hasFillGraphic = true;
  BarPaintPlan p = PlanBarPaint(s, 154, 12);
  EXPECT_TRUE(p.drawText);
  EXPECT_EQ(p.paddedText, " Memory Used: 3.21 GB ");
  EXPECT_EQ(p.textColour, Rgb(1, 2, 3));
  EXPECT_EQ(p.fillTextColour, Rgb(4, 5, 6));
  EXPECT_TRUE(p.tileGraphic);
  s.text = "";
  EXPECT_FALSE(PlanBarPaint(s, 154, 12).drawText);  // "Hide Bar Text": the fill only
}

TEST(SplitTextAtFill, LeftPartOverTheFill) {
  BarState s;
  s.text = "Memory Used: 3.21 GB";
  struct Case {
    int value, textWidth, textLeft, splitX;
  } cases[] = {
      {40, 100, 27, 62},    // 0.4 * 154 = 61.6 -> 62; text 27..127
      {0, 100, 27, 27},     // nothing over the fill
      {10, 100, 27, 27},    // fill ends before the text starts
      {100, 100, 27, 127},  // all of it
      {50, 160, -3, 77},    // text wider than the bar
  };
  for (const auto& c : cases) {
    s.value = c.value;
    TextSplit t = SplitTextAtFill(PlanBarPaint(s, 154, 12), c.textWidth);
    EXPECT_EQ(t.textLeft, c.textLeft) << c.value;
    EXPECT_EQ(t.splitX, c.splitX) << c.value;
    EXPECT_EQ(t.columnsOverFill, c.splitX - c.textLeft) << c.value;
  }
}

TEST(FillGradient, GreenThroughYellowToRedWithASheen) {
  for (int width : {kFillGraphicWidth, kCompactFillGraphicWidth}) {
    auto px = MakeFillGradient(width, kFillGraphicHeight);
    ASSERT_EQ(px.size(), static_cast<size_t>(width * kFillGraphicHeight));
    int mid = kFillGraphicHeight * 3 / 4;  // below the sheen
    auto at = [&](int x, int y) { return px[static_cast<size_t>(y) * width + x]; };
    RgbPixel left = at(0, mid), centre = at(width / 2, mid), right = at(width - 1, mid);
    EXPECT_GT(left.g, 150);
    EXPECT_LT(left.r, 30);
    EXPECT_GT(centre.r, 150);
    EXPECT_GT(centre.g, 150);
    EXPECT_GT(right.r, 150);
    EXPECT_LT(right.g, 30);
    // The sheen lightens the upper rows.
    EXPECT_GT(at(0, 2).r + at(0, 2).b, left.r + left.b + 60);
  }
  EXPECT_TRUE(MakeFillGradient(0, 12).empty());
}

}  // namespace
}  // namespace skel::monitor::display
