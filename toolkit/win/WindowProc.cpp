// The toolkit's window class and window procedure: the object behind each window is found,
// the message decoded and run through the object's WndProc with no exception escaping, and
// what a child window tells or asks its parent (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*,
// WM_DRAWITEM) is passed on to the child's own object.
#include "toolkit/win/Controls.h"

#include <commctrl.h>
#include <windowsx.h>

#include "toolkit/win/Accessible.h"
#include "toolkit/win/Application.h"
#include "toolkit/win/Menus.h"
#include "toolkit/win/Text.h"
#include "toolkit/win/WindowHooks.h"
#include "toolkit/win/WindowObject.h"

namespace {
constexpr wchar_t kWindowClass[] = L"ZettlyWindow";

// Runs one message through an object's window procedure; no exception leaves it.
LRESULT Dispatch(TWinControl* obj, UINT msg, WPARAM wp, LPARAM lp) {
  TMessage m{msg, wp, lp};
  const TApplication::SystemMessage repeating(msg);
  try {
    obj->WndProc(m);
  } catch (const std::exception& e) {
    if (Application) Application->HandleException(e);
  }
  return m.Result;
}
}  // namespace

const wchar_t* ZettlyWindowClass() {
  static bool registered = false;
  if (!registered) {
    WNDCLASSEXW wc{sizeof wc};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = ZettlyWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconW(GetModuleHandleW(nullptr), L"MAINICON");
    wc.lpszClassName = kWindowClass;
    RegisterClassExW(&wc);
    registered = true;
  }
  return kWindowClass;
}

LRESULT CALLBACK ZettlyWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* created = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    AttachObject(hwnd, created);
    created->hwnd_ = hwnd;
  }
  TWinControl* obj = ObjectOf<TWinControl>(hwnd);
  if (!obj) return DefWindowProcW(hwnd, msg, wp, lp);
  const LRESULT r = Dispatch(obj, msg, wp, lp);
  if (msg == WM_NCDESTROY) {  // late messages find no object, and the object no window
    DetachObject(hwnd);
    obj->hwnd_ = nullptr;
  }
  return r;
}

// A system control hooked into the same path; its object is found the same way.
LRESULT CALLBACK ZettlyNativeProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
  TWinControl* obj = ObjectOf<TWinControl>(hwnd);
  if (!obj) return CallNextWindowHook(hwnd, msg, wp, lp);
  const LRESULT r = Dispatch(obj, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    RemoveWindowHook(hwnd, ZettlyNativeProc, 1);
    DetachObject(hwnd);
    obj->hwnd_ = nullptr;
  }
  return r;
}

void TWinControl::AttachNative(HWND h) {
  hwnd_ = h;
  native_ = true;
  AttachObject(h, this);
  AddWindowHook(h, ZettlyNativeProc, 1, 0);
}

void TWinControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT:
      if (native_) break;
      PaintMessage();
      return;
    case WM_ERASEBKGND:
      if (native_) break;
      m.Result = 1;
      return;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK: {
      const TControl::LifeGuard self = Guard();
      RouteMouse(m);
      if (!self.Alive()) return;  // a handler destroyed this control: nothing of it may be touched
      // The default handling of a right button's release is what raises WM_CONTEXTMENU.
      if (native_ || m.Msg == WM_RBUTTONUP) break;
      return;
    }
    case WM_MOUSELEAVE:
      tracking_leave_ = false;
      SetMouseControl(nullptr);
      break;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(m.LParam) != hwnd_) mouse_.CaptureLost();
      if (!m.LParam || reinterpret_cast<HWND>(m.LParam) == hwnd_) break;  // released, or still ours
      [[fallthrough]];  // another window took the mouse (a menu, a drag)
    case WM_CANCELMODE:
    case WM_ENABLE:
      // A modal dialog or a menu takes the pointer without a leave: the hover ends here.
      if (m.Msg == WM_ENABLE && m.WParam) break;
      LosePointer();
      break;
    case WM_GETOBJECT:
      if (!native_ && AnswerGetObject(*this, m)) return;  // a system control answers for itself
      break;
    case WM_SETCURSOR:
      if (SetCursorMessage(m)) return;
      break;
    case WM_CONTEXTMENU: {
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
          return;
        }
      }
      break;
    }
    case WM_COMMAND:
      if (m.LParam) {
        if (TWinControl* child = ObjectOf<TWinControl>(reinterpret_cast<HWND>(m.LParam)); child && child != this) {
          child->CommandNotify(HIWORD(m.WParam));
          return;
        }
      }
      break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      if (TWinControl* child = ObjectOf<TWinControl>(reinterpret_cast<HWND>(m.LParam)); child && child != this &&
          child->ParentAsks(m))
        return;
      break;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
      if (item->CtlType == ODT_MENU) break;
      if (TWinControl* child = ObjectOf<TWinControl>(item->hwndItem); child && child != this && child->ParentAsks(m)) return;
      break;
    }
    case WM_NOTIFY: {
      auto* hdr = reinterpret_cast<NMHDR*>(m.LParam);
      if (hdr->code == TTN_GETDISPINFOW && hdr->hwndFrom == tooltip_) {
        static std::wstring text;  // must outlive this message
        const TControl* c = hint_control_;
        text = (c && c->ShowHint()) ? ToWide(c->Hint()) : std::wstring();
        reinterpret_cast<NMTTDISPINFOW*>(m.LParam)->lpszText = text.data();
        return;
      }
      if (TWinControl* child = ObjectOf<TWinControl>(hdr->hwndFrom); child && child != this) {
        m.Result = child->Notify(hdr);
        return;
      }
      break;
    }
    case WM_WINDOWPOSCHANGED: {
      const auto* wp = reinterpret_cast<WINDOWPOS*>(m.LParam);
      if (!(wp->flags & SWP_NOSIZE) && (wp->cx != width_ || wp->cy != height_)) {
        width_ = wp->cx;
        height_ = wp->cy;
        Resize();
      }
      if (!(wp->flags & SWP_NOMOVE)) {
        left_ = wp->x;
        top_ = wp->y;
      }
      break;
    }
    default:
      break;
  }
  DefaultHandler(m);
}

void TWinControl::DefaultHandler(TMessage& m) {
  if (!hwnd_) return;
  m.Result = native_ ? CallNextWindowHook(hwnd_, m.Msg, m.WParam, m.LParam)
                     : DefWindowProcW(hwnd_, m.Msg, m.WParam, m.LParam);
}
