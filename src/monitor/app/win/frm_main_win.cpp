#include "monitor/app/win/frm_main_win.h"

#include <commctrl.h>

#include "monitor/shell/monitor_menu.h"

namespace skel::monitor::win {

using ui::win::TwipsToPixels;

// A tab page: a plain child window that hands its controls' notifications
// to the control host.
class FrmMainWindow::Page : public ui::win::WindowBase {
 public:
  Page(ui::win::ControlHost& host) : host_(host) {}
  HWND Create(HWND parent) {
    RegisterClassOnce(kTabPageClass, nullptr, GetSysColorBrush(COLOR_BTNFACE), 0);
    return CreateWindowFor(kTabPageClass, "", WS_CHILD | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, 0, 0,
                           10, 10, parent, nullptr);
  }

 protected:
  bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override {
    switch (msg) {
      case WM_COMMAND:
        if (host_.OnCommand(wp, lp)) {
          result = 0;
          return true;
        }
        return false;
      case WM_NOTIFY:
        return host_.OnNotify(lp, result);
      case WM_HSCROLL:
        if (host_.OnScroll(lp)) {
          result = 0;
          return true;
        }
        return false;
      case WM_CTLCOLORSTATIC:
        return host_.OnCtlColor(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp), result);
      default:
        return false;
    }
  }

 private:
  ui::win::ControlHost& host_;
};

FrmMainWindow::FrmMainWindow(MainForm& form, Callbacks callbacks)
    : form_(form), callbacks_(std::move(callbacks)), host_(form.Controls()) {}

FrmMainWindow::~FrmMainWindow() {
  if (monitorMenu_ && !IsMenu(monitorMenu_)) monitorMenu_ = nullptr;
}

bool FrmMainWindow::Create(const std::string& caption) {
  HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
  RegisterClassOnce(kFrmMainClass, icon, GetSysColorBrush(COLOR_BTNFACE));
  dpi_ = ui::win::WindowDpi(nullptr);
  HWND h = CreateWindowFor(
      kFrmMainClass, caption.c_str(),
      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
      WS_EX_CONTROLPARENT, CW_USEDEFAULT, CW_USEDEFAULT, TwipsToPixels(kFrmMainWidthTwips, dpi_),
      TwipsToPixels(kFrmMainHeightTwips, dpi_), nullptr, nullptr);
  if (!h) return false;
  dpi_ = ui::win::WindowDpi(h);
  BuildMenus();

  tabs_ = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 10,
                          10, h, nullptr, GetModuleHandleA(nullptr), nullptr);
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  SendMessageA(tabs_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  for (int i = 0; i < 4; ++i) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(kTabCaptions[i]);
    SendMessageA(tabs_, TCM_INSERTITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    pages_[i] = std::make_unique<Page>(host_);
    pages_[i]->Create(h);
  }
  link_ = CreateWindowExA(0, "STATIC", "Follow Quorbelta on Facebook",
                          WS_CHILD | WS_VISIBLE | SS_NOTIFY, 0, 0, 10, 10, h, nullptr,
                          GetModuleHandleA(nullptr), nullptr);
  SendMessageA(link_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  LayoutPages();
  CreatePendingControls();
  SelectTab(0);
  return true;
}

void FrmMainWindow::BuildMenus() {
  monitorMenu_ = CreatePopupMenu();
  for (const MenuEntry& e : MonitorMenuEntries()) {
    if (e.command == kMenuSeparator) {
      AppendMenuA(monitorMenu_, MF_SEPARATOR, 0, nullptr);
    } else {
      AppendMenuA(monitorMenu_, MF_STRING, static_cast<UINT_PTR>(e.command),
                  std::string(e.caption).c_str());
    }
  }
  upTimeMenu_ = CreatePopupMenu();
  for (const MenuEntry& e : UpTimeMenuEntries()) {
    if (e.command == kMenuSeparator) {
      AppendMenuA(upTimeMenu_, MF_SEPARATOR, 0, nullptr);
    } else {
      UINT flags = MF_STRING | (e.command == kMenuUpTimeHeading ? MF_GRAYED : 0);
      AppendMenuA(upTimeMenu_, flags, static_cast<UINT_PTR>(e.command),
                  std::string(e.caption).c_str());
    }
  }
  menuBar_ = CreateMenu();
  AppendMenuA(menuBar_, MF_POPUP, reinterpret_cast<UINT_PTR>(monitorMenu_), "Menu");
  AppendMenuA(menuBar_, MF_STRING | MF_GRAYED, kMenuDivider, "|");
  AppendMenuA(menuBar_, MF_POPUP, reinterpret_cast<UINT_PTR>(upTimeMenu_),
              std::string(kUpTimeCaptionPrefix).c_str());
  SetMenu(hwnd(), menuBar_);
}

void FrmMainWindow::LayoutPages() {
  RECT client{};
  GetClientRect(hwnd(), &client);
  int linkHeight = TwipsToPixels(300, dpi_);
  int margin = TwipsToPixels(90, dpi_);
  RECT tabRect{margin, margin, client.right - margin, client.bottom - linkHeight - margin};
  MoveWindow(tabs_, tabRect.left, tabRect.top, tabRect.right - tabRect.left,
             tabRect.bottom - tabRect.top, TRUE);
  RECT display = tabRect;
  // The page area inside the tab strip, in the window's coordinates.
  SendMessageA(tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  for (auto& page : pages_) {
    if (page && page->hwnd()) {
      MoveWindow(page->hwnd(), display.left, display.top, display.right - display.left,
                 display.bottom - display.top, TRUE);
    }
  }
  MoveWindow(link_, margin, client.bottom - linkHeight, TwipsToPixels(3000, dpi_), linkHeight,
             TRUE);
}

void FrmMainWindow::CreatePendingControls() {
  for (int i = 0; i < 4; ++i) {
    if (pages_[i] && pages_[i]->hwnd()) host_.CreateControls(pages_[i]->hwnd(), i, dpi_);
  }
}

void FrmMainWindow::SelectTab(int index) {
  if (!tabs_) return;
  SendMessageA(tabs_, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
  for (int i = 0; i < 4; ++i) {
    if (pages_[i] && pages_[i]->hwnd()) {
      // Above the tab strip, which would otherwise paint over the page.
      if (i == index)
        SetWindowPos(pages_[i]->hwnd(), HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      ShowWindow(pages_[i]->hwnd(), i == index ? SW_SHOW : SW_HIDE);
    }
  }
}

void FrmMainWindow::ShowAndFocus() {
  if (!hwnd()) return;
  ShowWindow(hwnd(), IsIconic(hwnd()) ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow(hwnd());
  ::SetFocus(hwnd());
}

void FrmMainWindow::Hide() {
  if (hwnd()) ShowWindow(hwnd(), SW_HIDE);
}

void FrmMainWindow::ResetSize() {
  if (!hwnd()) return;
  int width = TwipsToPixels(kFrmMainWidthTwips, dpi_);
  int height = TwipsToPixels(kFrmMainHeightTwips, dpi_);
  RECT r{};
  GetWindowRect(hwnd(), &r);
  // Asked every second; only a size that differs costs a real move.
  if (r.right - r.left == width && r.bottom - r.top == height) return;
  SetWindowPos(hwnd(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FrmMainWindow::SetUpTimeCaption(const std::string& caption) {
  if (!menuBar_) return;
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  std::string text = caption;
  info.dwTypeData = text.data();
  SetMenuItemInfoA(menuBar_, 2, TRUE, &info);
  // A hidden window's menu bar is drawn when the window is shown.
  if (IsWindowVisible(hwnd())) DrawMenuBar(hwnd());
}

void FrmMainWindow::ShowMonitorMenu(POINT at) {
  if (!hwnd() || !monitorMenu_) return;
  // The owner must be in front, or the menu does not close when the user
  // clicks elsewhere.
  SetForegroundWindow(hwnd());
  TrackPopupMenu(monitorMenu_, TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd(), nullptr);
  PostMessageA(hwnd(), WM_NULL, 0, 0);
}

void FrmMainWindow::SetMenuChecked(int command, bool checked) {
  HMENU menu = command == kMenuUpTimeTickCount || command == kMenuUpTimeCounters ? upTimeMenu_
                                                                                 : monitorMenu_;
  CheckMenuItem(menu, static_cast<UINT>(command),
                MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

bool FrmMainWindow::Close(MainForm::CloseReason reason) {
  if (closing_) return true;
  if (form_.QueryUnload(reason)) {
    Hide();
    return false;
  }
  closing_ = true;
  form_.Unload();
  Destroy();
  return true;
}

void FrmMainWindow::Destroy() {
  if (hwnd()) DestroyWindow(hwnd());
}

void FrmMainWindow::OnDestroyed() {
  if (callbacks_.onDestroyed) callbacks_.onDestroyed();
}

bool FrmMainWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  switch (msg) {
    case WM_SIZE:
      LayoutPages();
      return false;
    case WM_DPICHANGED: {
      dpi_ = HIWORD(wp);
      auto* suggested = reinterpret_cast<RECT*>(lp);
      SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      result = 0;
      return true;
    }
    case WM_NOTIFY: {
      auto* hdr = reinterpret_cast<NMHDR*>(lp);
      if (hdr->hwndFrom == tabs_ && hdr->code == TCN_SELCHANGE) {
        SelectTab(static_cast<int>(SendMessageA(tabs_, TCM_GETCURSEL, 0, 0)));
        result = 0;
        return true;
      }
      return false;
    }
    case WM_COMMAND:
      if (reinterpret_cast<HWND>(lp) == link_ && HIWORD(wp) == STN_CLICKED) {
        if (callbacks_.onMenuCommand) callbacks_.onMenuCommand(kMenuFollowMaker);
        result = 0;
        return true;
      }
      if (lp == 0 && HIWORD(wp) == 0) {
        if (LOWORD(wp) == kMenuExit) {
          Close(MainForm::CloseReason::Program);
        } else if (callbacks_.onMenuCommand) {
          callbacks_.onMenuCommand(LOWORD(wp));
        }
        result = 0;
        return true;
      }
      return false;
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lp) == link_) {
        HDC dc = reinterpret_cast<HDC>(wp);
        SetTextColor(dc, RGB(0, 0, 192));
        SetBkMode(dc, TRANSPARENT);
        result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        return true;
      }
      return false;
    case WM_TIMER:
      if (callbacks_.onTimer) callbacks_.onTimer(wp);
      result = 0;
      return true;
    case WM_SYSCOMMAND:
      if ((wp & 0xFFF0) == SC_CLOSE) userClose_ = true;
      return false;
    case WM_CLOSE: {
      auto reason = userClose_ ? MainForm::CloseReason::UserCloseBox : MainForm::CloseReason::Other;
      userClose_ = false;
      Close(reason);
      result = 0;
      return true;
    }
    case WM_QUERYENDSESSION:
      result = TRUE;
      return true;
    case WM_ENDSESSION:
      if (wp) Close(MainForm::CloseReason::SessionEnd);
      result = 0;
      return true;
    default:
      return false;
  }
}

}  // namespace skel::monitor::win
