#include "monitor/display/win/fill_graphic_win.h"

#include <ocidl.h>
#include <olectl.h>

#include <vector>

#include "monitor/display/fill_gradient.h"

namespace skel::monitor::display::win {
namespace {

using skel::win::SelectGuard;
using skel::win::UniqueDc;

OwnedGraphic FromPixels(const std::vector<RgbPixel>& px, int width, int height) {
  OwnedGraphic g;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;  // top row first
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  g.bitmap.reset(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!g.bitmap || !bits) return OwnedGraphic{};
  auto* out = static_cast<uint32_t*>(bits);
  for (size_t i = 0; i < px.size(); ++i) {
    out[i] =
        (static_cast<uint32_t>(px[i].r) << 16) | (static_cast<uint32_t>(px[i].g) << 8) | px[i].b;
  }
  GdiFlush();
  g.width = width;
  g.height = height;
  return g;
}

// A private copy of a bitmap another owner will free.
OwnedGraphic CopyOf(HBITMAP source) {
  OwnedGraphic g;
  BITMAP info{};
  if (!source || !GetObjectA(source, sizeof info, &info)) return g;
  g.bitmap.reset(static_cast<HBITMAP>(CopyImage(source, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (!g.bitmap) return OwnedGraphic{};
  g.width = info.bmWidth;
  g.height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
  return g;
}

OwnedGraphic LoadWithOle(const std::string& path) {
  int n = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
  if (n <= 0) return {};
  std::vector<wchar_t> wide(static_cast<size_t>(n));
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), n);
  skel::win::ComScope com;
  IPicture* raw = nullptr;
  if (FAILED(OleLoadPicturePath(wide.data(), nullptr, 0, 0, IID_IPicture,
                                reinterpret_cast<void**>(&raw))) ||
      !raw) {
    return {};
  }
  skel::win::ComPtr<IPicture> picture(raw);
  SHORT type = 0;
  OLE_HANDLE handle = 0;
  if (FAILED(picture.get()->get_Type(&type)) || type != PICTYPE_BITMAP ||
      FAILED(picture.get()->get_Handle(&handle))) {
    return {};
  }
  return CopyOf(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)));
}

}  // namespace

OwnedGraphic MakeBuiltInFillGraphic(bool compact) {
  int width = compact ? kCompactFillGraphicWidth : kFillGraphicWidth;
  return FromPixels(MakeFillGradient(width, kFillGraphicHeight), width, kFillGraphicHeight);
}

OwnedGraphic LoadPictureFile(const std::string& path) {
  if (path.empty() || GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return {};
  OwnedGraphic g = LoadWithOle(path);
  if (g.bitmap) return g;
  // Bitmaps load without the picture service as well.
  skel::win::UniqueBitmap bmp(static_cast<HBITMAP>(LoadImageA(
      nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
  return CopyOf(bmp.get());
}

}  // namespace skel::monitor::display::win
