#include "monitor/display/win/display_dialogs_win.h"

#include <commdlg.h>

#include <cstring>

#include "common/win/unique_any.h"
#include "monitor/display/win/gdi_colour_win.h"

namespace skel::monitor::display::win {
namespace {

// Titles are set when the dialog starts.
UINT_PTR CALLBACK TitleHook(HWND dialog, UINT msg, WPARAM, LPARAM) {
  if (msg == WM_INITDIALOG) SetWindowTextA(dialog, "Choose a Color");
  return 0;
}

UINT_PTR CALLBACK FontTitleHook(HWND dialog, UINT msg, WPARAM, LPARAM) {
  if (msg == WM_INITDIALOG) SetWindowTextA(dialog, "Choose a Font");
  return 0;
}

// Message boxes carry the program's title.
constexpr const char* kMessageTitle = "skelvane";

}  // namespace

std::string OpenFileFilter(const std::string& barSeparated) {
  std::string out = barSeparated;
  for (char& c : out) {
    if (c == '|') c = '\0';
  }
  out.push_back('\0');
  out.push_back('\0');
  return out;
}

std::optional<Colour> DisplayDialogsWin::ChooseColour(Colour initial) {
  CHOOSECOLORA cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = Owner();
  cc.rgbResult = ResolveColour(initial);
  cc.lpCustColors = customColours_;
  // Flags 258 (the custom colour part open, any colour), starting from the
  // swatch's colour.
  cc.Flags = CC_FULLOPEN | CC_ANYCOLOR | CC_RGBINIT | CC_ENABLEHOOK;
  cc.lpfnHook = &TitleHook;
  if (!ChooseColorA(&cc)) return std::nullopt;
  return static_cast<Colour>(cc.rgbResult & 0xFFFFFF);
}

std::optional<TrayFont> DisplayDialogsWin::PickFont(const TrayFont& initial) {
  HWND owner = Owner();
  skel::win::WindowDc screen(owner);
  int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
  LOGFONTA lf{};
  lf.lfHeight = -MulDiv(static_cast<int>(initial.size + 0.5f), dpi, 72);
  lf.lfWeight = initial.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = initial.italic ? TRUE : FALSE;
  lf.lfCharSet = DEFAULT_CHARSET;
  std::strncpy(lf.lfFaceName, initial.name.c_str(), LF_FACESIZE - 1);
  CHOOSEFONTA cf{};
  cf.lStructSize = sizeof cf;
  cf.hwndOwner = owner;
  cf.lpLogFont = &lf;
  cf.iPointSize = static_cast<INT>(initial.size * 10);
  cf.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_ENABLEHOOK;
  cf.lpfnHook = &FontTitleHook;
  if (!ChooseFontA(&cf)) return std::nullopt;
  TrayFont chosen;
  chosen.name = lf.lfFaceName;
  chosen.size = static_cast<float>((cf.iPointSize + 5) / 10);  // whole points
  chosen.bold = lf.lfWeight >= FW_BOLD;
  chosen.italic = lf.lfItalic != 0;
  return chosen;
}

std::optional<std::string> DisplayDialogsWin::OpenPicture(const std::string& title,
                                                          const std::string& filter,
                                                          const std::string& initialFile) {
  std::string filters = OpenFileFilter(filter);
  char file[MAX_PATH] = {};
  std::strncpy(file, initialFile.c_str(), MAX_PATH - 1);
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = Owner();
  ofn.lpstrFilter = filters.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrTitle = title.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY;
  if (!GetOpenFileNameA(&ofn)) return std::nullopt;
  return std::string(file);
}

void DisplayDialogsWin::Message(const std::string& text) {
  MessageBoxA(Owner(), text.c_str(), kMessageTitle, MB_OK);
}

}  // namespace skel::monitor::display::win
