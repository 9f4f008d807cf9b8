#include "toolkit/win/Icon.h"

void TIcon::Changed() {
  if (OnChange) OnChange(this);
}

void TIcon::SetHandle(HICON icon) {
  icon_ = UniqueIcon(icon);
  Changed();
}

void TIcon::Assign(const TIcon& source) {
  if (&source == this) return;
  AssignHandle(source.Handle());
}

void TIcon::AssignHandle(HICON icon) { SetHandle(icon ? CopyIcon(icon) : nullptr); }

bool TIcon::LoadFromResource(const wchar_t* name, int width, int height) {
  auto* icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_ICON, width, height, 0));
  if (!icon) return false;
  SetHandle(icon);
  return true;
}
