// The screen's cursor table and the cursor shown over the whole program.
#pragma once
#include <windows.h>

#include <functional>
#include <map>

class TScreen {
 public:
  TScreen();
  // A cursor other than crDefault overrides every control's own (the hourglass during work).
  int Cursor() const { return cursor_; }
  void SetCursor(int cursor);
  // Loads the cursor on its first use: most runs never show most of them.
  HCURSOR Cursors(int index) const;
  // Puts a cursor into the table under a number, replacing what it held.
  void SetCursors(int index, HCURSOR cursor);
  // The same with a cursor that is loaded when first asked for.
  void SetCursorLoader(int index, std::function<HCURSOR()> load);
  int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
  int Height() const { return GetSystemMetrics(SM_CYSCREEN); }

 private:
  int cursor_ = 0;
  struct Entry {
    HCURSOR cursor = nullptr;  // shared system or resource cursor: never destroyed
    std::function<HCURSOR()> load;  // until the cursor is loaded
  };
  mutable std::map<int, Entry> cursors_;
};

extern TScreen* Screen;
