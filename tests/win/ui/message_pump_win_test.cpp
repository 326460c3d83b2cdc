// Runs under Wine: letting pending messages run takes what is waiting at
// the call, in order, and nothing that arrives meanwhile.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <numeric>
#include <vector>

#include "ui/win/window_base_win.h"

namespace skel::ui {
namespace {

constexpr UINT kWork = WM_APP + 7;

// A window that records the work messages it receives, in order, and runs
// an optional action for each.
class Recorder {
 public:
  Recorder() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &Recorder::Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "SkelPumpRecorder";
    RegisterClassA(&wc);
    hwnd = CreateWindowExA(0, wc.lpszClassName, "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                           nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~Recorder() { DestroyWindow(hwnd); }

  void Post(int n) { PostMessageA(hwnd, kWork, static_cast<WPARAM>(n), 0); }

  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<Recorder*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self && msg == kWork) {
      self->seen.push_back(static_cast<int>(wp));
      if (self->onWork) self->onWork(static_cast<int>(wp));
      return 0;
    }
    if (self && msg == WM_TIMER) {
      ++self->timers;
      return 0;
    }
    if (self && msg == WM_PAINT) {
      ++self->paints;
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
  }

  HWND hwnd = nullptr;
  std::vector<int> seen;
  std::function<void(int)> onWork;
  int paints = 0;
  int timers = 0;
};

void Drain() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

class MessagePump : public ::testing::Test {
 protected:
  void SetUp() override { Drain(); }
  void TearDown() override {
    recorder.onWork = nullptr;
    Drain();
  }
  Recorder recorder;
};

TEST_F(MessagePump, AStreamThatRefillsTheQueueDoesNotHoldTheCaller) {
  // Every message handled posts the next one, like a busy peer: the call
  // takes the three that were waiting and returns.
  recorder.onWork = [&](int n) { recorder.Post(n + 100); };
  for (int n = 1; n <= 3; ++n) recorder.Post(n);
  win::ProcessPendingMessages();
  EXPECT_EQ(recorder.seen, (std::vector<int>{1, 2, 3}));
  recorder.onWork = nullptr;
  win::ProcessPendingMessages();
  EXPECT_EQ(recorder.seen, (std::vector<int>{1, 2, 3, 101, 102, 103}));
}

TEST_F(MessagePump, ALongQueueIsTakenInTurnsAndKeepsItsOrder) {
  for (int n = 0; n < 100; ++n) recorder.Post(n);
  for (int turn = 0; turn < 10 && recorder.seen.size() < 100; ++turn) {
    size_t before = recorder.seen.size();
    win::ProcessPendingMessages();
    EXPECT_GT(recorder.seen.size(), before);
    EXPECT_LE(recorder.seen.size() - before, 32u);
  }
  std::vector<int> expected(100);
  std::iota(expected.begin(), expected.end(), 0);
  EXPECT_EQ(recorder.seen, expected);
}

TEST_F(MessagePump, ANestedCallEndsTheOuterOneAtItsMark) {
  // The second message's handler lets messages run itself; what the outer
  // call found waiting is all handled once, and the messages both handlers
  // post meanwhile wait.
  recorder.onWork = [&](int n) {
    if (n == 2) win::ProcessPendingMessages();
    if (n < 100) recorder.Post(n + 100);
  };
  for (int n = 1; n <= 4; ++n) recorder.Post(n);
  win::ProcessPendingMessages();
  // The nested call found 101 waiting behind the outer mark and ran it too;
  // 102 to 104 were posted later.
  EXPECT_EQ(recorder.seen, (std::vector<int>{1, 2, 3, 4, 101}));
}

TEST_F(MessagePump, PaintingStillRunsBehindPostedMessages) {
  ShowWindow(recorder.hwnd, SW_SHOWNA);
  Drain();
  recorder.paints = 0;
  InvalidateRect(recorder.hwnd, nullptr, TRUE);
  recorder.Post(1);
  win::ProcessPendingMessages();
  EXPECT_EQ(recorder.seen, (std::vector<int>{1}));
  EXPECT_EQ(recorder.paints, 1);
}

TEST_F(MessagePump, ADueTimerRunsEvenWhenTheQueueNeverEmpties) {
  // Timers come last of all; a handler that lets messages run while a
  // stream keeps the queue full must still let the tick through.
  recorder.onWork = [&](int n) { recorder.Post(n + 1); };
  recorder.Post(0);
  SetTimer(recorder.hwnd, 1, 10, nullptr);
  Sleep(50);
  win::ProcessPendingMessages();
  KillTimer(recorder.hwnd, 1);
  EXPECT_EQ(recorder.timers, 1);
}

TEST_F(MessagePump, QuitIsLeftForTheMainLoop) {
  recorder.Post(1);
  PostQuitMessage(5);
  recorder.Post(2);
  win::ProcessPendingMessages();
  MSG msg;
  bool quit = false;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      quit = true;
      EXPECT_EQ(msg.wParam, 5u);
    }
  }
  EXPECT_TRUE(quit);
  EXPECT_EQ(recorder.seen, (std::vector<int>{1, 2}));
}

}  // namespace
}  // namespace skel::ui
