#include "monitor/display/win/tray_drawing_win.h"

#include <commctrl.h>

#include <cmath>

#include "monitor/display/win/gdi_colour_win.h"

namespace skel::monitor::display::win {
namespace {

using skel::win::SelectGuard;
using skel::win::UniqueBitmap;
using skel::win::UniqueBrush;
using skel::win::UniqueDc;

struct ImageListDeleter {
  HIMAGELIST list;
  ~ImageListDeleter() {
    if (list) ImageList_Destroy(list);
  }
};

}  // namespace

skel::win::UniqueFont MakeTrayFont(const TrayFont& font, int pixels) {
  // Points to pixels at 96 DPI for a 16-pixel square, scaled with the square.
  double heightPx = font.size * 96.0 / 72.0 * pixels / 16.0;
  int height = -static_cast<int>(std::lround(heightPx));
  if (height == 0) height = -1;
  return skel::win::UniqueFont(
      CreateFontA(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, font.italic, FALSE, FALSE,
                  DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                  DEFAULT_PITCH, font.name.c_str()));
}

void DrawTrayText(HDC dc, const RECT& rect, const TrayDrawing& drawing, HFONT font) {
  UniqueBrush back(CreateSolidBrush(ResolveColour(drawing.background)));
  FillRect(dc, &rect, back.get());
  SelectGuard selectFont(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ResolveColour(drawing.textColour));
  RECT rc = rect;
  DrawTextA(dc, drawing.text.c_str(), static_cast<int>(drawing.text.size()), &rc,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

skel::win::UniqueIcon MakePercentIcon(const TrayDrawing& drawing, int size) {
  if (size <= 0) return {};
  skel::win::WindowDc screen(nullptr);
  UniqueDc surface(CreateCompatibleDC(screen.get()));
  UniqueBitmap pixels(CreateCompatibleBitmap(screen.get(), size, size));
  if (!surface || !pixels) return {};
  {
    SelectGuard select(surface.get(), pixels.get());
    skel::win::UniqueFont font = MakeTrayFont(drawing.font, size);
    DrawTrayText(surface.get(), RECT{0, 0, size, size}, drawing, font.get());
  }
  // The image list turns the key colour into the icon's mask.
  ImageListDeleter list{ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 1, 0)};
  if (!list.list) return {};
  if (ImageList_AddMasked(list.list, pixels.get(), ResolveColour(kTrayTransparentKey)) < 0) {
    return {};
  }
  return skel::win::UniqueIcon(ImageList_GetIcon(list.list, 0, ILD_NORMAL));
}

}  // namespace skel::monitor::display::win
