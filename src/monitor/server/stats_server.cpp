// The listeners: the local UDP socket and the remote TCP array with its slot
// allocation, admission and connection rows.
#include "monitor/server/stats_server.h"

#include <cmath>

#include "common/number_format.h"

namespace skel::monitor {
namespace {

// Resume-next: a failing socket call is skipped and the handler goes on.
template <typename F>
void Try(F&& step) {
  try {
    step();
  } catch (...) {
  }
}

int32_t StateOf(ServerSocket& socket) {
  try {
    return socket.State();
  } catch (...) {
    return kStateClosed;
  }
}

std::string JoinRow(const std::vector<std::string>& cells) {
  std::string row;
  for (size_t i = 0; i < cells.size(); ++i) {
    if (i) row += '\t';
    row += cells[i];
  }
  return row;
}

// The "Index" cell of a connection row: the text after the last tab.
std::optional<long long> RowIndex(const std::string& row) {
  size_t tab = row.rfind('\t');
  std::string_view cell =
      tab == std::string::npos ? std::string_view(row) : std::string_view(row).substr(tab + 1);
  std::optional<Decimal> value = ParseDecimal(cell);
  if (!value) return std::nullopt;
  return DecimalToInt64(*value);
}

// The port the listener takes from Text12: a whole number the system's
// conversion accepts, from 1 to 65535. Anything else (port 0 would listen
// where no viewer can find it) leaves the listener closed.
std::optional<int32_t> ListenPortOf(const std::string& text) {
  std::optional<Decimal> value = ParseDecimal(text);
  if (!value) return std::nullopt;
  double number = std::nearbyint(DecimalToDouble(*value));
  if (number < 1 || number > 65535) return std::nullopt;
  return static_cast<int32_t>(number);
}

}  // namespace

StatsServer::~StatsServer() = default;

ServerSocket* StatsServer::Element(int index) {
  if (index < 0 || index >= ElementCount()) return nullptr;
  return elements_[static_cast<size_t>(index)]->socket.get();
}

void StatsServer::Pump() {
  // A request that arrives while another is being served is handled inside
  // that one's pause; if it paused again, every waiting viewer would nest one
  // level deeper, and a thousand viewers would exhaust the stack. So only the
  // outermost handler lets messages run; nested ones complete straight away.
  if (pumping_) return;
  pumping_ = true;
  try {
    if (ports_.service.processMessages) {
      ports_.service.processMessages();
    } else if (form_.Hooks().processMessages) {
      form_.Hooks().processMessages();
    }
  } catch (...) {
  }
  pumping_ = false;
}

void StatsServer::FitColumns() {
  if (ports_.window) Try([&] { ports_.window->FitConnectionColumns(); });
}

StatsServer::RemoteElement& StatsServer::CreateElement() {
  int index = ElementCount();
  ServerSocketEvents events;
  if (index == 0) {
    events.connectionRequest = [this](int32_t requestId) { OnConnectionRequest(requestId); };
  } else {
    events.dataArrival = [this, index](int32_t) { OnSlotData(index); };
    events.close = [this, index] { OnSlotClose(index); };
    events.error = [this, index] { OnSlotError(index); };
  }
  auto element = std::make_unique<RemoteElement>();
  element->socket = ports_.sockets->Create(std::move(events));
  elements_.push_back(std::move(element));
  return *elements_.back();
}

void StatsServer::StartListening() {
  if (!ports_.sockets) return;
  if (elements_.empty()) Try([&] { CreateElement(); });
  if (elements_.empty() || !elements_[0]->socket) return;
  ServerSocket& listener = *elements_[0]->socket;
  std::optional<int32_t> port = ListenPortOf(controls_.Get("Text12").text);
  if (!port) return;
  Try([&] { listener.SetLocalPort(*port); });
  Try([&] { listener.Listen(); });
}

void StatsServer::CloseAllRemote() {
  for (size_t i = 0; i < elements_.size(); ++i) {
    ServerSocket* socket = elements_[i]->socket.get();
    if (socket && StateOf(*socket) != kStateClosed) Try([&] { socket->Close(); });
  }
}

void StatsServer::OnConnectionRequest(int32_t requestId) {
  if (form_.bShuttingDown || elements_.empty()) return;
  ServerSocket& listener = *elements_[0]->socket;
  // 1. The lowest free slot, or a new one above the highest. Past the last
  //    slot number there is no room: the request is left unaccepted, and
  //    the socket closes it when this handler returns.
  int slot = 0;
  for (int i = 1; i < ElementCount(); ++i) {
    ServerSocket* socket = Element(i);
    if (socket && StateOf(*socket) == kStateClosed) {
      slot = i;
      break;
    }
  }
  if (slot == 0) {
    if (ElementCount() > ports_.highestSlot) {
      ++refusedForNoSlot_;
      return;
    }
    try {
      CreateElement();
    } catch (...) {
      return;
    }
    slot = ElementCount() - 1;
  }
  // 2. The candidate, with the rest of its row, read while the request is
  //    current: messages run before the row is written.
  std::string remoteIP, localIP;
  int32_t remotePort = 0, localPort = 0;
  Try([&] { remoteIP = listener.RemoteHostIP(); });
  Try([&] { remotePort = listener.RemotePort(); });
  Try([&] { localIP = listener.LocalIP(); });
  Try([&] { localPort = listener.LocalPort(); });
  // 3. Admission: with "Only Let Allowed IP's Connect" only the allowed list
  //    counts, without it only the banned list.
  bool admit = controls_.Checked("Check31") ? IsInAllowedList(remoteIP) : !IsInBannedList(remoteIP);
  RemoteElement& element = *elements_[static_cast<size_t>(slot)];
  ServerSocket& socket = *element.socket;
  if (!admit) {
    Try([&] { socket.Close(); });
    return;
  }
  // 4. Accept, let messages run, then list the connection.
  // The new generation is counted first: Accept may already deliver what
  // the viewer sent early, and that request belongs to this connection.
  uint64_t generation = ++element.generation;
  bool accepted = true;
  try {
    socket.Accept(requestId);
  } catch (...) {
    accepted = false;
  }
  Pump();
  // A viewer that left while messages ran (or a failed accept) gets no row:
  // it would name a connection that no longer exists.
  if (!accepted || element.generation != generation || StateOf(socket) == kStateClosed) return;
  // The connection's own local address is the one it arrived on; the
  // listener's (all addresses) is the fallback.
  std::string connectionIP;
  Try([&] { connectionIP = socket.LocalIP(); });
  if (!connectionIP.empty() && connectionIP != "0.0.0.0") localIP = connectionIP;
  std::vector<std::string> rows = controls_.Get("ListView14").items;
  rows.push_back(JoinRow({remoteIP, std::to_string(remotePort), localIP, std::to_string(localPort),
                          std::to_string(slot)}));
  controls_.SetItems("ListView14", std::move(rows));
  FitColumns();
}

void StatsServer::OnSlotData(int slot) {
  ServerSocket* socket = Element(slot);
  if (!socket) return;
  std::string arrival;
  try {
    arrival = socket->GetData();
  } catch (...) {
    return;
  }
  uint64_t generation = elements_[static_cast<size_t>(slot)]->generation;
  service_.HandleRequest(arrival, [&](const std::string& reply) {
    // The reply was built while messages ran: the viewer may have gone and
    // another taken its slot. Only the connection that asked is answered.
    RemoteElement& element = *elements_[static_cast<size_t>(slot)];
    if (element.generation != generation || StateOf(*element.socket) == kStateClosed) return;
    int64_t unsent = 0;
    Try([&] { unsent = element.socket->BytesToSend(); });
    if (unsent > kMostUnsentBytes) {
      ++repliesHeldBack_;
      return;
    }
    Try([&] { element.socket->SendData(reply); });
  });
}

void StatsServer::RemoveRowsOfSlot(int slot) {
  std::vector<std::string> rows = controls_.Get("ListView14").items;
  std::erase_if(rows, [slot](const std::string& row) {
    std::optional<long long> index = RowIndex(row);
    return index && *index == slot;
  });
  if (rows.size() != controls_.Get("ListView14").items.size()) {
    controls_.SetItems("ListView14", std::move(rows));
  }
}

void StatsServer::OnSlotClose(int slot) {
  ServerSocket* socket = Element(slot);
  if (!socket) return;
  RemoveRowsOfSlot(slot);
  Try([&] { socket->Close(); });
  FitColumns();
}

void StatsServer::OnSlotError(int slot) {
  ServerSocket* socket = Element(slot);
  if (!socket) return;
  Try([&] { socket->Close(); });
  // The connection is gone: its row goes with it, so peers that vanish with
  // a reset neither linger in the table nor make it grow without end.
  RemoveRowsOfSlot(slot);
  FitColumns();
}

void StatsServer::OpenLocalListener() {
  if (!ports_.sockets) return;
  if (!local_) {
    ServerSocketEvents events;
    events.dataArrival = [this](int32_t) { OnLocalData(); };
    events.close = [this] { OnLocalCloseOrError(); };
    events.error = [this] { OnLocalCloseOrError(); };
    try {
      local_ = ports_.sockets->Create(std::move(events));
    } catch (...) {
      return;
    }
  }
  Try([&] { local_->Close(); });
  Try([&] { local_->SetProtocol(kProtocolUdp); });
  Try([&] { local_->Bind(kLocalListenerPort, kLocalAddress); });
}

void StatsServer::OnLocalData() {
  if (!local_) return;
  std::string arrival;
  try {
    arrival = local_->GetData();
  } catch (...) {
    return;
  }
  service_.HandleRequest(arrival, [&](const std::string& reply) {
    // Whatever port the request came from, the screen saver listens on 3.
    Try([&] { local_->SetRemoteHost(kLocalAddress); });
    Try([&] { local_->SetRemotePort(kLocalReplyPort); });
    Try([&] { local_->SendData(reply); });
  });
}

void StatsServer::OnLocalCloseOrError() {
  if (local_) Try([&] { local_->Close(); });
}

void StatsServer::CloseListeners() {
  if (local_) Try([&] { local_->Close(); });
  CloseAllRemote();
}

std::unique_ptr<StatsServer> AttachStatsServer(MainForm& form, StatsServerPorts ports) {
  return std::make_unique<StatsServer>(form, std::move(ports));
}

}  // namespace skel::monitor
