#include "monitor/server/socket_control_adapter.h"

namespace skel::monitor {

SocketControlServerSocket::SocketControlServerSocket(socket::SocketModule& module,
                                                     ServerSocketEvents events)
    : socket_(module), events_(std::move(events)) {
  socket_.events.ConnectionRequest = [this](int32_t requestId) {
    if (events_.connectionRequest) events_.connectionRequest(requestId);
  };
  socket_.events.DataArrival = [this](int32_t bytesTotal) {
    if (events_.dataArrival) events_.dataArrival(bytesTotal);
  };
  socket_.events.CloseSck = [this] {
    if (events_.close) events_.close();
  };
  socket_.events.Error = [this](socket::SocketErrorArgs& args) {
    // The listeners answer every error by closing; nobody is there to read
    // a message box, so none is shown.
    args.CancelDisplay = true;
    if (events_.error) events_.error();
  };
}

void SocketControlServerSocket::Bind(int32_t localPort, const std::string& localIP) {
  socket_.Bind(socket::SocketValue(localPort), localIP);
}

void SocketControlServerSocket::Listen() {
  // Viewers may come from any interface, the loopback address included.
  if (socket_.State() == socket::sckClosed) {
    socket_.Bind(socket::SocketValue(socket_.LocalPort()), std::string("0.0.0.0"));
  }
  socket_.Listen();
}

void SocketControlServerSocket::SendData(const std::string& text) {
  socket_.SendData(socket::SocketValue(text));
}

std::unique_ptr<ServerSocket> SocketControlFactory::Create(ServerSocketEvents events) {
  return std::make_unique<SocketControlServerSocket>(module_, std::move(events));
}

}  // namespace skel::monitor
