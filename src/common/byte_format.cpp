#include "common/byte_format.h"

namespace skel {
namespace {

// 2147483647 + 2147483647: one short of 2^32, kept as it always was so that
// sizes stay comparable with what earlier versions showed and logged.
constexpr int64_t kNegativeAdjustment = 4294967294LL;

constexpr int64_t kKiB = 1024;
constexpr int64_t kMiB = kKiB * 1024;
constexpr int64_t kGiB = kMiB * 1024;
constexpr int64_t kTiB = kGiB * 1024;

Decimal Add(const Decimal& a, int64_t b) {
  // Far beyond any byte count: nothing sensible to adjust, and it would not fit.
  if (static_cast<int>(a.digits.size()) + (a.exponent > 0 ? a.exponent : 0) > 30 || a.exponent < -8) {
    return a;
  }
  // Values that reach here are whole or have few decimals; scale both to the
  // smaller exponent and add as 128-bit integers.
  int exponent = a.exponent < 0 ? a.exponent : 0;
  __int128 av = 0;
  for (char c : a.digits) av = av * 10 + (c - '0');
  for (int e = a.exponent; e > exponent; --e) av *= 10;
  if (a.negative) av = -av;
  __int128 bv = b;
  for (int e = 0; e > exponent; --e) bv *= 10;
  __int128 sum = av + bv;
  Decimal out;
  out.negative = sum < 0;
  unsigned __int128 magnitude = sum < 0 ? static_cast<unsigned __int128>(-sum) : sum;
  std::string digits;
  while (magnitude > 0) {
    digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(magnitude % 10)));
    magnitude /= 10;
  }
  out.digits = digits;
  out.exponent = exponent;
  // Normalise through a round trip that drops trailing zeros.
  return RoundHalfAwayFromZero(out, -out.exponent);
}

int Compare(const Decimal& a, int64_t b) {
  double da = DecimalToDouble(a);
  // Exact enough: every bound is a power of two well inside double's range,
  // and values near a bound differ from it by at least a whole unit or a
  // decimal that the double keeps.
  double db = static_cast<double>(b);
  return da < db ? -1 : (da > db ? 1 : 0);
}

}  // namespace

std::string FormatByteSize(const Decimal& input, bool units, const LocaleSeparators& separators) {
  Decimal v = input.negative ? Add(input, kNegativeAdjustment) : input;
  if (!units) return FormatNumber(v, "###,###,###,###,###,##0", separators);
  if (v.negative) return DecimalToPlainText(v, separators);
  if (Compare(v, kKiB) < 0) return FormatNumber(v, "#,##0 Bytes", separators);
  double d = DecimalToDouble(v);
  if (Compare(v, kMiB) < 0) return FormatNumber(Decimal::FromDouble(d / kKiB), "###,###,##0.00 KB", separators);
  if (Compare(v, kGiB) < 0) return FormatNumber(Decimal::FromDouble(d / kMiB), "###,###,##0.00 MB", separators);
  if (Compare(v, kTiB) < 0) return FormatNumber(Decimal::FromDouble(d / kGiB), "###,###,##0.00 GB", separators);
  return FormatNumber(Decimal::FromDouble(d / static_cast<double>(kTiB)), "###,###,##0.00 TB", separators);
}

std::string FormatByteSize(int64_t value, bool units, const LocaleSeparators& separators) {
  return FormatByteSize(Decimal::FromInteger(value), units, separators);
}

std::string FormatByteSize(int64_t value, bool units) {
  return FormatByteSize(value, units, CurrentSeparators());
}

std::string FormatByteSize(std::string_view value, bool units, const LocaleSeparators& separators) {
  auto parsed = ParseDecimal(value, separators);
  if (!parsed) return std::string(value);
  return FormatByteSize(*parsed, units, separators);
}

std::string FormatByteSize(std::string_view value, bool units) {
  return FormatByteSize(value, units, CurrentSeparators());
}

}  // namespace skel
