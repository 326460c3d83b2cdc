#include "common/number_format.h"

#include <gtest/gtest.h>

namespace skel {
namespace {

struct PatternCase {
  double value;
  const char* pattern;
  const char* text;
};

TEST(FormatNumber, PatternsRoundHalfAwayFromZero) {
  const PatternCase cases[] = {
      {37.5, "0", "38"},
      {37.4999, "0", "37"},
      {-2.5, "0", "-3"},
      {0.4, "0", "0"},
      {-0.4, "0", "0"},
      {7, "00", "07"},
      {123, "00", "123"},
      {42, "00000", "00042"},
      {0, "#,##0", "0"},
      {1234567, "#,##0", "1,234,567"},
      {999.5, "#,##0", "1,000"},
      {1.125, "###,###,##0.00", "1.13"},
      {1.005, "###,###,##0.00", "1.01"},  // taken at 15 digits, as the platform shows it
      {0.004, "###,###,##0.00", "0.00"},
      {1023.996, "###,###,##0.00 KB", "1,024.00 KB"},
      {123456789.125, "###,###,##0.00", "123,456,789.13"},
      {5, "#,##0 Bytes", "5 Bytes"},
      {1e15, "###,###,###,###,###,##0", "1,000,000,000,000,000"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatNumber(Decimal::FromDouble(c.value), c.pattern, LocaleSeparators{}), c.text)
        << c.value << " " << c.pattern;
  }
}

TEST(FormatNumber, ExactIntegersBeyondDoublePrecision) {
  EXPECT_EQ(FormatNumber(Decimal::FromInteger(9223372036854775807LL), "#,##0", LocaleSeparators{}),
            "9,223,372,036,854,775,807");
  EXPECT_EQ(FormatNumber(Decimal::FromInteger(INT64_MIN), "0", LocaleSeparators{}),
            "-9223372036854775808");
}

TEST(Rounding, WholeNumberConversionIsHalfToEvenFormattingIsAwayFromZero) {
  const struct {
    double value;
    int64_t even, away;
  } cases[] = {{0.5, 0, 1}, {1.5, 2, 2}, {2.5, 2, 3}, {-2.5, -2, -3},
               {49.5, 50, 50}, {48.5, 48, 49}, {37.4999, 37, 37}, {3.7, 4, 4}};
  for (const auto& c : cases) {
    EXPECT_EQ(RoundHalfToEven(c.value), c.even) << c.value;
    EXPECT_EQ(RoundHalfAwayFromZero(c.value), c.away) << c.value;
  }
}

TEST(FixedPoint4, ShortestText) {
  LocaleSeparators us, comma{",", "."};
  EXPECT_EQ(FixedPoint4ToText(374522, us), "37.4522");
  EXPECT_EQ(FixedPoint4ToText(375000, us), "37.5");
  EXPECT_EQ(FixedPoint4ToText(380000, us), "38");
  EXPECT_EQ(FixedPoint4ToText(1000000, us), "100");
  EXPECT_EQ(FixedPoint4ToText(5, us), "0.0005");
  EXPECT_EQ(FixedPoint4ToText(0, us), "0");
  EXPECT_EQ(FixedPoint4ToText(-12500, us), "-1.25");
  EXPECT_EQ(FixedPoint4ToText(687500, comma), "68,75");
}

TEST(ParseDecimal, AcceptsNumbersOnly) {
  LocaleSeparators us, comma{",", "."};
  EXPECT_EQ(DecimalToInt64(*ParseDecimal(" 42 ", us)), 42);
  EXPECT_EQ(DecimalToInt64(*ParseDecimal("-7.9", us)), -7);
  EXPECT_DOUBLE_EQ(DecimalToDouble(*ParseDecimal("6,75", comma)), 6.75);
  EXPECT_DOUBLE_EQ(DecimalToDouble(*ParseDecimal("6.75", comma)), 6.75);
  for (const char* bad : {"", " ", "-", ".", "1e5", "1,5", "0x10", "12 3", "++1"}) {
    EXPECT_FALSE(ParseDecimal(bad, us).has_value()) << bad;
  }
  EXPECT_FALSE(DecimalToInt64(*ParseDecimal("99999999999999999999", us)).has_value());
}

}  // namespace
}  // namespace skel
