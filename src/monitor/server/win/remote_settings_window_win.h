// The window side of the "Remote Settings" tab: pop-up menus at the mouse,
// the input box, and the columns of the connection list and the two
// address lists (report-style list views).
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "monitor/server/stats_server.h"

namespace skel::monitor::win {

class RemoteSettingsWindowWin : public RemoteSettingsWindow {
 public:
  // owner: the settings window (menus and the input box belong to it);
  // control: the HWND of a named control, nullptr when it does not exist.
  RemoteSettingsWindowWin(std::function<HWND()> owner,
                          std::function<HWND(const std::string&)> control);

  int PopupMenu(const std::vector<std::string>& items) override;
  std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                      const std::string& defaultText) override;
  void PrepareColumns() override;
  void FitConnectionColumns() override;

 private:
  std::function<HWND()> owner_;
  std::function<HWND(const std::string&)> control_;
};

// The pieces, for tests and other windows.
void AddListViewColumns(HWND listView, const std::vector<std::string>& headers);
// Every column but the last: the wider of its header and its contents.
void FitListViewColumns(HWND listView);

}  // namespace skel::monitor::win
