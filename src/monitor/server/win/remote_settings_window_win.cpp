#include "monitor/server/win/remote_settings_window_win.h"

#include <commctrl.h>

#include "common/win/unique_any.h"
#include "monitor/server/win/input_box_win.h"

namespace skel::monitor::win {

RemoteSettingsWindowWin::RemoteSettingsWindowWin(std::function<HWND()> owner,
                                                 std::function<HWND(const std::string&)> control)
    : owner_(std::move(owner)), control_(std::move(control)) {}

int RemoteSettingsWindowWin::PopupMenu(const std::vector<std::string>& items) {
  skel::win::UniqueMenu menu(CreatePopupMenu());
  if (!menu) return -1;
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i].empty()) {
      AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
    } else {
      AppendMenuA(menu.get(), MF_STRING, i + 1, items[i].c_str());
    }
  }
  HWND owner = owner_ ? owner_() : nullptr;
  POINT at{};
  GetCursorPos(&at);
  // The owner must be foreground for the menu to close when the user
  // clicks elsewhere.
  if (owner) SetForegroundWindow(owner);
  int chosen = static_cast<int>(TrackPopupMenu(
      menu.get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr));
  if (owner) PostMessageA(owner, WM_NULL, 0, 0);
  return chosen - 1;
}

std::optional<std::string> RemoteSettingsWindowWin::InputBox(const std::string& prompt,
                                                             const std::string& title,
                                                             const std::string& defaultText) {
  return ShowInputBox(owner_ ? owner_() : nullptr, prompt, title, defaultText);
}

void AddListViewColumns(HWND listView, const std::vector<std::string>& headers) {
  if (!listView) return;
  // Already prepared (a second start-up step): nothing to add.
  HWND header = ListView_GetHeader(listView);
  if (header && Header_GetItemCount(header) > 0) return;
  for (size_t i = 0; i < headers.size(); ++i) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = const_cast<char*>(headers[i].c_str());
    column.cx = 80;
    column.iSubItem = static_cast<int>(i);
    SendMessageA(listView, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
  }
}

void FitListViewColumns(HWND listView) {
  if (!listView) return;
  HWND header = ListView_GetHeader(listView);
  int columns = header ? Header_GetItemCount(header) : 0;
  for (int i = 0; i + 1 < columns; ++i) {
    ListView_SetColumnWidth(listView, i, LVSCW_AUTOSIZE_USEHEADER);
    int withHeader = ListView_GetColumnWidth(listView, i);
    ListView_SetColumnWidth(listView, i, LVSCW_AUTOSIZE);
    int withContents = ListView_GetColumnWidth(listView, i);
    ListView_SetColumnWidth(listView, i, withHeader > withContents ? withHeader : withContents);
  }
}

void RemoteSettingsWindowWin::PrepareColumns() {
  if (!control_) return;
  AddListViewColumns(control_("ListView14"),
                     {kConnectionColumns.begin(), kConnectionColumns.end()});
  // The address lists show their entries in a single column.
  for (const char* name : {"List5", "List6"}) {
    HWND list = control_(name);
    AddListViewColumns(list, {""});
    if (list) ListView_SetColumnWidth(list, 0, LVSCW_AUTOSIZE_USEHEADER);
  }
  FitConnectionColumns();
}

namespace {

constexpr UINT_PTR kFitColumnsTimer = 0x5146;

void CALLBACK FitColumnsLater(HWND listView, UINT, UINT_PTR id, DWORD) {
  KillTimer(listView, id);
  FitListViewColumns(listView);
}

}  // namespace

// Fitting measures every row, so a burst of connections coming or going
// (hundreds of viewers at once) would cost rows x changes; the fits of one
// burst are folded into one, made as soon as the burst's messages are done.
void RemoteSettingsWindowWin::FitConnectionColumns() {
  HWND listView = control_ ? control_("ListView14") : nullptr;
  if (!listView) return;
  // Setting the timer again while it is pending only restarts it.
  SetTimer(listView, kFitColumnsTimer, 0, FitColumnsLater);
}

}  // namespace skel::monitor::win
