#include "monitor/core/win/window_positions_win.h"

#include <cmath>
#include <string>

#include "common/number_format.h"
#include "monitor/core/setting_conversions.h"
#include "monitor/core/win/registry_win.h"

namespace skel::monitor::win {

DesktopGeometry CurrentDesktop() {
  DesktopGeometry d;
  if (HDC screen = ::GetDC(nullptr)) {
    int dpiX = ::GetDeviceCaps(screen, LOGPIXELSX);
    int dpiY = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    if (dpiX > 0) d.twipsPerPixelX = 1440.0 / dpiX;
    if (dpiY > 0) d.twipsPerPixelY = 1440.0 / dpiY;
  }
  d.left = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
  d.top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
  d.width = ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
  d.height = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
  return d;
}

WindowRectTwips WindowRectInTwips(HWND hwnd, const DesktopGeometry& desktop) {
  RECT r{};
  ::GetWindowRect(hwnd, &r);
  return WindowRectTwips{r.left * desktop.twipsPerPixelX, r.top * desktop.twipsPerPixelY,
                         (r.right - r.left) * desktop.twipsPerPixelX,
                         (r.bottom - r.top) * desktop.twipsPerPixelY};
}

bool SaveWindowPosition(HWND hwnd, std::string_view formName, std::string_view topText,
                        std::string_view leftText) {
  DesktopGeometry desktop = CurrentDesktop();
  WindowRectTwips rect = WindowRectInTwips(hwnd, desktop);
  WinRegistry registry;
  return monitor::SaveWindowPosition(registry, formName, topText, leftText, rect.width, rect.height,
                                     desktop);
}

bool SaveWindowPosition(HWND hwnd, std::string_view formName) {
  DesktopGeometry desktop = CurrentDesktop();
  WindowRectTwips rect = WindowRectInTwips(hwnd, desktop);
  const LocaleSeparators& separators = CurrentSeparators();
  WinRegistry registry;
  return monitor::SaveWindowPosition(
      registry, formName, SingleText(static_cast<float>(rect.top), separators),
      SingleText(static_cast<float>(rect.left), separators), rect.width, rect.height, desktop);
}

bool RestoreWindowPosition(HWND hwnd, std::string_view formName) {
  DesktopGeometry desktop = CurrentDesktop();
  WindowRectTwips rect = WindowRectInTwips(hwnd, desktop);
  WinRegistry registry;
  std::optional<RestoredPosition> pos =
      monitor::RestoreWindowPosition(registry, formName, rect.width, rect.height, desktop);
  if (!pos) return false;
  int x = static_cast<int>(std::lround(pos->left / desktop.twipsPerPixelX));
  int y = static_cast<int>(std::lround(pos->top / desktop.twipsPerPixelY));
  return ::SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) !=
         FALSE;
}

bool ResetWindowPositions() {
  WinRegistry registry;
  return monitor::ResetWindowPositions(registry);
}

}  // namespace skel::monitor::win
