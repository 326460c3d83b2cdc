#include "monitor/display/win/bar_window_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include "monitor/core/win/window_positions_win.h"
#include "monitor/display/win/bar_painter_win.h"
#include "monitor/display/win/gdi_colour_win.h"

namespace skel::monitor::display::win {
namespace {

using skel::win::SelectGuard;
using skel::win::UniqueBitmap;
using skel::win::UniqueBrush;
using skel::win::UniqueDc;

constexpr UINT_PTR kBlendTimer = 1;
constexpr UINT_PTR kToolId = 1;
// Places of the two texts (twips, relative to the window).
constexpr int kTextLeft = 30, kTextWidth = 2235;
constexpr int kUpperTop = 180, kUpperHeight = 180;
constexpr int kLowerTop = 360, kLowerHeight = 210;

UINT AlignFlag(TextAlign a) {
  switch (a) {
    case TextAlign::Center:
      return DT_CENTER;
    case TextAlign::Right:
      return DT_RIGHT;
    default:
      return DT_LEFT;
  }
}

}  // namespace

BarWindow::BarWindow() : builtIn_(MakeBuiltInFillGraphic(false)) {
  afterDrag = [this] {
    if (hwnd()) skel::monitor::win::SaveWindowPosition(hwnd(), "FrmMonitor");
  };
}

BarWindow::~BarWindow() {
  Destroy();
}

void BarWindow::Create() {
  if (hwnd()) return;
  RegisterClassOnce(kBarWindowClass, nullptr, nullptr, CS_DBLCLKS);
  // An owned window has no taskbar button, whatever extended style the
  // window effects later give it.
  owner_.reset(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr));
  dpi_ = ui::win::WindowDpi(nullptr);
  HWND h = CreateWindowFor(kBarWindowClass, kBarWindowTitle, WS_POPUP, 0, 0, 0, Px(windowWidth_),
                           Px(windowHeight_), owner_.get(), nullptr);
  if (!h) return;
  dpi_ = ui::win::WindowDpi(h);
  MakeFont();
  ApplySize();
  // The bar's balloon tooltip.
  toolTip_.reset(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                 WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX | TTS_BALLOON, 0, 0, 0, 0,
                                 h, nullptr, GetModuleHandleA(nullptr), nullptr));
  if (toolTip_) {
    TTTOOLINFOA ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_SUBCLASS;
    ti.hwnd = h;
    ti.uId = kToolId;
    ti.lpszText = const_cast<char*>(kBarToolTip);
    SIZE bar = BarPixels();
    ti.rect = RECT{0, 0, bar.cx, bar.cy};
    SendMessageA(toolTip_.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
  }
}

void BarWindow::Destroy() {
  toolTip_.reset();
  if (hwnd()) {
    KillTimer(hwnd(), kBlendTimer);
    DestroyWindow(hwnd());
  }
  owner_.reset();
}

void BarWindow::Show(bool visible) {
  if (hwnd()) ShowWindow(hwnd(), visible ? SW_SHOWNA : SW_HIDE);
}

SIZE BarWindow::BarPixels() const {
  return SIZE{Px(barWidth_), Px(barHeight_)};
}
SIZE BarWindow::WindowPixels() const {
  return SIZE{Px(windowWidth_), Px(windowHeight_)};
}

void BarWindow::SetWindowSize(int widthTwips, int heightTwips) {
  windowWidth_ = widthTwips;
  windowHeight_ = heightTwips;
  ApplySize();
}

void BarWindow::SetWindowWidth(int widthTwips) {
  windowWidth_ = widthTwips;
  ApplySize();
}

void BarWindow::SetBarWidth(int widthTwips) {
  barWidth_ = widthTwips;
  UpdateToolTipRect();
  RepaintBar();
}

void BarWindow::ApplySize() {
  if (!hwnd()) return;
  SIZE s = WindowPixels();
  SetWindowPos(hwnd(), nullptr, 0, 0, s.cx, s.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ApplyRegion();
  InvalidateRect(hwnd(), nullptr, FALSE);
}

void BarWindow::ApplyRegion() {
  if (!hwnd()) return;
  SIZE s = WindowPixels();
  int corner = roundCorners_ ? 7 : 0;
  // The region's right and bottom edges are exclusive: one more keeps the
  // last column and row of the window.
  HRGN region = CreateRoundRectRgn(0, 0, s.cx + 1, s.cy + 1, corner, corner);
  if (region && !SetWindowRgn(hwnd(), region, TRUE)) DeleteObject(region);
}

void BarWindow::MakeFont() {
  // Verdana 6.75 point bold, at this monitor's DPI.
  font_.reset(CreateFontA(-MulDiv(675, static_cast<int>(dpi_), 7200), 0, 0, 0, FW_BOLD, FALSE,
                          FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                          DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Verdana"));
}

void BarWindow::UpdateToolTipRect() {
  if (!toolTip_ || !hwnd()) return;
  TTTOOLINFOA ti{};
  ti.cbSize = sizeof ti;
  ti.hwnd = hwnd();
  ti.uId = kToolId;
  SIZE bar = BarPixels();
  ti.rect = RECT{0, 0, bar.cx, bar.cy};
  SendMessageA(toolTip_.get(), TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&ti));
}

void BarWindow::ApplyLook(const BarWindowLook& look) {
  if (look.blend) {
    SetThemeBackColor(*this, 1);
  } else {
    SetThemeBackColor(*this, look.windowBack);
  }
  SetThemeForeColor(*this, look.windowText);
  bar_.textColour = look.barText;
  bar_.background = look.barBack;
  if (roundCorners_ != look.roundCorners) {
    roundCorners_ = look.roundCorners;
  }
  ApplyRegion();
  bar_.border = look.border;
  useGraphic_ = look.useFillGraphic;
  if (!look.useFillGraphic) bar_.fillColour = look.fillColour;
  bar_.fillTextColour = look.fillText;
  if (look.blend && hwnd()) SetTimer(hwnd(), kBlendTimer, 250, nullptr);
  if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
  RepaintBar();
}

void BarWindow::SetAlignment(TextAlign upper, TextAlign lower) {
  upperAlign_ = upper;
  lowerAlign_ = lower;
  if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
}

// The tick sets both every second; painting only what changed keeps an
// idle monitor idle.
void BarWindow::SetBarValue(int value) {
  if (bar_.value == value) return;
  bar_.value = value;
  RepaintBar();
}

void BarWindow::SetBarText(const std::string& text) {
  if (bar_.text == text) return;
  bar_.text = text;
  RepaintBar();
}

void BarWindow::SetTexts(const std::string& upper, const std::string& lower) {
  if (upper == upper_ && lower == lower_) return;
  upper_ = upper;
  lower_ = lower;
  if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
}

void BarWindow::RepaintBar() {
  if (!hwnd()) return;
  SIZE bar = BarPixels();
  RECT rc{0, 0, bar.cx, bar.cy};
  InvalidateRect(hwnd(), &rc, FALSE);
  UpdateWindow(hwnd());
}

void BarWindow::MoveToBottomRight() {
  if (!hwnd()) return;
  RECT work{};
  if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) return;
  SIZE s = WindowPixels();
  SetWindowPos(hwnd(), nullptr, work.right - s.cx, work.bottom - s.cy, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void BarWindow::RestorePosition() {
  if (hwnd()) skel::monitor::win::RestoreWindowPosition(hwnd(), "FrmMonitor");
}

bool BarWindow::LoadFillGraphic(const std::string& path) {
  OwnedGraphic g = LoadPictureFile(path);
  if (!g.bitmap) return false;
  chosen_ = std::move(g);
  useChosen_ = true;
  RepaintBar();
  return true;
}

void BarWindow::UseBuiltInFillGraphic(bool compact) {
  builtIn_ = MakeBuiltInFillGraphic(compact);
  useChosen_ = false;
  RepaintBar();
}

std::vector<std::string> BarWindow::ControlNames() const {
  return {"PB(0)", "Label2", "Label1"};
}

void BarWindow::SetControlBackColour(const std::string&, Colour) {
  // Both texts are transparent: the window's background shows behind them.
}

void BarWindow::SetControlForeColour(const std::string& name, Colour colour) {
  if (name == "Label2") upperFore_ = colour;
  if (name == "Label1") lowerFore_ = colour;
}

void BarWindow::SetWindowBackColour(Colour colour) {
  windowBack_ = colour;
}

void BarWindow::DrawLabel(HDC dc, const std::string& text, int leftTw, int topTw, int widthTw,
                          int heightTw, TextAlign align, Colour fore) {
  RECT rc{Px(leftTw), Px(topTw), Px(leftTw + widthTw), Px(topTw + heightTw)};
  SetTextColor(dc, ResolveColour(fore));
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rc,
            AlignFlag(align) | DT_SINGLELINE | DT_NOPREFIX | DT_TOP);
}

void BarWindow::RenderTo(HDC target) {
  if (!hwnd()) return;
  RECT client{};
  GetClientRect(hwnd(), &client);
  int w = client.right, h = client.bottom;
  if (w <= 0 || h <= 0) return;
  UniqueDc buffer(CreateCompatibleDC(target));
  UniqueBitmap pixels(CreateCompatibleBitmap(target, w, h));
  if (!buffer || !pixels) return;
  SelectGuard selectPixels(buffer.get(), pixels.get());
  HDC dc = buffer.get();
  UniqueBrush back(CreateSolidBrush(ResolveColour(windowBack_)));
  FillRect(dc, &client, back.get());
  SelectGuard selectFont(dc, font_.get());
  SetBkMode(dc, TRANSPARENT);
  DrawLabel(dc, upper_, kTextLeft, kUpperTop, kTextWidth, kUpperHeight, upperAlign_, upperFore_);
  DrawLabel(dc, lower_, kTextLeft, kLowerTop, kTextWidth, kLowerHeight, lowerAlign_, lowerFore_);
  SIZE bar = BarPixels();
  BarState state = bar_;
  const OwnedGraphic& g = useChosen_ ? chosen_ : builtIn_;
  state.hasFillGraphic = useGraphic_ && g.bitmap;
  PaintBar(dc, 0, 0, PlanBarPaint(state, bar.cx, bar.cy), font_.get(),
           FillGraphic{g.bitmap.get(), g.width, g.height});
  BitBlt(target, 0, 0, w, h, dc, 0, 0, SRCCOPY);
}

bool BarWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  switch (msg) {
    case WM_PAINT: {
      skel::win::PaintGuard paint(hwnd());
      if (paint.dc()) RenderTo(paint.dc());
      result = 0;
      return true;
    }
    case WM_PRINTCLIENT:
      RenderTo(reinterpret_cast<HDC>(wp));
      result = 0;
      return true;
    case WM_ERASEBKGND:
      result = 1;  // everything is painted in WM_PAINT
      return true;
    case WM_MOUSEMOVE:
      // Exactly the left button held: the system moves the window with the
      // mouse as if its caption were dragged, and returns when it is dropped.
      if (wp == MK_LBUTTON) {
        ReleaseCapture();
        SendMessageA(hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
        if (afterDrag) afterDrag();
      }
      result = 0;
      return true;
    case WM_RBUTTONUP:
      if (onContextMenu) {
        POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        ClientToScreen(hwnd(), &pt);
        onContextMenu(pt);
      }
      result = 0;
      return true;
    case WM_LBUTTONDBLCLK:
      if (onDoubleClick) onDoubleClick();
      result = 0;
      return true;
    case WM_ACTIVATE:
      if (LOWORD(wp) != WA_INACTIVE && onActivate) onActivate();
      return false;
    case WM_TIMER:
      if (wp == kBlendTimer) {
        KillTimer(hwnd(), kBlendTimer);
        if (onBlendTimer) onBlendTimer();
        result = 0;
        return true;
      }
      return false;
    case WM_DPICHANGED: {
      dpi_ = HIWORD(wp);
      MakeFont();
      auto* suggested = reinterpret_cast<const RECT*>(lp);
      SIZE s = WindowPixels();
      SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top, s.cx, s.cy,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      ApplyRegion();
      UpdateToolTipRect();
      InvalidateRect(hwnd(), nullptr, FALSE);
      result = 0;
      return true;
    }
    case WM_DESTROY:
      KillTimer(hwnd(), kBlendTimer);
      return false;
    default:
      return false;
  }
}

}  // namespace skel::monitor::display::win
