// The reason a window gives the system for holding up the end of the user's session, shown to
// the user who is logging off; withdrawn when the window lets the session end, or with it.
#pragma once
#include <windows.h>

#include <string>

class TShutdownBlock {
 public:
  TShutdownBlock() = default;
  ~TShutdownBlock() { Release(); }
  TShutdownBlock(const TShutdownBlock&) = delete;
  TShutdownBlock& operator=(const TShutdownBlock&) = delete;

  void Hold(HWND window, const std::string& reason);
  void Release();

 private:
  HWND window_ = nullptr;  // not owned; set while a reason is given
};
