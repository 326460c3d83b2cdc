#include "monitor/core/up_time.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "monitor/core/setting_conversions.h"
#include "monitor/core/settings_store.h"

namespace skel::monitor {
namespace {

// Largest magnitude whose rounding still fits the whole-number arithmetic
// below with room to spare (far beyond any real up time).
constexpr double kMaxSeconds = 9.0e15;

// "div": the left side rounded to a whole number (halves to even), then an
// integer division truncating toward zero.
int64_t Div(double s, int64_t divisor) {
  return static_cast<int64_t>(std::nearbyint(s)) / divisor;
}
int64_t Mod(double s, int64_t divisor) {
  return static_cast<int64_t>(std::nearbyint(s)) % divisor;
}

std::string TwoDigits(int64_t n) {
  char buf[32];
  std::snprintf(buf, sizeof buf, n < 0 ? "-%02lld" : "%02lld",
                static_cast<long long>(n < 0 ? -n : n));
  return buf;
}

}  // namespace

std::string FormatUpTime(double s) {
  if (!std::isfinite(s) || std::fabs(s) > kMaxSeconds) s = 0;
  int64_t d = Div(s, 86400);
  if (d > 0) s -= static_cast<double>(d) * 86400;
  int64_t h = Div(s, 3600);
  if (h > 0) s -= static_cast<double>(h) * 3600;
  int64_t m = Div(s, 60);
  int64_t c = Mod(s, 60);
  std::string clock = TwoDigits(h) + ":" + TwoDigits(m) + ":" + TwoDigits(c);
  if (d == 0) return "0 Days " + clock;
  if (d == 1) return TwoDigits(d) + " Day " + clock;
  return TwoDigits(d) + " Days " + clock;
}

double TickCountSeconds(int32_t tickCount) {
  int64_t t = tickCount;
  if (t < 0) t += 4294967294LL;  // 2147483647 + 2147483647, not 2^32
  return static_cast<double>(t) * 0.001;
}

double CounterUpTimeSeconds(std::optional<double> counterSeconds) {
  if (!counterSeconds || !std::isfinite(*counterSeconds) ||
      std::fabs(*counterSeconds) > kMaxSeconds) {
    return 0;
  }
  double t = static_cast<double>(RoundHalfAwayFromZero(*counterSeconds));
  if (t < 0) t += 4294967294.0;
  return t;
}

std::string GetSystemUpTimeText(UpTimeSource& source, const UpTimeMenu& menu) {
  double seconds = menu.UsesTickCount() ? TickCountSeconds(source.TickCount())
                                        : CounterUpTimeSeconds(source.CounterSeconds());
  return FormatUpTime(seconds);
}

UpTimeMenu UpTimeMenu::Load(const MonitorSettings& settings) {
  UpTimeMenu menu;
  menu.tickCountChecked = settings.LoadTruth("MenuGetTickCount");
  menu.counterChecked = settings.LoadTruth("MenuPerformanceCounters");
  return menu;
}

void UpTimeMenu::ChooseTickCount(const MonitorSettings& settings) {
  tickCountChecked = true;
  counterChecked = false;
  settings.WriteTruth("MenuGetTickCount", tickCountChecked);
  settings.WriteTruth("MenuPerformanceCounters", counterChecked);
}

void UpTimeMenu::ChooseCounter(const MonitorSettings& settings) {
  tickCountChecked = false;
  counterChecked = true;
  settings.WriteTruth("MenuGetTickCount", tickCountChecked);
  settings.WriteTruth("MenuPerformanceCounters", counterChecked);
}

}  // namespace skel::monitor
