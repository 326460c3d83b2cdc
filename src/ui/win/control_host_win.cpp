#include "ui/win/control_host_win.h"

#include <commctrl.h>

#include "ui/win/window_base_win.h"

namespace skel::ui::win {
namespace {

struct ClassAndStyle {
  const char* cls;
  DWORD style;
};

ClassAndStyle ClassFor(const Control& c) {
  switch (c.kind) {
    case ControlKind::CheckBox:
      return {"BUTTON", BS_CHECKBOX | WS_TABSTOP};
    case ControlKind::OptionButton:
      return {"BUTTON", BS_RADIOBUTTON | WS_TABSTOP};
    case ControlKind::TextBox:
      return {"EDIT", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP};
    case ControlKind::ComboList:
      return {"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP};
    case ControlKind::Button:
      return {"BUTTON", BS_PUSHBUTTON | WS_TABSTOP};
    case ControlKind::Frame:
      return {"BUTTON", BS_GROUPBOX};
    case ControlKind::Slider:
      return {TRACKBAR_CLASSA, TBS_HORZ | TBS_NOTICKS | WS_TABSTOP};
    case ControlKind::ColorSwatch:
      return {"STATIC", SS_NOTIFY | WS_BORDER};
    case ControlKind::ListView:
      return {WC_LISTVIEWA, LVS_REPORT | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP};
    case ControlKind::Picture:
      return {"STATIC", SS_NOTIFY};
    case ControlKind::Label:
    default:
      return {"STATIC", SS_NOTIFY};
  }
}

std::vector<std::string> SplitTabs(const std::string& row) {
  std::vector<std::string> out(1);
  for (char ch : row) {
    if (ch == '\t') {
      out.emplace_back();
    } else {
      out.back() += ch;
    }
  }
  return out;
}

// Brings the list view's rows from `shown` to `wanted` touching only the
// rows between their common beginning and common end: a row added or
// removed anywhere (connections coming and going) costs one row, not the
// whole list.
void UpdateListViewRows(HWND h, std::vector<std::string>& shown,
                        const std::vector<std::string>& wanted) {
  size_t common = 0;
  while (common < shown.size() && common < wanted.size() && shown[common] == wanted[common]) {
    ++common;
  }
  size_t tail = 0;
  while (tail < shown.size() - common && tail < wanted.size() - common &&
         shown[shown.size() - 1 - tail] == wanted[wanted.size() - 1 - tail]) {
    ++tail;
  }
  SendMessageA(h, WM_SETREDRAW, FALSE, 0);
  for (size_t row = shown.size() - tail; row > common; --row) {
    SendMessageA(h, LVM_DELETEITEM, row - 1, 0);
  }
  for (size_t row = common; row < wanted.size() - tail; ++row) {
    auto cells = SplitTabs(wanted[row]);
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(row);
    item.pszText = cells[0].data();
    int index =
        static_cast<int>(SendMessageA(h, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    for (size_t col = 1; col < cells.size(); ++col) {
      LVITEMA sub{};
      sub.iSubItem = static_cast<int>(col);
      sub.pszText = cells[col].data();
      SendMessageA(h, LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&sub));
    }
  }
  SendMessageA(h, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(h, nullptr, FALSE);
  shown = wanted;
}

}  // namespace

ControlHost::ControlHost(ControlModel& model) : model_(model) {
  model_.SetView(this);
}

ControlHost::~ControlHost() {
  model_.SetView(nullptr);
}

HWND ControlHost::Hwnd(const std::string& name) const {
  auto it = byName_.find(name);
  return it == byName_.end() ? nullptr : it->second;
}

const std::string* ControlHost::NameOf(HWND hwnd) const {
  auto it = byHwnd_.find(hwnd);
  return it == byHwnd_.end() ? nullptr : &it->second;
}

void ControlHost::CreateControls(HWND parent, int tab, UINT dpi) {
  if (!font_) {
    NONCLIENTMETRICSA ncm{};
    ncm.cbSize = sizeof ncm;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
    LOGFONTA lf = ncm.lfMessageFont;
    lf.lfHeight = -MulDiv(8, static_cast<int>(dpi), 72);
    font_.reset(CreateFontIndirectA(&lf));
  }
  int id = 1000 + static_cast<int>(byName_.size());
  for (const auto& name : model_.Names()) {
    const Control& c = model_.Get(name);
    if (c.tab != tab || byName_.count(name)) continue;
    TwipRect r = c.rect;
    if (!c.container.empty() && model_.Has(c.container)) {
      r.left += model_.Get(c.container).rect.left;
      r.top += model_.Get(c.container).rect.top;
    }
    ClassAndStyle cs = ClassFor(c);
    int height = TwipsToPixels(r.height, dpi);
    if (c.kind == ControlKind::ComboList) height *= 8;  // room for the drop-down
    DWORD style =
        WS_CHILD | cs.style | (c.visible ? WS_VISIBLE : 0) | (c.enabled ? 0 : WS_DISABLED);
    HWND h = CreateWindowExA(0, cs.cls, c.caption.c_str(), style, TwipsToPixels(r.left, dpi),
                             TwipsToPixels(r.top, dpi), TwipsToPixels(r.width, dpi), height, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)),
                             GetModuleHandleA(nullptr), nullptr);
    if (!h) continue;
    SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    byName_[name] = h;
    byHwnd_[h] = name;
    if (c.kind == ControlKind::TextBox) {
      SetWindowSubclass(h, &ControlHost::EditProc, 1, reinterpret_cast<DWORD_PTR>(this));
    }
    if (c.kind == ControlKind::ListView) {
      ListView_SetExtendedListViewStyle(h, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    }
    for (ControlAspect a :
         {ControlAspect::Items, ControlAspect::Value, ControlAspect::Text, ControlAspect::Color}) {
      Apply(c, h, a);
    }
  }
}

void ControlHost::ControlChanged(const Control& control, ControlAspect aspect) {
  HWND h = Hwnd(control.name);
  if (h) Apply(control, h, aspect);
}

void ControlHost::Apply(const Control& c, HWND h, ControlAspect aspect) {
  updating_ = true;
  switch (aspect) {
    case ControlAspect::Value:
      if (c.kind == ControlKind::CheckBox || c.kind == ControlKind::OptionButton) {
        SendMessageA(h, BM_SETCHECK, c.value ? BST_CHECKED : BST_UNCHECKED, 0);
      } else if (c.kind == ControlKind::ComboList) {
        SendMessageA(h, CB_SETCURSEL, static_cast<WPARAM>(c.listIndex), 0);
      } else if (c.kind == ControlKind::Slider) {
        SendMessageA(h, TBM_SETRANGE, TRUE, MAKELPARAM(c.minimum, c.maximum));
        SendMessageA(h, TBM_SETPOS, TRUE, c.value);
      }
      break;
    case ControlAspect::Text:
      if (c.kind == ControlKind::TextBox) {
        if (c.maxLength > 0) SendMessageA(h, EM_SETLIMITTEXT, static_cast<WPARAM>(c.maxLength), 0);
        SetWindowTextA(h, c.text.c_str());
      }
      break;
    case ControlAspect::Caption:
      SetWindowTextA(h, c.caption.c_str());
      break;
    case ControlAspect::Enabled:
      EnableWindow(h, c.enabled);
      break;
    case ControlAspect::Visible:
      ShowWindow(h, c.visible ? SW_SHOWNA : SW_HIDE);
      break;
    case ControlAspect::Items:
      if (c.kind == ControlKind::ComboList) {
        SendMessageA(h, CB_RESETCONTENT, 0, 0);
        for (const auto& item : c.items) {
          SendMessageA(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        }
        SendMessageA(h, CB_SETCURSEL, static_cast<WPARAM>(c.listIndex), 0);
      } else if (c.kind == ControlKind::ListView) {
        UpdateListViewRows(h, listRows_[c.name], c.items);
      }
      break;
    case ControlAspect::Color:
      if (c.kind == ControlKind::ColorSwatch) {
        swatchBrushes_[c.name].reset(CreateSolidBrush(static_cast<COLORREF>(c.color & 0xFFFFFF)));
        InvalidateRect(h, nullptr, TRUE);
      }
      break;
    case ControlAspect::SelectAll:
      SendMessageA(h, EM_SETSEL, 0, -1);
      break;
    case ControlAspect::Focus:
      ::SetFocus(h);
      break;
  }
  updating_ = false;
}

bool ControlHost::OnCommand(WPARAM wp, LPARAM lp) {
  HWND h = reinterpret_cast<HWND>(lp);
  const std::string* name = NameOf(h);
  if (!name || updating_) return name != nullptr;
  std::string n = *name;  // the handler may change the maps
  const Control& c = model_.Get(n);
  switch (HIWORD(wp)) {
    case BN_CLICKED:
      if (c.kind == ControlKind::Label || c.kind == ControlKind::Picture ||
          c.kind == ControlKind::ColorSwatch) {
        model_.UserClick(n);
      } else {
        model_.UserClick(n);
        model_.UserMouseUp(n);
      }
      break;
    case EN_CHANGE: {
      char buf[1024] = {};
      GetWindowTextA(h, buf, sizeof buf);
      updating_ = true;
      model_.UserType(n, buf);
      updating_ = false;
      break;
    }
    case EN_SETFOCUS:
      model_.UserFocus(n);
      break;
    case CBN_SELCHANGE:
      model_.UserSelect(n, static_cast<int>(SendMessageA(h, CB_GETCURSEL, 0, 0)));
      break;
    default:
      break;
  }
  return true;
}

bool ControlHost::OnNotify(LPARAM lp, LRESULT& result) {
  auto* hdr = reinterpret_cast<NMHDR*>(lp);
  const std::string* name = NameOf(hdr->hwndFrom);
  if (!name) return false;
  std::string n = *name;
  result = 0;
  if (updating_) return true;
  if (hdr->code == NM_CLICK) {
    model_.UserClick(n);
  } else if (hdr->code == NM_RCLICK) {
    if (onRightMouseUp) onRightMouseUp(n);
  } else if (hdr->code == LVN_ITEMCHANGED) {
    auto* change = reinterpret_cast<NMLISTVIEW*>(lp);
    if ((change->uChanged & LVIF_STATE) && (change->uNewState & LVIS_SELECTED) &&
        !(change->uOldState & LVIS_SELECTED)) {
      model_.UserSelect(n, change->iItem);
    }
  }
  return true;
}

bool ControlHost::OnScroll(LPARAM lp) {
  HWND h = reinterpret_cast<HWND>(lp);
  const std::string* name = NameOf(h);
  if (!name) return false;
  std::string n = *name;
  model_.UserSlide(n, static_cast<int>(SendMessageA(h, TBM_GETPOS, 0, 0)));
  return true;
}

bool ControlHost::OnCtlColor(HDC dc, HWND control, LRESULT& result) {
  const std::string* name = NameOf(control);
  if (!name) return false;
  auto it = swatchBrushes_.find(*name);
  if (it == swatchBrushes_.end() || !it->second) return false;
  SetBkColor(dc, static_cast<COLORREF>(model_.Get(*name).color & 0xFFFFFF));
  result = reinterpret_cast<LRESULT>(it->second.get());
  return true;
}

LRESULT CALLBACK ControlHost::EditProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                       DWORD_PTR data) {
  auto* self = reinterpret_cast<ControlHost*>(data);
  try {
    if (msg == WM_CHAR) {
      if (const std::string* name = self->NameOf(hwnd)) {
        int key = static_cast<int>(wp);
        std::string n = *name;
        if (!self->model_.UserKeyPress(n, key)) return 0;
        wp = static_cast<WPARAM>(key);
      }
    } else if (msg == WM_KEYUP) {
      LRESULT r = DefSubclassProc(hwnd, msg, wp, lp);
      if (const std::string* name = self->NameOf(hwnd)) {
        std::string n = *name;
        self->model_.UserKeyUp(n);
      }
      return r;
    }
  } catch (...) {
  }
  return DefSubclassProc(hwnd, msg, wp, lp);
}

}  // namespace skel::ui::win
