// The hand-off to the shell: it is made from a single-threaded apartment, which verbs that are
// COM objects (Store apps, DelegateExecute handlers) need.
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <thread>

#include "tests/win/support/FakeSystem.h"
#include "toolkit/win/ShellOpen.h"
#include "toolkit/win/SystemLibrary.h"

namespace {

TEST(ShellOpenTest, TheShellIsCalledFromASingleThreadedApartment) {
  using InitFunction = HRESULT(WINAPI*)(LPVOID, DWORD);
  using UninitFunction = void(WINAPI*)();
  const auto init = SystemFunction<InitFunction>(L"ole32.dll", "CoInitializeEx");
  const auto uninit = SystemFunction<UninitFunction>(L"ole32.dll", "CoUninitialize");
  ASSERT_TRUE(init && uninit);
  HRESULT multiThreaded = S_OK;
  size_t calls = 0;
  // A thread of its own: no earlier test has entered an apartment on it.
  std::thread([&] {
    WithFakeSystem fake;
    fake.during_shell = [&] {
      // Asking for the other kind of apartment fails only where one is entered already.
      multiThreaded = init(nullptr, COINIT_MULTITHREADED);
      if (SUCCEEDED(multiThreaded)) uninit();
    };
    EXPECT_TRUE(ShellOpen(nullptr, "C:\\notes\\plan.txt").Opened);
    calls = fake.shell.size();
  }).join();
  EXPECT_EQ(calls, 1u);
  EXPECT_EQ(multiThreaded, RPC_E_CHANGED_MODE);
}

}  // namespace
