#include "monitor/display/tray_logic.h"

#include "common/number_format.h"

namespace skel::monitor::display {

int TrayBandOf(int percent) {
  if (percent >= 0 && percent <= 49) return 1;
  if (percent > 49 && percent <= 74) return 2;
  if (percent > 74 && percent <= 100) return 3;
  return 0;
}

std::string TrayIconText(int percent, bool paused) {
  return paused ? "||" : std::to_string(percent);
}

std::string TooltipTitle(std::string_view caption) {
  // The title ends where the version begins. The product's own name holds a
  // lower-case "v", so the marker is a "v" followed by a digit.
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] == 'v' && caption[i + 1] >= '0' && caption[i + 1] <= '9') {
      return std::string(caption.substr(0, i));
    }
  }
  return std::string(caption);
}

std::string TrayTooltip(const TooltipInputs& in) {
  std::string tip = TooltipTitle(in.caption);
  tip += "\r\n" + in.barText + " (" + in.usedPercent + "%)";
  tip += "\r\n" + in.upperText;
  tip += "\r\n" + in.lowerText;
  if (in.paused) tip += "\r\nAdvanced Monitor Paused";
  return tip;
}

int WholePoints(float size) {
  return static_cast<int>(RoundHalfToEven(size));
}

}  // namespace skel::monitor::display
