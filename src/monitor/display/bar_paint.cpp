#include "monitor/display/bar_paint.h"

#include <algorithm>

#include "common/number_format.h"

namespace skel::monitor::display {

int FillEdge(int value, int left, int right) {
  double f = value / 100.0;
  f = std::clamp(f, 0.0, 1.0);
  return static_cast<int>(RoundHalfToEven(f * (right - left) + left));
}

BarPaintPlan PlanBarPaint(const BarState& state, int width, int height) {
  BarPaintPlan plan;
  plan.client = {0, 0, std::max(width, 0), std::max(height, 0)};
  plan.background = state.background;
  plan.inner = plan.client;
  if (state.border) {
    plan.inner = {plan.client.left + 1, plan.client.top + 1, plan.client.right - 1,
                  plan.client.bottom - 1};
    // A bar too small for its border has no inside at all.
    if (plan.inner.right < plan.inner.left) plan.inner.right = plan.inner.left;
    if (plan.inner.bottom < plan.inner.top) plan.inner.bottom = plan.inner.top;
  }
  plan.drawText = !state.text.empty();
  if (plan.drawText) plan.paddedText = " " + state.text + " ";
  plan.textColour = state.textColour;
  plan.fillTextColour = state.fillTextColour;
  int x = FillEdge(state.value, plan.inner.left, plan.inner.right);
  plan.fill = {plan.inner.left, plan.inner.top, x, plan.inner.bottom};
  plan.tileGraphic = state.hasFillGraphic;
  plan.fillColour = state.fillColour;
  plan.border = state.border;
  if (state.border && width > 0 && height > 0) {
    int r = width - 1, b = height - 1;
    Colour shadow = SystemColour(kSysColourButtonShadow);
    Colour light = SystemColour(kSysColourButtonHighlight);
    plan.borderLines[0] = {0, 0, r, 0, shadow};
    plan.borderLines[1] = {0, 0, 0, b, shadow};
    plan.borderLines[2] = {r, 0, r, b, light};
    plan.borderLines[3] = {0, b, r, b, light};
  }
  return plan;
}

TextSplit SplitTextAtFill(const BarPaintPlan& plan, int textWidth) {
  TextSplit split;
  // Centred as the system centres a single line: the spare width halved,
  // rounded down.
  split.textLeft = plan.inner.left + (plan.inner.Width() - textWidth) / 2;
  split.textRight = split.textLeft + textWidth;
  split.splitX = std::clamp(plan.fill.right, split.textLeft, split.textRight);
  if (plan.fill.Empty()) split.splitX = split.textLeft;
  split.columnsOverFill = split.splitX - split.textLeft;
  return split;
}

}  // namespace skel::monitor::display
