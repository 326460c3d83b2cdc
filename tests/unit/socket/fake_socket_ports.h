// In-memory stand-ins for the socket component's ports: sockets whose
// traffic the test scripts, a window that records its life, and a message
// box that records what it would show.
#pragma once

#include <cstring>
#include <deque>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "common/socket/socket_module.h"
#include "common/socket/socket_ports.h"
#include "common/socket/socket_value.h"

namespace skel::socket::testing {

inline Ipv4 Addr(uint8_t a, uint8_t b, uint8_t c, uint8_t d) {
  return Ipv4{static_cast<uint32_t>(a | b << 8 | c << 16 | static_cast<uint32_t>(d) << 24)};
}

struct FakeDatagram {
  Bytes bytes;
  Ipv4 from;
  uint16_t fromPort = 0;
};

struct FakeSocket {
  Transport transport = Transport::kTcp;
  bool open = true;
  bool bound = false;
  Ipv4 boundAddress;
  uint16_t boundPort = 0;
  bool listening = false;
  bool selected = false;
  Ipv4 peer;
  uint16_t peerPort = 0;
  std::deque<uint8_t> inbound;              // TCP bytes waiting in the system
  std::deque<FakeDatagram> datagrams;       // UDP datagrams waiting
  Bytes sent;                               // TCP bytes the system took
  std::vector<FakeDatagram> sentDatagrams;  // UDP: bytes and destination
  int sendRoom = 1 << 30;                   // bytes send() takes before would-block
  int sendError = 0;
  int recvError = 0;
  std::deque<SocketId> pendingAccepts;
};

class FakeSocketApi : public SocketApi {
 public:
  int startups = 0, cleanups = 0;
  int openError = 0, bindError = 0, connectResult = kWouldBlock, lookupStartError = 0;
  int acceptError = 0;  // the next accept fails with it, once
  int receiveBufferSize = 8192, sendBufferSize = 8192, maxMessageSize = 65507;
  std::string hostName = "testhost";
  std::map<std::string, Ipv4> names{{"testhost", Addr(10, 0, 0, 5)}, {"server", Addr(10, 0, 0, 9)}};
  std::map<uint32_t, std::string> reverseNames{{Addr(10, 0, 0, 9).networkOrder, "server"}};
  std::map<SocketId, FakeSocket> sockets;
  std::map<LookupId, std::pair<std::string, char*>> lookups;
  std::set<LookupId> cancelled;
  SocketId nextSocket = 100;
  LookupId nextLookup = 7000;

  FakeSocket& At(SocketId id) { return sockets.at(id); }
  int OpenCount() const {
    int n = 0;
    for (const auto& [id, s] : sockets) n += s.open ? 1 : 0;
    return n;
  }
  // A connection arriving at a listener; returns the new socket's handle.
  SocketId IncomingConnection(SocketId listener, Ipv4 peer, uint16_t peerPort) {
    SocketId id = nextSocket++;
    FakeSocket s;
    s.peer = peer;
    s.peerPort = peerPort;
    s.boundAddress = At(listener).boundAddress;
    s.boundPort = At(listener).boundPort;
    s.bound = true;
    sockets[id] = s;
    At(listener).pendingAccepts.push_back(id);
    return id;
  }

  int Startup() override { return ++startups, 0; }
  int Cleanup() override { return ++cleanups, 0; }
  CallResult Open(Transport transport) override {
    if (openError) return {0, openError};
    SocketId id = nextSocket++;
    sockets[id].transport = transport;
    return {id, 0};
  }
  int Close(SocketId id) override {
    auto it = sockets.find(id);
    if (it == sockets.end() || !it->second.open) return 10038;
    it->second.open = false;
    return 0;
  }
  int Bind(SocketId id, Ipv4 address, uint16_t port) override {
    if (bindError) return bindError;
    FakeSocket& s = At(id);
    if (s.bound) return 10022;
    s.bound = true;
    s.boundAddress = address;
    s.boundPort = port ? port : 49152;
    return 0;
  }
  int Listen(SocketId id, int) override {
    if (At(id).transport == Transport::kUdp) return 10045;
    At(id).listening = true;
    return 0;
  }
  CallResult Accept(SocketId id) override {
    FakeSocket& s = At(id);
    if (int error = std::exchange(acceptError, 0)) return {0, error};
    if (s.pendingAccepts.empty()) return {0, kWouldBlock};
    SocketId next = s.pendingAccepts.front();
    s.pendingAccepts.pop_front();
    return {next, 0};
  }
  int Connect(SocketId id, Ipv4 address, uint16_t port) override {
    At(id).peer = address;
    At(id).peerPort = port;
    return connectResult;
  }
  CallResult Send(SocketId id, const uint8_t* data, int32_t size) override {
    FakeSocket& s = At(id);
    if (s.sendError) return {0, s.sendError};
    int n = std::min(size, s.sendRoom);
    if (n == 0) return {0, kWouldBlock};
    s.sent.insert(s.sent.end(), data, data + n);
    s.sendRoom -= n;
    return {n, 0};
  }
  CallResult SendTo(SocketId id, const uint8_t* data, int32_t size, Ipv4 address,
                    uint16_t port) override {
    FakeSocket& s = At(id);
    if (s.sendError) return {0, s.sendError};
    s.sentDatagrams.push_back({Bytes(data, data + size), address, port});
    return {size, 0};
  }
  CallResult Recv(SocketId id, uint8_t* buffer, int32_t size, bool peek) override {
    FakeSocket& s = At(id);
    if (s.recvError) return {0, s.recvError};
    if (s.inbound.empty()) return {0, kWouldBlock};
    int n = std::min<int>(size, static_cast<int>(s.inbound.size()));
    std::copy_n(s.inbound.begin(), n, buffer);
    if (!peek) s.inbound.erase(s.inbound.begin(), s.inbound.begin() + n);
    return {n, 0};
  }
  DatagramResult RecvFrom(SocketId id, uint8_t* buffer, int32_t size, bool peek) override {
    FakeSocket& s = At(id);
    if (s.datagrams.empty()) return {0, kWouldBlock, {}, 0};
    FakeDatagram d = s.datagrams.front();
    if (!peek) s.datagrams.pop_front();
    int n = std::min<int>(size, static_cast<int>(d.bytes.size()));
    std::copy_n(d.bytes.begin(), n, buffer);
    return {n, static_cast<int>(d.bytes.size()) > size ? kMessageTooLong : 0, d.from, d.fromPort};
  }
  CallResult PendingBytes(SocketId id) override {
    FakeSocket& s = At(id);
    if (s.transport == Transport::kUdp)
      return {s.datagrams.empty() ? 0 : static_cast<int32_t>(s.datagrams.front().bytes.size()), 0};
    return {static_cast<int32_t>(s.inbound.size()), 0};
  }
  CallResult GetOption(SocketId, SocketOption option) override {
    switch (option) {
      case SocketOption::kReceiveBuffer:
        return {receiveBufferSize, 0};
      case SocketOption::kSendBuffer:
        return {sendBufferSize, 0};
      default:
        return {maxMessageSize, 0};
    }
  }
  int EnableBroadcast(SocketId) override { return 0; }
  AddressResult LocalAddress(SocketId id) override {
    return {At(id).boundAddress, At(id).boundPort, 0};
  }
  AddressResult PeerAddress(SocketId id) override {
    if (At(id).peerPort == 0) return {{}, 0, 10057};
    return {At(id).peer, At(id).peerPort, 0};
  }
  TextResult HostName() override { return {hostName, 0}; }
  AddressResult ResolveName(const std::string& name) override {
    auto it = names.find(name);
    if (it == names.end()) return {{}, 0, 11001};
    return {it->second, 0, 0};
  }
  TextResult ReverseLookup(Ipv4 address) override {
    auto it = reverseNames.find(address.networkOrder);
    if (it == reverseNames.end()) return {{}, 11004};
    return {it->second, 0};
  }
  std::optional<Ipv4> ParseDotted(const std::string& text) override {
    unsigned a, b, c, d;
    char tail;
    if (std::sscanf(text.c_str(), "%u.%u.%u.%u%c", &a, &b, &c, &d, &tail) != 4 || a > 255 ||
        b > 255 || c > 255 || d > 255)
      return std::nullopt;
    return Addr(a, b, c, d);
  }
  std::string FormatDotted(Ipv4 address) override {
    uint32_t v = address.networkOrder;
    return std::to_string(v & 255) + "." + std::to_string(v >> 8 & 255) + "." +
           std::to_string(v >> 16 & 255) + "." + std::to_string(v >> 24);
  }
  int SelectAllEvents(SocketId id) override { return At(id).selected = true, 0; }
  CallResult StartLookup(const std::string& name, char* buffer, int32_t) override {
    if (lookupStartError) return {0, lookupStartError};
    LookupId id = nextLookup++;
    lookups[id] = {name, buffer};
    return {id, 0};
  }
  std::optional<Ipv4> LookupAddress(const char* buffer) override {
    Ipv4 address;
    std::memcpy(&address.networkOrder, buffer, 4);
    return address;
  }
  int CancelLookup(LookupId id) override { return cancelled.insert(id), 0; }

  // What the system does when a lookup ends: fill the buffer, post the message.
  bool FinishLookup(SocketModule& module, LookupId id) {
    auto& [name, buffer] = lookups.at(id);
    auto it = names.find(name);
    int error = it == names.end() ? 11001 : 0;
    // Written even after a cancellation, as some systems do.
    if (!error) std::memcpy(buffer, &it->second.networkOrder, 4);
    return module.Dispatch(kLookupDoneMessage, static_cast<uint64_t>(id),
                           static_cast<int64_t>(error) << 16);
  }
};

class FakeWindow : public NotifyWindow {
 public:
  bool exists = false;
  int created = 0, destroyed = 0;
  bool failCreate = false;
  bool Create(NotificationSink&) override {
    if (failCreate) return false;
    ++created;
    return exists = true;
  }
  bool Destroy() override {
    ++destroyed;
    exists = false;
    return true;
  }
};

class FakeMessageBox : public MessageBoxPort {
 public:
  struct Shown {
    std::string text, title;
  };
  std::vector<Shown> shown;
  void Show(const std::string& text, const std::string& title) override {
    shown.push_back({text, title});
  }
};

inline void Notify(SocketModule& module, SocketId socket, uint16_t event, int error = 0) {
  module.Dispatch(kSocketMessage, static_cast<uint64_t>(socket),
                  static_cast<int64_t>(event) | static_cast<int64_t>(error) << 16);
}

}  // namespace skel::socket::testing
