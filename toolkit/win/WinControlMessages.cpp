// TWinControl's answers to the messages every window of ours gets, one handler per message; each
// returns true when it answered and the default handling must not run.
#include "toolkit/win/Controls.h"

#include <commctrl.h>
#include <windowsx.h>

#include "toolkit/win/Menus.h"
#include "toolkit/win/Text.h"
#include "toolkit/win/WindowObject.h"

bool TWinControl::OnPaint() {
  if (native_) return false;
  PaintMessage();
  return true;
}

bool TWinControl::OnEraseBackground(TMessage& m) {
  if (native_) return false;
  m.Result = 1;  // the paint covers everything
  return true;
}

bool TWinControl::OnMouse(TMessage& m) {
  RouteMouse(m);
  // The default handling of a right button's release is what raises WM_CONTEXTMENU.
  return !native_ && m.Msg != WM_RBUTTONUP;
}

void TWinControl::OnMouseLeave() {
  tracking_leave_ = false;
  SetMouseControl(nullptr);
}

void TWinControl::OnCaptureChanged(HWND taker) {
  if (taker != hwnd_) mouse_.CaptureLost();
  // Another window took the mouse (a menu, a drag): the hover ends without a leave.
  if (taker && taker != hwnd_) LosePointer();
}

void TWinControl::OnFocusChanged(bool gained) {
  if (!keyboard_child_) return;
  keyboard_child_->Invalidate();  // its focus cue comes and goes with the window's focus
  if (gained && AccessibilityHooks().FocusChanged) AccessibilityHooks().FocusChanged(*keyboard_child_);
}

bool TWinControl::OnGetObject(TMessage& m) {
  // Through the screen reader service when there is one (a system control has its own answer,
  // which the service may complete).
  const auto answer = AccessibilityHooks().AnswerGetObject;
  return answer && answer(*this, m);
}

bool TWinControl::OnContextMenu(TMessage& m) {
  POINT sp{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
  // The menu key or Shift+F10: the menu opens at the window, wherever the pointer is.
  const bool keyboard = sp.x == -1 && sp.y == -1;
  if (keyboard) {
    sp = {0, 0};
    ::ClientToScreen(hwnd_, &sp);
  }
  POINT cp = sp;
  ::ScreenToClient(hwnd_, &cp);
  TControl* c = keyboard ? nullptr : ControlAtPos({cp.x, cp.y});
  if (!c) c = this;
  for (TControl* k = c; k; k = k->Parent()) {
    if (TPopupMenu* menu = k->PopupMenu(); menu && menu->AutoPopup()) {
      menu->SetPopupComponent(c);
      menu->Popup(sp.x, sp.y);
      return true;
    }
  }
  return false;
}

bool TWinControl::OnCommand(TMessage& m) {
  if (!m.LParam) return false;  // a menu or an accelerator
  TWinControl* child = ObjectOf<TWinControl>(reinterpret_cast<HWND>(m.LParam));
  if (!child || child == this) return false;
  child->CommandNotify(HIWORD(m.WParam));
  return true;
}

bool TWinControl::OnChildAsks(HWND from, TMessage& m) {
  TWinControl* child = ObjectOf<TWinControl>(from);
  return child && child != this && child->ParentAsks(m);
}

bool TWinControl::OnNotify(TMessage& m) {
  auto* hdr = reinterpret_cast<NMHDR*>(m.LParam);
  if (hdr->code == TTN_GETDISPINFOW && hdr->hwndFrom == tooltip_) {
    static std::wstring text;  // must outlive this message
    const TControl* c = hint_control_;
    text = (c && c->ShowHint()) ? ToWide(c->Hint()) : std::wstring();
    reinterpret_cast<NMTTDISPINFOW*>(m.LParam)->lpszText = text.data();
    return true;
  }
  TWinControl* child = ObjectOf<TWinControl>(hdr->hwndFrom);
  if (!child || child == this) return false;
  m.Result = child->Notify(hdr);
  return true;
}

void TWinControl::OnWindowPosChanged(const WINDOWPOS& wp) {
  if (!(wp.flags & SWP_NOSIZE) && (wp.cx != width_ || wp.cy != height_)) {
    width_ = wp.cx;
    height_ = wp.cy;
    Resize();
  }
  if (!(wp.flags & SWP_NOMOVE)) {
    left_ = wp.x;
    top_ = wp.y;
  }
}
