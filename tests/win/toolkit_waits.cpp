// The message loop's waits and its idle work: handlers of waited-for handles run in our loop, once
// per signal, never inside a modal loop of the system's; idle tasks run once nothing is waiting.
#include <gtest/gtest.h>

#include <memory>

#include "toolkit/win/Application.h"
#include "toolkit/win/IdleTask.h"

namespace {

constexpr UINT kRunForeignLoop = WM_APP + 0x300;

struct ForeignLoopRun {
  HANDLE signal;    // set as the loop starts
  const int* runs;  // the handler's count
  int runsAtEnd = -1;
};

// A window whose message runs a loop of its own for 100 ms, as MessageBox and TrackPopupMenu do.
struct ForeignLoopWindow {
  ForeignLoopWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
      if (m != kRunForeignLoop) return DefWindowProcW(h, m, w, l);
      auto* run = reinterpret_cast<ForeignLoopRun*>(l);
      SetEvent(run->signal);
      for (int round = 0; round < 50; ++round) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(2);
      }
      run->runsAtEnd = *run->runs;
      return 0;
    };
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ZettlyForeignLoop";
    RegisterClassW(&wc);
    hwnd = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  }
  ~ForeignLoopWindow() { DestroyWindow(hwnd); }
  HWND hwnd;
};

TEST(Waits, SignalledHandleRunsInOurLoopAfterAForeignModalLoopNotInsideIt) {
  Application->ProcessMessages();
  HANDLE event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  int runs = 0;
  Application->AddWaitHandle(event, [&] { ++runs; });

  // The handle is signalled as the foreign loop starts, so its notice arrives inside it.
  ForeignLoopWindow foreign;
  ForeignLoopRun run{event, &runs};
  PostMessageW(foreign.hwnd, kRunForeignLoop, 0, reinterpret_cast<LPARAM>(&run));
  const UINT_PTR guard = SetTimer(nullptr, 0, 3000, nullptr);
  for (int n = 0; n < 4 && runs == 0; ++n) Application->HandleMessage();
  KillTimer(nullptr, guard);
  EXPECT_EQ(run.runsAtEnd, 0);
  EXPECT_EQ(runs, 1);

  // Watched again once handled: the next signal wakes the loop by itself.
  SetEvent(event);
  const UINT_PTR guard2 = SetTimer(nullptr, 0, 3000, nullptr);
  for (int n = 0; n < 3 && runs == 1; ++n) Application->HandleMessage();
  KillTimer(nullptr, guard2);
  EXPECT_EQ(runs, 2);

  Application->RemoveWaitHandle(event);
  CloseHandle(event);
}

// Counts what reaches it: posted messages and timer ticks.
struct CountingWindow {
  CountingWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
      auto* self = reinterpret_cast<CountingWindow*>(GetWindowLongPtrW(h, GWLP_USERDATA));
      if (self && m == WM_APP) ++self->posted;
      if (self && m == WM_TIMER) {
        ++self->ticks;
        KillTimer(h, w);
      }
      return DefWindowProcW(h, m, w, l);
    };
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ZettlyCountingWindow";
    RegisterClassW(&wc);
    hwnd = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~CountingWindow() { DestroyWindow(hwnd); }
  HWND hwnd;
  int posted = 0, ticks = 0;
};

// Idle work (the tray icon's shell call at start) must not come before what is already waiting:
// a timer due right after the first paint used to run it before the loop had ever been idle.
TEST(Waits, IdleTaskRunsOnceNothingIsWaitingAndOnlyOnce) {
  Application->ProcessMessages();
  CountingWindow window;
  PostMessageW(window.hwnd, WM_APP, 0, 0);
  PostMessageW(window.hwnd, WM_APP, 0, 0);
  SetTimer(window.hwnd, 1, 1, nullptr);
  Sleep(20);  // the timer is due
  int runs = 0, postedSeen = -1, ticksSeen = -1;
  TIdleTask task(Application, [&] {
    ++runs;
    postedSeen = window.posted;
    ticksSeen = window.ticks;
  });
  task.Start();
  task.Start();  // asked twice before it ran: still one run
  EXPECT_TRUE(task.Waiting());
  for (int n = 0; n < 10 && runs == 0; ++n) Application->HandleMessage();
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(postedSeen, 2);
  EXPECT_EQ(ticksSeen, 1);
  EXPECT_FALSE(task.Waiting());

  // Done: later quiet moments do not run it again.
  const UINT_PTR guard = SetTimer(nullptr, 0, 50, nullptr);
  Application->HandleMessage();
  KillTimer(nullptr, guard);
  EXPECT_EQ(runs, 1);
}

TEST(Waits, IdleTaskDestroyedBeforeItsTurnNeverRunsAndSpoilsNoOther) {
  Application->ProcessMessages();
  int early = 0, late = 0;
  auto doomed = std::make_unique<TIdleTask>(Application, [&] { ++early; });
  TIdleTask survivor(Application, [&] { ++late; });
  TIdleTask killer(Application, [&] { doomed.reset(); });  // one task ending another that is also due
  killer.Start();
  doomed->Start();
  survivor.Start();
  for (int n = 0; n < 5 && late == 0; ++n) Application->HandleMessage();
  EXPECT_EQ(early, 0);
  EXPECT_EQ(late, 1);
}

}  // namespace
