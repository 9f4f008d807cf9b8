// Mouse routing inside a toolkit window: which windowless child a mouse message is for, the
// capture while the left button is down, clicks, enter and leave, the hint and the cursor.
// The decisions are TMouseState's; this side talks to the system and calls the controls.
#include "toolkit/win/Controls.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "toolkit/win/CommonControls.h"
#include "toolkit/win/Screen.h"
#include "toolkit/win/System.h"
#include "toolkit/win/Text.h"

void TWinControl::SetMouseControl(TControl* c) {
  const auto crossing = mouse_.PointerAt(c);
  if (!crossing.changed) return;
  // Leave and enter handlers may destroy controls, this window's object among them.
  const LifeGuard self = Guard();
  if (crossing.leave) crossing.leave->MouseLeave();
  if (!self.Alive() || mouse_.Hovered() != c) return;
  if (c) c->MouseEnter();
  if (!self.Alive() || mouse_.Hovered() != c) return;
  UpdateHint(c);
}

void TWinControl::LosePointer() {
  tracking_leave_ = false;
  const LifeGuard self = Guard();
  SetMouseControl(nullptr);
  if (!self.Alive()) return;
  const std::vector<TControl*> children = controls_;  // a leave handler may change the list
  for (TControl* c : children) {
    if (auto* w = dynamic_cast<TWinControl*>(c); w && std::find(controls_.begin(), controls_.end(), c) != controls_.end())
      w->LosePointer();
  }
}

void TWinControl::UpdateHint(TControl* c) {
  if (c == hint_control_) return;
  hint_control_ = c;
  if (!tooltip_ && c && c->ShowHint() && !c->Hint().empty()) {
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, CommonControlClass(TOOLTIPS_CLASSW), nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    TOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = hwnd_;
    ti.uId = reinterpret_cast<UINT_PTR>(hwnd_);
    ti.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, 400);
  }
  if (tooltip_) SendMessageW(tooltip_, TTM_POP, 0, 0);
}

bool TWinControl::SetCursorMessage(TMessage& m) {
  if (LOWORD(m.LParam) != HTCLIENT || reinterpret_cast<HWND>(m.WParam) != hwnd_) return false;
  int cursor = Screen->Cursor();
  if (cursor == crDefault) {
    POINT p = Sys().CursorPos();
    ::ScreenToClient(hwnd_, &p);
    TControl* c = ControlAtPos({p.x, p.y});
    cursor = c ? c->Cursor() : Cursor();
  }
  if (cursor == crDefault) return false;
  ::SetCursor(Screen->Cursors(cursor));
  m.Result = TRUE;
  return true;
}

namespace {
TMouseButton ButtonOf(UINT msg) {
  switch (msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: case WM_LBUTTONUP: return TMouseButton::mbLeft;
    case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK: case WM_RBUTTONUP: return TMouseButton::mbRight;
    default: return TMouseButton::mbMiddle;
  }
}
}  // namespace

void TWinControl::RouteMouse(TMessage& m) {
  const TPoint p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
  const TShiftState shift = ShiftFromKeys(m.WParam);
  TControl* at = ControlAtPos(p);
  if (at && !at->Enabled()) at = nullptr;
  TControl* over = at ? at : this;
  auto local = [&p](const TControl* c) {
    return c->IsWindowed() ? p : TPoint{p.X - c->Left(), p.Y - c->Top()};
  };
  // Every step below may run a handler that destroys the control it was called on, or this
  // window's object with it; nothing is called on either once it is gone.
  const LifeGuard self = Guard();
  switch (m.Msg) {
    case WM_MOUSEMOVE: {
      if (!tracking_leave_) {
        TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, hwnd_, 0};
        tracking_leave_ = TrackMouseEvent(&t) != FALSE;
      }
      SetMouseControl(over);
      if (!self.Alive()) return;
      TControl* target = mouse_.MoveTarget(over);
      if (target != mouse_.Captured() && target != mouse_.Hovered()) return;  // gone meanwhile
      const TPoint q = local(target);
      target->MouseMove(shift, q.X, q.Y);
      break;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: {
      const TMouseButton button = ButtonOf(m.Msg);
      SetMouseControl(over);  // a press tells where the pointer is, moved or not
      if (!self.Alive() || mouse_.Hovered() != over) return;
      const bool dbl = m.Msg == WM_LBUTTONDBLCLK;
      const auto press = mouse_.Pressed(button, dbl, over);
      const LifeGuard target = over->Guard();
      TShiftState s = shift;
      if (press.double_click) {
        over->DblClick();
        if (!target.Alive()) return;
        s += TShift::Double;
      }
      if (press.capture && !native_) SetCapture(hwnd_);  // a system control takes the mouse itself
      const TPoint q = local(over);
      over->MouseDown(button, s, q.X, q.Y);
      break;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      const TMouseButton button = ButtonOf(m.Msg);
      // A system control reports its own clicks (BN_CLICKED...), so none is made up for it here.
      const auto release = mouse_.Released(button, over, !native_, [&local](const TControl* c) {
        const TPoint q = local(c);
        return q.X >= 0 && q.Y >= 0 && q.X < c->Width() && q.Y < c->Height();
      });
      if (release.release_capture && !native_ && GetCapture() == hwnd_) ReleaseCapture();
      TControl* target = release.target;
      const LifeGuard alive = target->Guard();
      const TPoint q = local(target);
      if (release.click) target->Click();
      if (!alive.Alive()) return;  // the click handler destroyed its control
      target->MouseUp(button, shift, q.X, q.Y);
      break;
    }
    default:
      break;
  }
}
