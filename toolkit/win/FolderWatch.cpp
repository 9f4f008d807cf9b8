#include "toolkit/win/FolderWatch.h"

#include <utility>

#include "toolkit/win/Application.h"
#include "toolkit/win/Text.h"

TFolderWatch::TFolderWatch(TApplication& app, const std::string& folder, std::function<void()> changed)
    : app_(app), changed_(std::move(changed)) {
  if (folder.empty()) return;
  handle_ = FindFirstChangeNotificationW(
      ToWide(folder).c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE);
  if (!Active()) return;
  app_.AddWaitHandle(handle_, [this] {
    FindNextChangeNotification(handle_);  // re-armed first: a change during the callback is not missed
    if (changed_) changed_();
  });
}

TFolderWatch::~TFolderWatch() {
  if (!Active()) return;
  app_.RemoveWaitHandle(handle_);
  FindCloseChangeNotification(handle_);
}
