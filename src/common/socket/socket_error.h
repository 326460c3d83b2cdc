// Errors the socket component raises to its caller. A raised error means the
// call did not complete; asynchronous failures arrive as the Error event
// instead (see socket_engine.h).
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace skel::socket {

// Component error numbers; Winsock codes (10004 and up) are raised as they are.
inline constexpr int32_t kErrOutOfMemory = 7;
inline constexpr int32_t kErrWrongProtocolOrState = 40006;
inline constexpr int32_t kErrInvalidArgument = 40014;
inline constexpr int32_t kErrUnsupportedType = 40018;
inline constexpr int32_t kErrInvalidState = 40020;

inline constexpr const char* kTextOutOfMemory = "Out of memory";
inline constexpr const char* kTextWrongProtocolOrState =
    "Wrong protocol or connection state for the requested transaction or request";
inline constexpr const char* kTextBadArgument =
    "The argument passed to a function was not in the correct format or in the specified range.";
inline constexpr const char* kTextInvalidArgument = "Invalid argument";
inline constexpr const char* kTextUnsupportedType = "Unsupported variant type.";
inline constexpr const char* kTextInvalidState = "Invalid operation at current state";

class SocketError : public std::runtime_error {
 public:
  SocketError(int32_t number, std::string description, std::string source)
      : std::runtime_error(description),
        number_(number),
        description_(std::move(description)),
        source_(std::move(source)) {}

  int32_t Number() const { return number_; }
  const std::string& Description() const { return description_; }
  // "CSocketEngine.<operation>" or "modSocketEngine.<operation>".
  const std::string& Source() const { return source_; }

 private:
  int32_t number_;
  std::string description_;
  std::string source_;
};

}  // namespace skel::socket
