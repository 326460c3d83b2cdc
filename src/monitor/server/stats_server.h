// The monitor's two listeners and the "Remote Settings" tab that governs
// them. The local listener `Socket` (UDP, 127.0.0.1 port 2, replies to port
// 3) serves the screen saver for the whole run; the remote listener
// `SocketRemote` (element 0 listens on `remoteport`, elements 1 and up carry
// one viewer each) runs while "Enable Remote Feature." is checked and admits
// peers by the banned and allowed lists.
//
// Everything runs on the window thread; handlers let messages run in the
// middle, so socket events nest. Slots are therefore held by pointer and
// looked up by number after every pause.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "monitor/server/address_lists.h"
#include "monitor/server/server_socket.h"
#include "monitor/server/stats_service.h"
#include "monitor/shell/main_form.h"

namespace skel::monitor {

inline constexpr int32_t kLocalListenerPort = 2;
inline constexpr int32_t kLocalReplyPort = 3;
inline constexpr const char* kLocalAddress = "127.0.0.1";
inline constexpr int kHighestSlot = 32767;
// A viewer that stops reading is not sent more replies once this much is
// waiting for it: the system's buffers hold megabytes already, and past
// them every further reply would stay in the monitor's memory for good.
inline constexpr int64_t kMostUnsentBytes = 16 * 1024;

inline constexpr std::array<const char*, 5> kConnectionColumns = {
    "Remote IP", "Remote Port", "Local IP", "Local Port", "Index"};
inline constexpr const char* kRightClickTip = "Right Click For More Options";
inline constexpr const char* kInputBoxText = "Please Enter An IP Address";
inline constexpr const char* kPortForwardingGuides =
    "https://www.quorbelta.example/skelvane/portforwarding/";

// Menu item texts.
inline constexpr const char* kMenuAddBanned = "Add IP To Banned List";
inline constexpr const char* kMenuAddAllowed = "Add IP To Allowed List";
inline constexpr const char* kMenuRemoveBanned = "Remove IP From Banned List";
inline constexpr const char* kMenuRemoveAllowed = "Remove IP From Allowed List";

// What the tab needs of its window beyond the control model.
class RemoteSettingsWindow {
 public:
  virtual ~RemoteSettingsWindow() = default;
  // A pop-up menu at the mouse; "" items are separators. The chosen item's
  // index, or -1 when the menu was dismissed.
  virtual int PopupMenu(const std::vector<std::string>& items) = 0;
  // A modal input box; nothing when cancelled.
  virtual std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                              const std::string& defaultText) = 0;
  // Gives the connection list its five columns (and each address list its
  // one); the first step of start-up that touches the tab.
  virtual void PrepareColumns() = 0;
  // Every connection-list column but the last gets the wider of its header
  // and its contents.
  virtual void FitConnectionColumns() = 0;
};

struct StatsServerPorts {
  // Sampler, file cache and cleaner; processMessages defaults to the form's
  // hook when left empty. The server never lets it nest.
  StatsServicePorts service;
  ServerSocketFactory* sockets = nullptr;
  TextFileStore* files = nullptr;
  RemoteSettingsWindow* window = nullptr;  // may be null (no menus, no column fitting)
  std::string programFolder;
  // The highest slot number; lowered only by tests that fill every slot.
  int highestSlot = kHighestSlot;
};

class StatsServer {
 public:
  StatsServer(MainForm& form, StatsServerPorts ports);
  ~StatsServer();
  StatsServer(const StatsServer&) = delete;
  StatsServer& operator=(const StatsServer&) = delete;

  // Start-up step 5: columns, then "\banned.dat" into List5 and
  // "\allowed.dat" into List6.
  void PrepareListAndLoadLists();
  // The last start-up step: (re)binds the local listener.
  void OpenLocalListener();
  // Shutdown: the local listener, then every remote element in use.
  void CloseListeners();
  // The window calls this when the right mouse button is released over
  // ListView14, List5 or List6.
  void OnRightMouseUp(const std::string& control);

  bool IsInAllowedList(std::string_view address) const { return allowed_.Contains(address); }
  bool IsInBannedList(std::string_view address) const { return banned_.Contains(address); }
  const AddressList& Banned() const { return banned_; }
  const AddressList& Allowed() const { return allowed_; }
  StatsService& Service() { return service_; }

  // Elements of SocketRemote created so far (element 0 included).
  int ElementCount() const { return static_cast<int>(elements_.size()); }
  ServerSocket* Element(int index);
  ServerSocket* LocalSocket() { return local_.get(); }
  // Connections refused because every slot up to kHighestSlot was in use.
  long long RefusedForNoSlot() const { return refusedForNoSlot_; }
  // Replies not sent because their viewer had stopped reading.
  long long RepliesHeldBack() const { return repliesHeldBack_; }

 private:
  struct RemoteElement {
    std::unique_ptr<ServerSocket> socket;
    // Counts the connections the element has carried, so a reply built while
    // messages ran is not sent to a later connection on the same slot.
    uint64_t generation = 0;
  };

  void AddControls();
  void Bind();
  void Pump();
  void FitColumns();

  void OnEnableRemoteClick();
  void ApplyRemoteEnabling(bool on);
  void StartListening();
  void CloseAllRemote();

  RemoteElement& CreateElement();
  void OnConnectionRequest(int32_t requestId);
  void OnSlotData(int slot);
  void OnSlotClose(int slot);
  void OnSlotError(int slot);
  void RemoveRowsOfSlot(int slot);
  void OnLocalData();
  void OnLocalCloseOrError();

  void AddAddress(const std::string& address, bool toBanned);
  void RemoveSelected(bool fromBanned);
  void ShowLists();
  void SaveBanned();
  void SaveAllowed();

  MainForm& form_;
  ui::ControlModel& controls_;
  StatsServerPorts ports_;
  StatsService service_;
  AddressList banned_;
  AddressList allowed_;
  std::unique_ptr<ServerSocket> local_;
  std::vector<std::unique_ptr<RemoteElement>> elements_;
  long long refusedForNoSlot_ = 0;
  long long repliesHeldBack_ = 0;
  bool pumping_ = false;
};

// Adds the tab's controls, handlers, settings bindings and start-up and
// shutdown hooks to the form; the returned object must live as long as it.
std::unique_ptr<StatsServer> AttachStatsServer(MainForm& form, StatsServerPorts ports);

}  // namespace skel::monitor
