#include "toolkit/win/HandleWatcher.h"

THandleWatcher::THandleWatcher(HWND notify, UINT message) : notify_(notify), message_(message) {
  if (!changed_ || !taken_ || !resume_) return;
  thread_.Reset(CreateThread(nullptr, 64 * 1024, Run, this, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr));
  if (thread_) WaitForSingleObject(taken_.Get(), INFINITE);
}

THandleWatcher::~THandleWatcher() {
  if (!thread_) return;
  stop_ = true;
  SetEvent(changed_.Get());
  WaitForSingleObject(thread_.Get(), INFINITE);
}

void THandleWatcher::Watch(const std::vector<HANDLE>& handles) {
  if (!thread_) return;
  handles_ = handles;
  SetEvent(changed_.Get());
  WaitForSingleObject(taken_.Get(), INFINITE);
}

void THandleWatcher::Resume() {
  if (thread_) SetEvent(resume_.Get());
}

DWORD WINAPI THandleWatcher::Run(void* self) {
  static_cast<THandleWatcher*>(self)->Loop();
  return 0;
}

void THandleWatcher::Loop() {
  std::vector<HANDLE> waiting{changed_.Get()};
  std::vector<HANDLE> watched;
  bool noticeOut = false;  // posted, and not yet dealt with
  for (;;) {
    if (stop_) return;
    watched = handles_;
    SetEvent(taken_.Get());
    for (;;) {
      // With a notice out only a change of the set or a resume can wake the thread: the handle
      // that was posted may well still be signalled.
      waiting.assign({changed_.Get(), resume_.Get()});
      if (!noticeOut) waiting.insert(waiting.end(), watched.begin(), watched.end());
      const DWORD r = WaitForMultipleObjects(static_cast<DWORD>(waiting.size()), waiting.data(), FALSE, INFINITE);
      if (r == WAIT_OBJECT_0) break;
      if (r == WAIT_OBJECT_0 + 1) {
        noticeOut = false;
        continue;
      }
      const bool failed = r < WAIT_OBJECT_0 || r >= WAIT_OBJECT_0 + waiting.size();
      const LPARAM handle = failed ? 0 : reinterpret_cast<LPARAM>(waiting[r - WAIT_OBJECT_0]);
      noticeOut = true;
      // With no window to tell, watching on would only spin.
      if (!PostMessageW(notify_, message_, failed ? 1 : 0, handle)) watched.clear();
    }
  }
}
