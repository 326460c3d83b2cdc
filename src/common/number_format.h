// Number patterns and rounding shared by every program.
//
// Patterns follow the classic picture syntax: "0" is a digit that always
// appears, "#" a digit that appears only when significant, "," asks for digit
// grouping, "." places the decimal separator. Anything after the numeric part
// ("#,##0 Bytes") is copied as it stands. "," and "." in a pattern stand for
// the separators of the user's locale.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace skel {

struct LocaleSeparators {
  std::string decimal = ".";
  std::string thousands = ",";
};

// The separators used when none are passed explicitly. The Windows programs
// set them from the user's locale at start-up; tests set what they need.
const LocaleSeparators& CurrentSeparators();
void SetCurrentSeparators(const LocaleSeparators& separators);

// A finite decimal number: sign, digit string without leading zeros, and the
// power of ten of the last digit (value = digits * 10^exponent).
struct Decimal {
  bool negative = false;
  std::string digits;  // "" means zero
  int exponent = 0;

  static Decimal FromInteger(int64_t value);
  static Decimal FromUnsigned(uint64_t value);
  // Doubles are taken with 15 significant digits, the precision at which the
  // platform's conversions show a double as text.
  static Decimal FromDouble(double value);
  bool IsZero() const { return digits.empty(); }
};

// Rounds to `decimals` places, half away from zero (the formatting rule).
Decimal RoundHalfAwayFromZero(const Decimal& value, int decimals);

// Formats with a pattern; the number is rounded half away from zero to the
// pattern's decimals. Patterns without digit placeholders return the pattern.
std::string FormatNumber(const Decimal& value, std::string_view pattern,
                         const LocaleSeparators& separators);
std::string FormatNumber(const Decimal& value, std::string_view pattern);
std::string FormatNumber(double value, std::string_view pattern);
std::string FormatNumber(int64_t value, std::string_view pattern);

// Whole-number conversion: half to even (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
int64_t RoundHalfToEven(double value);
// Formatting-style rounding to a whole number: half away from zero.
int64_t RoundHalfAwayFromZero(double value);

// The shortest decimal text of a fixed-point value with four decimals
// (value * 10000): no trailing zeros, no separator when whole.
std::string FixedPoint4ToText(int64_t scaled, const LocaleSeparators& separators);
std::string FixedPoint4ToText(int64_t scaled);

// Reads a number as the platform's text-to-number conversion does: optional
// surrounding blanks, optional sign, digits with an optional decimal
// separator (the locale's or "."). Returns nothing for anything else.
std::optional<Decimal> ParseDecimal(std::string_view text, const LocaleSeparators& separators);
std::optional<Decimal> ParseDecimal(std::string_view text);

// Exact conversions of a Decimal; nothing when out of range.
std::optional<int64_t> DecimalToInt64(const Decimal& value);  // truncates decimals
double DecimalToDouble(const Decimal& value);
std::string DecimalToPlainText(const Decimal& value, const LocaleSeparators& separators);

}  // namespace skel
