#include "common/byte_format.h"

#include <gtest/gtest.h>

namespace skel {
namespace {

struct ByteCase {
  int64_t value;
  bool units;
  const char* text;
};

class FormatByteSizeTest : public ::testing::TestWithParam<ByteCase> {};

TEST_P(FormatByteSizeTest, MatchesBandAndPattern) {
  const ByteCase& c = GetParam();
  EXPECT_EQ(FormatByteSize(c.value, c.units, LocaleSeparators{}), c.text) << c.value;
}

INSTANTIATE_TEST_SUITE_P(
    Bands, FormatByteSizeTest,
    ::testing::Values(ByteCase{0, true, "0 Bytes"}, ByteCase{1, true, "1 Bytes"},
                      ByteCase{1023, true, "1,023 Bytes"}, ByteCase{1024, true, "1.00 KB"},
                      ByteCase{1152, true, "1.13 KB"},  // 1.125: half away from zero
                      ByteCase{1536, true, "1.50 KB"},
                      // band is chosen before rounding
                      ByteCase{1048575, true, "1,024.00 KB"},
                      ByteCase{1048576, true, "1.00 MB"},
                      ByteCase{1073741823, true, "1,024.00 MB"},
                      ByteCase{1073741824, true, "1.00 GB"},
                      ByteCase{4294967296LL, true, "4.00 GB"},
                      ByteCase{2415919104LL, true, "2.25 GB"},
                      ByteCase{1099511627776LL, true, "1.00 TB"},
                      ByteCase{2 * 1099511627776LL, true, "2.00 TB"},
                      ByteCase{1125899906842624LL, true, "1,024.00 TB"},
                      // a 32-bit count read as negative is moved up by 2^32 - 2
                      ByteCase{-1879048192LL, true, "2.25 GB"},
                      ByteCase{-1, true, "4.00 GB"},
                      // still negative after the adjustment: plain text
                      ByteCase{-5000000000LL, true, "-705032706"},
                      ByteCase{123456789, false, "123,456,789"}, ByteCase{0, false, "0"},
                      ByteCase{-2, false, "4,294,967,292"},
                      ByteCase{999, false, "999"}));

TEST(FormatByteSize, UsesTheLocaleSeparators) {
  LocaleSeparators german{",", "."};
  EXPECT_EQ(FormatByteSize(1048575, true, german), "1.024,00 KB");
  EXPECT_EQ(FormatByteSize(123456789, false, german), "123.456.789");
  LocaleSeparators spaced{",", "\xA0"};
  EXPECT_EQ(FormatByteSize(1023, true, spaced), "1\xA0" "023 Bytes");
}

TEST(FormatByteSize, TextValues) {
  LocaleSeparators us;
  EXPECT_EQ(FormatByteSize("1536", true, us), "1.50 KB");
  EXPECT_EQ(FormatByteSize(" 2415919104 ", true, us), "2.25 GB");
  EXPECT_EQ(FormatByteSize("-1879048192", true, us), "2.25 GB");
  EXPECT_EQ(FormatByteSize("1023.6", true, us), "1,024 Bytes");  // still in the Bytes band
  // Not a number: the text itself.
  EXPECT_EQ(FormatByteSize("n/a", true, us), "n/a");
  EXPECT_EQ(FormatByteSize("", true, us), "");
  EXPECT_EQ(FormatByteSize("12x", false, us), "12x");
  EXPECT_EQ(FormatByteSize("-99999999999999999999999999999999999", true, us),
            "-99999999999999999999999999999999999");
}

}  // namespace
}  // namespace skel
