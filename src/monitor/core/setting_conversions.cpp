#include "monitor/core/setting_conversions.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace skel::monitor {
namespace {

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

std::string_view Trim(std::string_view text) {
  size_t b = text.find_first_not_of(" \t");
  if (b == std::string_view::npos) return {};
  size_t e = text.find_last_not_of(" \t");
  return text.substr(b, e - b + 1);
}

std::optional<double> ParseDouble(std::string_view text, const LocaleSeparators& separators) {
  std::optional<Decimal> d = ParseDecimal(text, separators);
  if (!d) return std::nullopt;
  double value = DecimalToDouble(*d);
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace

std::optional<int32_t> ParseWholeNumber(std::string_view text, const LocaleSeparators& separators) {
  std::optional<double> value = ParseDouble(text, separators);
  if (!value) return std::nullopt;
  // Rounding first decides the range: 2147483647.4 still fits, .5 does not.
  double rounded = std::nearbyint(*value);
  if (rounded < std::numeric_limits<int32_t>::min() ||
      rounded > std::numeric_limits<int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<int32_t>(RoundHalfToEven(*value));
}

std::optional<bool> ParseCheckBox(std::string_view text, const LocaleSeparators& separators) {
  std::optional<int32_t> n = ParseWholeNumber(text, separators);
  if (!n || (*n != 0 && *n != 1)) return std::nullopt;
  return *n == 1;
}

std::string CheckBoxText(bool checked) {
  return checked ? "1" : "0";
}

std::optional<bool> ParseTruth(std::string_view text, const LocaleSeparators& separators) {
  std::string_view t = Trim(text);
  if (EqualsIgnoreCase(t, "true")) return true;
  if (EqualsIgnoreCase(t, "false")) return false;
  std::optional<double> n = ParseDouble(text, separators);
  if (!n) return std::nullopt;
  return *n != 0;
}

std::string TruthText(bool value) {
  return value ? "True" : "False";
}

std::optional<int32_t> ParseColour(std::string_view text, const LocaleSeparators& separators) {
  return ParseWholeNumber(text, separators);
}

std::string ColourText(int32_t colour) {
  return std::to_string(colour);
}

std::optional<int32_t> ParseSliderLevel(std::string_view text, const LocaleSeparators& separators,
                                        int32_t min, int32_t max) {
  std::optional<int32_t> n = ParseWholeNumber(text, separators);
  if (!n || *n < min || *n > max) return std::nullopt;
  return n;
}

std::optional<float> ParseSingle(std::string_view text, const LocaleSeparators& separators) {
  std::optional<double> value = ParseDouble(text, separators);
  if (!value || std::fabs(*value) > std::numeric_limits<float>::max()) return std::nullopt;
  return static_cast<float>(*value);
}

std::string SingleText(float value, const LocaleSeparators& separators) {
  char buf[64];
  // Shortest round-trip digits, never in exponent form.
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
  if (ec != std::errc()) return "0";
  std::string text(buf, end);
  if (text == "-0") text = "0";
  size_t point = text.find('.');
  if (point != std::string::npos) text.replace(point, 1, separators.decimal);
  return text;
}

std::optional<std::string> MatchListEntry(std::string_view text,
                                          std::span<const std::string> entries) {
  if (text.empty()) return std::nullopt;
  for (const std::string& entry : entries) {
    if (EqualsIgnoreCase(entry, text)) return entry;
  }
  return std::nullopt;
}

}  // namespace skel::monitor
