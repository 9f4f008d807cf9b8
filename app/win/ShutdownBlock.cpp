#include "app/win/ShutdownBlock.h"

#include "toolkit/win/Text.h"

void TShutdownBlock::Hold(HWND window, const std::string& reason) {
  Release();
  if (ShutdownBlockReasonCreate(window, ToWide(reason).c_str())) window_ = window;
}

void TShutdownBlock::Release() {
  if (window_ && IsWindow(window_)) ShutdownBlockReasonDestroy(window_);
  window_ = nullptr;
}
