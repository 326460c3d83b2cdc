#include "common/socket/socket_module.h"

#include <algorithm>

#include "common/socket/socket_engine.h"
#include "common/socket/socket_error.h"
#include "common/socket/winsock_error_text.h"

namespace skel::socket {

SocketModule::SocketModule(SocketApi& api, NotifyWindow& window, MessageBoxPort& messageBox)
    : api_(api), window_(window), messageBox_(&messageBox) {}

SocketModule::~SocketModule() {
  // Held connections are objects of their own; they go before the window.
  held_.clear();
  if (windowExists_) window_.Destroy();
  retiredBuffers_.clear();
  if (winsockStarted_) api_.Cleanup();
}

void SocketModule::InitiateProcesses() {
  if (liveObjects_ == 0 && !winsockStarted_) {
    int error = api_.Startup();
    if (error != 0)
      throw SocketError(error, WinsockErrorText(error), "modSocketEngine.InitiateProcesses");
    winsockStarted_ = true;
  }
  ++liveObjects_;
}

void SocketModule::FinalizeProcesses() {
  if (liveObjects_ > 0) --liveObjects_;
  if (liveObjects_ == 0 && winsockStarted_) {
    winsockStarted_ = false;
    int error = api_.Cleanup();
    if (error != 0)
      throw SocketError(error, WinsockErrorText(error), "modSocketEngine.FinalizeProcesses");
  }
}

void SocketModule::Put(std::vector<Route>& table, int32_t key, CSocketEngine* owner) {
  auto it =
      std::find_if(table.begin(), table.end(), [key](const Route& r) { return r.first == key; });
  if (it == table.end())
    it = std::find_if(table.begin(), table.end(), [](const Route& r) { return r.first == -1; });
  if (it == table.end()) {
    table.emplace_back(key, owner);
  } else {
    *it = {key, owner};
  }
}

void SocketModule::Clear(std::vector<Route>& table, int32_t key) {
  for (Route& route : table) {
    if (route.first == key) route = {-1, nullptr};
  }
}

CSocketEngine* SocketModule::Find(const std::vector<Route>& table, int32_t key) {
  if (key == -1) return nullptr;
  for (const Route& route : table) {
    if (route.first == key) return route.second;
  }
  return nullptr;
}

void SocketModule::RegisterSocket(SocketId socket, CSocketEngine* owner, bool selectEvents) {
  if (!windowExists_) {
    if (!window_.Create(*this))
      throw SocketError(kErrOutOfMemory, kTextOutOfMemory, "modSocketEngine.RegisterSocket");
    windowExists_ = true;
  }
  Put(sockets_, socket, owner);
  registered_.insert(socket);
  if (selectEvents) {
    int error = api_.SelectAllEvents(socket);
    if (error != 0)
      throw SocketError(error, WinsockErrorText(error), "modSocketEngine.RegisterSocket");
  }
}

void SocketModule::UnregisterSocket(SocketId socket) {
  Clear(sockets_, socket);
  registered_.erase(socket);
  if (registered_.empty() && windowExists_) DestroyWinsockMessageWindow();
}

void SocketModule::DestroyWinsockMessageWindow() {
  windowExists_ = false;
  if (!window_.Destroy())
    throw SocketError(kErrOutOfMemory, kTextOutOfMemory,
                      "modSocketEngine.DestroyWinsockMessageWindow");
}

void SocketModule::RouteSocket(SocketId socket, CSocketEngine* owner) {
  Put(sockets_, socket, owner);
}

CSocketEngine* SocketModule::SocketOwner(SocketId socket) const {
  return Find(sockets_, socket);
}

void SocketModule::RegisterLookup(LookupId lookup, CSocketEngine* owner) {
  retiredBuffers_.erase(lookup);  // a reused handle: the old request is over
  Put(lookups_, lookup, owner);
}

void SocketModule::RetireLookupBuffer(LookupId lookup, std::shared_ptr<std::vector<char>> buffer) {
  retiredBuffers_[lookup] = std::move(buffer);
}

void SocketModule::UnregisterLookup(LookupId lookup) {
  Clear(lookups_, lookup);
}

size_t SocketModule::PendingLookupCount() const {
  return static_cast<size_t>(std::count_if(lookups_.begin(), lookups_.end(),
                                           [](const Route& r) { return r.first != -1; }));
}

void SocketModule::HoldAcceptedSocket(SocketId socket) {
  auto holder = std::make_unique<CSocketEngine>(*this);
  CSocketEngine* raw = holder.get();
  held_[socket] = std::move(holder);
  try {
    raw->HoldAccepted(socket);
  } catch (...) {
    RefuseHeld(socket);
    throw;
  }
}

std::unique_ptr<CSocketEngine> SocketModule::TakeHeld(SocketId socket) {
  auto it = held_.find(socket);
  if (it == held_.end()) return nullptr;
  std::unique_ptr<CSocketEngine> holder = std::move(it->second);
  held_.erase(it);
  return holder;
}

void SocketModule::RefuseHeld(SocketId socket) {
  std::unique_ptr<CSocketEngine> holder = TakeHeld(socket);
  if (holder) holder->RefuseHeld();
}

bool SocketModule::Dispatch(uint32_t message, uint64_t wParam, int64_t lParam) {
  // Handles are 32-bit values however wide the message parameter is.
  const auto key = static_cast<int32_t>(static_cast<uint32_t>(wParam));
  CSocketEngine* owner = nullptr;
  if (message == kLookupDoneMessage) {
    owner = Find(lookups_, key);
    if (!owner) retiredBuffers_.erase(key);  // a cancelled lookup has finished writing
  } else if (message == kSocketMessage) {
    owner = Find(sockets_, key);
  } else {
    return false;
  }
  // A handle found in neither table belongs to a closed socket or a
  // cancelled lookup: the message is dropped.
  if (owner) owner->WndProc(message, wParam, lParam);
  return true;
}

}  // namespace skel::socket
