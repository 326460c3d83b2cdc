// The listeners over the real socket component and Winsock, on the loopback
// address: a client in this process sends requests while the test pumps the
// messages that carry the socket events to the monitor's handlers.
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <gtest/gtest.h>

#include "../../unit/monitor_server/server_fakes.h"
#include "common/socket/socket_process_win.h"
#include "common/stats_reply.h"
#include "monitor/server/socket_control_adapter.h"

namespace skel::monitor {
namespace {

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// Pumps until `done` holds; false when it never did (a generous guard
// against hanging, not a measure of speed).
template <typename F>
bool PumpUntil(F done, ULONGLONG guardMs = 10000) {
  ULONGLONG end = GetTickCount64() + guardMs;
  while (GetTickCount64() < end) {
    Pump();
    if (done()) return true;
    Sleep(1);
  }
  return false;
}

struct Winsock {
  Winsock() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
  }
  ~Winsock() { WSACleanup(); }
};

sockaddr_in Loopback(uint16_t port) {
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(port);
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return a;
}

bool Readable(SOCKET s) {
  fd_set set;
  FD_ZERO(&set);
  FD_SET(s, &set);
  timeval none{0, 0};
  return select(0, &set, nullptr, nullptr, &none) == 1;
}

uint16_t FreeTcpPort() {
  SOCKET s = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a = Loopback(0);
  bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
  int size = sizeof a;
  getsockname(s, reinterpret_cast<sockaddr*>(&a), &size);
  closesocket(s);
  return ntohs(a.sin_port);
}

struct LiveMonitor {
  Winsock winsock;
  testing::MemoryProfile profile;
  MonitorSettings settings{profile, "C:\\Skelvane\\skelvane_settings.ini"};
  MainForm form{settings};
  testing::FixedPerformance performance;
  testing::FixedFileCache fileCache;
  StatsSampler sampler{performance};
  SocketControlFactory sockets{socket::win::ProcessSocketModule()};
  testing::MemoryFiles files;
  int cleanerRuns = 0;
  std::unique_ptr<StatsServer> server;

  void Start() {
    performance.record = testing::TypicalRecord();
    sampler.SetUpTimeText("0 Days 00:00:01");  // as the first tick leaves it
    StatsServerPorts ports;
    ports.service.sampler = &sampler;
    ports.service.fileCache = &fileCache;
    ports.service.runCleaner = [this] { ++cleanerRuns; };
    ports.sockets = &sockets;
    ports.files = &files;
    ports.programFolder = "C:\\Skelvane";
    form.Hooks().processMessages = Pump;
    server = AttachStatsServer(form, std::move(ports));
    form.Load();
  }
  ~LiveMonitor() {
    if (server) form.Unload();
    Pump();
  }
  size_t Rows() { return form.Controls().Get("ListView14").items.size(); }
};

bool AllRowsRead(const std::string& reply) {
  StatsReplyRows rows = ReadStatsReply(reply);
  for (const auto& row : rows) {
    if (!row) return false;
  }
  return true;
}

std::string ReceiveAll(SOCKET s) {
  std::string text;
  char buffer[4096];
  while (Readable(s)) {
    int got = recv(s, buffer, sizeof buffer, 0);
    if (got <= 0) break;
    text.append(buffer, static_cast<size_t>(got));
  }
  return text;
}

TEST(ListenersWin, LocalListenerAnswersOnPortThree) {
  LiveMonitor monitor;
  SOCKET saver = ::socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in three = Loopback(3);
  if (bind(saver, reinterpret_cast<sockaddr*>(&three), sizeof three) != 0) {
    closesocket(saver);
    GTEST_SKIP() << "port 3 is held by another program";
  }
  // Port 2 belongs to one monitor per machine; with another one running its
  // bind would fail silently and the other would answer.
  SOCKET probe = ::socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in two = Loopback(2);
  bool portTwoFree = bind(probe, reinterpret_cast<sockaddr*>(&two), sizeof two) == 0;
  closesocket(probe);
  if (!portTwoFree) {
    closesocket(saver);
    GTEST_SKIP() << "port 2 is held by another program";
  }
  monitor.Start();
  // From an ephemeral port: the reply still goes to port 3.
  SOCKET client = ::socket(AF_INET, SOCK_DGRAM, 0);
  for (const char* request : {"getalldata\r\n", "VARDOLIN", "GetAllData"}) {
    sendto(client, request, static_cast<int>(strlen(request)), 0, reinterpret_cast<sockaddr*>(&two),
           sizeof two);
  }
  ASSERT_TRUE(PumpUntil([&] { return Readable(saver); }));
  char buffer[2048];
  int got = recv(saver, buffer, sizeof buffer, 0);
  ASSERT_GT(got, 0);
  std::string reply(buffer, static_cast<size_t>(got));
  EXPECT_TRUE(AllRowsRead(reply)) << reply;
  EXPECT_TRUE(PumpUntil([&] { return monitor.cleanerRuns == 1; }));
  // Only the exact request was answered.
  Pump();
  EXPECT_FALSE(Readable(saver));
  closesocket(client);
  closesocket(saver);
}

TEST(ListenersWin, RemoteListenerServesAdmittedViewersAndForgetsThemOnClose) {
  LiveMonitor monitor;
  uint16_t port = FreeTcpPort();
  monitor.profile.values["remoteport"] = std::to_string(port);
  monitor.profile.values["enableremote"] = "1";
  monitor.Start();
  ASSERT_EQ(monitor.server->Element(0)->State(), 2);

  SOCKET viewer = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in at = Loopback(port);
  ASSERT_EQ(connect(viewer, reinterpret_cast<sockaddr*>(&at), sizeof at), 0);
  ASSERT_TRUE(PumpUntil([&] { return monitor.Rows() == 1; }));
  std::string row = monitor.form.Controls().Get("ListView14").items[0];
  EXPECT_TRUE(row.starts_with("127.0.0.1\t")) << row;
  EXPECT_TRUE(row.ends_with("\t" + std::to_string(port) + "\t1")) << row;

  send(viewer, "GETALLDATA", 10, 0);
  ASSERT_TRUE(PumpUntil([&] { return Readable(viewer); }));
  std::string reply = ReceiveAll(viewer);
  EXPECT_TRUE(AllRowsRead(reply)) << reply;

  // The cleaning request is not answered.
  send(viewer, "vardolin", 8, 0);
  ASSERT_TRUE(PumpUntil([&] { return monitor.cleanerRuns == 1; }));
  EXPECT_FALSE(Readable(viewer));

  closesocket(viewer);
  EXPECT_TRUE(PumpUntil([&] { return monitor.Rows() == 0; }));
}

TEST(ListenersWin, BannedPeerIsRefusedAndCyclesReuseOneSlot) {
  LiveMonitor monitor;
  uint16_t port = FreeTcpPort();
  monitor.profile.values["remoteport"] = std::to_string(port);
  monitor.profile.values["enableremote"] = "1";
  monitor.Start();
  sockaddr_in at = Loopback(port);

  for (int i = 0; i < 100; ++i) {
    SOCKET viewer = ::socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_EQ(connect(viewer, reinterpret_cast<sockaddr*>(&at), sizeof at), 0);
    ASSERT_TRUE(PumpUntil([&] { return monitor.Rows() == 1; })) << i;
    closesocket(viewer);
    ASSERT_TRUE(PumpUntil([&] { return monitor.Rows() == 0; })) << i;
  }
  EXPECT_EQ(monitor.server->ElementCount(), 2);

  // A monitor started with the loopback address banned, on the same port
  // once the first stops listening.
  monitor.form.Controls().UserClick("Check16");
  LiveMonitor banned;
  banned.files.files["C:\\Skelvane\\banned.dat"] = "127.0.0.1\r\n";
  banned.profile.values["remoteport"] = std::to_string(port);
  banned.profile.values["enableremote"] = "1";
  banned.Start();
  SOCKET viewer = ::socket(AF_INET, SOCK_STREAM, 0);
  ASSERT_EQ(connect(viewer, reinterpret_cast<sockaddr*>(&at), sizeof at), 0);
  // The monitor closes the refused connection: the viewer reads its end.
  ASSERT_TRUE(PumpUntil([&] { return Readable(viewer); }));
  char byte;
  EXPECT_LE(recv(viewer, &byte, 1, 0), 0);
  EXPECT_EQ(banned.Rows(), 0u);
  closesocket(viewer);
}

}  // namespace
}  // namespace skel::monitor
