// The narrow interfaces through which the socket component reaches the
// system: the socket calls, the hidden window that receives notifications,
// and the message box that may follow an Error event. The Windows side
// implements them with Winsock 1.1 and user32 (*_win.cpp); tests use fakes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace skel::socket {

using SocketId = int32_t;
inline constexpr SocketId kNoSocket = -1;
using LookupId = int32_t;

// Window messages the hidden window receives.
inline constexpr uint32_t kLookupDoneMessage = 2048;  // wParam lookup, lParam high word error
inline constexpr uint32_t kSocketMessage = 2049;      // wParam socket, lParam event | error << 16

// Event bits of kSocketMessage.
inline constexpr uint16_t kEventRead = 1;
inline constexpr uint16_t kEventWrite = 2;
inline constexpr uint16_t kEventAccept = 8;
inline constexpr uint16_t kEventConnect = 16;
inline constexpr uint16_t kEventClose = 32;

// Winsock codes the component treats specially.
inline constexpr int kWouldBlock = 10035;
inline constexpr int kConnectionAborted = 10053;
inline constexpr int kConnectionReset = 10054;
inline constexpr int kNotConnected = 10057;
inline constexpr int kMessageTooLong = 10040;
inline constexpr int kAddressFamilyNotSupported = 10047;
inline constexpr int kAddressNotAvailable = 10049;

// An IPv4 address as the system stores it (network byte order).
struct Ipv4 {
  uint32_t networkOrder = 0;
  bool operator==(const Ipv4&) const = default;
};

enum class Transport : int32_t { kTcp = 0, kUdp = 1 };

// value is meaningful when error is 0; error is a Winsock code otherwise.
struct CallResult {
  int32_t value = 0;
  int error = 0;
};
struct AddressResult {
  Ipv4 address;
  uint16_t port = 0;
  int error = 0;
};
struct TextResult {
  std::string text;
  int error = 0;
};
struct DatagramResult {
  int32_t received = 0;  // bytes stored, also when the datagram was cut (error 10040)
  int error = 0;
  Ipv4 from;
  uint16_t fromPort = 0;
};

enum class SocketOption { kReceiveBuffer, kSendBuffer, kMaxMessageSize };

class SocketApi {
 public:
  virtual ~SocketApi() = default;

  virtual int Startup() = 0;  // version 1.1
  virtual int Cleanup() = 0;

  virtual CallResult Open(Transport transport) = 0;
  virtual int Close(SocketId socket) = 0;
  virtual int Bind(SocketId socket, Ipv4 address, uint16_t port) = 0;
  virtual int Listen(SocketId socket, int backlog) = 0;
  virtual CallResult Accept(SocketId socket) = 0;
  // Non-blocking: kWouldBlock means the outcome arrives as kEventConnect.
  virtual int Connect(SocketId socket, Ipv4 address, uint16_t port) = 0;
  virtual CallResult Send(SocketId socket, const uint8_t* data, int32_t size) = 0;
  virtual CallResult SendTo(SocketId socket, const uint8_t* data, int32_t size, Ipv4 address,
                            uint16_t port) = 0;
  virtual CallResult Recv(SocketId socket, uint8_t* buffer, int32_t size, bool peek) = 0;
  virtual DatagramResult RecvFrom(SocketId socket, uint8_t* buffer, int32_t size, bool peek) = 0;
  virtual CallResult PendingBytes(SocketId socket) = 0;  // FIONREAD
  virtual CallResult GetOption(SocketId socket, SocketOption option) = 0;
  virtual int EnableBroadcast(SocketId socket) = 0;
  virtual AddressResult LocalAddress(SocketId socket) = 0;
  virtual AddressResult PeerAddress(SocketId socket) = 0;

  virtual TextResult HostName() = 0;
  // Blocking lookup; the first address of the result.
  virtual AddressResult ResolveName(const std::string& name) = 0;
  // Blocking reverse lookup.
  virtual TextResult ReverseLookup(Ipv4 address) = 0;
  // nullopt when the text is not an address in dotted form.
  virtual std::optional<Ipv4> ParseDotted(const std::string& text) = 0;
  virtual std::string FormatDotted(Ipv4 address) = 0;

  // Asks for kSocketMessage on the notification window for all five events.
  virtual int SelectAllEvents(SocketId socket) = 0;
  // Starts a background lookup that posts kLookupDoneMessage when it ends;
  // the result is written into buffer, which must live until then.
  virtual CallResult StartLookup(const std::string& name, char* buffer, int32_t size) = 0;
  // The first address of a finished lookup in buffer.
  virtual std::optional<Ipv4> LookupAddress(const char* buffer) = 0;
  virtual int CancelLookup(LookupId lookup) = 0;
};

// Receiver of the notification window's messages.
class NotificationSink {
 public:
  virtual ~NotificationSink() = default;
  // False when the message is not one of the two notifications.
  virtual bool Dispatch(uint32_t message, uint64_t wParam, int64_t lParam) = 0;
};

// The hidden window that receives kLookupDoneMessage and kSocketMessage.
class NotifyWindow {
 public:
  virtual ~NotifyWindow() = default;
  virtual bool Create(NotificationSink& sink) = 0;
  virtual bool Destroy() = 0;
};

// The message box shown after an Error event whose handler cleared
// CancelDisplay.
class MessageBoxPort {
 public:
  virtual ~MessageBoxPort() = default;
  virtual void Show(const std::string& text, const std::string& title) = 0;
};

}  // namespace skel::socket
