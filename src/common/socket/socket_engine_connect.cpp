// CSocketEngine: TCP connecting, with or without a local address, through an
// asynchronous host-name lookup when the host is not a dotted address.
#include <new>

#include "common/socket/socket_engine.h"
#include "common/socket/socket_error.h"
#include "common/socket/socket_module.h"

namespace skel::socket {

namespace {
constexpr int32_t kLookupBufferSize = 1024;
constexpr int kNoDataRecord = 11004;
}  // namespace

void CSocketEngine::BeginConnect(const std::optional<std::string>& remoteHost,
                                 const std::optional<SocketValue>& remotePort,
                                 const std::string& operation) {
  if (state_ != sckClosed) Raise(kErrInvalidState, kTextInvalidState, operation);
  if (remoteHost) remoteHost_ = *remoteHost;
  if (remotePort) remotePort_ = CheckedPort(*remotePort, 1, operation);
}

void CSocketEngine::Connect(std::optional<std::string> remoteHost,
                            std::optional<SocketValue> remotePort) {
  BeginConnect(remoteHost, remotePort, "Connect");
  if (!SocketExists()) return;
  if (protocol_ == sckUDPProtocol) {
    // A UDP "connection" only opens the socket; sends name their own peer.
    if (BindInternal()) state_ = sckOpen;
    return;
  }
  Ipv4 address;
  if (ResolveIfHostname(Purpose::kConnect, &address)) ConnectToIP(address, 0);
}

void CSocketEngine::Bind_Connect(const std::string& localIP, std::optional<std::string> remoteHost,
                                 std::optional<SocketValue> remotePort) {
  BeginConnect(remoteHost, remotePort, "Bind_Connect");
  if (!SocketExists()) return;
  // An unresolvable local address is not reported: binding to "any" lets the
  // system pick the local address instead.
  Resolved local = ResolveHostNow(localIP);
  bindConnectLocal_ = local.error == 0 ? local.address : Ipv4{};
  localIP_ = localIP;
  Ipv4 address;
  if (ResolveIfHostname(Purpose::kBindConnect, &address)) BindAndConnectToIP(address, 0);
}

bool CSocketEngine::ResolveIfHostname(Purpose purpose, Ipv4* address) {
  if (std::optional<Ipv4> dotted = Api().ParseDotted(remoteHost_)) {
    *address = *dotted;
    return true;
  }
  state_ = sckResolvingHost;
  try {
    lookupBuffer_ = std::make_shared<std::vector<char>>(kLookupBufferSize, '\0');
  } catch (const std::bad_alloc&) {
    state_ = sckError;
    Raise(kErrOutOfMemory, kTextOutOfMemory, "ResolveIfHostname");
  }
  CallResult lookup = Api().StartLookup(remoteHost_, lookupBuffer_->data(), kLookupBufferSize);
  if (lookup.error != 0) {
    lookupBuffer_.reset();
    ReportFailure(lookup.error, "ResolveIfHostname", true);
    return false;
  }
  module_.RegisterLookup(lookup.value, this);
  lookups_[lookup.value] = purpose;
  return false;
}

void CSocketEngine::HostLookupDone(LookupId lookup, int error) {
  if (state_ != sckResolvingHost) return;
  auto it = lookups_.find(lookup);
  if (it == lookups_.end()) return;
  const Purpose purpose = it->second;
  lookups_.erase(it);
  module_.UnregisterLookup(lookup);
  Ipv4 address;
  if (error == 0) {
    state_ = sckHostResolved;
    std::optional<Ipv4> first =
        lookupBuffer_ ? Api().LookupAddress(lookupBuffer_->data()) : std::nullopt;
    if (first) {
      address = *first;
    } else {
      error = kNoDataRecord;  // a name without any address
    }
  }
  lookupBuffer_.reset();
  if (purpose == Purpose::kConnect) {
    ConnectToIP(address, error);
  } else {
    BindAndConnectToIP(address, error);
  }
}

void CSocketEngine::ConnectToIP(Ipv4 address, int error) {
  if (error != 0) {
    ReportFailure(error, "ConnectToIP", true);
    return;
  }
  if (!BindInternal()) return;
  StartConnect(address);
}

void CSocketEngine::BindAndConnectToIP(Ipv4 remote, int error) {
  if (error != 0) {
    ReportFailure(error, "ConnectToIP", true);
    return;
  }
  state_ = sckConnecting;
  Api().Bind(socket_, bindConnectLocal_, 0);  // a failure leaves the choice to the system
  StartConnect(remote);
}

void CSocketEngine::StartConnect(Ipv4 address) {
  state_ = sckConnecting;
  int error = Api().Connect(socket_, address, static_cast<uint16_t>(remotePort_));
  if (error == 0 || error == kWouldBlock) return;  // the connect notification follows
  if (error == kAddressNotAvailable) {
    // No notification will ever come: the socket must not look as if it
    // were still connecting.
    state_ = sckError;
    RaiseWinsock(error, "ConnectToIP");
  }
  ReportFailure(error, "ConnectToIP", true);
}

}  // namespace skel::socket
