// Waits for kernel handles on a thread of its own and tells a window, by a posted message, when
// one is signalled. The message loop can then wait in GetMessage alone: a wait for messages and
// handles together costs a call to the window server every time the thread wakes up.
#pragma once
#include <windows.h>

#include <atomic>
#include <vector>

#include "toolkit/win/Handles.h"

class THandleWatcher {
 public:
  // A signalled handle is posted as (message, 0, handle), a wait that failed (a handle closed
  // under it) as (message, 1, 0); after either the thread waits for Resume.
  THandleWatcher(HWND notify, UINT message);
  ~THandleWatcher();
  THandleWatcher(const THandleWatcher&) = delete;
  THandleWatcher& operator=(const THandleWatcher&) = delete;

  // Watches these handles from now on (at most MAXIMUM_WAIT_OBJECTS - 1). When it returns the
  // thread waits on none of the others, so they may be closed.
  void Watch(const std::vector<HANDLE>& handles);
  // The last notice was dealt with: wait again.
  void Resume();
  bool Running() const { return static_cast<bool>(thread_); }

 private:
  static DWORD WINAPI Run(void* self);
  void Loop();

  HWND notify_;
  UINT message_;
  // Handed over through changed_ and taken_: the owner writes them only between telling the
  // thread and hearing that it has taken its copy.
  std::vector<HANDLE> handles_;
  std::atomic<bool> stop_ = false;
  UniqueHandle changed_{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
  UniqueHandle taken_{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
  UniqueHandle resume_{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
  UniqueHandle thread_;
};
