#include "monitor/display/win/bar_painter_win.h"

#include "common/win/unique_any.h"
#include "monitor/display/win/gdi_colour_win.h"

namespace skel::monitor::display::win {
namespace {

using skel::win::SelectGuard;
using skel::win::UniqueBitmap;
using skel::win::UniqueBrush;
using skel::win::UniqueDc;
using skel::win::UniquePen;
using skel::win::UniqueRegion;

RECT ToRect(const PixelRect& r) {
  return RECT{r.left, r.top, r.right, r.bottom};
}

void FillSolid(HDC dc, const PixelRect& r, Colour colour) {
  UniqueBrush brush(CreateSolidBrush(ResolveColour(colour)));
  RECT rc = ToRect(r);
  FillRect(dc, &rc, brush.get());
}

void DrawCentredText(HDC dc, const BarPaintPlan& plan, Colour colour) {
  SetTextColor(dc, ResolveColour(colour));
  RECT rc = ToRect(plan.inner);
  DrawTextA(dc, plan.paddedText.c_str(), static_cast<int>(plan.paddedText.size()), &rc,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void TileGraphic(HDC dc, const BarPaintPlan& plan, const FillGraphic& graphic) {
  if (!graphic.bitmap || graphic.width <= 0 || graphic.height <= 0) return;
  UniqueDc source(CreateCompatibleDC(dc));
  SelectGuard select(source.get(), graphic.bitmap);
  for (int y = plan.client.top; y < plan.client.bottom; y += graphic.height) {
    for (int x = plan.client.left; x < plan.client.right; x += graphic.width) {
      BitBlt(dc, x, y, graphic.width, graphic.height, source.get(), 0, 0, SRCCOPY);
    }
  }
}

}  // namespace

void PaintBar(HDC target, int x, int y, const BarPaintPlan& plan, HFONT font,
              const FillGraphic& graphic) {
  int w = plan.client.Width(), h = plan.client.Height();
  if (w <= 0 || h <= 0) return;
  UniqueDc buffer(CreateCompatibleDC(target));
  UniqueBitmap pixels(CreateCompatibleBitmap(target, w, h));
  if (!buffer || !pixels) return;
  SelectGuard selectPixels(buffer.get(), pixels.get());
  HDC dc = buffer.get();

  FillSolid(dc, plan.client, plan.background);
  SelectGuard selectFont(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  if (plan.drawText) DrawCentredText(dc, plan, plan.textColour);

  if (!plan.fill.Empty()) {
    UniqueRegion clip(
        CreateRectRgn(plan.fill.left, plan.fill.top, plan.fill.right, plan.fill.bottom));
    SelectClipRgn(dc, clip.get());
    if (plan.tileGraphic) {
      TileGraphic(dc, plan, graphic);
    } else {
      FillSolid(dc, plan.fill, plan.fillColour);
    }
    if (plan.drawText) DrawCentredText(dc, plan, plan.fillTextColour);
    SelectClipRgn(dc, nullptr);
  }

  if (plan.border) {
    for (const BarLine& line : plan.borderLines) {
      UniquePen pen(CreatePen(PS_SOLID, 1, ResolveColour(line.colour)));
      SelectGuard selectPen(dc, pen.get());
      MoveToEx(dc, line.x1, line.y1, nullptr);
      LineTo(dc, line.x2, line.y2);
      SetPixel(dc, line.x2, line.y2, ResolveColour(line.colour));  // LineTo leaves the end out
    }
  }
  BitBlt(target, x, y, w, h, dc, 0, 0, SRCCOPY);
}

}  // namespace skel::monitor::display::win
