#include "monitor/app/win/monitor_app_win.h"

#include "monitor/core/win/window_positions_win.h"
#include "monitor/shell/monitor_menu.h"
#include "monitor/shell/web_addresses.h"
#include "ui/win/window_base_win.h"

#ifndef SKEL_VERSION_TEXT
#define SKEL_VERSION_TEXT "0.0.0"
#endif

namespace skel::monitor::win {

MonitorApp::MonitorApp() : programFolder_(ProgramFolder()) {
  settings_ = std::make_unique<MonitorSettings>(profileStore_, SettingsFilePath(programFolder_));
  form_ = std::make_unique<MainForm>(*settings_);
  form_->versionText = SKEL_VERSION_TEXT;
  sampler_ = std::make_unique<StatsSampler>(performance_);
  FrmMainWindow::Callbacks callbacks;
  callbacks.onMenuCommand = [this](int command) { OnMenuCommand(command); };
  callbacks.onTimer = [this](UINT_PTR timer) { OnTimer(timer); };
  callbacks.onDestroyed = [] { PostQuitMessage(0); };
  window_ = std::make_unique<FrmMainWindow>(*form_, std::move(callbacks));
}

MonitorApp::~MonitorApp() = default;

namespace {

// Left = half the screen width minus half the window width; top likewise.
void CentreOnPrimaryScreen(HWND w) {
  if (!w) return;
  RECT r{};
  GetWindowRect(w, &r);
  SetWindowPos(w, nullptr, GetSystemMetrics(SM_CXSCREEN) / 2 - (r.right - r.left) / 2,
               GetSystemMetrics(SM_CYSCREEN) / 2 - (r.bottom - r.top) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void MonitorApp::RunCleanerNow() {
  if (automation_) automation_->Logic().RunCleaner();
}

// Every part adds its controls, handlers, settings and hooks to the form
// before the window creates the controls and the load handler runs.
void MonitorApp::AttachParts() {
  automation_ = std::make_unique<AutomationAppWin>(*form_, *sampler_, fileCache_, programFolder_);

  HICON programIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
  bar_ = std::make_unique<display::win::BarWindow>();
  tray_ = std::make_unique<display::win::TrayIcon>(programIcon);
  dialogs_ = std::make_unique<display::win::DisplayDialogsWin>([this] { return window_->hwnd(); });
  display::DisplayServices services;
  services.snapshot = [this]() -> const StatsSnapshot& { return sampler_->Snapshot(); };
  services.queryFileCache = [this] { sampler_->GetFileCacheInfo(fileCache_); };
  services.settingsCaption = [this] {
    char caption[256] = {};
    if (window_->hwnd()) GetWindowTextA(window_->hwnd(), caption, sizeof caption);
    return std::string(caption);
  };
  services.advancedMonitorPaused = [this] { return automation_ && automation_->Logic().Paused(); };
  // Giving the focus to a hidden window fails and changes nothing; it must
  // not show the window.
  services.focusSettingsWindow = [this] {
    if (window_->hwnd() && IsWindowVisible(window_->hwnd())) SetFocus(window_->hwnd());
  };
  // The settings window is the only other window so far.
  services.centreOtherWindows = [this] { CentreOnPrimaryScreen(window_->hwnd()); };
  services.resetStoredPositions = [] { ResetWindowPositions(); };
  services.programFolder = [this] { return programFolder_; };
  services.clockSeconds = [] { return GetTickCount() / 1000.0; };
  display_ = std::make_unique<display::MonitorDisplay>(*form_, *bar_, *tray_, *dialogs_, services);
  display_->Attach();
  bar_->onDoubleClick = [this] { RunCleanerNow(); };
  bar_->onContextMenu = [this](POINT at) { window_->ShowMonitorMenu(at); };
  bar_->onActivate = [this] { display_->OnBarActivated(); };
  tray_->onMouseMove = [this] { display_->RebuildToolTip(); };
  tray_->onContextMenu = [this](POINT at) { window_->ShowMonitorMenu(at); };
  tray_->onDoubleClick = [this] { window_->ShowAndFocus(); };

  server_ = AttachStatsServerWin(
      *form_, *sampler_, fileCache_, [this] { RunCleanerNow(); },
      [this] { return window_->hwnd(); },
      [this](const std::string& name) { return window_->Host().Hwnd(name); }, programFolder_);
  window_->Host().onRightMouseUp = [this](const std::string& name) {
    if (server_ && server_->server) server_->server->OnRightMouseUp(name);
  };
}

void MonitorApp::WireHooks() {
  MainFormHooks& h = form_->Hooks();
  h.processMessages = [] { ui::win::ProcessPendingMessages(); };
  h.centreAndRestorePosition = [this] {
    CentreOnPrimaryScreen(window_->hwnd());
    RestoreWindowPosition(window_->hwnd(), "FrmMain");
  };
  h.selectFirstTab = [this] { window_->SelectTab(0); };
  h.openUpTimeQuery = [this] { upTime_ = std::make_unique<WinUpTimeSource>(); };
  h.hideWindow = [this] { window_->Hide(); };
  h.setCaption = [this] {
    SetWindowTextA(window_->hwnd(), SettingsWindowCaption(form_->versionText).c_str());
  };
  h.startMainTimers = [this] { SetTimer(window_->hwnd(), kMainTickTimer, 1000, nullptr); };
  h.resetWindowSize = [this] { window_->ResetSize(); };
  h.systemUpTimeText = [this] {
    return upTime_ ? GetSystemUpTimeText(*upTime_, upTimeMenu_) : FormatUpTime(0);
  };
  h.setUpTimeCaption = [this](const std::string& text) {
    window_->SetUpTimeCaption(std::string(kUpTimeCaptionPrefix) + text);
    sampler_->SetUpTimeText(text);
  };
  h.sampleStats = [this] { sampler_->SampleStats(); };
  h.wholePercent = [this] { return sampler_->Snapshot().lCurrentMemoryUsedPercent; };
  h.stopTimers = [this] {
    if (!window_->hwnd()) return;
    KillTimer(window_->hwnd(), kMainTickTimer);
    if (automation_) automation_->StopTimers(window_->hwnd());
  };
  h.closeUpTimeQuery = [this] { upTime_.reset(); };
  h.saveWindowPosition = [this] { SaveWindowPosition(window_->hwnd(), "FrmMain"); };

  // The up-time source: two menu marks that also live in the settings file.
  form_->BindSetting("MenuGetTickCount", [this] {
    upTimeMenu_ = UpTimeMenu::Load(*settings_);
    window_->SetMenuChecked(kMenuUpTimeTickCount, upTimeMenu_.tickCountChecked);
    window_->SetMenuChecked(kMenuUpTimeCounters, upTimeMenu_.counterChecked);
  });
  form_->BindSetting("MenuPerformanceCounters", [] {});
}

bool MonitorApp::Start() {
  AttachParts();
  if (!window_->Create(SettingsWindowCaption(form_->versionText))) return false;
  WireHooks();
  window_->CreatePendingControls();
  tray_->SetSampleWindows(window_->Host().Hwnd(display::names::kTraySamples[0]),
                          window_->Host().Hwnd(display::names::kTraySamples[1]),
                          window_->Host().Hwnd(display::names::kTraySamples[2]));
  // The minute timers run from the loading of the settings window.
  automation_->StartTimers(window_->hwnd());
  ui::win::ProcessPendingMessages();
  if (!form_->Load()) {
    window_->Destroy();
    return false;
  }
  return true;
}

int MonitorApp::Run() {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (!IsDialogMessageA(window_->hwnd(), &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  return 0;
}

void MonitorApp::OnTimer(UINT_PTR timer) {
  if (automation_ && automation_->OnTimer(window_->hwnd(), timer)) return;
  if (timer == kMainTickTimer) {
    if (!form_->Tick() && window_->hwnd()) KillTimer(window_->hwnd(), kMainTickTimer);
  }
}

void MonitorApp::ChooseUpTimeSource(bool tickCount) {
  if (tickCount) {
    upTimeMenu_.tickCountChecked = true;
    upTimeMenu_.counterChecked = false;
  } else {
    upTimeMenu_.tickCountChecked = false;
    upTimeMenu_.counterChecked = true;
  }
  window_->SetMenuChecked(kMenuUpTimeTickCount, upTimeMenu_.tickCountChecked);
  window_->SetMenuChecked(kMenuUpTimeCounters, upTimeMenu_.counterChecked);
  ui::win::ProcessPendingMessages();
  if (tickCount) {
    upTimeMenu_.ChooseTickCount(*settings_);
  } else {
    upTimeMenu_.ChooseCounter(*settings_);
  }
}

void MonitorApp::OnMenuCommand(int command) {
  if (automation_ && automation_->OnMenuCommand(command)) {
    if (command == kMenuPauseAdvancedMonitor) {
      window_->SetMenuChecked(kMenuPauseAdvancedMonitor, automation_->Logic().Paused());
      // The tray shows "||" while paused and the percentage again after.
      display_->UpdateTrayIcon(form_->lCurrentMemoryUsedPercent);
    }
    return;
  }
  switch (command) {
    case kMenuShowHideMonitor:
      display_->MenuShowHideMonitor();
      break;
    case kMenuShowHideText:
      display_->MenuShowHideText();
      break;
    case kMenuMonitorSettings:
      window_->ShowAndFocus();
      break;
    case kMenuResetWindowPositions:
      display_->ResetWindowPositionsNow();
      break;
    case kMenuFollowMaker:
      launcher_.Open(kMakerSocialPage, "");
      break;
    case kMenuHelpOnline:
      launcher_.Open(kOnlineHelpPage, programFolder_);
      break;
    case kMenuVisitWebsite:
      launcher_.Open(kProductPage, programFolder_);
      break;
    case kMenuUpTimeTickCount:
      ChooseUpTimeSource(true);
      break;
    case kMenuUpTimeCounters:
      ChooseUpTimeSource(false);
      break;
    default:
      break;
  }
}

}  // namespace skel::monitor::win
