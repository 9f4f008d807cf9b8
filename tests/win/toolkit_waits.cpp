// Handles the message loop waits for: their handlers run in our loop, once per signal, and never
// inside a modal loop of the system's.
#include <gtest/gtest.h>

#include "toolkit/win/Application.h"

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

}  // namespace
