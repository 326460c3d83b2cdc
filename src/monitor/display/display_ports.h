// What the monitor's face needs of the system: the bar window, the tray icon,
// the dialogs. The Windows side implements these with real windows; tests use
// fakes that record what was asked.
#pragma once

#include <optional>
#include <string>

#include "monitor/display/bar_paint.h"
#include "monitor/display/tray_logic.h"

namespace skel::monitor::display {

enum class TextAlign { Left, Center, Right };

// Everything SetColors hands to the bar window in one go.
struct BarWindowLook {
  Colour windowBack = 0;  // window and both texts (SetThemeBackColor)
  Colour windowText = 0;  // both texts (SetThemeForeColor)
  Colour barBack = 0;
  Colour barText = 0;
  Colour fillColour = 0;
  Colour fillText = 0;
  bool useFillGraphic = false;
  bool border = false;
  bool roundCorners = false;
  bool blend = false;  // "Blend To Desktop": colour key 1, re-apply timer started
  bool operator==(const BarWindowLook&) const = default;
};

// The bar window FrmMonitor. Sizes are in twips; the window converts them
// with the DPI of the monitor it is on.
class BarWindowPort {
 public:
  virtual ~BarWindowPort() = default;
  virtual bool IsLoaded() const = 0;
  // Creates the window hidden, with its bar, texts and tooltip.
  virtual void Create() = 0;
  virtual void Destroy() = 0;
  virtual void Show(bool visible) = 0;
  virtual void SetWindowSize(int widthTwips, int heightTwips) = 0;
  virtual void SetWindowWidth(int widthTwips) = 0;
  virtual void SetBarWidth(int widthTwips) = 0;
  virtual int BarWidth() const = 0;
  virtual int BarHeight() const = 0;
  virtual void ApplyLook(const BarWindowLook& look) = 0;
  virtual void SetAlignment(TextAlign upper, TextAlign lower) = 0;
  virtual void SetBarValue(int value) = 0;
  virtual void SetBarText(const std::string& text) = 0;
  virtual void SetTexts(const std::string& upper, const std::string& lower) = 0;
  // Bottom-right corner of the work area, keeping the size.
  virtual void MoveToBottomRight() = 0;
  // The stored position, when there is one within the desktop.
  virtual void RestorePosition() = 0;
  // Fill graphics: a picture file (false when it is not one) or a built-in.
  virtual bool LoadFillGraphic(const std::string& path) = 0;
  virtual void UseBuiltInFillGraphic(bool compact) = 0;
};

// The notification-area icon.
class TrayIconPort {
 public:
  virtual ~TrayIconPort() = default;
  // The drawing surface, its copy and the sample squares at their sizes.
  virtual void PrepareSurfaces() = 0;
  virtual void Add() = 0;
  virtual void Remove() = 0;
  virtual void ShowProgramIcon() = 0;
  // The icon's pixel size now (the taskbar's small icon at its DPI).
  virtual int IconSize() = 0;
  virtual void ShowPercentIcon(const TrayDrawing& drawing, int size) = 0;
  virtual void SetToolTip(const std::string& text) = 0;
  // Redraws the sample square of band 1..3.
  virtual void DrawSample(int band, const TrayDrawing& drawing) = 0;
};

// Dialogs owned by the settings window. Nothing means cancelled.
class DisplayDialogs {
 public:
  virtual ~DisplayDialogs() = default;
  virtual std::optional<Colour> ChooseColour(Colour initial) = 0;
  virtual std::optional<TrayFont> PickFont(const TrayFont& initial) = 0;
  virtual std::optional<std::string> OpenPicture(const std::string& title,
                                                 const std::string& filter,
                                                 const std::string& initialFile) = 0;
  virtual void Message(const std::string& text) = 0;
};

}  // namespace skel::monitor::display
