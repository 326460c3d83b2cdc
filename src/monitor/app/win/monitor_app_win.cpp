#include "monitor/app/win/monitor_app_win.h"

#include <shellapi.h>

#include "monitor/core/win/window_positions_win.h"
#include "monitor/shell/monitor_menu.h"
#include "monitor/shell/web_addresses.h"
#include "ui/win/window_base_win.h"

#ifndef SKEL_VERSION_TEXT
#define SKEL_VERSION_TEXT "0.0.0"
#endif

namespace skel::monitor::win {

bool ShellLauncher::Start(const std::string& path, const std::string& arguments, int showState) {
  std::string commandLine = "\"" + path + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = static_cast<WORD>(showState);
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &si, &pi)) {
    return false;
  }
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return true;
}

bool ShellLauncher::Open(const std::string& target, const std::string& workingFolder) {
  auto r = reinterpret_cast<INT_PTR>(
      ShellExecuteA(nullptr, "open", target.c_str(), nullptr,
                    workingFolder.empty() ? nullptr : workingFolder.c_str(), SW_SHOWNORMAL));
  return r > 32;
}

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

void MonitorApp::WireHooks() {
  MainFormHooks& h = form_->Hooks();
  h.processMessages = [] { ui::win::ProcessPendingMessages(); };
  h.centreAndRestorePosition = [this] {
    HWND w = window_->hwnd();
    RECT r{};
    GetWindowRect(w, &r);
    int width = r.right - r.left, height = r.bottom - r.top;
    SetWindowPos(w, nullptr, GetSystemMetrics(SM_CXSCREEN) / 2 - width / 2,
                 GetSystemMetrics(SM_CYSCREEN) / 2 - height / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RestoreWindowPosition(w, "FrmMain");
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
    if (window_->hwnd()) KillTimer(window_->hwnd(), kMainTickTimer);
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
  if (!window_->Create(SettingsWindowCaption(form_->versionText))) return false;
  WireHooks();
  window_->CreatePendingControls();
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
  switch (command) {
    case kMenuMonitorSettings:
      window_->ShowAndFocus();
      break;
    case kMenuResetWindowPositions:
      ResetWindowPositions();
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
