// The bar window and the tray icon drawn for real under the window system:
// screenshots of the bar at 0, 50 and 100 %, compact, with a border, and of
// the tray icon in each band, with pixel checks of the fill edge and the
// colours. The images land in ./screens for a look.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "common/win/unique_any.h"
#include "monitor/display/fill_gradient.h"
#include "monitor/display/monitor_display.h"
#include "monitor/display/win/bar_window_win.h"
#include "monitor/display/win/tray_drawing_win.h"
#include "monitor/display/win/tray_icon_win.h"

namespace skel::monitor::display::win {
namespace {

using skel::win::SelectGuard;
using skel::win::UniqueBitmap;
using skel::win::UniqueDc;

// A 32-bit top-down image with its pixels at hand.
struct Shot {
  int width = 0, height = 0;
  std::vector<uint32_t> px;  // 0x00RRGGBB
  COLORREF At(int x, int y) const {
    uint32_t v = px[static_cast<size_t>(y) * width + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
  void SaveBmp(const std::string& name) const {
    CreateDirectoryA("screens", nullptr);
    std::ofstream f("screens\\" + name, std::ios::binary);
    int rowBytes = width * 3, pad = (4 - rowBytes % 4) % 4;
    uint32_t dataSize = static_cast<uint32_t>((rowBytes + pad) * height);
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof(BITMAPINFOHEADER);
    fh.bfSize = fh.bfOffBits + dataSize;
    BITMAPINFOHEADER ih{};
    ih.biSize = sizeof ih;
    ih.biWidth = width;
    ih.biHeight = height;  // bottom-up on disk
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    f.write(reinterpret_cast<const char*>(&fh), sizeof fh);
    f.write(reinterpret_cast<const char*>(&ih), sizeof ih);
    for (int y = height - 1; y >= 0; --y) {
      for (int x = 0; x < width; ++x) {
        uint32_t v = px[static_cast<size_t>(y) * width + x];
        char bgr[3] = {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
                       static_cast<char>((v >> 16) & 0xFF)};
        f.write(bgr, 3);
      }
      f.write("\0\0\0", pad);
    }
  }
};

// Draws with `paint` into a fresh DIB of the given size.
template <typename Paint>
Shot Capture(int width, int height, Paint&& paint) {
  Shot s;
  s.width = width;
  s.height = height;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  UniqueBitmap dib(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  UniqueDc dc(CreateCompatibleDC(nullptr));
  if (!dib || !dc || !bits) return s;
  {
    SelectGuard select(dc.get(), dib.get());
    paint(dc.get());
    GdiFlush();
  }
  auto* p = static_cast<uint32_t*>(bits);
  s.px.assign(p, p + static_cast<size_t>(width) * height);
  return s;
}

// The window as the system prints it (its own paint into our DC).
Shot PrintedWindow(BarWindow& w) {
  SIZE size = w.WindowPixels();
  return Capture(size.cx, size.cy, [&](HDC dc) { PrintWindow(w.hwnd(), dc, PW_CLIENTONLY); });
}

// The window as it is on the screen.
Shot FromScreen(BarWindow& w) {
  RECT r{};
  GetWindowRect(w.hwnd(), &r);
  skel::win::WindowDc screen(nullptr);
  return Capture(r.right - r.left, r.bottom - r.top, [&](HDC dc) {
    BitBlt(dc, 0, 0, r.right - r.left, r.bottom - r.top, screen.get(), r.left, r.top, SRCCOPY);
  });
}

void Pump() {
  MSG msg;
  for (int i = 0; i < 200 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
    DispatchMessageA(&msg);
  }
}

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kGrey64 = RGB(64, 64, 64);

BarWindowLook ColourLook() {
  BarWindowLook look;
  look.windowBack = 4210752;
  look.windowText = 16777215;
  look.barBack = 16777215;
  look.barText = Rgb(0, 0, 255);     // blue over the background
  look.fillColour = 0;               // black fill
  look.fillText = Rgb(255, 255, 0);  // yellow over the fill
  look.useFillGraphic = false;
  return look;
}

class BarWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bar.Create();
    ASSERT_TRUE(bar.IsLoaded());
    ASSERT_EQ(bar.Dpi(), 96u) << "pixel checks assume 96 DPI";
    bar.ApplyLook(ColourLook());
    bar.SetTexts("Memory Total: 8.00 GB", "Commit Total: 4.00 GB");
    bar.MoveToBottomRight();
    bar.Show(true);
    Pump();
  }
  BarWindow bar;
};

TEST_F(BarWindowTest, SizesAndPlaceFollowTheTwips) {
  SIZE w = bar.WindowPixels(), b = bar.BarPixels();
  EXPECT_EQ(w.cx, 154);
  EXPECT_EQ(w.cy, 37);
  EXPECT_EQ(b.cx, 154);
  EXPECT_EQ(b.cy, 12);
  RECT r{}, work{};
  GetWindowRect(bar.hwnd(), &r);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(r.right, work.right);
  EXPECT_EQ(r.bottom, work.bottom);
  char cls[64] = {}, title[64] = {};
  GetClassNameA(bar.hwnd(), cls, sizeof cls);
  GetWindowTextA(bar.hwnd(), title, sizeof title);
  EXPECT_STREQ(cls, "SkelvaneFrmMonitor");
  EXPECT_STREQ(title, "Vardolin Skelvane");
  EXPECT_EQ(GetWindowLongPtrA(bar.hwnd(), GWL_STYLE) & (WS_CAPTION | WS_BORDER | WS_THICKFRAME), 0);
  EXPECT_NE(GetWindow(bar.hwnd(), GW_OWNER), nullptr);  // no taskbar button
}

TEST_F(BarWindowTest, FillEdgeAndColoursAtZeroHalfAndFull) {
  struct Case {
    int value;
    const char* file;
    int lastFilled;  // -1: none
  } cases[] = {{0, "bar_000.bmp", -1}, {50, "bar_050.bmp", 76}, {100, "bar_100.bmp", 153}};
  bar.SetBarText("");
  for (const auto& c : cases) {
    bar.SetBarValue(c.value);
    Shot s = PrintedWindow(bar);
    ASSERT_EQ(s.width, 154);
    s.SaveBmp(c.file);
    for (int x = 0; x < 154; ++x) {
      COLORREF expected = x <= c.lastFilled ? kBlack : kWhite;
      ASSERT_EQ(s.At(x, 6), expected) << c.value << "% at x=" << x;
    }
    EXPECT_EQ(s.At(0, 20), kGrey64);  // the window's background under the bar
  }
}

TEST_F(BarWindowTest, TextOverTheFillTakesTheFillTextColour) {
  bar.SetBarText("Memory Used: 3.21 GB");
  bar.SetBarValue(50);
  Shot s = PrintedWindow(bar);
  s.SaveBmp("bar_text_050.bmp");
  int leftYellow = 0, leftBlue = 0, rightYellow = 0, rightBlue = 0;
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 154; ++x) {
      COLORREF c = s.At(x, y);
      bool left = x < 77;
      if (c == kYellow) ++(left ? leftYellow : rightYellow);
      if (c == kBlue) ++(left ? leftBlue : rightBlue);
    }
  }
  EXPECT_GT(leftYellow, 10);
  EXPECT_GT(rightBlue, 10);
  EXPECT_EQ(leftBlue, 0);
  EXPECT_EQ(rightYellow, 0);
}

TEST_F(BarWindowTest, BuiltInGraphicIsTiledUnscaledAndCompactHalvesTheWindow) {
  BarWindowLook look = ColourLook();
  look.useFillGraphic = true;
  look.barText = 0;
  look.fillText = 0;
  bar.ApplyLook(look);
  bar.SetBarText("Memory Used: 3.21 GB");
  bar.SetBarValue(50);
  Shot half = PrintedWindow(bar);
  half.SaveBmp("bar_graphic_050.bmp");
  auto gradient = MakeFillGradient(kFillGraphicWidth, kFillGraphicHeight);
  auto expect = [&](const Shot& s, int x, int y, int gx) {
    RgbPixel g = gradient[static_cast<size_t>(y) * kFillGraphicWidth + gx];
    EXPECT_EQ(s.At(x, y), RGB(g.r, g.g, g.b)) << "x=" << x << " y=" << y;
  };
  expect(half, 0, 11, 0);    // green at the left
  expect(half, 76, 11, 76);  // yellow-ish at the edge: the left half, unscaled
  expect(half, 3, 1, 3);     // the sheen row
  EXPECT_EQ(half.At(77, 11), kWhite);
  EXPECT_GT(GetGValue(half.At(0, 11)), 150);
  EXPECT_LT(GetRValue(half.At(0, 11)), 30);

  bar.SetWindowSize(kCompactWidth, 180);
  bar.SetBarWidth(kCompactWidth);
  bar.SetBarText("M: 3.21 GB");
  bar.SetBarValue(100);
  Pump();
  Shot compact = PrintedWindow(bar);
  ASSERT_EQ(compact.width, 77);
  ASSERT_EQ(compact.height, 12);
  compact.SaveBmp("bar_compact_100.bmp");
  expect(compact, 76, 11, 76);  // the 154-pixel graphic simply cut off
  bar.UseBuiltInFillGraphic(true);
  Shot small = PrintedWindow(bar);
  small.SaveBmp("bar_compact_builtin_100.bmp");
  EXPECT_GT(GetRValue(small.At(76, 11)), 150);  // the 77-pixel graphic ends in red
  EXPECT_LT(GetGValue(small.At(76, 11)), 40);
}

TEST_F(BarWindowTest, SunkenBorderIsNeverCoveredByTheFill) {
  BarWindowLook look = ColourLook();
  look.border = true;
  bar.ApplyLook(look);
  bar.SetBarText("");
  bar.SetBarValue(100);
  Shot s = PrintedWindow(bar);
  s.SaveBmp("bar_border_100.bmp");
  COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
  EXPECT_EQ(s.At(0, 0), shadow);
  EXPECT_EQ(s.At(80, 0), shadow);
  EXPECT_EQ(s.At(0, 6), shadow);
  EXPECT_EQ(s.At(153, 6), light);
  EXPECT_EQ(s.At(80, 11), light);
  EXPECT_EQ(s.At(153, 11), light);
  EXPECT_EQ(s.At(1, 1), kBlack);
  EXPECT_EQ(s.At(152, 10), kBlack);
}

TEST_F(BarWindowTest, SystemColoursAndTheScreenAgree) {
  BarWindowLook look = ColourLook();
  look.windowBack = SystemColour(kSysColourButtonFace);
  look.windowText = SystemColour(kSysColourButtonText);
  look.roundCorners = true;
  bar.ApplyLook(look);
  bar.SetBarText("Memory Used: 3.21 GB");
  bar.SetBarValue(37);
  SetWindowPos(bar.hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  RedrawWindow(bar.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  Pump();
  Sleep(200);
  Pump();
  Shot printed = PrintedWindow(bar);
  printed.SaveBmp("window_037.bmp");
  EXPECT_EQ(printed.At(150, 30), GetSysColor(COLOR_BTNFACE));
  Shot screen = FromScreen(bar);
  screen.SaveBmp("window_037_screen.bmp");
  // Away from the rounded corners the screen shows what the window painted.
  if (screen.px.empty()) GTEST_SKIP() << "no screen to read back";
  EXPECT_EQ(screen.At(20, 6), printed.At(20, 6));
  EXPECT_EQ(screen.At(130, 6), printed.At(130, 6));
  EXPECT_EQ(screen.At(150, 30), printed.At(150, 30));
}

TEST_F(BarWindowTest, FillGraphicFromFile) {
  // A 4 x 2 magenta bitmap written by hand.
  Shot tile = Capture(4, 2, [](HDC dc) {
    RECT r{0, 0, 4, 2};
    skel::win::UniqueBrush b(CreateSolidBrush(RGB(255, 0, 255)));
    FillRect(dc, &r, b.get());
  });
  tile.SaveBmp("tile.bmp");
  EXPECT_TRUE(bar.LoadFillGraphic("screens\\tile.bmp"));
  EXPECT_FALSE(bar.LoadFillGraphic("screens\\missing.bmp"));
  std::ofstream("screens\\not_a_picture.jpg") << "plain text";
  EXPECT_FALSE(bar.LoadFillGraphic("screens\\not_a_picture.jpg"));
  BarWindowLook look = ColourLook();
  look.useFillGraphic = true;
  bar.ApplyLook(look);
  bar.SetBarText("");
  bar.SetBarValue(50);
  Shot s = PrintedWindow(bar);
  EXPECT_EQ(s.At(10, 5), RGB(255, 0, 255));  // the tile, repeated
  EXPECT_EQ(s.At(100, 5), kWhite);
}

// ---- Tray icon ----

struct IconPixels {
  Shot colour;
  Shot mask;
};

IconPixels Pixels(HICON icon, int size) {
  IconPixels p;
  p.colour = Capture(size, size,
                     [&](HDC dc) { DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_IMAGE); });
  p.mask = Capture(size, size,
                   [&](HDC dc) { DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_MASK); });
  return p;
}

// The icon over a backdrop, enlarged for a look.
void SaveIconLook(HICON icon, int size, const std::string& name) {
  constexpr int kScale = 6;
  Shot s = Capture(size * kScale, size * kScale, [&](HDC dc) {
    RECT r{0, 0, size * kScale, size * kScale};
    skel::win::UniqueBrush b(CreateSolidBrush(RGB(40, 60, 90)));  // a dark taskbar
    FillRect(dc, &r, b.get());
    DrawIconEx(dc, 0, 0, icon, size * kScale, size * kScale, 0, nullptr, DI_NORMAL);
  });
  s.SaveBmp(name);
}

TEST(TrayIconDrawing, EachBandInItsColours) {
  struct Case {
    int percent;
    Colour background;
    const char* file;
  } cases[] = {{37, 49152, "tray_band1_37.bmp"},
               {63, 65535, "tray_band2_63.bmp"},
               {88, 255, "tray_band3_88.bmp"},
               {100, 255, "tray_band3_100.bmp"}};
  for (const auto& c : cases) {
    TrayDrawing d{std::to_string(c.percent), c.background, 0, TrayFont{}};
    skel::win::UniqueIcon icon = MakePercentIcon(d, 16);
    ASSERT_TRUE(icon) << c.percent;
    IconPixels p = Pixels(icon.get(), 16);
    SaveIconLook(icon.get(), 16, c.file);
    COLORREF bg = static_cast<COLORREF>(c.background);
    EXPECT_EQ(p.colour.At(0, 0), bg) << c.percent;
    EXPECT_EQ(p.colour.At(15, 15), bg) << c.percent;
    EXPECT_EQ(p.mask.At(0, 0), kBlack) << "background opaque at " << c.percent;
    int text = 0;
    for (uint32_t v : p.colour.px) text += (v & 0xFFFFFF) == 0;
    EXPECT_GT(text, 8) << "digits drawn in black at " << c.percent;
  }
}

TEST(TrayIconDrawing, HundredIsCutAtBothSidesAndPauseShowsBars) {
  // A font that makes "100" wider than the icon (the fonts of the test
  // system are narrower than the desktop's).
  TrayDrawing hundred{"100", 255, 0, TrayFont{"Verdana", 11.0f, true, false}};
  IconPixels p = Pixels(MakePercentIcon(hundred, 16).get(), 16);
  bool leftInk = false, rightInk = false;
  for (int y = 0; y < 16; ++y) {
    leftInk |= p.colour.At(0, y) == kBlack;
    rightInk |= p.colour.At(15, y) == kBlack;
  }
  EXPECT_TRUE(leftInk && rightInk) << "centred and cut at both sides";

  TrayDrawing pause{"||", 65535, 0, TrayFont{}};
  skel::win::UniqueIcon icon = MakePercentIcon(pause, 16);
  SaveIconLook(icon.get(), 16, "tray_paused.bmp");
  IconPixels q = Pixels(icon.get(), 16);
  int ink = 0;
  for (uint32_t v : q.colour.px) ink += (v & 0xFFFFFF) == 0;
  EXPECT_GT(ink, 6);
}

TEST(TrayIconDrawing, KeyColourBackgroundIsTransparent) {
  TrayDrawing d{"42", kTrayTransparentKey, 0, TrayFont{}};
  IconPixels p = Pixels(MakePercentIcon(d, 16).get(), 16);
  EXPECT_EQ(p.mask.At(0, 0), kWhite);  // see-through
  EXPECT_EQ(p.colour.At(0, 0), kBlack);
}

TEST(TrayIconDrawing, LargerIconsAreDrawnAtTheirSize) {
  TrayDrawing d{"63", 65535, 0, TrayFont{}};
  skel::win::UniqueIcon icon = MakePercentIcon(d, 32);
  ASSERT_TRUE(icon);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(icon.get(), &info));
  UniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
  BITMAP bm{};
  GetObjectA(colour.get(), sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, 32);
  SaveIconLook(icon.get(), 32, "tray_band2_63_32px.bmp");
  IconPixels p = Pixels(icon.get(), 32);
  int ink = 0;
  for (uint32_t v : p.colour.px) ink += (v & 0xFFFFFF) == 0;
  EXPECT_GT(ink, 40);  // glyphs drawn at 32 pixels, not a 16-pixel image stretched
}

TEST(TrayIcon, RecordAndLife) {
  TrayIcon tray(LoadIcon(nullptr, IDI_APPLICATION));
  tray.SetToolTip(std::string(200, 'x'));
  tray.Add();
  ASSERT_NE(tray.hwnd(), nullptr);
  char cls[64] = {};
  GetClassNameA(tray.hwnd(), cls, sizeof cls);
  EXPECT_STREQ(cls, "System Tray Icon Class");
  NOTIFYICONDATAA nid = tray.Record();
  EXPECT_EQ(nid.uID, 1u);
  EXPECT_EQ(nid.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
  EXPECT_EQ(nid.uCallbackMessage, 512u);
  EXPECT_EQ(std::string(nid.szTip).size(), 127u);

  TrayDrawing d{"50", 65535, 0, TrayFont{}};
  tray.ShowPercentIcon(d, tray.IconSize());
  HICON percent = tray.CurrentIcon();
  EXPECT_NE(percent, LoadIcon(nullptr, IDI_APPLICATION));
  // A re-created taskbar gets the icon again, with its current picture.
  SendMessageA(tray.hwnd(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  EXPECT_EQ(tray.CurrentIcon(), percent);
  int moves = 0, menus = 0, doubles = 0;
  tray.onMouseMove = [&] { ++moves; };
  tray.onContextMenu = [&](POINT) { ++menus; };
  tray.onDoubleClick = [&] { ++doubles; };
  SendMessageA(tray.hwnd(), 512, 1, WM_MOUSEMOVE);
  SendMessageA(tray.hwnd(), 512, 1, WM_RBUTTONUP);
  SendMessageA(tray.hwnd(), 512, 1, WM_LBUTTONDBLCLK);
  SendMessageA(tray.hwnd(), 512, 1, WM_RBUTTONDBLCLK);  // not the settings window
  SendMessageA(tray.hwnd(), 512, 1, WM_LBUTTONUP);      // a single click does nothing
  EXPECT_EQ(moves, 1);
  EXPECT_EQ(menus, 1);
  EXPECT_EQ(doubles, 1);
  tray.ShowProgramIcon();
  EXPECT_EQ(tray.CurrentIcon(), LoadIcon(nullptr, IDI_APPLICATION));
  tray.Remove();
  EXPECT_EQ(tray.hwnd(), nullptr);
  EXPECT_FALSE(tray.IsShown());
}

}  // namespace
}  // namespace skel::monitor::display::win
