// FrmMonitor: the borderless bar window. It keeps the state the logic gives
// it (sizes in twips, colours, texts, the bar object's state, the fill
// graphic) and paints it; input becomes callbacks. Sizes are turned into
// pixels with the DPI of the monitor the window is on.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "common/win/unique_any.h"
#include "monitor/display/colour_scheme.h"
#include "monitor/display/display_ports.h"
#include "monitor/display/win/fill_graphic_win.h"
#include "ui/win/window_base_win.h"

namespace skel::monitor::display::win {

inline constexpr const char* kBarWindowClass = "SkelvaneFrmMonitor";
inline constexpr const char* kBarWindowTitle = "Vardolin Skelvane";
inline constexpr const char* kBarToolTip = "Double Click To Clean Memory Now (Calls Vardolin)";

class BarWindow : public ui::win::WindowBase, public BarWindowPort, public ThemeSurface {
 public:
  BarWindow();
  ~BarWindow() override;

  // Input, wired by the program.
  std::function<void()> onDoubleClick;                   // RunCleaner
  std::function<void(POINT screenPoint)> onContextMenu;  // the monitor's menu
  std::function<void()> onActivate;                      // MonitorDisplay::OnBarActivated
  std::function<void()> onBlendTimer;                    // the effects' 250 ms re-apply
  std::function<void()> afterDrag;                       // default: SaveWindowPosition

  // BarWindowPort.
  bool IsLoaded() const override { return hwnd() != nullptr; }
  void Create() override;
  void Destroy() override;
  void Show(bool visible) override;
  void SetWindowSize(int widthTwips, int heightTwips) override;
  void SetWindowWidth(int widthTwips) override;
  void SetBarWidth(int widthTwips) override;
  int BarWidth() const override { return barWidth_; }
  int BarHeight() const override { return barHeight_; }
  void ApplyLook(const BarWindowLook& look) override;
  void SetAlignment(TextAlign upper, TextAlign lower) override;
  void SetBarValue(int value) override;
  void SetBarText(const std::string& text) override;
  void SetTexts(const std::string& upper, const std::string& lower) override;
  void MoveToBottomRight() override;
  void RestorePosition() override;
  bool LoadFillGraphic(const std::string& path) override;
  void UseBuiltInFillGraphic(bool compact) override;

  // ThemeSurface: the bar PB(0), the upper text Label2, the lower Label1.
  std::vector<std::string> ControlNames() const override;
  void SetControlBackColour(const std::string& name, Colour colour) override;
  void SetControlForeColour(const std::string& name, Colour colour) override;
  void SetTabColours(const std::string&, Colour, Colour, bool) override {}
  void SetWindowBackColour(Colour colour) override;

  // Paints the whole client area into `dc` (the window's paint and
  // WM_PRINTCLIENT both come here).
  void RenderTo(HDC dc);
  const BarState& Bar() const { return bar_; }
  UINT Dpi() const { return dpi_; }
  SIZE BarPixels() const;
  SIZE WindowPixels() const;

 protected:
  bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

 private:
  int Px(int twips) const { return ui::win::TwipsToPixels(twips, dpi_); }
  void ApplySize();
  void ApplyRegion();
  void MakeFont();
  void RepaintBar();
  void UpdateToolTipRect();
  void DrawLabel(HDC dc, const std::string& text, int leftTw, int topTw, int widthTw, int heightTw,
                 TextAlign align, Colour fore);

  skel::win::UniqueWindow owner_;  // keeps the window off the taskbar
  skel::win::UniqueWindow toolTip_;
  skel::win::UniqueFont font_;
  OwnedGraphic builtIn_;
  OwnedGraphic chosen_;
  bool useChosen_ = false;
  UINT dpi_ = 96;
  int windowWidth_ = 2310, windowHeight_ = 555;
  int barWidth_ = 2310, barHeight_ = 180;
  bool roundCorners_ = false;
  BarState bar_;
  bool useGraphic_ = true;
  Colour windowBack_ = SystemColour(kSysColourButtonFace);  // until the colours are applied
  Colour upperFore_ = 0, lowerFore_ = 0;
  TextAlign upperAlign_ = TextAlign::Left, lowerAlign_ = TextAlign::Left;
  std::string upper_, lower_;
};

}  // namespace skel::monitor::display::win
