// The socket the listeners are written against: the properties, methods and
// events of the platform's socket control that the listeners rely on, and
// nothing more. The monitor implements it over the socket component
// (engine_server_socket.h); tests use a fake. Any method may throw; the
// listeners treat a throw as a failed step and go on.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace skel::monitor {

inline constexpr int32_t kProtocolTcp = 0;
inline constexpr int32_t kProtocolUdp = 1;
// Only the test against 0 is made: any other state means "in use".
inline constexpr int32_t kStateClosed = 0;

struct ServerSocketEvents {
  // On a listening socket: a peer asks to connect. While the handler runs,
  // RemoteHostIP and RemotePort name the requesting peer. A request that no
  // socket accepts is closed after the handler returns.
  std::function<void(int32_t requestId)> connectionRequest;
  std::function<void(int32_t bytesTotal)> dataArrival;
  // The peer closed the connection.
  std::function<void()> close;
  std::function<void()> error;
};

class ServerSocket {
 public:
  virtual ~ServerSocket() = default;

  virtual int32_t State() = 0;
  virtual void SetProtocol(int32_t protocol) = 0;
  virtual int32_t LocalPort() = 0;
  virtual void SetLocalPort(int32_t port) = 0;
  virtual std::string LocalIP() = 0;
  virtual std::string RemoteHostIP() = 0;
  virtual int32_t RemotePort() = 0;
  virtual void SetRemoteHost(const std::string& host) = 0;
  virtual void SetRemotePort(int32_t port) = 0;

  virtual void Bind(int32_t localPort, const std::string& localIP) = 0;
  // Listens on LocalPort on every address of the machine.
  virtual void Listen() = 0;
  virtual void Accept(int32_t requestId) = 0;
  virtual void Close() = 0;
  // On UDP one datagram to RemoteHost:RemotePort.
  virtual void SendData(const std::string& text) = 0;
  // Everything received and not yet read.
  virtual std::string GetData() = 0;
  // What SendData took and the system has not accepted yet: it grows only
  // while the peer does not read.
  virtual int64_t BytesToSend() = 0;
};

class ServerSocketFactory {
 public:
  virtual ~ServerSocketFactory() = default;
  virtual std::unique_ptr<ServerSocket> Create(ServerSocketEvents events) = 0;
};

}  // namespace skel::monitor
