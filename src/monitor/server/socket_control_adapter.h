// The listeners' socket over the socket component's `Socket` control: the
// same properties, methods and events the platform's control offered, with
// one difference made explicit here: a listener is bound to every address
// of the machine before it listens, as the platform's control did.
#pragma once

#include <memory>

#include "common/socket/socket.h"
#include "monitor/server/server_socket.h"

namespace skel::monitor {

class SocketControlServerSocket : public ServerSocket {
 public:
  SocketControlServerSocket(socket::SocketModule& module, ServerSocketEvents events);

  int32_t State() override { return socket_.State(); }
  void SetProtocol(int32_t protocol) override { socket_.SetProtocol(protocol); }
  int32_t LocalPort() override { return socket_.LocalPort(); }
  void SetLocalPort(int32_t port) override { socket_.SetLocalPort(port); }
  std::string LocalIP() override { return socket_.LocalIP(); }
  std::string RemoteHostIP() override { return socket_.RemoteHostIP(); }
  int32_t RemotePort() override { return socket_.RemotePort(); }
  void SetRemoteHost(const std::string& host) override { socket_.SetRemoteHost(host); }
  void SetRemotePort(int32_t port) override { socket_.SetRemotePort(port); }

  void Bind(int32_t localPort, const std::string& localIP) override;
  void Listen() override;
  void Accept(int32_t requestId) override { socket_.Accept(requestId); }
  void Close() override { socket_.CloseSck(); }
  void SendData(const std::string& text) override;
  std::string GetData() override { return socket_.GetText(); }
  int64_t BytesToSend() override { return socket_.BytesToSend(); }

 private:
  socket::Socket socket_;
  ServerSocketEvents events_;
};

class SocketControlFactory : public ServerSocketFactory {
 public:
  explicit SocketControlFactory(socket::SocketModule& module) : module_(module) {}
  std::unique_ptr<ServerSocket> Create(ServerSocketEvents events) override;

 private:
  socket::SocketModule& module_;
};

}  // namespace skel::monitor
