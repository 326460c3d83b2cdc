#include <winsock2.h>

#include "common/socket/winsock_api_win.h"

#include <cstring>

namespace skel::socket::win {

namespace {

// Socket handles are small numbers; the component keeps them as 32-bit values.
SOCKET ToSocket(SocketId id) {
  return static_cast<SOCKET>(static_cast<uint32_t>(id));
}
SocketId FromSocket(SOCKET s) {
  return static_cast<SocketId>(static_cast<uint32_t>(s));
}

int LastError() {
  return ::WSAGetLastError();
}
int Check(int result) {
  return result == SOCKET_ERROR ? LastError() : 0;
}

sockaddr_in MakeAddress(Ipv4 address, uint16_t port) {
  sockaddr_in in{};
  in.sin_family = AF_INET;
  in.sin_addr.s_addr = address.networkOrder;
  in.sin_port = ::htons(port);
  return in;
}

AddressResult FromAddress(const sockaddr_in& in) {
  return {Ipv4{in.sin_addr.s_addr}, ::ntohs(in.sin_port), 0};
}

std::optional<Ipv4> FirstAddress(const hostent* host) {
  if (!host || host->h_addrtype != AF_INET || !host->h_addr_list || !host->h_addr_list[0])
    return std::nullopt;
  Ipv4 address;
  std::memcpy(&address.networkOrder, host->h_addr_list[0], sizeof(address.networkOrder));
  return address;
}

}  // namespace

int WinsockApi::Startup() {
  WSADATA data{};
  return ::WSAStartup(MAKEWORD(1, 1), &data);
}

int WinsockApi::Cleanup() {
  return Check(::WSACleanup());
}

CallResult WinsockApi::Open(Transport transport) {
  SOCKET s = transport == Transport::kUdp ? ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP)
                                          : ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (s == INVALID_SOCKET) return {0, LastError()};
  return {FromSocket(s), 0};
}

int WinsockApi::Close(SocketId socket) {
  return Check(::closesocket(ToSocket(socket)));
}

int WinsockApi::Bind(SocketId socket, Ipv4 address, uint16_t port) {
  sockaddr_in in = MakeAddress(address, port);
  return Check(::bind(ToSocket(socket), reinterpret_cast<const sockaddr*>(&in), sizeof(in)));
}

int WinsockApi::Listen(SocketId socket, int backlog) {
  return Check(::listen(ToSocket(socket), backlog));
}

CallResult WinsockApi::Accept(SocketId socket) {
  sockaddr_in peer{};
  int size = sizeof(peer);
  SOCKET s = ::accept(ToSocket(socket), reinterpret_cast<sockaddr*>(&peer), &size);
  if (s == INVALID_SOCKET) return {0, LastError()};
  return {FromSocket(s), 0};
}

int WinsockApi::Connect(SocketId socket, Ipv4 address, uint16_t port) {
  sockaddr_in in = MakeAddress(address, port);
  return Check(::connect(ToSocket(socket), reinterpret_cast<const sockaddr*>(&in), sizeof(in)));
}

CallResult WinsockApi::Send(SocketId socket, const uint8_t* data, int32_t size) {
  int sent = ::send(ToSocket(socket), reinterpret_cast<const char*>(data), size, 0);
  if (sent == SOCKET_ERROR) return {0, LastError()};
  return {sent, 0};
}

CallResult WinsockApi::SendTo(SocketId socket, const uint8_t* data, int32_t size, Ipv4 address,
                              uint16_t port) {
  sockaddr_in in = MakeAddress(address, port);
  int sent = ::sendto(ToSocket(socket), reinterpret_cast<const char*>(data), size, 0,
                      reinterpret_cast<const sockaddr*>(&in), sizeof(in));
  if (sent == SOCKET_ERROR) return {0, LastError()};
  return {sent, 0};
}

CallResult WinsockApi::Recv(SocketId socket, uint8_t* buffer, int32_t size, bool peek) {
  int got = ::recv(ToSocket(socket), reinterpret_cast<char*>(buffer), size, peek ? MSG_PEEK : 0);
  if (got == SOCKET_ERROR) return {0, LastError()};
  return {got, 0};
}

DatagramResult WinsockApi::RecvFrom(SocketId socket, uint8_t* buffer, int32_t size, bool peek) {
  sockaddr_in from{};
  int fromSize = sizeof(from);
  int got = ::recvfrom(ToSocket(socket), reinterpret_cast<char*>(buffer), size, peek ? MSG_PEEK : 0,
                       reinterpret_cast<sockaddr*>(&from), &fromSize);
  DatagramResult result;
  if (got == SOCKET_ERROR) {
    result.error = LastError();
    // A datagram longer than the buffer fills it and reports 10040.
    result.received = result.error == WSAEMSGSIZE ? size : 0;
  } else {
    result.received = got;
  }
  result.from = Ipv4{from.sin_addr.s_addr};
  result.fromPort = ::ntohs(from.sin_port);
  return result;
}

CallResult WinsockApi::PendingBytes(SocketId socket) {
  u_long pending = 0;
  int error = Check(::ioctlsocket(ToSocket(socket), FIONREAD, &pending));
  if (error != 0) return {0, error};
  return {static_cast<int32_t>(pending), 0};
}

CallResult WinsockApi::GetOption(SocketId socket, SocketOption option) {
  int name = option == SocketOption::kReceiveBuffer ? SO_RCVBUF
             : option == SocketOption::kSendBuffer  ? SO_SNDBUF
                                                    : SO_MAX_MSG_SIZE;
  int value = 0;
  int size = sizeof(value);
  int error = Check(
      ::getsockopt(ToSocket(socket), SOL_SOCKET, name, reinterpret_cast<char*>(&value), &size));
  if (error != 0) return {0, error};
  return {value, 0};
}

int WinsockApi::EnableBroadcast(SocketId socket) {
  BOOL on = TRUE;
  return Check(::setsockopt(ToSocket(socket), SOL_SOCKET, SO_BROADCAST,
                            reinterpret_cast<const char*>(&on), sizeof(on)));
}

AddressResult WinsockApi::LocalAddress(SocketId socket) {
  sockaddr_in in{};
  int size = sizeof(in);
  if (::getsockname(ToSocket(socket), reinterpret_cast<sockaddr*>(&in), &size) == SOCKET_ERROR)
    return {Ipv4{}, 0, LastError()};
  return FromAddress(in);
}

AddressResult WinsockApi::PeerAddress(SocketId socket) {
  sockaddr_in in{};
  int size = sizeof(in);
  if (::getpeername(ToSocket(socket), reinterpret_cast<sockaddr*>(&in), &size) == SOCKET_ERROR)
    return {Ipv4{}, 0, LastError()};
  return FromAddress(in);
}

TextResult WinsockApi::HostName() {
  char name[256] = {};
  if (::gethostname(name, sizeof(name)) == SOCKET_ERROR) return {{}, LastError()};
  name[sizeof(name) - 1] = '\0';
  return {name, 0};
}

AddressResult WinsockApi::ResolveName(const std::string& name) {
  const hostent* host = ::gethostbyname(name.c_str());
  if (!host) return {Ipv4{}, 0, LastError()};
  std::optional<Ipv4> first = FirstAddress(host);
  if (!first) return {Ipv4{}, 0, WSANO_DATA};
  return {*first, 0, 0};
}

TextResult WinsockApi::ReverseLookup(Ipv4 address) {
  const hostent* host =
      ::gethostbyaddr(reinterpret_cast<const char*>(&address.networkOrder), 4, AF_INET);
  if (!host || !host->h_name) return {{}, LastError()};
  return {host->h_name, 0};
}

std::optional<Ipv4> WinsockApi::ParseDotted(const std::string& text) {
  unsigned long value = ::inet_addr(text.c_str());
  // inet_addr answers INADDR_NONE both for garbage and for the broadcast
  // address itself.
  if (value == INADDR_NONE && text != "255.255.255.255") return std::nullopt;
  return Ipv4{static_cast<uint32_t>(value)};
}

std::string WinsockApi::FormatDotted(Ipv4 address) {
  in_addr in{};
  in.s_addr = address.networkOrder;
  const char* text = ::inet_ntoa(in);
  return text ? text : "";
}

int WinsockApi::SelectAllEvents(SocketId socket) {
  return Check(::WSAAsyncSelect(ToSocket(socket), window_.Handle(), kSocketMessage,
                                FD_READ | FD_WRITE | FD_ACCEPT | FD_CONNECT | FD_CLOSE));
}

CallResult WinsockApi::StartLookup(const std::string& name, char* buffer, int32_t size) {
  HANDLE lookup =
      ::WSAAsyncGetHostByName(window_.Handle(), kLookupDoneMessage, name.c_str(), buffer, size);
  if (!lookup) return {0, LastError()};
  return {static_cast<LookupId>(reinterpret_cast<uintptr_t>(lookup)), 0};
}

std::optional<Ipv4> WinsockApi::LookupAddress(const char* buffer) {
  return FirstAddress(reinterpret_cast<const hostent*>(buffer));
}

int WinsockApi::CancelLookup(LookupId lookup) {
  return Check(::WSACancelAsyncRequest(
      reinterpret_cast<HANDLE>(static_cast<uintptr_t>(static_cast<uint32_t>(lookup)))));
}

}  // namespace skel::socket::win
