// The screen's cursor table and the cursor shown over the whole program.
#pragma once
#include <windows.h>

#include <map>

class TScreen {
 public:
  TScreen();
  // A cursor other than crDefault overrides every control's own (the hourglass during work).
  int Cursor() const { return cursor_; }
  void SetCursor(int cursor);
  HCURSOR Cursors(int index) const;
  // Puts a cursor into the table under a number, replacing what it held.
  void SetCursors(int index, HCURSOR cursor);
  int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
  int Height() const { return GetSystemMetrics(SM_CYSCREEN); }

 private:
  int cursor_ = 0;
  std::map<int, HCURSOR> cursors_;  // shared system or resource cursors: never destroyed
};

extern TScreen* Screen;
