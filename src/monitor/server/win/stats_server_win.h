// Everything the monitor program owns for its statistics server, wired in
// one call: the listeners on the socket component's process-wide module,
// the address-list files, and the tab's menus, input box and list columns.
//
// Call it before the settings window creates its controls (the tab's
// controls must be in the model by then) and before MainForm::Load. Route a
// right-button release over ListView14, List5 or List6 to
// server->OnRightMouseUp(name); the list views must report their selection
// to the model (UserSelect) for the menus to act on it.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "monitor/server/socket_control_adapter.h"
#include "monitor/server/stats_server.h"
#include "monitor/server/win/remote_settings_window_win.h"
#include "monitor/server/win/text_file_store_win.h"

namespace skel::monitor::win {

struct StatsServerWin {
  StatsServerWin(std::function<HWND()> owner, std::function<HWND(const std::string&)> control);

  TextFileStoreWin files;
  SocketControlFactory sockets;
  RemoteSettingsWindowWin window;
  std::unique_ptr<StatsServer> server;
};

// runCleaner: the monitor's RunCleaner. upTimeText may be empty: the
// sampler's text (set by the main tick) is used then.
std::unique_ptr<StatsServerWin> AttachStatsServerWin(
    MainForm& form, StatsSampler& sampler, FileCacheSource& fileCache,
    std::function<void()> runCleaner, std::function<HWND()> owner,
    std::function<HWND(const std::string&)> control, const std::string& programFolder);

}  // namespace skel::monitor::win
