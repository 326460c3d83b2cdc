#include "monitor/server/win/input_box_win.h"

#include <cstring>
#include <vector>

namespace skel::monitor::win {
namespace {

struct BoxState {
  const std::string* prompt;
  const std::string* title;
  const std::string* defaultText;
  std::optional<std::string> answer;
};

// Appends a dialog item with a predefined class given by its atom.
void AddItem(std::vector<WORD>& t, DWORD style, short x, short y, short cx, short cy, WORD id,
             WORD classAtom) {
  while (t.size() % 2) t.push_back(0);  // DWORD alignment
  DLGITEMTEMPLATE item{};
  item.style = style | WS_CHILD | WS_VISIBLE;
  item.x = x;
  item.y = y;
  item.cx = cx;
  item.cy = cy;
  item.id = id;
  const WORD* raw = reinterpret_cast<const WORD*>(&item);
  t.insert(t.end(), raw, raw + sizeof item / sizeof(WORD));
  t.push_back(0xFFFF);
  t.push_back(classAtom);
  t.push_back(0);  // no title: set at WM_INITDIALOG
  t.push_back(0);  // no creation data
}

INT_PTR CALLBACK BoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    switch (message) {
      case WM_INITDIALOG: {
        auto* state = reinterpret_cast<BoxState*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        SetWindowTextA(dialog, state->title->c_str());
        SetDlgItemTextA(dialog, kInputBoxPromptId, state->prompt->c_str());
        SetDlgItemTextA(dialog, IDOK, "OK");
        SetDlgItemTextA(dialog, IDCANCEL, "Cancel");
        SetDlgItemTextA(dialog, kInputBoxEditId, state->defaultText->c_str());
        return TRUE;
      }
      case WM_COMMAND: {
        auto* state = reinterpret_cast<BoxState*>(GetWindowLongPtrA(dialog, DWLP_USER));
        if (LOWORD(wParam) == IDOK) {
          HWND edit = GetDlgItem(dialog, kInputBoxEditId);
          int length = GetWindowTextLengthA(edit);
          std::string text(static_cast<size_t>(length) + 1, '\0');
          GetWindowTextA(edit, text.data(), length + 1);
          text.resize(std::strlen(text.c_str()));
          if (state) state->answer = std::move(text);
          EndDialog(dialog, IDOK);
          return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
          EndDialog(dialog, IDCANCEL);
          return TRUE;
        }
        break;
      }
      default:
        break;
    }
  } catch (...) {
  }
  return FALSE;
}

}  // namespace

std::optional<std::string> ShowInputBox(HWND owner, const std::string& prompt,
                                        const std::string& title, const std::string& defaultText) {
  constexpr WORD kButton = 0x0080, kEdit = 0x0081, kStatic = 0x0082;
  std::vector<WORD> t;
  DLGTEMPLATE box{};
  box.style = DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
  box.cdit = 4;
  box.cx = 240;
  box.cy = 80;
  const WORD* raw = reinterpret_cast<const WORD*>(&box);
  t.insert(t.end(), raw, raw + sizeof box / sizeof(WORD));
  t.push_back(0);  // no menu
  t.push_back(0);  // default class
  t.push_back(0);  // title set at WM_INITDIALOG
  t.push_back(8);  // font size, then its name
  for (const char* c = "MS Shell Dlg";; ++c) {
    t.push_back(static_cast<WORD>(*c));
    if (!*c) break;
  }
  AddItem(t, SS_LEFT, 7, 7, 170, 40, kInputBoxPromptId, kStatic);
  AddItem(t, BS_DEFPUSHBUTTON | WS_TABSTOP, 183, 7, 50, 14, IDOK, kButton);
  AddItem(t, BS_PUSHBUTTON | WS_TABSTOP, 183, 24, 50, 14, IDCANCEL, kButton);
  AddItem(t, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 58, 226, 14, kInputBoxEditId, kEdit);

  BoxState state{&prompt, &title, &defaultText, std::nullopt};
  INT_PTR result = DialogBoxIndirectParamA(GetModuleHandleA(nullptr),
                                           reinterpret_cast<LPCDLGTEMPLATEA>(t.data()), owner,
                                           BoxProc, reinterpret_cast<LPARAM>(&state));
  if (result != IDOK) return std::nullopt;
  return state.answer;
}

}  // namespace skel::monitor::win
