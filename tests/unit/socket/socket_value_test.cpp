#include <gtest/gtest.h>

#include <cmath>

#include "common/socket/socket_value.h"
#include "common/socket/winsock_error_text.h"

namespace skel::socket {
namespace {

TEST(WinsockErrorText, KnownCodesAndEverythingElse) {
  const std::pair<int, const char*> cases[] = {
      {10004, "Interrupted function call."},
      {10035, "Resource temporarily unavailable."},
      {10047, "Address family not supported by protocol family."},
      {10061, "Connection refused."},
      {10093, "Successful WSAStartup not yet performed."},
      {11001, "Host not found."},
      {11004, "Valid name, no data record of requested type."},
      {0, "Unknown error."},
      {10059, "Unknown error."},  // a gap in the table
      {-1, "Unknown error."},
  };
  for (const auto& [code, text] : cases) EXPECT_EQ(WinsockErrorText(code), text) << code;
}

TEST(SocketValue, WireBytesAreTheLittleEndianImage) {
  struct Case {
    SocketValue value;
    Bytes bytes;
  };
  const Case cases[] = {
      {int16_t{0x1234}, {0x34, 0x12}},
      {true, {0xFF, 0xFF}},
      {false, {0x00, 0x00}},
      {int32_t{-2}, {0xFE, 0xFF, 0xFF, 0xFF}},
      {1.0f, {0x00, 0x00, 0x80, 0x3F}},
      {1.0, {0, 0, 0, 0, 0, 0, 0xF0, 0x3F}},
      {Currency{10000}, {0x10, 0x27, 0, 0, 0, 0, 0, 0}},
      {Date{2.0}, {0, 0, 0, 0, 0, 0, 0, 0x40}},
      {uint8_t{0xAB}, {0xAB}},
      {std::string("h\xE9"), {'h', 0xE9}},
      {Bytes{1, 2, 3}, {1, 2, 3}},
      {std::string(), {}},
  };
  for (const Case& c : cases) {
    std::optional<Bytes> bytes = ToWireBytes(c.value);
    ASSERT_TRUE(bytes) << c.value.index();
    EXPECT_EQ(*bytes, c.bytes) << c.value.index();
    // Reading the bytes back as the same type gives the value again.
    EXPECT_EQ(FromWireBytes(VarTypeOf(c.value), *bytes), c.value) << c.value.index();
  }
  EXPECT_FALSE(ToWireBytes(SocketValue{}));
}

TEST(SocketValue, WireSizesAndUnsupportedTypes) {
  const std::pair<int32_t, int> cases[] = {
      {kVbInteger, 2}, {kVbBoolean, 2},  {kVbByte, 1}, {kVbLong, 4},     {kVbSingle, 4},
      {kVbDouble, 8},  {kVbCurrency, 8}, {kVbDate, 8}, {kVbString, 0},   {kVbByteArray, 0},
      {kVbEmpty, -1},  {9, -1},          {12, -1},     {0x2000 | 2, -1},
  };
  for (const auto& [type, size] : cases) EXPECT_EQ(WireSizeOf(type), size) << type;
}

TEST(SocketValue, NumericArguments) {
  struct Case {
    SocketValue value;
    std::optional<double> rounded;
  };
  const Case cases[] = {
      {std::string("2012"), 2012},
      {std::string(" 80 "), 80},
      {std::string("2.5"), 2},
      {std::string("3.5"), 4},
      {std::string("-1"), -1},
      {std::string("1e3"), 1000},
      {std::string("abc"), {}},
      {std::string(""), {}},
      {std::string("0x10"), {}},
      {std::string("12abc"), {}},
      {std::string("inf"), {}},
      {int32_t{65536}, 65536},
      {true, -1},
      {Bytes{1}, {}},
      {SocketValue{}, 0},
      {Currency{25000}, 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RoundedNumber(c.value), c.rounded) << c.value.index();
  }
}

}  // namespace
}  // namespace skel::socket
