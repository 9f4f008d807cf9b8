// A watch on one folder's files, served by the application's message loop: the callback runs on
// the UI thread after a file in the folder was created, renamed, removed or written.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

class TFolderWatch {
 public:
  // Served by app's loop (not owned; it MUST outlive the watch). Watches nothing when the folder
  // cannot be watched (Active() says so); never throws.
  TFolderWatch(class TApplication& app, const std::string& folder, std::function<void()> changed);
  ~TFolderWatch();
  TFolderWatch(const TFolderWatch&) = delete;
  TFolderWatch& operator=(const TFolderWatch&) = delete;

  bool Active() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  TApplication& app_;  // not owned
  HANDLE handle_ = INVALID_HANDLE_VALUE;  // closed by FindCloseChangeNotification, not CloseHandle
  std::function<void()> changed_;
};
