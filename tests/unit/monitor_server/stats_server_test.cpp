#include "monitor/server/stats_server.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "common/stats_reply.h"
#include "server_fakes.h"

namespace skel::monitor {
namespace {

using testing::FakeSocket;
using Entries = std::vector<std::string>;

const LocaleSeparators kEnglish{".", ","};
constexpr const char* kBannedPath = "C:\\Skelvane\\banned.dat";
constexpr const char* kAllowedPath = "C:\\Skelvane\\allowed.dat";

// One monitor with its fakes; every test case gets a fresh one.
struct Rig {
  testing::MemoryProfile profile;
  MonitorSettings settings{profile, "C:\\Skelvane\\skelvane_settings.ini", kEnglish};
  MainForm form{settings};
  testing::FixedPerformance performance;
  testing::FixedFileCache fileCache;
  StatsSampler sampler{performance};
  testing::FakeSocketFactory sockets;
  testing::MemoryFiles files;
  testing::ScriptedWindow window;
  int cleanerRuns = 0;
  std::function<void()> duringPump;
  std::unique_ptr<StatsServer> server;
  int32_t nextRequest = 500;

  void Start(int highestSlot = kHighestSlot) {
    performance.record = testing::TypicalRecord();
    StatsServerPorts ports;
    ports.service.sampler = &sampler;
    ports.service.fileCache = &fileCache;
    ports.service.runCleaner = [this] { ++cleanerRuns; };
    ports.sockets = &sockets;
    ports.files = &files;
    ports.window = &window;
    ports.programFolder = "C:\\Skelvane";
    ports.highestSlot = highestSlot;
    form.Hooks().processMessages = [this] {
      if (duringPump) {
        auto once = std::move(duringPump);
        duringPump = nullptr;
        once();
      }
    };
    server = AttachStatsServer(form, std::move(ports));
    ASSERT_TRUE(form.Load());
  }
  ui::ControlModel& Controls() { return form.Controls(); }
  FakeSocket& Element(int index) { return *static_cast<FakeSocket*>(server->Element(index)); }
  FakeSocket& Local() { return *static_cast<FakeSocket*>(server->LocalSocket()); }
  Entries Rows() { return Controls().Get("ListView14").items; }

  // A peer asks to connect: the slot that took it, 0 when it was refused.
  int Connect(const std::string& ip, int32_t port = 40000) {
    FakeSocket& listener = Element(0);
    listener.remoteHostIP = ip;
    listener.remotePort = port;
    int32_t request = nextRequest++;
    listener.events.connectionRequest(request);
    for (int i = 1; i < server->ElementCount(); ++i) {
      if (Element(i).acceptedRequest == request && Element(i).state == 7) return i;
    }
    return 0;
  }
  void EnableRemote() {
    profile.values["enableremote"] = "1";
    Start();
  }
};

struct ServerFixture : ::testing::Test, Rig {};

TEST_F(ServerFixture, StartUpLoadsListsBindsTheLocalListenerAndKeepsRemoteOff) {
  files.files[kBannedPath] = "\r\n10.0.0.5\r\n";
  files.files[kAllowedPath] = "192.168.1.9\r\n10.0.0.7\r\n";
  Start();
  EXPECT_EQ(window.prepared, 1);
  EXPECT_EQ(Controls().Get("List5").items, (Entries{"10.0.0.5"}));
  EXPECT_EQ(Controls().Get("List6").items, (Entries{"10.0.0.7", "192.168.1.9"}));
  EXPECT_EQ(Controls().Get("Text12").text, "2012");
  EXPECT_EQ(Local().calls, (Entries{"Close", "Protocol 1", "Bind 2 127.0.0.1"}));
  // Nothing listens; only the option and the connection list are usable.
  EXPECT_EQ(server->ElementCount(), 0);
  EXPECT_TRUE(Controls().Get("Check16").enabled);
  EXPECT_TRUE(Controls().Get("ListView14").enabled);
  for (const char* name : {"Text12", "LabelListenPort", "Check31", "LabelFootnote",
                           "LabelConnections", "LabelBanned", "LabelAllowed", "List5", "List6"}) {
    EXPECT_FALSE(Controls().Get(name).enabled) << name;
  }
}

TEST_F(ServerFixture, EnabledAtStartListensOnTheStoredPort) {
  profile.values["remoteport"] = "2013";
  EnableRemote();
  EXPECT_EQ(Element(0).calls, (Entries{"LocalPort 2013", "Listen"}));
  EXPECT_FALSE(Controls().Get("Text12").enabled);
  EXPECT_TRUE(Controls().Get("List5").enabled);
  EXPECT_TRUE(Controls().Get("Check31").enabled);
}

TEST(StatsServer, PortTextThatIsNoPortLeavesTheListenerClosed) {
  for (const char* text : {"abc", "0", "65536", "-5"}) {
    Rig rig;
    rig.profile.values["remoteport"] = text;
    rig.EnableRemote();
    EXPECT_EQ(rig.Element(0).state, kStateClosed) << text;
    EXPECT_TRUE(rig.Controls().Checked("Check16"));
  }
}

TEST_F(ServerFixture, TheOptionWritesItsKeyAndUncheckingClosesEverything) {
  EnableRemote();
  ASSERT_EQ(Connect("127.0.0.1"), 1);
  ASSERT_EQ(Connect("127.0.0.1"), 2);
  Controls().UserClick("Check16");
  EXPECT_EQ(profile.values["enableremote"], "0");
  for (int i = 0; i < server->ElementCount(); ++i) EXPECT_EQ(Element(i).state, kStateClosed);
  EXPECT_TRUE(Rows().empty());
  EXPECT_TRUE(Controls().Get("Text12").enabled);
  EXPECT_FALSE(Controls().Get("ListView14").enabled);
  // The port typed now counts from the next check; it is stored as typed.
  Controls().UserType("Text12", "20x");
  Controls().UserKeyUp("Text12");
  EXPECT_EQ(profile.values["remoteport"], "20x");
  Controls().UserType("Text12", "3000");
  Controls().UserKeyUp("Text12");
  Controls().UserClick("Check16");
  EXPECT_EQ(profile.values["enableremote"], "1");
  EXPECT_EQ(Element(0).localPort, 3000);
  EXPECT_EQ(Element(0).state, 2);
  Controls().UserClick("Check31");
  EXPECT_EQ(profile.values["onlyallowip"], "1");
}

TEST(StatsServer, AdmissionByTheBannedOrTheAllowedList) {
  struct Case {
    bool onlyAllowed;
    const char* banned;
    const char* allowed;
    const char* address;
    bool admitted;
  } cases[] = {
      {false, "", "", "10.0.0.1", true},
      {false, "10.0.0.1\r\n", "", "10.0.0.1", false},
      {false, "10.0.0.1\r\n", "10.0.0.1\r\n", "10.0.0.1", false},  // allowed list not consulted
      {true, "", "", "10.0.0.1", false},                           // empty allowed list
      {true, "10.0.0.1\r\n", "10.0.0.1\r\n", "10.0.0.1", true},    // banned list ignored
      {true, "", "10.0.0.1 \r\n", "10.0.0.1", false},              // exact comparison
      {true, "", "10.0.0.2\r\n10.0.0.1\r\n", "10.0.0.1", true},
  };
  for (const Case& c : cases) {
    Rig rig;
    rig.files.files = {{kBannedPath, c.banned}, {kAllowedPath, c.allowed}};
    rig.profile.values["onlyallowip"] = c.onlyAllowed ? "1" : "0";
    rig.EnableRemote();
    int slot = rig.Connect(c.address);
    EXPECT_EQ(slot != 0, c.admitted) << c.address << " only allowed " << c.onlyAllowed;
    EXPECT_EQ(rig.Rows().size(), c.admitted ? 1u : 0u);
  }
}

TEST_F(ServerFixture, LowestFreeSlotIsReusedAndShownInTheIndexColumn) {
  EnableRemote();
  Element(0).localPort = 2012;
  Element(0).localIP = "0.0.0.0";
  EXPECT_EQ(Connect("10.0.0.1", 50001), 1);
  EXPECT_EQ(Connect("10.0.0.2", 50002), 2);
  EXPECT_EQ(Connect("10.0.0.3", 50003), 3);
  Element(2).events.close();
  EXPECT_EQ(Rows(),
            (Entries{"10.0.0.1\t50001\t0.0.0.0\t2012\t1", "10.0.0.3\t50003\t0.0.0.0\t2012\t3"}));
  Element(2).localIP = "127.0.0.1";  // the address the connection arrives on
  EXPECT_EQ(Connect("10.0.0.4", 50004), 2);
  EXPECT_EQ(Rows().back(), "10.0.0.4\t50004\t127.0.0.1\t2012\t2");
  EXPECT_EQ(server->ElementCount(), 4);
  EXPECT_GE(window.fits, 4);
}

TEST_F(ServerFixture, ARefusedRequestLeavesItsNewSlotFree) {
  files.files[kBannedPath] = "6.6.6.6\r\n";
  EnableRemote();
  EXPECT_EQ(Connect("6.6.6.6"), 0);
  EXPECT_EQ(server->ElementCount(), 2);  // the slot created for it stays
  EXPECT_EQ(Element(1).state, kStateClosed);
  EXPECT_EQ(Connect("10.0.0.1"), 1);
}

TEST_F(ServerFixture, EverySlotTakenRefusesCleanly) {
  profile.values["enableremote"] = "1";
  Start(/*highestSlot=*/3);
  EXPECT_EQ(Connect("10.0.0.1"), 1);
  EXPECT_EQ(Connect("10.0.0.2"), 2);
  EXPECT_EQ(Connect("10.0.0.3"), 3);
  EXPECT_EQ(Connect("10.0.0.4"), 0);
  EXPECT_EQ(server->ElementCount(), 4);
  EXPECT_EQ(server->RefusedForNoSlot(), 1);
  EXPECT_EQ(Rows().size(), 3u);
  // A slot that frees up is taken by the next viewer.
  Element(3).events.close();
  EXPECT_EQ(Connect("10.0.0.5"), 3);
}

TEST_F(ServerFixture, SlotsAnswerTheirOwnRequests) {
  EnableRemote();
  int a = Connect("10.0.0.1");
  int b = Connect("10.0.0.2");
  Element(a).Arrive("GETALLDATA");
  Element(b).Arrive("getalldata\r\n");
  Element(b).Arrive("VARDOLIN");
  ASSERT_EQ(Element(a).sent.size(), 1u);
  EXPECT_TRUE(Element(a).sent[0].starts_with("Commit Total: "));
  EXPECT_TRUE(Element(b).sent.empty());
  EXPECT_EQ(cleanerRuns, 1);
}

TEST_F(ServerFixture, AViewerThatStopsReadingIsSentNoMoreUntilItReads) {
  EnableRemote();
  int idle = Connect("10.0.0.1");
  int busy = Connect("10.0.0.2");
  Element(idle).unsent = kMostUnsentBytes;  // at the limit: still served
  Element(idle).Arrive("getalldata");
  EXPECT_EQ(Element(idle).sent.size(), 1u);
  Element(idle).unsent = kMostUnsentBytes + 1;
  for (int i = 0; i < 3; ++i) Element(idle).Arrive("getalldata");
  Element(busy).Arrive("getalldata");
  EXPECT_EQ(Element(idle).sent.size(), 1u);
  EXPECT_EQ(Element(busy).sent.size(), 1u);
  EXPECT_EQ(server->RepliesHeldBack(), 3);
  Element(idle).unsent = 0;  // it read what waited
  Element(idle).Arrive("getalldata");
  EXPECT_EQ(Element(idle).sent.size(), 2u);
}

TEST_F(ServerFixture, RequestsWaitingInAPauseAreAnsweredWithoutNestingDeeper) {
  EnableRemote();
  for (int i = 1; i <= 50; ++i) ASSERT_EQ(Connect("10.0.0.1"), i);
  // Every viewer asks while the first reply is being built: each pause
  // delivers all that wait. Nested handlers must not pause again, or the
  // depth would grow with the number of viewers.
  std::vector<int> waiting;
  for (int i = 50; i >= 2; --i) waiting.push_back(i);
  int depth = 0, deepest = 0;
  form.Hooks().processMessages = [&] {
    deepest = std::max(deepest, ++depth);
    while (!waiting.empty()) {
      int slot = waiting.back();
      waiting.pop_back();
      Element(slot).Arrive("getalldata");
    }
    --depth;
  };
  Element(1).Arrive("getalldata");
  for (int i = 1; i <= 50; ++i) EXPECT_EQ(Element(i).sent.size(), 1u) << i;
  EXPECT_EQ(deepest, 1);
}

TEST_F(ServerFixture, EarlyDataDeliveredByAcceptIsAnswered) {
  EnableRemote();
  Connect("10.0.0.1");  // creates slot 1, used later for the early data
  Element(1).events.close();
  Element(1).duringAccept = [&] { Element(1).Arrive("getalldata"); };
  ASSERT_EQ(Connect("10.0.0.2"), 1);
  EXPECT_EQ(Element(1).sent.size(), 1u);
}

TEST_F(ServerFixture, AReplyBuiltWhileItsViewerLeftIsNotSentToTheNextOne) {
  EnableRemote();
  ASSERT_EQ(Connect("10.0.0.1"), 1);
  // While the reply is built the viewer closes and another takes slot 1.
  duringPump = [&] {
    Element(1).events.close();
    ASSERT_EQ(Connect("10.0.0.2"), 1);
  };
  Element(1).Arrive("getalldata");
  EXPECT_TRUE(Element(1).sent.empty());
  EXPECT_EQ(Rows(), (Entries{"10.0.0.2\t40000\t0.0.0.0\t2012\t1"}));
}

TEST_F(ServerFixture, ViewerLeavingDuringAcceptGetsNoRow) {
  EnableRemote();
  duringPump = [&] { Element(1).events.close(); };
  Connect("10.0.0.1");
  EXPECT_TRUE(Rows().empty());
}

TEST_F(ServerFixture, CloseAndErrorDropTheSlotsRows) {
  EnableRemote();
  Connect("10.0.0.1");
  Connect("10.0.0.2");
  Element(1).events.error();
  EXPECT_EQ(Element(1).state, kStateClosed);
  EXPECT_EQ(Rows().size(), 1u);
  Element(2).events.close();
  EXPECT_TRUE(Rows().empty());
  // Many connect/vanish cycles keep one slot and no rows.
  for (int i = 0; i < 2000; ++i) {
    ASSERT_EQ(Connect("10.0.0.3"), 1);
    (i % 2 ? Element(1).events.error : Element(1).events.close)();
  }
  EXPECT_TRUE(Rows().empty());
  EXPECT_EQ(server->ElementCount(), 3);
}

TEST_F(ServerFixture, LocalListenerRepliesToPortThreeWhateverTheSender) {
  Start();
  Local().remotePort = 51515;  // the sender's port, as the socket reports it
  Local().Arrive("getalldata");
  Local().Arrive("vardolin");
  Local().Arrive("getalldata\r\n");
  ASSERT_EQ(Local().sent.size(), 1u);
  EXPECT_TRUE(Local().sent[0].starts_with("127.0.0.1:3 Commit Total: "));
  EXPECT_EQ(cleanerRuns, 1);
  Local().Bind(2, "127.0.0.1");
  Local().events.error();
  EXPECT_EQ(Local().state, kStateClosed);
}

TEST_F(ServerFixture, BanningFromTheConnectionListMovesTheAddress) {
  files.files[kAllowedPath] = "10.0.0.1\r\n10.0.0.1\r\n10.0.0.9\r\n";
  EnableRemote();
  ASSERT_EQ(Connect("10.0.0.1"), 1);
  // No row selected: the menu shows, nothing changes.
  window.nextChoice = 0;
  server->OnRightMouseUp("ListView14");
  EXPECT_EQ(window.menus.back(), (Entries{kMenuAddBanned, "", kMenuAddAllowed}));
  EXPECT_TRUE(files.writes.empty());

  Controls().SetListIndex("ListView14", 0);
  server->OnRightMouseUp("ListView14");
  EXPECT_EQ(server->Banned().Entries(), (Entries{"10.0.0.1"}));
  EXPECT_EQ(server->Allowed().Entries(), (Entries{"10.0.0.9"}));
  EXPECT_EQ(files.writes, (Entries{kBannedPath, kAllowedPath}));
  EXPECT_EQ(files.files[kBannedPath], "10.0.0.1\r\n");
  EXPECT_EQ(files.files[kAllowedPath], "10.0.0.9\r\n");
  // The live connection is still served; its reconnect is refused.
  Element(1).Arrive("getalldata");
  EXPECT_EQ(Element(1).sent.size(), 1u);
  Element(1).events.close();
  EXPECT_EQ(Connect("10.0.0.1"), 0);

  // And back to the allowed list.
  EXPECT_EQ(Connect("10.0.0.2"), 1);
  Controls().SetListIndex("ListView14", 0);
  window.nextChoice = 2;
  server->OnRightMouseUp("ListView14");
  EXPECT_EQ(server->Allowed().Entries(), (Entries{"10.0.0.2", "10.0.0.9"}));
}

TEST_F(ServerFixture, InputBoxAddsOnceAndRemoveWritesOnlyItsFile) {
  files.files[kBannedPath] = "10.0.0.5\r\n";
  files.files[kAllowedPath] = "10.0.0.5\r\n10.0.0.6\r\n";
  EnableRemote();
  window.nextChoice = 0;
  window.nextInput = "10.0.0.5";
  server->OnRightMouseUp("List5");
  EXPECT_EQ(window.menus.back(), (Entries{kMenuAddBanned, kMenuRemoveBanned}));
  EXPECT_EQ(window.prompts.back(), "Please Enter An IP Address|Please Enter An IP Address|");
  EXPECT_EQ(Controls().Get("List5").items, (Entries{"10.0.0.5"}));
  EXPECT_EQ(files.files[kBannedPath], "10.0.0.5\r\n");
  EXPECT_EQ(Controls().Get("List6").items, (Entries{"10.0.0.6"}));

  // Cancel and an empty answer do nothing.
  files.writes.clear();
  for (std::optional<std::string> answer :
       {std::optional<std::string>(), std::optional<std::string>("")}) {
    window.nextInput = answer;
    server->OnRightMouseUp("List6");
  }
  EXPECT_TRUE(files.writes.empty());

  // Remove with no selection: nothing; with one: only allowed.dat.
  window.nextChoice = 1;
  server->OnRightMouseUp("List6");
  EXPECT_TRUE(files.writes.empty());
  Controls().SetListIndex("List6", 0);
  server->OnRightMouseUp("List6");
  EXPECT_EQ(files.writes, (Entries{kAllowedPath}));
  EXPECT_TRUE(server->Allowed().Empty());
  EXPECT_EQ(files.files[kAllowedPath], "");
}

TEST_F(ServerFixture, UnwritableFilesLeaveTheListsChangedInMemory) {
  EnableRemote();
  files.writesFail = true;
  window.nextChoice = 0;
  window.nextInput = "host.example";
  server->OnRightMouseUp("List6");
  EXPECT_EQ(Controls().Get("List6").items, (Entries{"host.example"}));
  EXPECT_EQ(files.files.count(kAllowedPath), 0u);
}

TEST_F(ServerFixture, ShutdownClosesTheLocalListenerThenEveryElementInUse) {
  EnableRemote();
  Connect("10.0.0.1");
  Connect("10.0.0.2");
  Element(1).events.close();
  Element(1).calls.clear();
  form.Unload();
  EXPECT_EQ(Local().state, kStateClosed);
  EXPECT_EQ(Element(0).state, kStateClosed);
  EXPECT_EQ(Element(2).state, kStateClosed);
  EXPECT_TRUE(Element(1).calls.empty());  // already closed: not touched
}

}  // namespace
}  // namespace skel::monitor
