// The socket port over Winsock 1.1 and WSAAsyncSelect; notifications go to
// the hidden window of NotifyWindowWin.
#pragma once

#include "common/socket/notify_window_win.h"
#include "common/socket/socket_ports.h"

namespace skel::socket::win {

class WinsockApi : public SocketApi {
 public:
  explicit WinsockApi(NotifyWindowWin& window) : window_(window) {}

  int Startup() override;
  int Cleanup() override;
  CallResult Open(Transport transport) override;
  int Close(SocketId socket) override;
  int Bind(SocketId socket, Ipv4 address, uint16_t port) override;
  int Listen(SocketId socket, int backlog) override;
  CallResult Accept(SocketId socket) override;
  int Connect(SocketId socket, Ipv4 address, uint16_t port) override;
  CallResult Send(SocketId socket, const uint8_t* data, int32_t size) override;
  CallResult SendTo(SocketId socket, const uint8_t* data, int32_t size, Ipv4 address,
                    uint16_t port) override;
  CallResult Recv(SocketId socket, uint8_t* buffer, int32_t size, bool peek) override;
  DatagramResult RecvFrom(SocketId socket, uint8_t* buffer, int32_t size, bool peek) override;
  CallResult PendingBytes(SocketId socket) override;
  CallResult GetOption(SocketId socket, SocketOption option) override;
  int EnableBroadcast(SocketId socket) override;
  AddressResult LocalAddress(SocketId socket) override;
  AddressResult PeerAddress(SocketId socket) override;
  TextResult HostName() override;
  AddressResult ResolveName(const std::string& name) override;
  TextResult ReverseLookup(Ipv4 address) override;
  std::optional<Ipv4> ParseDotted(const std::string& text) override;
  std::string FormatDotted(Ipv4 address) override;
  int SelectAllEvents(SocketId socket) override;
  CallResult StartLookup(const std::string& name, char* buffer, int32_t size) override;
  std::optional<Ipv4> LookupAddress(const char* buffer) override;
  int CancelLookup(LookupId lookup) override;

 private:
  NotifyWindowWin& window_;
};

}  // namespace skel::socket::win
