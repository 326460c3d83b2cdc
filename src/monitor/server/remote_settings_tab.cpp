// The "Remote Settings" tab: its controls, the enabling that follows "Enable
// Remote Feature.", the settings it writes, and the context menus that move
// addresses between the banned and allowed lists.
#include "monitor/server/stats_server.h"

namespace skel::monitor {
namespace {

using ui::Control;
using ui::ControlEvent;
using ui::ControlKind;

template <typename F>
void Try(F&& step) {
  try {
    step();
  } catch (...) {
  }
}

// Controls that are usable only while the remote feature is on (Text12 is
// the opposite: locked while listening).
constexpr const char* kFollowersOfEnable[] = {
    "LabelListenPort", "Check31", "LabelFootnote", "LabelConnections", "LabelBanned",
    "LabelAllowed",    "List5",   "List6",         "ListView14"};

Control Make(const char* name, ControlKind kind, const std::string& caption, ui::TwipRect rect) {
  Control c;
  c.name = name;
  c.kind = kind;
  c.caption = caption;
  c.tab = kTabRemoteSettings;
  c.rect = rect;
  return c;
}

}  // namespace

StatsServer::StatsServer(MainForm& form, StatsServerPorts ports)
    : form_(form), controls_(form.Controls()), ports_(std::move(ports)), service_([&] {
        StatsServicePorts service = ports_.service;
        // Every pause for messages goes through Pump, which nests at most
        // once (see there).
        service.processMessages = [this] { Pump(); };
        return service;
      }()) {
  AddControls();
  Bind();
}

void StatsServer::AddControls() {
  auto add = [&](Control c) { controls_.Add(std::move(c)); };
  add(Make("LabelRemoteNote", ControlKind::Label,
           "This feature will allow you or others to simply view memory stats and run Vardolin "
           "remotely. The data sent should take less then 100 bytes per send.",
           {120, 120, 6760, 390}));
  add(Make("LabelPortForwarding", ControlKind::Label,
           std::string("In order to view over the internet you will need to setup a port "
                       "forwarding rule in your router. Guides for most routers: ") +
               kPortForwardingGuides,
           {120, 540, 6760, 390}));
  add(Make("Check16", ControlKind::CheckBox, "Enable Remote Feature.", {120, 1020, 2400, 255}));
  add(Make("LabelListenPort", ControlKind::Label, "Listen On Port:", {2700, 1050, 1200, 255}));
  add(Make("Text12", ControlKind::TextBox, "", {3900, 1005, 900, 285}));
  add(Make("Check31", ControlKind::CheckBox, "Only Let Allowed IP's Connect*",
           {120, 1380, 2800, 255}));
  add(Make("LabelFootnote", ControlKind::Label, "*Allowed IP list only works with this option on.",
           {3100, 1410, 3800, 255}));
  add(Make("LabelConnections", ControlKind::Label,
           "Current Remote Connections (Right Click For More Options)", {120, 1800, 6760, 255}));
  add(Make("ListView14", ControlKind::ListView, "", {120, 2070, 6760, 1500}));
  add(Make("LabelBanned", ControlKind::Label, "Banned IP's", {120, 3690, 3300, 255}));
  add(Make("List5", ControlKind::ListView, "", {120, 3960, 3300, 1200}));
  add(Make("LabelAllowed", ControlKind::Label, "Allowed IP's", {3580, 3690, 3300, 255}));
  add(Make("List6", ControlKind::ListView, "", {3580, 3960, 3300, 1200}));
  // The tab's enabling before any setting is loaded: only the option and
  // the connection list are usable, the port box included in the locked set.
  for (const char* name : kFollowersOfEnable) controls_.Get(name).enabled = false;
  controls_.Get("Text12").enabled = false;
  controls_.Get("ListView14").enabled = true;
}

void StatsServer::Bind() {
  form_.BindSetting("enableremote", "Check16");
  form_.BindSetting("remoteport", "Text12");
  form_.BindSetting("onlyallowip", "Check31");
  controls_.On("Check16", ControlEvent::Click, [this](Control&) { OnEnableRemoteClick(); });
  controls_.On("Check31", ControlEvent::Click,
               [this](Control&) { form_.SaveSetting("onlyallowip"); });
  // Written as typed, unvalidated; the port counts from the next start of
  // listening.
  controls_.On("Text12", ControlEvent::KeyUp,
               [this](Control&) { form_.SaveSetting("remoteport"); });

  MainFormHooks& hooks = form_.Hooks();
  hooks.prepareRemoteListAndLoadLists = [this] { PrepareListAndLoadLists(); };
  hooks.openLocalListener = [this] { OpenLocalListener(); };
  hooks.closeListeners = [this] { CloseListeners(); };
}

void StatsServer::ApplyRemoteEnabling(bool on) {
  controls_.SetEnabled("Text12", !on);
  for (const char* name : kFollowersOfEnable) controls_.SetEnabled(name, on);
}

void StatsServer::OnEnableRemoteClick() {
  form_.SaveSetting("enableremote");
  bool on = controls_.Checked("Check16");
  ApplyRemoteEnabling(on);
  if (on) {
    StartListening();
  } else {
    CloseAllRemote();
    controls_.SetItems("ListView14", {});
  }
}

void StatsServer::PrepareListAndLoadLists() {
  if (ports_.window) Try([&] { ports_.window->PrepareColumns(); });
  if (ports_.files) {
    Try([&] {
      LoadAddressFile(banned_, *ports_.files,
                      AddressFilePath(ports_.programFolder, kBannedFileName));
    });
    Try([&] {
      LoadAddressFile(allowed_, *ports_.files,
                      AddressFilePath(ports_.programFolder, kAllowedFileName));
    });
  }
  ShowLists();
}

void StatsServer::ShowLists() {
  controls_.SetItems("List5", banned_.Entries());
  controls_.SetItems("List6", allowed_.Entries());
  controls_.SetListIndex("List5", -1);
  controls_.SetListIndex("List6", -1);
}

void StatsServer::SaveBanned() {
  if (ports_.files) {
    Try([&] {
      SaveAddressFile(banned_, *ports_.files,
                      AddressFilePath(ports_.programFolder, kBannedFileName));
    });
  }
}

void StatsServer::SaveAllowed() {
  if (ports_.files) {
    Try([&] {
      SaveAddressFile(allowed_, *ports_.files,
                      AddressFilePath(ports_.programFolder, kAllowedFileName));
    });
  }
}

void StatsServer::AddAddress(const std::string& address, bool toBanned) {
  AddressList& to = toBanned ? banned_ : allowed_;
  AddressList& other = toBanned ? allowed_ : banned_;
  to.Add(address);
  other.RemoveEvery(address);
  banned_.RemoveDuplicates();
  allowed_.RemoveDuplicates();
  ShowLists();
  // The banned file is written first, whichever list was the target.
  SaveBanned();
  SaveAllowed();
}

void StatsServer::RemoveSelected(bool fromBanned) {
  AddressList& list = fromBanned ? banned_ : allowed_;
  int index = controls_.Get(fromBanned ? "List5" : "List6").listIndex;
  if (index < 0 || static_cast<size_t>(index) >= list.Entries().size()) return;
  list.RemoveAt(static_cast<size_t>(index));
  list.RemoveDuplicates();
  ShowLists();
  if (fromBanned) {
    SaveBanned();
  } else {
    SaveAllowed();
  }
}

void StatsServer::OnRightMouseUp(const std::string& control) {
  if (!ports_.window) return;
  try {
    if (control == "ListView14") {
      int choice = ports_.window->PopupMenu({kMenuAddBanned, "", kMenuAddAllowed});
      if (choice != 0 && choice != 2) return;
      const Control& list = controls_.Get("ListView14");
      if (list.listIndex < 0 || static_cast<size_t>(list.listIndex) >= list.items.size()) return;
      const std::string& row = list.items[static_cast<size_t>(list.listIndex)];
      AddAddress(row.substr(0, row.find('\t')), choice == 0);
      return;
    }
    bool banned = control == "List5";
    if (!banned && control != "List6") return;
    int choice = ports_.window->PopupMenu(
        banned ? std::vector<std::string>{kMenuAddBanned, kMenuRemoveBanned}
               : std::vector<std::string>{kMenuAddAllowed, kMenuRemoveAllowed});
    if (choice == 0) {
      std::optional<std::string> typed = ports_.window->InputBox(kInputBoxText, kInputBoxText, "");
      if (!typed || typed->empty()) return;
      AddAddress(*typed, banned);
    } else if (choice == 1) {
      RemoveSelected(banned);
    }
  } catch (...) {
  }
}

}  // namespace skel::monitor
