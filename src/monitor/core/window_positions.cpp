#include "monitor/core/window_positions.h"

#include <string>

#include "common/number_format.h"
#include "monitor/core/setting_conversions.h"

namespace skel::monitor {
namespace {

// Positions are stored with "." whatever the locale, but a value written by
// hand with the locale's separator still reads.
std::optional<double> PositionNumber(std::string_view text) {
  std::optional<float> value = ParseSingle(text, CurrentSeparators());
  if (!value) return std::nullopt;
  return static_cast<double>(*value);
}

std::string ValueName(std::string_view formName, std::string_view suffix) {
  std::string name(formName);
  name += suffix;
  return name;
}

}  // namespace

bool IsWithinDesktop(double left, double top, double width, double height,
                     const DesktopGeometry& desktop) {
  const double p = desktop.twipsPerPixelX, q = desktop.twipsPerPixelY;
  return left >= p * desktop.left && top >= q * desktop.top && left <= p * desktop.width - width &&
         top <= q * desktop.height - height;
}

bool SaveWindowPosition(Registry& registry, std::string_view formName, std::string_view topText,
                        std::string_view leftText, double widthTwips, double heightTwips,
                        const DesktopGeometry& desktop) {
  std::optional<double> top = PositionNumber(topText);
  std::optional<double> left = PositionNumber(leftText);
  if (!top || !left) return false;
  if (!IsWithinDesktop(*left, *top, widthTwips, heightTwips, desktop)) return false;
  if (!registry.CreateKey(kMakerKey) || !registry.CreateKey(kPositionsKey)) return false;
  // "_x" carries the top and "_y" the left: the names were always swapped,
  // and existing installations depend on it.
  bool wroteTop = registry.WriteString(kPositionsKey, ValueName(formName, "_x"), topText);
  bool wroteLeft = registry.WriteString(kPositionsKey, ValueName(formName, "_y"), leftText);
  return wroteTop && wroteLeft;
}

std::optional<RestoredPosition> RestoreWindowPosition(Registry& registry, std::string_view formName,
                                                      double widthTwips, double heightTwips,
                                                      const DesktopGeometry& desktop) {
  std::optional<std::string> xText = registry.ReadString(kPositionsKey, ValueName(formName, "_x"));
  std::optional<std::string> yText = registry.ReadString(kPositionsKey, ValueName(formName, "_y"));
  bool any = (xText && !xText->empty()) || (yText && !yText->empty());
  if (!any) return std::nullopt;
  double x = xText ? PositionNumber(*xText).value_or(0) : 0;  // the top
  double y = yText ? PositionNumber(*yText).value_or(0) : 0;  // the left
  if (!IsWithinDesktop(y, x, widthTwips, heightTwips, desktop)) return std::nullopt;
  return RestoredPosition{y, x};
}

bool ResetWindowPositions(Registry& registry) {
  registry.CreateKey(kMakerKey);
  return registry.DeleteTree(kPositionsKey);
}

}  // namespace skel::monitor
