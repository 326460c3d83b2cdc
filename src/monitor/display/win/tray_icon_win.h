// The notification-area icon: Shell_NotifyIconA with icon id 1 and the
// callback message WM_MOUSEMOVE, sent to a hidden window of the class
// "System Tray Icon Class" that also hears "TaskbarCreated" (let through the
// message filter so it arrives when the monitor runs elevated) and then adds
// the icon again. Also paints the three band sample squares.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <array>
#include <functional>
#include <string>

#include "common/win/unique_any.h"
#include "monitor/display/display_ports.h"
#include "ui/win/window_base_win.h"

namespace skel::monitor::display::win {

inline constexpr const char* kTrayWindowClass = "System Tray Icon Class";
inline constexpr UINT kTrayIconId = 1;
inline constexpr UINT kTrayCallbackMessage = WM_MOUSEMOVE;

class TrayIcon : public ui::win::WindowBase, public TrayIconPort {
 public:
  // `programIcon` is shown until the first percentage (not owned).
  explicit TrayIcon(HICON programIcon);
  ~TrayIcon() override;

  std::function<void()> onMouseMove;                     // rebuild the tooltip
  std::function<void(POINT screenPoint)> onContextMenu;  // right button released
  std::function<void()> onDoubleClick;                   // left double click

  // The sample squares PicExample1..3 (windows of the settings window).
  void SetSampleWindows(HWND band1, HWND band2, HWND band3);

  // TrayIconPort.
  void PrepareSurfaces() override;
  void Add() override;
  void Remove() override;
  void ShowProgramIcon() override;
  int IconSize() override;
  void ShowPercentIcon(const TrayDrawing& drawing, int size) override;
  void SetToolTip(const std::string& text) override;
  void DrawSample(int band, const TrayDrawing& drawing) override;

  bool IsShown() const { return added_; }
  HICON CurrentIcon() const { return icon_; }
  const std::string& ToolTip() const { return tip_; }
  // The record the system gets (for tests).
  NOTIFYICONDATAA Record() const;

 protected:
  bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

 private:
  static LRESULT CALLBACK SampleProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                     DWORD_PTR data);
  void EnsureWindow();
  void Modify();

  HICON programIcon_;
  HICON icon_;
  skel::win::UniqueIcon percentIcon_;
  std::string tip_;
  bool wanted_ = false;
  bool added_ = false;
  UINT taskbarCreated_ = 0;
  std::array<HWND, 3> samples_{};
  std::array<TrayDrawing, 3> sampleDrawings_{};
};

}  // namespace skel::monitor::display::win
