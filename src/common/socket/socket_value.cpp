#include "common/socket/socket_value.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <type_traits>

namespace skel::socket {

namespace {

template <typename T>
Bytes ImageOf(T value) {
  static_assert(std::is_trivially_copyable_v<T>);
  Bytes out(sizeof(T));
  std::memcpy(out.data(), &value, sizeof(T));  // the targets are little-endian
  return out;
}

template <typename T>
T FromImage(std::span<const uint8_t> bytes) {
  T value{};
  std::memcpy(&value, bytes.data(), sizeof(T));
  return value;
}

bool IsSpace(char c) {
  return c == ' ' || c == '\t';
}

std::optional<double> ParseDecimal(const std::string& text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsSpace(text[begin])) ++begin;
  while (end > begin && IsSpace(text[end - 1])) --end;
  if (begin == end) return std::nullopt;
  const std::string trimmed = text.substr(begin, end - begin);
  // strtod would also take hexadecimal, "inf" and "nan"; a port is none of those.
  for (char c : trimmed) {
    if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.' ||
          c == 'e' || c == 'E'))
      return std::nullopt;
  }
  errno = 0;
  char* stop = nullptr;
  double value = std::strtod(trimmed.c_str(), &stop);
  if (stop != trimmed.c_str() + trimmed.size() || errno == ERANGE) return std::nullopt;
  return value;
}

}  // namespace

int32_t VarTypeOf(const SocketValue& value) {
  static constexpr int32_t kTypes[] = {kVbEmpty, kVbBoolean, kVbByte,     kVbInteger,
                                       kVbLong,  kVbSingle,  kVbDouble,   kVbCurrency,
                                       kVbDate,  kVbString,  kVbByteArray};
  return kTypes[value.index()];
}

std::optional<Bytes> ToWireBytes(const SocketValue& value) {
  struct Visitor {
    std::optional<Bytes> operator()(std::monostate) const { return std::nullopt; }
    std::optional<Bytes> operator()(bool v) const { return ImageOf<int16_t>(v ? -1 : 0); }
    std::optional<Bytes> operator()(uint8_t v) const { return ImageOf(v); }
    std::optional<Bytes> operator()(int16_t v) const { return ImageOf(v); }
    std::optional<Bytes> operator()(int32_t v) const { return ImageOf(v); }
    std::optional<Bytes> operator()(float v) const { return ImageOf(v); }
    std::optional<Bytes> operator()(double v) const { return ImageOf(v); }
    std::optional<Bytes> operator()(Currency v) const { return ImageOf(v.scaled); }
    std::optional<Bytes> operator()(Date v) const { return ImageOf(v.serial); }
    std::optional<Bytes> operator()(const std::string& v) const {
      return Bytes(v.begin(), v.end());
    }
    std::optional<Bytes> operator()(const Bytes& v) const { return v; }
  };
  return std::visit(Visitor{}, value);
}

int WireSizeOf(int32_t varType) {
  switch (varType) {
    case kVbBoolean:
    case kVbInteger:
      return 2;
    case kVbByte:
      return 1;
    case kVbLong:
    case kVbSingle:
      return 4;
    case kVbDouble:
    case kVbCurrency:
    case kVbDate:
      return 8;
    case kVbString:
    case kVbByteArray:
      return 0;
    default:
      return -1;
  }
}

SocketValue FromWireBytes(int32_t varType, std::span<const uint8_t> bytes) {
  switch (varType) {
    case kVbBoolean:
      return FromImage<int16_t>(bytes) != 0;
    case kVbInteger:
      return FromImage<int16_t>(bytes);
    case kVbByte:
      return FromImage<uint8_t>(bytes);
    case kVbLong:
      return FromImage<int32_t>(bytes);
    case kVbSingle:
      return FromImage<float>(bytes);
    case kVbDouble:
      return FromImage<double>(bytes);
    case kVbCurrency:
      return Currency{FromImage<int64_t>(bytes)};
    case kVbDate:
      return Date{FromImage<double>(bytes)};
    case kVbString:
      return std::string(bytes.begin(), bytes.end());
    default:
      return Bytes(bytes.begin(), bytes.end());
  }
}

std::optional<double> NumericValue(const SocketValue& value) {
  struct Visitor {
    std::optional<double> operator()(std::monostate) const { return 0.0; }
    std::optional<double> operator()(bool v) const { return v ? -1.0 : 0.0; }
    std::optional<double> operator()(uint8_t v) const { return v; }
    std::optional<double> operator()(int16_t v) const { return v; }
    std::optional<double> operator()(int32_t v) const { return v; }
    std::optional<double> operator()(float v) const { return v; }
    std::optional<double> operator()(double v) const { return v; }
    std::optional<double> operator()(Currency v) const { return v.scaled / 10000.0; }
    std::optional<double> operator()(Date v) const { return v.serial; }
    std::optional<double> operator()(const std::string& v) const { return ParseDecimal(v); }
    std::optional<double> operator()(const Bytes&) const { return std::nullopt; }
  };
  return std::visit(Visitor{}, value);
}

std::optional<double> RoundedNumber(const SocketValue& value) {
  std::optional<double> number = NumericValue(value);
  if (!number) return std::nullopt;
  return std::nearbyint(*number);  // default rounding mode: half to even
}

}  // namespace skel::socket
