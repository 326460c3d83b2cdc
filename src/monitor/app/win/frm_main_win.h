// The settings window FrmMain: caption, menu bar, tab strip with one page
// per tab, the maker's link at the bottom, the main timer, and the close
// rules (the close box hides; every other close shuts the monitor down).
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>

#include "common/win/unique_any.h"
#include "monitor/shell/main_form.h"
#include "ui/win/control_host_win.h"
#include "ui/win/window_base_win.h"

namespace skel::monitor::win {

inline constexpr const char* kFrmMainClass = "SkelvaneFrmMain";
inline constexpr const char* kTabPageClass = "SkelvaneTabPage";
inline constexpr int kFrmMainWidthTwips = 7485;
inline constexpr int kFrmMainHeightTwips = 7005;
inline constexpr UINT_PTR kMainTickTimer = 1;

class FrmMainWindow : public ui::win::WindowBase {
 public:
  struct Callbacks {
    std::function<void(int command)> onMenuCommand;
    std::function<void(UINT_PTR timer)> onTimer;
    std::function<void()> onDestroyed;
  };

  FrmMainWindow(MainForm& form, Callbacks callbacks);
  ~FrmMainWindow() override;

  // Creates the window hidden, with its pages and controls.
  bool Create(const std::string& caption);
  void ShowAndFocus();
  void Hide();
  void ResetSize();
  void SelectTab(int index);
  void SetUpTimeCaption(const std::string& caption);
  void SetMenuChecked(int command, bool checked);
  HMENU MonitorMenu() const { return monitorMenu_; }
  ui::win::ControlHost& Host() { return host_; }
  // Opens the monitor's menu at a screen point (tray icon, bar window).
  void ShowMonitorMenu(POINT at);
  // Creates the controls that parts added to the model after Create().
  void CreatePendingControls();
  // Ends the window for good (after MainForm::Unload).
  void Destroy();

 protected:
  bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  void OnDestroyed() override;

 private:
  class Page;
  void BuildMenus();
  void LayoutPages();
  bool Close(MainForm::CloseReason reason);

  MainForm& form_;
  Callbacks callbacks_;
  ui::win::ControlHost host_;
  HWND tabs_ = nullptr;
  HWND link_ = nullptr;
  std::array<std::unique_ptr<Page>, 4> pages_;
  HMENU menuBar_ = nullptr;      // owned by the window once attached
  HMENU monitorMenu_ = nullptr;  // the "Menu" pop-up, shared with tray and bar
  HMENU upTimeMenu_ = nullptr;
  bool userClose_ = false;
  bool closing_ = false;
  UINT dpi_ = 96;
};

}  // namespace skel::monitor::win
