// The typed values SendData sends and GetData/PeekData fill, and the rules
// that turn them into bytes and back. Numbers travel as their little-endian
// memory image, text as its ANSI bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace skel::socket {

// A currency value: the amount times 10,000, as it is held in memory.
struct Currency {
  int64_t scaled = 0;
  bool operator==(const Currency&) const = default;
};
// A date: days since 30 December 1899, the fraction being the time of day.
struct Date {
  double serial = 0;
  bool operator==(const Date&) const = default;
};

using Bytes = std::vector<uint8_t>;

// monostate is "no value yet": GetData then picks its type from varType.
using SocketValue = std::variant<std::monostate, bool, uint8_t, int16_t, int32_t, float, double,
                                 Currency, Date, std::string, Bytes>;

// Type numbers accepted as GetData's varType.
enum VarType : int32_t {
  kVbEmpty = 0,
  kVbInteger = 2,
  kVbLong = 3,
  kVbSingle = 4,
  kVbDouble = 5,
  kVbCurrency = 6,
  kVbDate = 7,
  kVbString = 8,
  kVbBoolean = 11,
  kVbByte = 17,
  kVbByteArray = 0x2000 | kVbByte,
};

int32_t VarTypeOf(const SocketValue& value);

// The bytes SendData sends for a value; nullopt for a type it cannot send.
std::optional<Bytes> ToWireBytes(const SocketValue& value);

// Bytes a numeric type needs (2, 1, 4 or 8); 0 for text and byte arrays
// (they take any count); -1 for a type GetData does not fill.
int WireSizeOf(int32_t varType);

// Builds a value of varType from bytes (exactly WireSizeOf bytes for numbers).
SocketValue FromWireBytes(int32_t varType, std::span<const uint8_t> bytes);

// The number a port or length argument stands for: numbers as they are,
// Booleans as -1/0, no value as 0, text when it reads as a decimal number.
// nullopt when the value is not numeric.
std::optional<double> NumericValue(const SocketValue& value);

// A numeric argument rounded the way the system rounds (half to even);
// nullopt when not numeric. Infinite or huge values come back as they are so
// that range checks reject them.
std::optional<double> RoundedNumber(const SocketValue& value);

}  // namespace skel::socket
