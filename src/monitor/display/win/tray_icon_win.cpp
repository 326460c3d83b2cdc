#include "monitor/display/win/tray_icon_win.h"

#include <commctrl.h>

#include <cstring>

#include "monitor/display/win/tray_drawing_win.h"

namespace skel::monitor::display::win {

TrayIcon::TrayIcon(HICON programIcon) : programIcon_(programIcon), icon_(programIcon) {}

TrayIcon::~TrayIcon() {
  Remove();
  for (HWND s : samples_) {
    if (s) RemoveWindowSubclass(s, &TrayIcon::SampleProc, 1);
  }
}

void TrayIcon::EnsureWindow() {
  if (hwnd()) return;
  RegisterClassOnce(kTrayWindowClass, nullptr, nullptr, 0);
  CreateWindowFor(kTrayWindowClass, "", WS_POPUP, 0, 0, 0, 0, 0, nullptr, nullptr);
  taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
  // An elevated monitor would otherwise never hear that the taskbar is back.
  if (taskbarCreated_) ChangeWindowMessageFilter(taskbarCreated_, MSGFLT_ADD);
}

NOTIFYICONDATAA TrayIcon::Record() const {
  NOTIFYICONDATAA nid{};
  nid.cbSize = sizeof nid;
  nid.hWnd = hwnd();
  nid.uID = kTrayIconId;
  nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  nid.uCallbackMessage = kTrayCallbackMessage;
  nid.hIcon = icon_;
  // The tip field holds 127 characters and the terminator.
  size_t n = tip_.size() < sizeof nid.szTip - 1 ? tip_.size() : sizeof nid.szTip - 1;
  std::memcpy(nid.szTip, tip_.data(), n);
  nid.szTip[n] = '\0';
  return nid;
}

void TrayIcon::Add() {
  EnsureWindow();
  wanted_ = true;
  NOTIFYICONDATAA nid = Record();
  added_ = Shell_NotifyIconA(NIM_ADD, &nid) != FALSE;
}

void TrayIcon::Remove() {
  if (hwnd()) {
    NOTIFYICONDATAA nid = Record();
    Shell_NotifyIconA(NIM_DELETE, &nid);
    DestroyWindow(hwnd());
  }
  wanted_ = false;
  added_ = false;
}

void TrayIcon::Modify() {
  // Changes while the icon is not shown are kept for the next add.
  if (!added_ || !hwnd()) return;
  NOTIFYICONDATAA nid = Record();
  Shell_NotifyIconA(NIM_MODIFY, &nid);
}

void TrayIcon::ShowProgramIcon() {
  icon_ = programIcon_;
  Modify();
  percentIcon_.reset();
}

int TrayIcon::IconSize() {
  using ForDpi = int(WINAPI*)(int, UINT);
  static auto forDpi = reinterpret_cast<ForDpi>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("user32.dll"), "GetSystemMetricsForDpi")));
  UINT dpi = ui::win::WindowDpi(hwnd());
  int size = forDpi ? forDpi(SM_CXSMICON, dpi) : GetSystemMetrics(SM_CXSMICON);
  return size > 0 ? size : 16;
}

void TrayIcon::ShowPercentIcon(const TrayDrawing& drawing, int size) {
  skel::win::UniqueIcon fresh = MakePercentIcon(drawing, size);
  if (!fresh) return;  // a failed drawing keeps the previous picture
  icon_ = fresh.get();
  Modify();
  percentIcon_ = std::move(fresh);
}

void TrayIcon::SetToolTip(const std::string& text) {
  tip_ = text;
  Modify();
}

void TrayIcon::PrepareSurfaces() {
  // The sample squares are 240 x 240 twips at their window's DPI.
  for (HWND s : samples_) {
    if (!s) continue;
    int px = ui::win::TwipsToPixels(240, ui::win::WindowDpi(s));
    SetWindowPos(s, nullptr, 0, 0, px, px, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void TrayIcon::SetSampleWindows(HWND band1, HWND band2, HWND band3) {
  samples_ = {band1, band2, band3};
  for (HWND s : samples_) {
    if (s) SetWindowSubclass(s, &TrayIcon::SampleProc, 1, reinterpret_cast<DWORD_PTR>(this));
  }
}

void TrayIcon::DrawSample(int band, const TrayDrawing& drawing) {
  if (band < 1 || band > 3) return;
  sampleDrawings_[band - 1] = drawing;
  if (samples_[band - 1]) InvalidateRect(samples_[band - 1], nullptr, TRUE);
}

LRESULT CALLBACK TrayIcon::SampleProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                      DWORD_PTR data) {
  try {
    auto* self = reinterpret_cast<TrayIcon*>(data);
    if (msg == WM_PAINT) {
      for (size_t i = 0; i < self->samples_.size(); ++i) {
        if (self->samples_[i] != hwnd) continue;
        skel::win::PaintGuard paint(hwnd);
        RECT rc{};
        GetClientRect(hwnd, &rc);
        skel::win::UniqueFont font = MakeTrayFont(self->sampleDrawings_[i].font, rc.right);
        DrawTrayText(paint.dc(), rc, self->sampleDrawings_[i], font.get());
        return 0;
      }
    } else if (msg == WM_ERASEBKGND) {
      return 1;
    }
  } catch (...) {
  }
  return DefSubclassProc(hwnd, msg, wp, lp);
}

bool TrayIcon::HandleMessage(UINT msg, WPARAM, LPARAM lp, LRESULT& result) {
  if (msg == kTrayCallbackMessage) {
    switch (static_cast<UINT>(lp)) {
      case WM_MOUSEMOVE:
        if (onMouseMove) onMouseMove();
        break;
      case WM_RBUTTONUP:
        if (onContextMenu) {
          POINT pt{};
          GetCursorPos(&pt);
          onContextMenu(pt);
        }
        break;
      case WM_LBUTTONDBLCLK:
        if (onDoubleClick) onDoubleClick();
        break;
      default:
        break;
    }
    result = 0;
    return true;
  }
  if (taskbarCreated_ && msg == taskbarCreated_) {
    // The taskbar came back (or first appeared): add the icon again.
    if (wanted_) {
      NOTIFYICONDATAA nid = Record();
      Shell_NotifyIconA(NIM_DELETE, &nid);
      added_ = Shell_NotifyIconA(NIM_ADD, &nid) != FALSE;
    }
    result = 0;
    return true;
  }
  return false;
}

}  // namespace skel::monitor::display::win
