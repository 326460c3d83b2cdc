// Mirrors a ControlModel onto real child windows and reports what the user
// does back to the model. Each tab page (or the window itself) is a parent;
// controls inside a frame are placed relative to the frame.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "common/win/unique_any.h"
#include "ui/control_model.h"

namespace skel::ui::win {

class ControlHost : public ControlView {
 public:
  explicit ControlHost(ControlModel& model);
  ~ControlHost() override;

  // Creates every control of the model whose tab is `tab` inside `parent`.
  void CreateControls(HWND parent, int tab, UINT dpi);
  // Parents forward these; each returns true when the message was one of ours.
  bool OnCommand(WPARAM wp, LPARAM lp);
  bool OnNotify(LPARAM lp, LRESULT& result);
  bool OnScroll(LPARAM lp);
  bool OnCtlColor(HDC dc, HWND control, LRESULT& result);

  // A right button released over a control (list views, labels).
  std::function<void(const std::string& name)> onRightMouseUp;

  HWND Hwnd(const std::string& name) const;
  const std::string* NameOf(HWND hwnd) const;
  void ControlChanged(const Control& control, ControlAspect aspect) override;

 private:
  static LRESULT CALLBACK EditProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                   DWORD_PTR data);
  void Apply(const Control& control, HWND hwnd, ControlAspect aspect);

  ControlModel& model_;
  std::map<std::string, HWND> byName_;
  std::map<HWND, std::string> byHwnd_;
  std::map<std::string, skel::win::UniqueBrush> swatchBrushes_;
  std::map<std::string, std::vector<std::string>> listRows_;  // what each list view shows
  skel::win::UniqueFont font_;
  bool updating_ = false;
};

}  // namespace skel::ui::win
