#include "common/number_format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace skel {
namespace {

LocaleSeparators& MutableSeparators() {
  static LocaleSeparators separators;
  return separators;
}

void TrimLeadingZeros(std::string& digits) {
  size_t first = digits.find_first_not_of('0');
  digits.erase(0, first == std::string::npos ? digits.size() : first);
}

// Drops trailing zeros into the exponent so equal values look alike.
Decimal Normalise(Decimal d) {
  TrimLeadingZeros(d.digits);
  if (d.digits.empty()) return Decimal{};
  while (!d.digits.empty() && d.digits.back() == '0') {
    d.digits.pop_back();
    ++d.exponent;
  }
  return d;
}

// Adds one to a digit string, carrying.
void Increment(std::string& digits) {
  int i = static_cast<int>(digits.size()) - 1;
  for (; i >= 0; --i) {
    if (digits[i] == '9') {
      digits[i] = '0';
    } else {
      ++digits[i];
      return;
    }
  }
  digits.insert(digits.begin(), '1');
}

struct Pattern {
  size_t numericEnd = 0;  // the numeric part is pattern[0, numericEnd)
  int minIntegerDigits = 0;
  int minDecimals = 0;
  int maxDecimals = 0;
  bool grouping = false;
  bool hasDecimalPoint = false;
  bool any = false;
};

Pattern ParsePattern(std::string_view p) {
  Pattern out;
  bool afterPoint = false;
  size_t i = 0;
  for (; i < p.size(); ++i) {
    char c = p[i];
    if (c == '0' || c == '#') {
      out.any = true;
      if (afterPoint) {
        ++out.maxDecimals;
        if (c == '0') out.minDecimals = out.maxDecimals;
      } else if (c == '0') {
        ++out.minIntegerDigits;
      }
    } else if (c == ',' && !afterPoint) {
      out.grouping = true;
    } else if (c == '.' && !afterPoint) {
      afterPoint = true;
      out.hasDecimalPoint = true;
    } else {
      break;
    }
  }
  out.numericEnd = i;
  return out;
}

std::string Group(const std::string& integer, const std::string& separator) {
  std::string out;
  size_t n = integer.size();
  for (size_t i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) out += separator;
    out += integer[i];
  }
  return out;
}

}  // namespace

const LocaleSeparators& CurrentSeparators() { return MutableSeparators(); }

void SetCurrentSeparators(const LocaleSeparators& separators) {
  MutableSeparators() = separators;
}

Decimal Decimal::FromUnsigned(uint64_t value) {
  Decimal d;
  d.digits = std::to_string(value);
  return Normalise(d);
}

Decimal Decimal::FromInteger(int64_t value) {
  uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  Decimal d = FromUnsigned(magnitude);
  d.negative = value < 0 && !d.IsZero();
  return d;
}

Decimal Decimal::FromDouble(double value) {
  if (!std::isfinite(value) || value == 0.0) return Decimal{};
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.14e", value);  // d.dddddddddddddde±x: 15 digits
  Decimal d;
  const char* s = buf;
  if (*s == '-') {
    d.negative = true;
    ++s;
  }
  for (; *s && *s != 'e'; ++s) {
    if (*s != '.') d.digits += *s;
  }
  int exp10 = *s == 'e' ? std::atoi(s + 1) : 0;
  d.exponent = exp10 - 14;
  return Normalise(d);
}

Decimal RoundHalfAwayFromZero(const Decimal& value, int decimals) {
  if (value.IsZero() || value.exponent >= -decimals) return value;
  // Number of digits to drop from the right.
  int drop = -decimals - value.exponent;
  Decimal out = value;
  if (drop > static_cast<int>(out.digits.size())) return Decimal{};
  char first = out.digits[out.digits.size() - drop];
  out.digits.resize(out.digits.size() - drop);
  out.exponent += drop;
  if (first >= '5') {
    if (out.digits.empty()) out.digits = "0";
    Increment(out.digits);
  }
  return Normalise(out);
}

std::string FormatNumber(const Decimal& value, std::string_view pattern,
                         const LocaleSeparators& separators) {
  Pattern p = ParsePattern(pattern);
  if (!p.any) return std::string(pattern);
  Decimal r = RoundHalfAwayFromZero(value, p.maxDecimals);

  // Split the rounded value into integer and fraction digit strings.
  std::string integer, fraction;
  if (!r.IsZero()) {
    if (r.exponent >= 0) {
      integer = r.digits + std::string(r.exponent, '0');
    } else {
      int fracLen = -r.exponent;
      int n = static_cast<int>(r.digits.size());
      if (n > fracLen) {
        integer = r.digits.substr(0, n - fracLen);
        fraction = r.digits.substr(n - fracLen);
      } else {
        fraction = std::string(fracLen - n, '0') + r.digits;
      }
    }
  }
  while (static_cast<int>(integer.size()) < p.minIntegerDigits) integer.insert(0, "0");
  while (static_cast<int>(fraction.size()) < p.minDecimals) fraction += '0';
  while (static_cast<int>(fraction.size()) > p.minDecimals && !fraction.empty() &&
         fraction.back() == '0') {
    fraction.pop_back();
  }

  std::string out;
  if (r.negative && !r.IsZero()) out += '-';
  out += p.grouping ? Group(integer, separators.thousands) : integer;
  if (!fraction.empty()) {
    out += separators.decimal;
    out += fraction;
  }
  out.append(pattern.substr(p.numericEnd));
  return out;
}

std::string FormatNumber(const Decimal& value, std::string_view pattern) {
  return FormatNumber(value, pattern, CurrentSeparators());
}

std::string FormatNumber(double value, std::string_view pattern) {
  return FormatNumber(Decimal::FromDouble(value), pattern);
}

std::string FormatNumber(int64_t value, std::string_view pattern) {
  return FormatNumber(Decimal::FromInteger(value), pattern);
}

int64_t RoundHalfToEven(double value) { return static_cast<int64_t>(std::nearbyint(value)); }

int64_t RoundHalfAwayFromZero(double value) {
  Decimal r = RoundHalfAwayFromZero(Decimal::FromDouble(value), 0);
  return DecimalToInt64(r).value_or(0);
}

std::string FixedPoint4ToText(int64_t scaled, const LocaleSeparators& separators) {
  Decimal d = Decimal::FromInteger(scaled);
  d.exponent -= 4;
  d = Normalise(d);
  return DecimalToPlainText(d, separators);
}

std::string FixedPoint4ToText(int64_t scaled) {
  return FixedPoint4ToText(scaled, CurrentSeparators());
}

std::optional<Decimal> ParseDecimal(std::string_view text, const LocaleSeparators& separators) {
  size_t b = text.find_first_not_of(" \t");
  size_t e = text.find_last_not_of(" \t");
  if (b == std::string_view::npos) return std::nullopt;
  text = text.substr(b, e - b + 1);
  Decimal d;
  size_t i = 0;
  if (text[0] == '-' || text[0] == '+') {
    d.negative = text[0] == '-';
    i = 1;
  }
  bool anyDigit = false, point = false;
  while (i < text.size()) {
    char c = text[i];
    if (c >= '0' && c <= '9') {
      d.digits += c;
      if (point) --d.exponent;
      anyDigit = true;
      ++i;
    } else if (!point && !separators.decimal.empty() &&
               text.substr(i, separators.decimal.size()) == separators.decimal) {
      point = true;
      i += separators.decimal.size();
    } else if (!point && c == '.') {
      point = true;
      ++i;
    } else {
      return std::nullopt;
    }
  }
  if (!anyDigit) return std::nullopt;
  bool negative = d.negative;
  d = Normalise(d);
  d.negative = negative && !d.IsZero();
  return d;
}

std::optional<Decimal> ParseDecimal(std::string_view text) {
  return ParseDecimal(text, CurrentSeparators());
}

std::optional<int64_t> DecimalToInt64(const Decimal& value) {
  if (value.IsZero()) return 0;
  std::string integer;
  if (value.exponent >= 0) {
    if (value.digits.size() + value.exponent > 19) return std::nullopt;
    integer = value.digits + std::string(value.exponent, '0');
  } else {
    int n = static_cast<int>(value.digits.size()) + value.exponent;
    if (n <= 0) return 0;
    integer = value.digits.substr(0, n);
  }
  if (integer.size() > 19) return std::nullopt;
  unsigned long long magnitude = std::strtoull(integer.c_str(), nullptr, 10);
  if (value.negative) {
    if (magnitude > static_cast<unsigned long long>(std::numeric_limits<int64_t>::max()) + 1) {
      return std::nullopt;
    }
    return static_cast<int64_t>(0 - magnitude);
  }
  if (magnitude > static_cast<unsigned long long>(std::numeric_limits<int64_t>::max())) {
    return std::nullopt;
  }
  return static_cast<int64_t>(magnitude);
}

double DecimalToDouble(const Decimal& value) {
  if (value.IsZero()) return 0.0;
  std::string text = (value.negative ? "-" : "") + value.digits + "e" + std::to_string(value.exponent);
  return std::strtod(text.c_str(), nullptr);
}

std::string DecimalToPlainText(const Decimal& value, const LocaleSeparators& separators) {
  if (value.IsZero()) return "0";
  std::string out = value.negative ? "-" : "";
  if (value.exponent >= 0) return out + value.digits + std::string(value.exponent, '0');
  int n = static_cast<int>(value.digits.size());
  int fracLen = -value.exponent;
  if (n > fracLen) {
    return out + value.digits.substr(0, n - fracLen) + separators.decimal +
           value.digits.substr(n - fracLen);
  }
  return out + "0" + separators.decimal + std::string(fracLen - n, '0') + value.digits;
}

}  // namespace skel
