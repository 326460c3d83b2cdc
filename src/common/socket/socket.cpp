#include "common/socket/socket.h"

namespace skel::socket {

namespace {

// Re-raises an engine event through the control's own callback. The copy
// keeps the handler alive even if it destroys the control.
template <typename... Params>
std::function<void(Params...)> Forward(std::function<void(Params...)>& slot) {
  return [&slot](Params... args) {
    if (!slot) return;
    auto handler = slot;
    handler(args...);
  };
}

}  // namespace

Socket::Socket(SocketModule& module) : engine_(std::make_unique<CSocketEngine>(module)) {
  ForwardEvents();
}

Socket::~Socket() = default;

void Socket::ForwardEvents() {
  SocketEvents& inner = engine_->events;
  inner.CloseSck = Forward(events.CloseSck);
  inner.Connect = Forward(events.Connect);
  inner.ConnectionRequest = Forward(events.ConnectionRequest);
  inner.DataArrival = Forward(events.DataArrival);
  inner.Error = [this](SocketErrorArgs& args) {
    if (!events.Error) return;
    auto handler = events.Error;
    handler(args);
  };
  inner.SendComplete = Forward(events.SendComplete);
  inner.SendProgress = Forward(events.SendProgress);
}

std::string Socket::GetText() {
  SocketValue text = std::string();
  engine_->GetData(text);
  return std::get<std::string>(text);
}

SocketStoredProperties Socket::WriteProperties() const {
  return {LocalPort(), Protocol(), RemoteHost(), RemotePort(), Tag()};
}

void Socket::ReadProperties(const SocketStoredProperties& stored) {
  SetLocalPort(stored.LocalPort);
  SetProtocol(stored.Protocol);
  SetRemoteHost(stored.RemoteHost);
  SetRemotePort(stored.RemotePort);
  SetTag(stored.Tag);
}

}  // namespace skel::socket
