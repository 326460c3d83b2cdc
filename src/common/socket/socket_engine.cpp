// CSocketEngine: lifetime, properties, binding, listening, accepting and
// closing. Connecting is in socket_engine_connect.cpp, notifications and the
// data paths in socket_engine_io.cpp.
#include "common/socket/socket_engine.h"

#include "common/socket/socket_error.h"
#include "common/socket/socket_module.h"
#include "common/socket/winsock_error_text.h"

namespace skel::socket {

CSocketEngine::CSocketEngine(SocketModule& module) : module_(module) {
  module_.InitiateProcesses();
}

CSocketEngine::~CSocketEngine() {
  *alive_ = false;
  try {
    CancelHostLookups();
  } catch (...) {
  }
  // An object that took over an accepted connection owns it like any other:
  // a holder that handed its connection on has no socket left to close.
  if (socket_ != kNoSocket) {
    Api().Close(socket_);
    try {
      module_.UnregisterSocket(socket_);
    } catch (...) {
    }
    socket_ = kNoSocket;
  }
  try {
    module_.FinalizeProcesses();
  } catch (...) {
  }
}

SocketApi& CSocketEngine::Api() {
  return module_.Api();
}

void CSocketEngine::Raise(int32_t number, const std::string& description,
                          const std::string& operation) const {
  throw SocketError(number, description, "CSocketEngine." + operation);
}

void CSocketEngine::RaiseWinsock(int code, const std::string& operation) const {
  Raise(code, WinsockErrorText(code), operation);
}

bool CSocketEngine::RaiseError(int code, const std::string& description, const std::string& source,
                               bool messageBoxAllowed, bool cancelDisplay) {
  SocketErrorArgs args;
  args.Number = static_cast<int16_t>(code);
  args.Description = description;
  args.Source = source;
  args.CancelDisplay = cancelDisplay;
  MessageBoxPort& box = module_.MessageBox();
  bool alive = Fire(events.Error, args);
  if (messageBoxAllowed && !args.CancelDisplay) box.Show(args.Description, args.Source);
  return alive;
}

bool CSocketEngine::ReportFailure(int code, const std::string& operation, bool messageBoxAllowed) {
  state_ = sckError;
  return RaiseError(code, WinsockErrorText(code), "CSocketEngine." + operation, messageBoxAllowed);
}

int32_t CSocketEngine::CheckedPort(const SocketValue& port, int32_t lowest,
                                   const std::string& operation) const {
  std::optional<double> number = RoundedNumber(port);
  if (!number) Raise(kErrUnsupportedType, kTextUnsupportedType, operation);
  if (!(*number >= lowest && *number <= 65535))
    Raise(kErrInvalidArgument, kTextBadArgument, operation);
  return static_cast<int32_t>(*number);
}

// ---- properties -----------------------------------------------------------

void CSocketEngine::SetRemotePort(int32_t port) {
  if (protocol_ == sckTCPProtocol && state_ != sckClosed)
    Raise(kErrInvalidState, kTextInvalidState, "RemotePort");
  if (port < 0 || port > 65535) Raise(kErrInvalidArgument, kTextBadArgument, "RemotePort");
  remotePort_ = port;
}

void CSocketEngine::SetRemoteHost(const std::string& host) {
  if (protocol_ == sckTCPProtocol && state_ != sckClosed)
    Raise(kErrInvalidState, kTextInvalidState, "RemoteHost");
  remoteHost_ = host;
}

int32_t CSocketEngine::LocalPort() const {
  if (localPort_ == 0 && socket_ != kNoSocket && boundPort_ != 0) return boundPort_;
  return localPort_;
}

void CSocketEngine::SetLocalPort(int32_t port) {
  if (state_ != sckClosed) Raise(kErrInvalidState, kTextInvalidState, "LocalPort");
  if (port < 0 || port > 65535) Raise(kErrInvalidArgument, kTextBadArgument, "LocalPort");
  localPort_ = port;
}

void CSocketEngine::SetProtocol(int32_t protocol) {
  if (state_ != sckClosed) Raise(kErrInvalidState, kTextInvalidState, "Protocol");
  // Only the two transports exist; anything else would create no socket later.
  if (protocol != sckTCPProtocol && protocol != sckUDPProtocol)
    Raise(kErrInvalidArgument, kTextBadArgument, "Protocol");
  protocol_ = protocol;
}

std::string CSocketEngine::LocalHostName() {
  TextResult name = Api().HostName();
  if (name.error != 0) RaiseWinsock(name.error, "GetLocalHostName");
  return name.text;
}

int32_t CSocketEngine::BytesReceived() {
  if (protocol_ == sckUDPProtocol) return PendingDatagramSize();
  return static_cast<int32_t>(std::min<size_t>(receiveBuffer_.size(), INT32_MAX));
}

// ---- socket creation and binding -------------------------------------------

bool CSocketEngine::SocketExists() {
  if (socket_ != kNoSocket) return true;
  CallResult created = Api().Open(protocol_ == sckUDPProtocol ? Transport::kUdp : Transport::kTcp);
  if (created.error != 0) {
    ReportFailure(created.error, "SocketExists", true);
    return false;
  }
  socket_ = created.value;
  ProcessOptions();
  module_.RegisterSocket(socket_, this, true);
  return true;
}

void CSocketEngine::ProcessOptions() {
  auto option = [this](SocketOption which) {
    CallResult value = Api().GetOption(socket_, which);
    if (value.error != 0) RaiseWinsock(value.error, "ProcessOptions");
    return value.value;
  };
  if (protocol_ == sckUDPProtocol) {
    int error = Api().EnableBroadcast(socket_);
    if (error != 0) RaiseWinsock(error, "ProcessOptions");
    receiveSize_ = sendChunkSize_ = option(SocketOption::kMaxMessageSize);
  } else {
    receiveSize_ = option(SocketOption::kReceiveBuffer);
    sendChunkSize_ = option(SocketOption::kSendBuffer);
  }
}

std::string CSocketEngine::GetLocalIP() {
  std::string host = LocalHostName();
  AddressResult first = Api().ResolveName(host);
  if (first.error != 0) RaiseWinsock(first.error, "GetLocalIP");
  return Api().FormatDotted(first.address);
}

CSocketEngine::Resolved CSocketEngine::ResolveHostNow(const std::string& text) {
  if (text.empty()) return {Ipv4{}, kAddressFamilyNotSupported};
  if (std::optional<Ipv4> dotted = Api().ParseDotted(text)) return {*dotted, 0};
  AddressResult first = Api().ResolveName(text);
  return {first.address, first.error};
}

bool CSocketEngine::BindInternal(std::optional<SocketValue> port,
                                 std::optional<std::string> address) {
  if (state_ == sckOpen) return true;
  const int32_t wantedPort = port ? CheckedPort(*port, 0, "BindInternal") : localPort_;
  Ipv4 where;
  if (!address || address->empty()) {
    Resolved primary = ResolveHostNow(GetLocalIP());
    where = primary.address;
  } else {
    Resolved given = ResolveHostNow(*address);
    if (given.error != 0) Raise(kErrInvalidArgument, kTextInvalidArgument, "BindInternal");
    where = given.address;
  }
  if (!SocketExists()) return false;
  int error = Api().Bind(socket_, where, static_cast<uint16_t>(wantedPort));
  if (error != 0) RaiseWinsock(error, "BindInternal");
  localIP_ = Api().FormatDotted(where);
  if (wantedPort != 0) {
    localPort_ = wantedPort;
    boundPort_ = wantedPort;
  } else {
    AddressResult bound = Api().LocalAddress(socket_);
    if (bound.error != 0) RaiseWinsock(bound.error, "BindInternal");
    boundPort_ = bound.port;
  }
  return true;
}

void CSocketEngine::Bind(std::optional<SocketValue> localPort, std::optional<std::string> localIP) {
  if (state_ != sckClosed) Raise(kErrInvalidState, kTextInvalidState, "Bind");
  if (BindInternal(std::move(localPort), std::move(localIP))) state_ = sckOpen;
}

void CSocketEngine::Listen() {
  if (state_ != sckClosed && state_ != sckOpen)
    Raise(kErrInvalidState, kTextInvalidState, "Listen");
  if (!SocketExists()) return;
  if (state_ != sckOpen && !BindInternal()) return;
  int error = Api().Listen(socket_, 5);
  if (error != 0) RaiseWinsock(error, "Listen");
  state_ = sckListening;
}

// ---- accepting --------------------------------------------------------------

void CSocketEngine::HoldAccepted(SocketId socket) {
  socket_ = socket;  // first, so that a refusal closes it whatever fails next
  accepted_ = true;
  protocol_ = sckTCPProtocol;
  state_ = sckConnected;
  // The accepted socket inherits the listener's event selection.
  module_.RegisterSocket(socket, this, false);
  ProcessOptions();
}

void CSocketEngine::RefuseHeld() {
  if (socket_ == kNoSocket) return;
  SocketId socket = std::exchange(socket_, kNoSocket);
  Api().Close(socket);
  module_.UnregisterSocket(socket);
  state_ = sckClosed;
}

void CSocketEngine::ReadPeerAddress(SocketId socket) {
  AddressResult peer = Api().PeerAddress(socket);
  if (peer.error != 0) return;
  remotePort_ = peer.port;
  remoteHostIP_ = Api().FormatDotted(peer.address);
  TextResult name = Api().ReverseLookup(peer.address);
  remoteHost_ = name.error == 0 ? name.text : std::string();
}

void CSocketEngine::Accept(int32_t requestID) {
  if (state_ != sckClosed) Raise(kErrInvalidState, kTextInvalidState, "Accept");
  const bool held = module_.IsHeld(requestID);
  // Checked before anything changes: taking another object's socket would
  // leave two owners closing the same handle.
  if (!held && module_.IsRegistered(requestID) && module_.SocketOwner(requestID) != this)
    Raise(kErrWrongProtocolOrState, kTextWrongProtocolOrState, "Accept");
  if (socket_ != kNoSocket && socket_ != requestID) {
    // A socket left over from a failed bind in state 0 would otherwise leak.
    Api().Close(socket_);
    module_.UnregisterSocket(socket_);
  }
  protocol_ = sckTCPProtocol;
  socket_ = requestID;

  if (!held) {
    ProcessOptions();
    accepted_ = true;
    state_ = sckConnected;
    module_.RegisterSocket(socket_, this, false);
    return;
  }

  std::unique_ptr<CSocketEngine> holder = module_.TakeHeld(requestID);
  module_.RouteSocket(socket_, this);
  ByteQueue early = std::move(holder->receiveBuffer_);
  const bool peerClosed = holder->state_ == sckClosing;
  holder->socket_ = kNoSocket;  // the connection is this object's now
  holder.reset();

  ProcessOptions();
  AddressResult local = Api().LocalAddress(socket_);
  if (local.error != 0) RaiseWinsock(local.error, "Accept");
  localPort_ = local.port;
  boundPort_ = local.port;
  localIP_ = Api().FormatDotted(local.address);
  ReadPeerAddress(socket_);
  state_ = sckConnected;
  receiveBuffer_.Append(early.view());
  if (!receiveBuffer_.empty() &&
      !Fire(events.DataArrival, static_cast<int32_t>(receiveBuffer_.size())))
    return;
  if (peerClosed && state_ == sckConnected) {
    state_ = sckClosing;
    Fire(events.CloseSck);
  }
}

// ---- closing -----------------------------------------------------------------

void CSocketEngine::CancelHostLookups() {
  for (const auto& [lookup, purpose] : lookups_) {
    Api().CancelLookup(lookup);
    module_.UnregisterLookup(lookup);
    if (lookupBuffer_) module_.RetireLookupBuffer(lookup, lookupBuffer_);
  }
  lookups_.clear();
  lookupBuffer_.reset();
}

void CSocketEngine::ResetAfterClose() {
  boundPort_ = 0;
  remoteHostIP_.clear();
  receiveBuffer_.Clear();
  sendBuffer_.Clear();
  receiveSize_ = 0;
  sendChunkSize_ = 0;
  sendTotal_ = 0;
  accepted_ = false;
  state_ = sckClosed;
}

void CSocketEngine::DestroySocket() {
  SocketId socket = std::exchange(socket_, kNoSocket);
  int error = Api().Close(socket);
  // The route goes even when closesocket complains: the handle is no use to
  // this object any more, and a kept route would deliver another socket's
  // notifications here once the system reuses the number.
  module_.UnregisterSocket(socket);
  if (error != 0) {
    ResetAfterClose();
    state_ = sckError;
    RaiseWinsock(error, "DestroySocket");
  }
}

void CSocketEngine::CloseSck() {
  if (socket_ == kNoSocket) {
    // Nothing to close; but a failure before any socket existed (state 9)
    // must not block the next Connect forever.
    if (state_ != sckClosed) {
      CancelHostLookups();
      ResetAfterClose();
    }
    return;
  }
  state_ = sckClosing;
  CancelHostLookups();
  DestroySocket();
  ResetAfterClose();
}

}  // namespace skel::socket
