// Icon images: one owned icon handle, copied on assignment, with a change notification.
#pragma once
#include <windows.h>

#include "toolkit/Types.h"
#include "toolkit/win/Handles.h"

class TIcon : public TObject {
 public:
  TIcon() = default;
  TIcon(const TIcon&) = delete;
  TIcon& operator=(const TIcon&) = delete;

  HICON Handle() const { return icon_.Get(); }
  bool Empty() const { return icon_.Get() == nullptr; }
  // Takes ownership of the handle (nullptr empties the image).
  void SetHandle(HICON icon);
  // Copies another icon's image (not its handle).
  void Assign(const TIcon& source);
  // A copy of a handle the caller keeps (shared system icons too).
  void AssignHandle(HICON icon);
  // An icon resource of this program at the given size; false (image unchanged) when missing.
  bool LoadFromResource(const wchar_t* name, int width, int height);

  // Fires after every change of the image.
  TNotifyEvent OnChange;

 private:
  void Changed();
  UniqueIcon icon_;
};
