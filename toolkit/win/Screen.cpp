#include "toolkit/win/Screen.h"

#include <utility>

#include "toolkit/win/Controls.h"

namespace {
TScreen the_screen;
}
TScreen* Screen = &the_screen;

TScreen::TScreen() {
  const struct { int index; LPCWSTR id; } system[] = {
      {crDefault, IDC_ARROW}, {crArrow, IDC_ARROW}, {crCross, IDC_CROSS}, {crIBeam, IDC_IBEAM},
      {crSizeAll, IDC_SIZEALL}, {crHourGlass, IDC_WAIT}, {crHandPoint, IDC_HAND}, {crNo, IDC_NO},
      {crAppStart, IDC_APPSTARTING}};
  for (const auto& c : system) SetCursorLoader(c.index, [id = c.id] { return LoadCursorW(nullptr, id); });
  cursors_[crNone] = {};
}

HCURSOR TScreen::Cursors(int index) const {
  auto it = cursors_.find(index);
  if (it == cursors_.end()) it = cursors_.find(crDefault);
  Entry& entry = it->second;
  if (entry.load) entry.cursor = std::exchange(entry.load, nullptr)();
  return entry.cursor;
}

void TScreen::SetCursors(int index, HCURSOR cursor) { cursors_[index] = {cursor, nullptr}; }

void TScreen::SetCursorLoader(int index, std::function<HCURSOR()> load) { cursors_[index] = {nullptr, std::move(load)}; }

void TScreen::SetCursor(int cursor) {
  if (cursor == cursor_) return;
  cursor_ = cursor;
  if (cursor != crDefault) {
    ::SetCursor(Cursors(cursor));
    return;
  }
  // Let the window under the pointer choose its own cursor again.
  POINT p;
  GetCursorPos(&p);
  if (HWND w = WindowFromPoint(p))
    SendMessageW(w, WM_SETCURSOR, reinterpret_cast<WPARAM>(w), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}
